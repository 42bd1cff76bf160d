#include "view/win32/FooterView.h"

namespace ovx {

void TFooterView::SetSums(const std::array<std::array<char, 3>, 16>& texts) {
  if (texts == sums_) return;
  sums_ = texts;
  RefreshCells();
}

bool TFooterView::CellText(int column, std::wstring& text) const {
  const int j = column - kFirstHexColumn;
  if (j < 0 || j >= kBytesPerRow) return false;
  const auto& sum = sums_[static_cast<std::size_t>(j)];
  text.clear();
  if (sum[0]) text = {static_cast<wchar_t>(sum[0]), static_cast<wchar_t>(sum[1])};
  return true;
}

}  // namespace ovx
