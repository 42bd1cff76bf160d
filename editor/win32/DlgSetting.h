// TDlgSetting: the batch setting panel of one editor window, a modal dialog of radio button rows.
#pragma once

#include <windows.h>

#include "editor/LumpSetting.h"

namespace ovx {

class TDlgSetting {
 public:
  static constexpr int kClientWidth = 528;
  static constexpr int kClientHeight = 328;
  // The button of row r, option i.
  static constexpr int ButtonId(int row, int option) { return 0x4000 + row * 8 + option; }

  // Shows the panel owned by `owner` with its top-left corner at `topLeft` (screen), filled from
  // `settings`; on 決定 the checked buttons are written back and the answer is true.
  static bool Run(HWND owner, POINT topLeft, int dpi, TLumpSettings& settings);
};

}  // namespace ovx
