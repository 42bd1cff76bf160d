// The clipboard as the binary view uses it: a private format holding a 4-byte length and the
// bytes, and the platform's plain text as a fallback for pasting. Data goes straight into the
// clipboard's own memory and is read straight out of it, so a large selection is never held
// in a second copy on its way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace ovx {

// Name under which the private format is registered.
inline constexpr char kPrivateClipboardFormatName[] = "Ovnx Clipboard Format";

// What became of placing data on the clipboard.
enum TClipboardPut : std::uint8_t {
  cpPlaced,
  cpNotPlaced,    // the clipboard could not be opened or took no data
  cpOutOfMemory,  // no memory for the block: the clipboard was left as it was
};

// Writes the block into the clipboard's memory of the size asked for.
using TClipboardFill = std::function<void(std::uint8_t* block)>;
// Reads the data of a format in the clipboard's memory while the clipboard is held open.
using TClipboardRead = std::function<void(const std::uint8_t* data, std::size_t size)>;

class TViewClipboard {
 public:
  virtual ~TViewClipboard() = default;
  // Allocates size bytes and has fill write them, then empties the clipboard and places the
  // block under the private format only. The clipboard is touched only once the block is ready.
  virtual TClipboardPut PutPrivate(std::size_t size, const TClipboardFill& fill) = 0;
  virtual bool HasPrivate() = 0;
  virtual bool HasText() = 0;
  // Hands read the data of the private format or of the plain text (all of it, NUL and what
  // follows included); false, without calling read, when the clipboard cannot be opened or
  // holds no data of the format.
  virtual bool ReadPrivate(const TClipboardRead& read) = 0;
  virtual bool ReadText(const TClipboardRead& read) = 0;
};

// Bytes in the clipboard's memory.
struct TClipboardBytes {
  const std::uint8_t* data = nullptr;
  std::int32_t count = 0;
};

// The private format's block: n as signed 32-bit little-endian, then the n bytes.
inline constexpr std::size_t kClipboardBlockHeader = 4;
std::size_t ClipboardBlockSize(std::int32_t n);
void WriteClipboardBlockHeader(std::uint8_t* block, std::int32_t n);
// The bytes of a block. A block shorter than its announced length, or announcing a negative
// one, yields only the bytes actually present (none for a negative length).
TClipboardBytes ClipboardBlockBytes(const std::uint8_t* block, std::size_t size);
// The bytes of plain text: up to the first NUL, as they are, without any conversion.
TClipboardBytes ClipboardTextBytes(const std::uint8_t* text, std::size_t size);

}  // namespace ovx
