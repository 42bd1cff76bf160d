#include "view/win32/HeaderView.h"

#include <string>

#include "view/ViewPaintModel.h"

namespace ovx {

void THeaderView::SetCharaSet(TCharaSet charaSet) {
  if (charaSet == charaSet_) return;
  charaSet_ = charaSet;
  RefreshCells();
}

bool THeaderView::CellText(int column, std::wstring& text) const {
  const std::string caption = ColumnCaption(column, charaSet_);  // ASCII only
  text.assign(caption.begin(), caption.end());
  return true;
}

}  // namespace ovx
