// Window arithmetic of an editor window: the size optimisation and the placement of the
// tool windows that follow it.
#pragma once

namespace ovx {

struct TScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const TScreenRect&, const TScreenRect&) = default;
};

struct TPixelSize {
  int width = 0, height = 0;
  friend bool operator==(const TPixelSize&, const TPixelSize&) = default;
};

// SizeMode: 0 none, 1 fit, 2 full height.
enum TSizeMode : unsigned char { smNone = 0, smFit = 1, smFullHeight = 2 };

// The window rectangle after OptimizeWindowSize: `window` is the restored (normal) window
// rectangle, `editor` the editor's current size, `optimal` its optimal client size. Mode 1
// keeps left and top; mode 2 keeps left and spans the work area from top to bottom.
TScreenRect OptimizedWindowRect(TSizeMode mode, const TScreenRect& window, TPixelSize editor, TPixelSize optimal, const TScreenRect& workArea);

// A tool window's offset from its editor window's top-left corner.
struct TToolOffset {
  int x = 32, y = 32;
  friend bool operator==(const TToolOffset&, const TToolOffset&) = default;
};

// Where a tool window of the given size stands: the owner's corner plus the offset, pulled
// back inside the work area (bottom and right first, then top and left).
TScreenRect PlaceToolWindow(int ownerLeft, int ownerTop, TToolOffset offset, TPixelSize size, const TScreenRect& workArea);

// The offset re-taken from where the tool window stands now.
TToolOffset ToolWindowOffset(int ownerLeft, int ownerTop, int toolLeft, int toolTop);

}  // namespace ovx

namespace ovx {

// A tool window after its editor window moved: with DialogFollow it is placed again at its
// offset; without, it keeps its screen position and its offset is re-taken.
struct TToolWindowPosition {
  TScreenRect rect;
  TToolOffset offset;
  friend bool operator==(const TToolWindowPosition&, const TToolWindowPosition&) = default;
};
TToolWindowPosition ToolWindowAfterOwnerMoved(bool follow, int ownerLeft, int ownerTop, const TScreenRect& tool,
                                              TToolOffset offset, const TScreenRect& workArea);

}  // namespace ovx
