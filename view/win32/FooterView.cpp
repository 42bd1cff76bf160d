#include "view/win32/FooterView.h"

namespace ovx {

void TFooterView::SetSums(const std::array<std::array<char, 3>, 16>& texts) {
  if (texts == sums_) return;
  sums_ = texts;
  Refresh();
}

void TFooterView::PaintCells(HDC dc, const RECT& client) {
  for (int j = 0; j < kBytesPerRow; ++j) {
    const int column = kFirstHexColumn + j;
    if (widths_[static_cast<std::size_t>(column)] <= 0) continue;
    const auto& sum = sums_[static_cast<std::size_t>(j)];
    const wchar_t text[2] = {static_cast<wchar_t>(sum[0]), static_cast<wchar_t>(sum[1])};
    PaintCell(dc, CellRect(column, client), text, sum[0] ? 2 : 0, j == caretColumn_);
  }
}

}  // namespace ovx
