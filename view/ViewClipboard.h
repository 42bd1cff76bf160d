// The clipboard as the binary view uses it: a private format holding a 4-byte
// length and the bytes, and the platform's plain text as a fallback for pasting.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ovx {

// Name under which the private format is registered.
inline constexpr char kPrivateClipboardFormatName[] = "Ovnx Clipboard Format";

class TViewClipboard {
 public:
  virtual ~TViewClipboard() = default;
  // Empties the clipboard and places block under the private format only.
  virtual bool PutPrivate(const std::vector<std::uint8_t>& block) = 0;
  virtual bool HasPrivate() = 0;
  virtual bool HasText() = 0;
  // False when the clipboard cannot be opened or holds no data of the format.
  virtual bool GetPrivate(std::vector<std::uint8_t>& block) = 0;
  // The plain text bytes up to the first NUL, without any conversion.
  virtual bool GetText(std::string& bytes) = 0;
};

// The private format's block: n as signed 32-bit little-endian, then the n bytes.
std::vector<std::uint8_t> EncodeClipboardBlock(const std::uint8_t* data, std::int32_t n);
// The bytes of a block. A block shorter than its announced length, or announcing a
// negative one, yields only the bytes actually present (none for a negative length).
std::vector<std::uint8_t> DecodeClipboardBlock(const std::vector<std::uint8_t>& block);

}  // namespace ovx
