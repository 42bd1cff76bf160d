// The ten modeless tool windows of an editor window: at most one of each kind, each with its
// offset from the editor window's corner; they follow the window or keep their place, and hide
// while the window is inactive.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>

#include "editor/ToolWindows.h"
#include "editor/WindowGeometry.h"

namespace ovx {

class TEditorToolWindows {
 public:
  // Makes the window of a kind, owned by the editor window; null while that kind has none.
  // The window needs no code of its own to report back: this set watches every window it
  // creates for its moves and its end.
  using TCreator = std::function<HWND(TToolWindowKind)>;

  explicit TEditorToolWindows(HWND owner) : owner_(owner) {}
  // The tool windows die with the set.
  ~TEditorToolWindows() { CloseAll(); }
  TEditorToolWindows(const TEditorToolWindows&) = delete;
  TEditorToolWindows& operator=(const TEditorToolWindows&) = delete;
  void SetCreator(TCreator creator) { creator_ = std::move(creator); }

  HWND Window(TToolWindowKind kind) const { return windows_[kind]; }
  // The command of a tool window: closes an open one as its close box does, else creates and
  // places it unless a view-only window refuses it.
  void Toggle(TToolWindowKind kind, bool viewOnly);
  // A tool window closed (by the user or by itself); its reference is cleared.
  void Closed(HWND window);
  void CloseAll();
  void Close(TToolWindowKind kind);
  // The editor window moved: follow (placed again at the offsets) or keep the screen places.
  // A minimised editor window is not followed.
  void OwnerMoved(bool follow);
  // A tool window was moved by the user: its offset is taken again.
  void ToolMoved(HWND window);
  void Hide();
  void Show();
  // After a search, replace or jump from a tool window: the window moves out of the way if it
  // covers the caret.
  void KeepClearOfCaret(HWND window);
  // After a search repeated from the view's keys or the menu: every such window, as above.
  void KeepClearOfCaret();

 private:
  void Place(TToolWindowKind kind);
  RECT OwnerRect() const;
  // Sees the messages of every tool window before the window itself does.
  static LRESULT CALLBACK WatchTool(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);

  HWND owner_;
  TCreator creator_;
  // Set while this set moves or first shows a tool window: not a move of the user's.
  bool placing_ = false;
  std::array<HWND, ToolWindowKindCount> windows_{};
  std::array<TToolOffset, ToolWindowKindCount> offsets_{};
};

// The desktop work area as the window arithmetic takes it.
TScreenRect WorkArea();

}  // namespace ovx
