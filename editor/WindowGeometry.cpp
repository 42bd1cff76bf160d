#include "editor/WindowGeometry.h"

#include <algorithm>

namespace ovx {

TScreenRect OptimizedWindowRect(TSizeMode mode, const TScreenRect& window, TPixelSize editor, TPixelSize optimal, const TScreenRect& workArea) {
  if (mode == smNone) return window;
  int width = optimal.width + window.Width() - editor.width;
  int height = optimal.height + window.Height() - editor.height;
  if (mode == smFullHeight) return {window.left, workArea.top, window.left + width, workArea.bottom};
  return {window.left, window.top, window.left + width, window.top + height};
}

TScreenRect PlaceToolWindow(int ownerLeft, int ownerTop, TToolOffset offset, TPixelSize size, const TScreenRect& workArea) {
  int left = ownerLeft + offset.x;
  int top = ownerTop + offset.y;
  if (top + size.height > workArea.bottom) top = workArea.bottom - size.height;
  if (left + size.width > workArea.right) left = workArea.right - size.width;
  top = std::max(top, workArea.top);
  left = std::max(left, workArea.left);
  return {left, top, left + size.width, top + size.height};
}

TToolOffset ToolWindowOffset(int ownerLeft, int ownerTop, int toolLeft, int toolTop) {
  return {toolLeft - ownerLeft, toolTop - ownerTop};
}

}  // namespace ovx

namespace ovx {

TToolWindowPosition ToolWindowAfterOwnerMoved(bool follow, int ownerLeft, int ownerTop, const TScreenRect& tool,
                                              TToolOffset offset, const TScreenRect& workArea) {
  if (follow)
    return {PlaceToolWindow(ownerLeft, ownerTop, offset, {tool.Width(), tool.Height()}, workArea), offset};
  return {tool, ToolWindowOffset(ownerLeft, ownerTop, tool.left, tool.top)};
}

}  // namespace ovx
