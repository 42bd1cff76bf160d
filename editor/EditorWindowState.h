// The state an editor window keeps for itself, with the values it starts with, and the
// bookkeeping of its window size mode.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "editor/FunctionBar.h"
#include "editor/WindowGeometry.h"
#include "editor/WindowSettings.h"

namespace ovx {

struct TEditorWindowState {
  bool creating = true;                // suppresses the menu refresh of SetFileName
  std::string fileName;                // empty for a new document
  std::int32_t fileAge = -1;           // stamp at the last load or reload
  std::uint8_t compareMode = 0;        // 0 none, 1 named file, 2 other window, 3 state on disk
  std::string compareFileName;
  std::uint8_t statusInfoMode = 0;     // 0 memory efficiency, 1 undo buffer usage
  int functionKeyState = FunctionKeyStateUnset;
  TWindowSettingsState settings;       // what ApplySettings sets
};

// SizeMode: set by OptimizeWindowSize after its own resize, cleared by any later resize.
class TSizeModeTracker {
 public:
  TSizeMode Mode() const { return mode_; }
  // Runs `resize` (which may report resizes through OnResize) and then takes the mode.
  void Optimize(TSizeMode mode, const std::function<void()>& resize);
  // FormResize: a resize the window did not make itself ends the optimisation.
  void OnResize();
  // Toggling a view item fits the window again only in mode 1.
  bool RefitsOnViewItemToggle() const { return mode_ == smFit; }

 private:
  TSizeMode mode_ = smNone;
};

// The view items of the View menu (tool bar, function bar, status bar, information panel,
// caret marker, comparison marks, comparison colours); false for other items.
bool IsViewItem(TMenuItem item);

}  // namespace ovx
