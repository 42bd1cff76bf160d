// What the information panel shows for the caret, the selection and the document size, and
// the text its copy buttons put on the clipboard.
#pragma once

#include <cstdint>
#include <string>

#include "editor/CaptureFeed.h"

namespace ovx {

struct TInformationInput {
  std::int64_t caretAddress = 0;
  std::int64_t selectionStart = -1;  // [start, end), both -1 without a selection
  std::int64_t selectionEnd = -1;
  std::int64_t size = 0;
  int available = 0;                 // bytes from the caret to the end, at most 4
  std::uint8_t bytes[4] = {};        // the bytes at the caret, 0 where missing
  std::uint8_t byteOrder = 0;        // 0 little endian, 1 big endian
};

// A hexadecimal and a decimal label; the Bit box has only the first.
struct TInformationValue {
  std::string hex, dec;
};

struct TInformationTexts {
  TInformationValue address, fileSize, range, bit, byte, word, dword;
};

TInformationTexts InformationTexts(const TInformationInput& in);

// What a copy button puts on the clipboard: "hex (dec)", or the Bit label alone.
std::string InformationCopyText(const TInformationValue& value, bool bitBox);

// The values the capture buttons of open dialogs take.
TCaptureValues CaptureValuesOf(const TInformationInput& in);

}  // namespace ovx
