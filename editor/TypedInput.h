// What the typed input and rotate dialogs do to their window's view: writing bytes at the caret,
// the rotate amount typed into a rotate dialog, and the capture values the window feeds them.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "view/BinaryViewCore.h"

namespace ovx {

// A selection gives way to the bytes in one edit, whatever the input mode (an empty block then
// only deletes), so that an edit the document cannot take leaves the selection as it was;
// without one an empty block writes nothing, else overwrite or insert by the input mode. A
// view-only view refuses every part of it.
void WriteTypedBytes(TBinaryViewCore& view, const std::vector<std::uint8_t>& bytes);

// The rotate amount: the text as a decimal number, 0 when it is not one.
std::int32_t RotateAmount(std::string_view text);
// The rotate edit takes the digits and control keys only.
bool RotateEditAccepts(wchar_t c);
// Rotates the selection (else the whole document) by n bits, or by n bytes of 8 bits.
void RunRotate(TBinaryViewCore& view, bool bytes, bool left, std::int32_t n);


}  // namespace ovx
