// TFrmInputStr: a multi-line text with its newline code and character set; yields the bytes to write.
#pragma once

#include <string>

#include "charset/InputFrameRules.h"
#include "charset/win32/FramePanel.h"

namespace ovx {

class TFrmInputStr final : public TFramePanel {
 public:
  enum : int { idEditBox = 201, idNewLineCode, idCharaSet };

  bool Create(HWND parent, int x, int y, HFONT font, int dpi);
  SIZE DesignSize() const override { return {420, 168}; }

  // The text as Shift-JIS, newlines made the chosen code, converted to the chosen set.
  std::string Bytes() const;
  HWND EditBox() const { return editBox_; }
  HWND NewLineCode() const { return newLineCode_; }
  HWND CharaSet() const { return charaSet_; }

 private:
  HWND editBox_ = nullptr, newLineCode_ = nullptr, charaSet_ = nullptr;
};

}  // namespace ovx
