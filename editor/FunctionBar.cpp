#include "editor/FunctionBar.h"

#include <algorithm>

namespace ovx {

int FunctionBarButtonCount(int functionKeyCount) { return FunctionKeyLabelCount(functionKeyCount); }

std::vector<TButtonSpan> FunctionBarLayout(int buttonCount, int panelWidth) {
  const int w0 = std::max(panelWidth, 0);
  std::vector<TButtonSpan> spans;
  int width, gapAfterFirstGroup, gapAfterSecondGroup, group;
  if (buttonCount == 10) {
    width = (w0 - 4) / 10;
    int rest = w0 - 4 - 10 * width;
    group = 5;
    gapAfterFirstGroup = 4 + rest;
    gapAfterSecondGroup = 0;
  } else {
    width = (w0 - 8) / 12;
    int rest = w0 - 8 - 12 * width;
    group = 4;
    gapAfterFirstGroup = 4 + rest / 2;
    gapAfterSecondGroup = 4 + rest / 2 + rest % 2;
  }
  // A panel narrower than the gaps leaves the buttons no width rather than a negative one.
  width = std::max(width, 0);
  int x = 0;
  for (int i = 0; i < buttonCount; ++i) {
    spans.push_back({x, width});
    x += width;
    if (i == group - 1) x += std::max(gapAfterFirstGroup, 0);
    if (i == 2 * group - 1 && buttonCount == 12) x += std::max(gapAfterSecondGroup, 0);
  }
  return spans;
}

bool TakeFunctionKeyState(int& functionKeyState, int currentShiftState, bool force) {
  if (currentShiftState == functionKeyState && !force) return false;
  functionKeyState = currentShiftState;
  return true;
}

int ShiftStateOfHeldKeys(bool shift, bool ctrl, bool alt) {
  return (shift ? ssShift : 0) | (ctrl ? ssCtrl : 0) | (alt ? ssAlt : 0);
}

}  // namespace ovx
