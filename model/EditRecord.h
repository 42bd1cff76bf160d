// The request for one change of a document, as handed to ApplyEdit.
#pragma once

#include <cstdint>

namespace ovx {

// Where the caret stands: an address and 1 when it is on the low nibble of a byte in the hex area.
struct TCaretPosition {
  std::int32_t address = 0;
  std::uint8_t lowNibble = 0;

  friend bool operator==(const TCaretPosition&, const TCaretPosition&) = default;
};

// Kinds of change. The numbers are internal and never stored outside the process.
enum TEditKind : std::uint8_t {
  ekInsert = 0,        // InsertData(data, position, data length)
  ekOverwrite = 1,     // WriteData(data, position, data length)
  ekReplace = 2,       // DeleteData(position, range length), then InsertData(data, position, data length)
  ekDelete = 3,        // DeleteData(position, range length)
  ekBitRotate = 4,     // data length is the signed amount in bits: < 0 left, > 0 right
  ekBitReverse = 5,    // ReverseBits(position, range length)
  ekBitNot = 6,        // InvertBits(position, range length)
  ekByteReverse = 8,   // ReverseBytes(position, range length)
  ekIncrementLE = 9,
  ekDecrementLE = 10,
  ekIncrementBE = 11,
  ekDecrementBE = 12,
};

struct TEditRecord {
  TEditKind kind = ekInsert;
  std::int32_t position = 0;
  TCaretPosition caretBefore;
  TCaretPosition caretAfter;
  // The new bytes (insert, overwrite, replace); not owned, copied by ApplyEdit.
  const std::uint8_t* data = nullptr;
  // Number of new bytes; for a rotation the signed amount in bits.
  std::int32_t dataLength = 0;
  // Bytes to remove (replace, delete) or bytes operated on (every other kind but insert and overwrite).
  std::int32_t rangeLength = 0;
};

}  // namespace ovx
