// The function-key bar: 10 or 12 push buttons in Panel_Function, laid out by the core's
// arithmetic, captioned with the bindings of the shift state being held.
#pragma once

#include <windows.h>

#include <vector>

#include "shell/KeyMap.h"

namespace ovx {

class TFunctionKeyBar {
 public:
  static constexpr int kHeight = 18;
  static constexpr int kFirstButtonId = 0x3000;

  // Creates `count` buttons (10 or 12) inside panel; a button's id is kFirstButtonId + index.
  bool Create(HWND panel, int count, HFONT font);
  int Count() const { return static_cast<int>(buttons_.size()); }
  HWND Button(int index) const { return buttons_[index]; }
  // Lays the buttons out across the panel's width.
  void Layout(int panelWidth, int panelHeight);
  // The captions of one shift state.
  void ShowCaptions(const TFunctionKeyLabels& labels, int shiftState);
  // The button of a WM_COMMAND id, or -1.
  int ButtonOfId(int id) const;

 private:
  std::vector<HWND> buttons_;
};

}  // namespace ovx
