#include "editor/win32/EditorToolWindows.h"

#include "editor/win32/EditorWindow.h"
#include "view/win32/BEditor.h"
#include "view/win32/BinaryView.h"

namespace ovx {

namespace {

// The tools whose run moves the caret to what they found or jumped to.
bool MovesTheCaret(TToolWindowKind kind) {
  return kind == twSearch || kind == twReplace || kind == twAddressJump || kind == twRelativeJump;
}

// The caret's cell on the screen (two digits wide), or nothing while the view does not show it.
std::optional<TScreenRect> CaretCell(HWND owner) {
  TOvnxBinaryFormWClass* window = TOvnxBinaryFormWClass::FromHandle(owner);
  if (!window) return std::nullopt;
  TBEditor& editor = window->Editor();
  const HWND view = editor.ViewHandle();
  if (!view || !IsWindowVisible(view)) return std::nullopt;
  RECT shown = {};
  GetClientRect(view, &shown);
  MapWindowPoints(view, nullptr, reinterpret_cast<POINT*>(&shown), 2);
  const POINT at = editor.View().CaretScreenPoint();
  if (!PtInRect(&shown, at)) return std::nullopt;
  const int width = 2 * editor.View().Painter().CharWidth(), height = editor.View().Painter().CharHeight();
  return TScreenRect{at.x, at.y, at.x + width, at.y + height};
}

}  // namespace

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
      // Closed as the user closes it, so a window with unapplied changes may ask first.
      SendMessageW(windows_[kind], WM_CLOSE, 0, 0);
      break;
    case twaCreate: {
      HWND w = creator_ ? creator_(kind) : nullptr;
      if (!w) break;
      windows_[kind] = w;
      offsets_[kind] = TToolOffset{};
      SetWindowSubclass(w, WatchTool, 0, reinterpret_cast<DWORD_PTR>(this));
      placing_ = true;  // the first show reports a move as well
      Place(kind);
      ShowWindow(w, SW_SHOW);
      placing_ = false;
      break;
    }
    case twaNothing:
      break;
  }
}

LRESULT CALLBACK TEditorToolWindows::WatchTool(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TEditorToolWindows*>(data);
  if (msg == WM_MOVE && !self->placing_) self->ToolMoved(hwnd);
  if (msg == WM_COMMAND && LOWORD(wp) == IDOK) {
    const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
    // The run may have closed the tool, and the set with it.
    if (IsWindow(hwnd)) self->KeepClearOfCaret(hwnd);
    return result;
  }
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, WatchTool, 0);
    self->Closed(hwnd);
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
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
  // Minimised, the window stands at its icon's place, which says nothing about where it is.
  if (IsIconic(owner_)) return;
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
    if (!follow) continue;
    placing_ = true;
    SetWindowPos(w, nullptr, p.rect.left, p.rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    placing_ = false;
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

void TEditorToolWindows::KeepClearOfCaret(HWND window) {
  for (int k = 0; k < ToolWindowKindCount; ++k) {
    if (windows_[k] != window || !MovesTheCaret(static_cast<TToolWindowKind>(k)) || !IsWindowVisible(window)) continue;
    const std::optional<TScreenRect> caret = CaretCell(owner_);
    if (!caret) return;
    RECT tool = {};
    GetWindowRect(window, &tool);
    if (std::optional<TScreenRect> to =
            ToolWindowClearOfCaret({tool.left, tool.top, tool.right, tool.bottom}, *caret, WorkArea()))
      // A move of its own as the user's would be: the offset is taken again.
      SetWindowPos(window, nullptr, to->left, to->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TEditorToolWindows::KeepClearOfCaret() {
  for (HWND w : windows_)
    if (w) KeepClearOfCaret(w);
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
