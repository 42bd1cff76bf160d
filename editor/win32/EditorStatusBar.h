// The status bar of an editor window: a common status bar with the panels of StatusBarTexts.h,
// the icon panel drawn by the window, the progress text in the last panel.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>

#include "editor/StatusBarTexts.h"

namespace ovx {

class TEditorStatusBar {
 public:
  static constexpr int kHeight = 18;

  // Created with the design texts in its panels; panel widths scaled from 96 DPI to dpi.
  bool Create(HWND parent, HFONT font, int dpi = 96);
  void SetDpi(int dpi);
  HWND Handle() const { return hwnd_; }
  void SetTexts(const std::array<std::string, StatusPanelCount - 1>& texts);
  // Panel 7, repainted at once so that it shows while the work runs.
  void SetProgress(const std::string& text);
  std::wstring PanelText(int panel) const;
  // WM_DRAWITEM of the icon panel.
  void DrawIconPanel(const DRAWITEMSTRUCT& item, HIMAGELIST images, int image) const;

 private:
  void SetPanel(int panel, const std::string& text);
  HWND hwnd_ = nullptr;
};

}  // namespace ovx
