// The ten modeless tool windows of an editor window: at most one of each kind, each with its
// offset from the editor window's corner; they follow the window or keep their place, and hide
// while the window is inactive.
#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "editor/ToolWindows.h"
#include "editor/WindowGeometry.h"

namespace ovx {

class TEditorToolWindows {
 public:
  // Makes the window of a kind, owned by the editor window; null while that kind has none.
  using TCreator = std::function<HWND(TToolWindowKind)>;

  explicit TEditorToolWindows(HWND owner) : owner_(owner) {}
  void SetCreator(TCreator creator) { creator_ = std::move(creator); }

  HWND Window(TToolWindowKind kind) const { return windows_[kind]; }
  // The command of a tool window: closes an open one, else creates and places it unless a
  // view-only window refuses it.
  void Toggle(TToolWindowKind kind, bool viewOnly);
  // A tool window reports that it closed; its reference is cleared.
  void Closed(HWND window);
  void CloseAll();
  void Close(TToolWindowKind kind);
  // The editor window moved: follow (placed again at the offsets) or keep the screen places.
  void OwnerMoved(bool follow);
  // A tool window was moved by the user: its offset is taken again.
  void ToolMoved(HWND window);
  void Hide();
  void Show();

 private:
  void Place(TToolWindowKind kind);
  RECT OwnerRect() const;

  HWND owner_;
  TCreator creator_;
  std::array<HWND, ToolWindowKindCount> windows_{};
  std::array<TToolOffset, ToolWindowKindCount> offsets_{};
};

// The desktop work area as the window arithmetic takes it.
TScreenRect WorkArea();

}  // namespace ovx
