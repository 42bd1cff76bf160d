#include "editor/EditorWindowState.h"

namespace ovx {

void TSizeModeTracker::Optimize(TSizeMode mode, const std::function<void()>& resize) {
  if (resize) resize();
  mode_ = mode;
}

void TSizeModeTracker::OnResize() { mode_ = smNone; }

bool IsViewItem(TMenuItem item) {
  switch (item) {
    case miMM_ViewToolBar: case miMM_ViewFunctionBar: case miMM_ViewStatusBar: case miMM_ViewInformationPanel:
    case miMM_ViewCaretMarker: case miMM_ViewCompareArrow: case miMM_ViewCompareColor:
      return true;
    default:
      return false;
  }
}

}  // namespace ovx
