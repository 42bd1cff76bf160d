// A row repaint draws only the rows whose picture changed. The back buffer still shows the rows
// drawn last; after a scroll of fewer rows than are visible, their picture is moved first and
// only the rows that came into view, and those that changed (the caret's old and new row), are
// drawn again.
#pragma once

#include <vector>

#include "view/ViewPaintModel.h"

namespace ovx {

struct TRowRepaint {
  int shiftRows = 0;       // move the drawn rows' picture up by this many rows (down when negative)
  std::vector<bool> draw;  // for each row of the new picture
};

TRowRepaint PlanRowRepaint(const std::vector<TPaintRow>& drawn, const std::vector<TPaintRow>& now);

}  // namespace ovx
