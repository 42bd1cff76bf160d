#include "view/win32/HeaderView.h"

#include <string>

#include "view/ViewPaintModel.h"

namespace ovx {

void THeaderView::SetCharaSet(TCharaSet charaSet) {
  if (charaSet == charaSet_) return;
  charaSet_ = charaSet;
  Refresh();
}

void THeaderView::PaintCells(HDC dc, const RECT& client) {
  for (int column = 0; column < kColumnCount; ++column) {
    if (widths_[static_cast<std::size_t>(column)] <= 0) continue;
    const std::string caption = ColumnCaption(column, charaSet_);  // ASCII only
    const std::wstring text(caption.begin(), caption.end());
    const bool highlighted = caretColumn_ >= 0 && column == kFirstHexColumn + caretColumn_;
    PaintCell(dc, CellRect(column, client), text.c_str(), static_cast<int>(text.size()), highlighted);
  }
}

}  // namespace ovx
