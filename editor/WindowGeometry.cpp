#include "editor/WindowGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace ovx {

TScreenRect OptimizedWindowRect(TSizeMode mode, const TScreenRect& window, TPixelSize editor, TPixelSize optimal, const TScreenRect& workArea) {
  if (mode == smNone) return window;
  int width = optimal.width + window.Width() - editor.width;
  int height = optimal.height + window.Height() - editor.height;
  if (mode == smFullHeight) return {window.left, workArea.top, window.left + width, workArea.bottom};
  return {window.left, window.top, window.left + width, window.top + height};
}

TScreenRect KeepInWorkArea(const TScreenRect& rect, const TScreenRect& workArea) {
  int left = rect.left;
  int top = rect.top;
  if (top + rect.Height() > workArea.bottom) top = workArea.bottom - rect.Height();
  if (left + rect.Width() > workArea.right) left = workArea.right - rect.Width();
  top = std::max(top, workArea.top);
  left = std::max(left, workArea.left);
  return {left, top, left + rect.Width(), top + rect.Height()};
}

TScreenRect WidenedToRows(const TScreenRect& window, int viewWidth, int rowWidth, const TScreenRect& workArea) {
  if (viewWidth >= rowWidth) return window;
  TScreenRect wider = window;
  wider.right += rowWidth - viewWidth;
  return KeepInWorkArea(wider, workArea);
}

TScreenRect PlaceToolWindow(int ownerLeft, int ownerTop, TToolOffset offset, TPixelSize size, const TScreenRect& workArea) {
  int left = ownerLeft + offset.x;
  int top = ownerTop + offset.y;
  return KeepInWorkArea({left, top, left + size.width, top + size.height}, workArea);
}

TToolOffset ToolWindowOffset(int ownerLeft, int ownerTop, int toolLeft, int toolTop) {
  return {toolLeft - ownerLeft, toolTop - ownerTop};
}

TClientPlacement NormalClientPlacement(const TScreenRect& normal, TPixelSize workAreaOffset, TPixelSize frame) {
  return {normal.left + workAreaOffset.width, normal.top + workAreaOffset.height, normal.Width() - frame.width,
          normal.Height() - frame.height};
}

namespace {

bool Meets(const TScreenRect& a, const TScreenRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Squared distance between two rectangles that do not meet (0 when they touch).
long long GapSquared(const TScreenRect& a, const TScreenRect& b) {
  long long dx = std::max({0LL, static_cast<long long>(b.left) - a.right, static_cast<long long>(a.left) - b.right});
  long long dy = std::max({0LL, static_cast<long long>(b.top) - a.bottom, static_cast<long long>(a.top) - b.bottom});
  return dx * dx + dy * dy;
}

}  // namespace

TScreenRect BringIntoWorkArea(const TScreenRect& window, const std::vector<TScreenRect>& workAreas) {
  const TScreenRect* nearest = nullptr;
  for (const TScreenRect& area : workAreas) {
    if (Meets(window, area)) return window;
    if (!nearest || GapSquared(window, area) < GapSquared(window, *nearest)) nearest = &area;
  }
  return nearest ? KeepInWorkArea(window, *nearest) : window;
}

}  // namespace ovx

namespace ovx {

TToolWindowPosition ToolWindowAfterOwnerMoved(bool follow, int ownerLeft, int ownerTop, const TScreenRect& tool,
                                              TToolOffset offset, const TScreenRect& workArea) {
  if (follow)
    return {PlaceToolWindow(ownerLeft, ownerTop, offset, {tool.Width(), tool.Height()}, workArea), offset};
  return {tool, ToolWindowOffset(ownerLeft, ownerTop, tool.left, tool.top)};
}

namespace {

// The shorter of two moves along one axis (each the new start, or nothing where it leaves the area).
std::optional<int> ShorterMove(int from, std::optional<int> a, std::optional<int> b) {
  if (a && b) return std::abs(*a - from) <= std::abs(*b - from) ? a : b;
  return a ? a : b;
}

std::optional<int> Within(int start, int length, int low, int high) {
  return start >= low && start + length <= high ? std::optional<int>(start) : std::nullopt;
}

}  // namespace

std::optional<TScreenRect> ToolWindowClearOfCaret(const TScreenRect& tool, const TScreenRect& caret,
                                                  const TScreenRect& workArea) {
  if (!Meets(tool, caret)) return std::nullopt;
  const int w = tool.Width(), h = tool.Height();
  if (std::optional<int> top = ShorterMove(tool.top, Within(caret.top - h, h, workArea.top, workArea.bottom),
                                           Within(caret.bottom, h, workArea.top, workArea.bottom)))
    return TScreenRect{tool.left, *top, tool.right, *top + h};
  if (std::optional<int> left = ShorterMove(tool.left, Within(caret.left - w, w, workArea.left, workArea.right),
                                            Within(caret.right, w, workArea.left, workArea.right)))
    return TScreenRect{*left, tool.top, *left + w, tool.bottom};
  return std::nullopt;
}

}  // namespace ovx
