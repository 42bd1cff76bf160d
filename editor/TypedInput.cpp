#include "editor/TypedInput.h"

#include <limits>

namespace ovx {

void WriteTypedBytes(TBinaryViewCore& view, const std::vector<std::uint8_t>& bytes) {
  const auto n = static_cast<std::int32_t>(bytes.size());
  if (view.HasSelection()) {
    view.ReplaceSelection(bytes.data(), n);
    return;
  }
  if (view.InputMode() == imOverwrite) view.OverwriteBytes(bytes.data(), view.CaretAddress(), n);
  else if (view.InputMode() == imInsert) view.InsertBytes(bytes.data(), view.CaretAddress(), n);
}

std::int32_t RotateAmount(std::string_view text) {
  if (text.empty()) return 0;
  std::int64_t n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
    if (n > std::numeric_limits<std::int32_t>::max()) return 0;
  }
  return static_cast<std::int32_t>(n);
}

bool RotateEditAccepts(wchar_t c) { return (c >= L'0' && c <= L'9') || c < 0x20; }

void RunRotate(TBinaryViewCore& view, bool bytes, bool left, std::int32_t n) {
  // Whole bytes: the range's rotation reduces the count of bytes before it becomes bits.
  if (bytes) view.ByteRotate(left, n);
  else view.BitRotate(left, n);
}

}  // namespace ovx
