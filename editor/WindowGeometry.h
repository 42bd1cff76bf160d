// Window arithmetic of an editor window: the size optimisation, the placement of the
// tool windows that follow it and the window's place as a profile keeps it.
#pragma once

#include <optional>
#include <vector>

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

// The rectangle moved, keeping its size, so that it lies inside the work area: pulled back
// over the bottom and right edges first, then over the top and left ones, so that a rectangle
// larger than the area keeps its top-left corner inside it.
TScreenRect KeepInWorkArea(const TScreenRect& rect, const TScreenRect& workArea);

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

// A window's place as a profile stores it: its left and top edges and its client size.
struct TClientPlacement {
  int left = 0, top = 0, clientWidth = 0, clientHeight = 0;
  friend bool operator==(const TClientPlacement&, const TClientPlacement&) = default;
};

// The place of a window's normal (restored) rectangle, the one it returns to from minimised or
// maximised. The system gives that rectangle in workspace co-ordinates, which begin at the
// work area's corner: `workAreaOffset` is that corner's offset from its monitor's corner.
// `frame` is what the window adds to its client area in the normal state.
TClientPlacement NormalClientPlacement(const TScreenRect& normal, TPixelSize workAreaOffset, TPixelSize frame);

// The window after its view's rows changed width (a new font size) while no size mode keeps it
// fitted, as a window whose size came from a profile: a view narrower than its rows is widened
// to them, keeping the window's height, and pulled back inside the work area, so that the last
// column can be seen; a view as wide as its rows or wider stays as it is.
TScreenRect WidenedToRows(const TScreenRect& window, int viewWidth, int rowWidth, const TScreenRect& workArea);

// Where a window restored from a profile stands: a rectangle that meets none of the work areas
// (the monitor it was on is gone, or the profile is damaged) is moved inside the work area
// nearest to it; any other rectangle, and any rectangle when there is no work area, stays.
TScreenRect BringIntoWorkArea(const TScreenRect& window, const std::vector<TScreenRect>& workAreas);

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


// Where a tool window goes when it would hide the caret (`caret`: the caret's cell on the
// screen), or nothing when it leaves the caret in sight. It keeps its size and column and moves
// to just above or just below the caret, whichever is the shorter way and keeps it inside the
// work area; where neither side has the room, to just left or right of the caret, keeping its
// row; where no side has it, it stays.
std::optional<TScreenRect> ToolWindowClearOfCaret(const TScreenRect& tool, const TScreenRect& caret,
                                                  const TScreenRect& workArea);

}  // namespace ovx
