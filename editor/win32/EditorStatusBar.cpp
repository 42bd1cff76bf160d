#include "editor/win32/EditorStatusBar.h"

#include <vector>

#include "charset/StrUty.h"

namespace ovx {

bool TEditorStatusBar::Create(HWND parent, HFONT font, int dpi) {
  // The window places it itself, 18 pixels high at the bottom.
  hwnd_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_CLIPSIBLINGS | CCS_NORESIZE | CCS_NOPARENTALIGN,
                          0, 0, 0, kHeight, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return false;
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetDpi(dpi);
  for (int i = 0; i < StatusPanelCount; ++i) SetPanel(i, StatusPanels()[i].designText);
  return true;
}

void TEditorStatusBar::SetDpi(int dpi) {
  std::array<int, StatusPanelCount> edges = StatusPanelRightEdges(dpi);
  SendMessageW(hwnd_, SB_SETPARTS, StatusPanelCount, reinterpret_cast<LPARAM>(edges.data()));
}

void TEditorStatusBar::SetPanel(int panel, const std::string& text) {
  if (panel == StatusIconPanel) {
    SendMessageW(hwnd_, SB_SETTEXTW, panel | SBT_OWNERDRAW | SBT_NOBORDERS, 0);
    return;
  }
  std::wstring wide = Utf8ToWide(text);
  SendMessageW(hwnd_, SB_SETTEXTW, panel, reinterpret_cast<LPARAM>(wide.c_str()));
}

void TEditorStatusBar::SetTexts(const std::array<std::string, StatusPanelCount - 1>& texts) {
  for (int i = 0; i < StatusPanelCount - 1; ++i)
    if (i != StatusIconPanel && PanelText(i) != Utf8ToWide(texts[i])) SetPanel(i, texts[i]);
}

void TEditorStatusBar::SetProgress(const std::string& text) {
  SetPanel(StatusProgressPanel, text);
  UpdateWindow(hwnd_);
}

std::wstring TEditorStatusBar::PanelText(int panel) const {
  LRESULT length = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, panel, 0));
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(hwnd_, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(buffer.data()));
  return buffer.data();
}

void TEditorStatusBar::DrawIconPanel(const DRAWITEMSTRUCT& item, HIMAGELIST images, int image) const {
  const RECT& r = item.rcItem;
  int width = 0, height = 0;
  if (!images || !ImageList_GetIconSize(images, &width, &height)) return;
  const int x = r.left + (r.right - r.left - width) / 2;
  const int y = r.top + (r.bottom - r.top - height) / 2;
  ImageList_Draw(images, image, item.hDC, x, y, ILD_TRANSPARENT);
}

}  // namespace ovx
