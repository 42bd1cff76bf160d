// Where the parts of an editor window stand: tool bar at the top, status bar at the bottom,
// the function-key panel above it and Panel_Binary in between, with the information panel at
// the bottom of Panel_Binary and the editor control filling the rest of it.
#include "editor/win32/EditorWindow.h"
#include "view/win32/BEditor.h"

namespace ovx {

bool TOvnxBinaryFormWClass::PartVisible(HWND part) const {
  return part && (GetWindowLongPtrW(part, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TOvnxBinaryFormWClass::SetPartVisible(HWND part, bool visible) {
  if (!part || PartVisible(part) == visible) return;
  ShowWindow(part, visible ? SW_SHOW : SW_HIDE);
  LayoutParts();
  // A part shown again stands where the window's size now puts it, which may not be where it was
  // hidden: it paints itself and its children whole there, keeping nothing of what lay under it.
  if (visible) RedrawWindow(part, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void TOvnxBinaryFormWClass::LayoutParts() {
  if (!panelBinary_ || !statusBar_.Handle()) return;
  RECT client = {};
  GetClientRect(hwnd_, &client);
  const int width = client.right;
  int top = 0, bottom = client.bottom;
  if (PartVisible(toolBar_.Handle())) {
    SendMessageW(toolBar_.Handle(), TB_AUTOSIZE, 0, 0);
    top = toolBar_.Height();
  }
  if (PartVisible(statusBar_.Handle())) {
    bottom -= Scaled(kStatusBarHeight);
    MoveWindow(statusBar_.Handle(), 0, bottom, width, Scaled(kStatusBarHeight), TRUE);
  }
  if (PartVisible(panelFunction_)) {
    bottom -= Scaled(kFunctionPanelHeight);
    MoveWindow(panelFunction_, 0, bottom, width, Scaled(kFunctionPanelHeight), TRUE);
    functionKeys_.Layout(width, Scaled(kFunctionPanelHeight));
  }
  const int binaryHeight = bottom > top ? bottom - top : 0;
  MoveWindow(panelBinary_, 0, top, width, binaryHeight, TRUE);
  int editorHeight = binaryHeight;
  if (PartVisible(panelInformation_)) {
    const int infoHeight = Scaled(kInformationPanelHeight);
    editorHeight = binaryHeight > infoHeight ? binaryHeight - infoHeight : 0;
    MoveWindow(panelInformation_, 0, editorHeight, width, infoHeight, TRUE);
  }
  RECT editor = {0, 0, width, editorHeight};
  editor_->SetBounds(editor);
}

}  // namespace ovx
