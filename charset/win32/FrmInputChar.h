// TFrmInputChar: one single-byte code picked from the table of a code set.
#pragma once

#include <functional>

#include "charset/win32/FramePanel.h"
#include "charset/win32/SelChar.h"

namespace ovx {

class TFrmInputChar final : public TFramePanel {
 public:
  enum : int { idCharaSet = 401, idSelChar };

  bool Create(HWND parent, int x, int y, HFONT font, int dpi);
  SIZE DesignSize() const override { return {420, 252}; }

  TSelChar& SelChar() { return selChar_; }
  HWND CharaSet() const { return charaSet_; }
  // The list's row applied to the table: ASCII, JIS X 0201, JIS X 0201 with the NEC extension.
  void CharaSetChange();
  // A double click on a row.
  std::function<void()> OnPick;

 private:
  void Command(int id, int code, HWND control) override;
  void DrawItem(const DRAWITEMSTRUCT& item) override { selChar_.DrawItem(item); }

  HWND charaSet_ = nullptr;
  TSelChar selChar_;
};

}  // namespace ovx
