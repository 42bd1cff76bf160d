// The sum strip below the view: the sum of each hex column over the visible rows, the
// caret's column highlighted. The other columns leave their width empty.
#pragma once

#include <array>

#include "view/win32/StripView.h"

namespace ovx {

class TFooterView : public TStripView {
 public:
  bool Create(HWND parent) { return TStripView::Create(parent, L"TFooterView"); }
  // Texts "%2.2x" of the 16 column sums.
  void SetSums(const std::array<std::array<char, 3>, 16>& texts);
  const std::array<std::array<char, 3>, 16>& Sums() const { return sums_; }

 protected:
  bool CellText(int column, std::wstring& text) const override;

 private:
  std::array<std::array<char, 3>, 16> sums_{};
};

}  // namespace ovx
