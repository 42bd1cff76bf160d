// The function-key bar: how many buttons, where they stand, what they say.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "shell/KeyMap.h"

namespace ovx {

// Ten buttons (F1-F10) when the keyboard's function-key count is a multiple of 5, else twelve.
int FunctionBarButtonCount(int functionKeyCount);

// The key index of button i (F1 is key index 47).
constexpr int FunctionBarKeyIndex(int button) { return kiF1 + button; }

struct TButtonSpan {
  int left = 0;
  int width = 0;
  friend bool operator==(const TButtonSpan&, const TButtonSpan&) = default;
};
// Buttons left to right across a panel `panelWidth` wide, filling it exactly: ten buttons
// with a gap after the fifth, twelve with gaps after the fourth and the eighth.
std::vector<TButtonSpan> FunctionBarLayout(int buttonCount, int panelWidth);

// The captions the bar shows: state 8 means "never shown yet".
constexpr int FunctionKeyStateUnset = 8;

// RefreshFunctionBar: true (and the state taken) when the buttons must be relabelled.
bool TakeFunctionKeyState(int& functionKeyState, int currentShiftState, bool force);

// The shift state a click on a button runs with: the keys held at that moment.
int ShiftStateOfHeldKeys(bool shift, bool ctrl, bool alt);

}  // namespace ovx
