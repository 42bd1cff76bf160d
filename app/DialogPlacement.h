// Where the shell's dialogs stand when they open.
#pragma once

#include <optional>

#include "editor/WindowGeometry.h"

namespace ovx {

// A dialog of the given size over a reference window: centred over it, then held inside the work
// area (bottom and right first, then top and left). Without a reference window: centred in the
// work area.
TScreenRect PlaceDialog(TPixelSize dialog, const std::optional<TScreenRect>& reference, const TScreenRect& workArea);

}  // namespace ovx
