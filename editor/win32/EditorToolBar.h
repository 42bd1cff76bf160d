// The tool bar of an editor window: flat 23-pixel buttons after an indent of 8 (for 16-pixel pictures,
// larger with larger ones), no wrapping, pictures from ToolBarImages, the hints as tool tips and
// PU_History under the open button's arrow.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>

#include "editor/MenuEnabling.h"

namespace ovx {

class TEditorToolBar {
 public:
  static constexpr int kButtonSize = 23;
  static constexpr int kIndent = 8;

  // A button's WM_COMMAND id is the id of the menu item whose handler it runs.
  bool Create(HWND parent, HIMAGELIST images, HFONT font);
  HWND Handle() const { return hwnd_; }
  int Height() const;
  void SetEnabled(const std::array<bool, ToolButtonCount>& enabled);
  bool Enabled(TToolButton button) const;
  // WM_NOTIFY from the tool bar: the tool tip texts and the drop-down arrow. True when handled.
  bool HandleNotify(const NMHDR* header, HMENU historyMenu, HWND commandTarget);

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace ovx
