// The caption strip above the view: "ADDRESS", "+0" .. "+F", "SUM" and the name of the
// character set, the caret's hex column highlighted.
#pragma once

#include "charset/CharConv.h"
#include "view/win32/StripView.h"

namespace ovx {

class THeaderView : public TStripView {
 public:
  bool Create(HWND parent) { return TStripView::Create(parent, L"THeaderView"); }
  void SetCharaSet(TCharaSet charaSet);
  TCharaSet CharaSet() const { return charaSet_; }

 protected:
  bool CellText(int column, std::wstring& text) const override;

 private:
  TCharaSet charaSet_ = csSJis;
};

}  // namespace ovx
