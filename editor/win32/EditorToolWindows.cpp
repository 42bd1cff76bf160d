#include "editor/win32/EditorToolWindows.h"

namespace ovx {

TScreenRect WorkArea() {
  RECT r = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return {r.left, r.top, r.right, r.bottom};
}

RECT TEditorToolWindows::OwnerRect() const {
  RECT r = {};
  GetWindowRect(owner_, &r);
  return r;
}

void TEditorToolWindows::Place(TToolWindowKind kind) {
  HWND w = windows_[kind];
  RECT owner = OwnerRect(), tool = {};
  GetWindowRect(w, &tool);
  TScreenRect at = PlaceToolWindow(owner.left, owner.top, offsets_[kind],
                                   {tool.right - tool.left, tool.bottom - tool.top}, WorkArea());
  SetWindowPos(w, nullptr, at.left, at.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TEditorToolWindows::Toggle(TToolWindowKind kind, bool viewOnly) {
  switch (ToolWindowToggle(kind, windows_[kind] != nullptr, viewOnly)) {
    case twaClose:
      Close(kind);
      break;
    case twaCreate:
      if (!creator_) break;
      windows_[kind] = creator_(kind);
      if (!windows_[kind]) break;
      offsets_[kind] = TToolOffset{};
      Place(kind);
      ShowWindow(windows_[kind], SW_SHOW);
      break;
    case twaNothing:
      break;
  }
}

void TEditorToolWindows::Closed(HWND window) {
  for (HWND& w : windows_)
    if (w == window) w = nullptr;
}

void TEditorToolWindows::Close(TToolWindowKind kind) {
  HWND w = windows_[kind];
  windows_[kind] = nullptr;
  if (w) DestroyWindow(w);
}

void TEditorToolWindows::CloseAll() {
  for (int k = 0; k < ToolWindowKindCount; ++k) Close(static_cast<TToolWindowKind>(k));
}

void TEditorToolWindows::OwnerMoved(bool follow) {
  RECT owner = OwnerRect();
  for (int k = 0; k < ToolWindowKindCount; ++k) {
    HWND w = windows_[k];
    if (!w) continue;
    RECT tool = {};
    GetWindowRect(w, &tool);
    TToolWindowPosition p = ToolWindowAfterOwnerMoved(follow, owner.left, owner.top,
                                                      {tool.left, tool.top, tool.right, tool.bottom}, offsets_[k],
                                                      WorkArea());
    offsets_[k] = p.offset;
    if (follow) SetWindowPos(w, nullptr, p.rect.left, p.rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TEditorToolWindows::ToolMoved(HWND window) {
  RECT owner = OwnerRect(), tool = {};
  for (int k = 0; k < ToolWindowKindCount; ++k) {
    if (windows_[k] != window || !IsWindowVisible(window)) continue;
    GetWindowRect(window, &tool);
    offsets_[k] = ToolWindowOffset(owner.left, owner.top, tool.left, tool.top);
  }
}

void TEditorToolWindows::Hide() {
  for (HWND w : windows_)
    if (w) ShowWindow(w, SW_HIDE);
}

void TEditorToolWindows::Show() {
  for (HWND w : windows_)
    if (w) ShowWindow(w, SW_SHOWNOACTIVATE);
}

}  // namespace ovx
