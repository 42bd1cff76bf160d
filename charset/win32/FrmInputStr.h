// TFrmInputStr: a multi-line text with its newline code and character set; yields the bytes to write.
#pragma once

#include <functional>
#include <string>

#include "charset/InputFrameRules.h"
#include "charset/win32/FramePanel.h"

namespace ovx {

class TFrmInputStr final : public TFramePanel {
 public:
  enum : int { idEditBox = 201, idNewLineCode, idCharaSet };

  bool Create(HWND parent, int x, int y, HFONT font, int dpi);
  SIZE DesignSize() const override { return {420, 168}; }

  // The text, newlines made the chosen code, converted to the chosen set; or the characters the
  // set cannot carry, and then no bytes.
  TStringInput Input() const;
  // The bytes of Input (none when a character was refused).
  std::string Bytes() const;
  TStringSet ChosenSet() const { return static_cast<TStringSet>(SelectedRow(charaSet_)); }
  // Focuses the text box with the first of the characters selected.
  void SelectFirstOf(std::u16string_view characters);
  HWND EditBox() const { return editBox_; }
  HWND NewLineCode() const { return newLineCode_; }
  HWND CharaSet() const { return charaSet_; }

  // The text box could not take all of a paste or of typing (its limit, or memory): what was
  // left out is told here; without a handler the frame beeps.
  std::function<void()> OnTextCut;

 private:
  void Command(int id, int code, HWND control) override;
  std::u16string Text() const;

  HWND editBox_ = nullptr, newLineCode_ = nullptr, charaSet_ = nullptr;
};

}  // namespace ovx
