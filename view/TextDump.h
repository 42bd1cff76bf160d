// The text output of a view: a range of the document as hexadecimal dump lines, one per row of
// 16 bytes, with the row address, the row's checksum and the bytes in the view's character set.
// Lines are Shift-JIS bytes without a line end.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "charset/CharConv.h"
#include "model/MModule.h"

namespace ovx {

// Called once per finished line; clearing `proceed` stops the output.
using TTextLineEvent = std::function<void(std::string_view line, bool& proceed)>;

// count bytes from start (clipped to the document). checkSumMode 1 adds the four bytes of the
// row address to each row's sum.
void DumpText(const TMemoryModule& module, TCharaSet charaSet, std::uint8_t checkSumMode, std::int32_t start,
              std::int32_t count, const TTextLineEvent& onLine);

}  // namespace ovx
