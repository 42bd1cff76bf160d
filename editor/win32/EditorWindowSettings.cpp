// Settings, view items, the function-key captions, the tool windows' visibility and the size
// optimisation of an editor window.
#include "editor/FunctionBar.h"
#include "editor/WindowGeometry.h"
#include "editor/win32/EditorWindow.h"
#include "shell/win32/InputTraceFile.h"
#include "shell/win32/KeyState.h"
#include "view/win32/BEditor.h"

namespace ovx {

void TOvnxBinaryFormWClass::ApplySettings(const TEnvironmentSettings& settings) {
  // New settings (a key map, an undo budget) would change the view behind a wait: they wait too.
  if (waits_.Waiting()) {
    settingsAfterWait_ = settings;
    return;
  }
  const int rowWidth = editor_->OptimalClientWidth();
  editor_->SetEnvironment(settings);
  const bool newWindow = settings.NewWindow;
  ApplyWindowSettings(state_.settings, settings);
  if (newWindow) SetInfoByteOrder(state_.settings.infoByteOrder);
  SetPartVisible(toolBar_.Handle(), state_.settings.toolBar);
  SetPartVisible(panelInformation_, state_.settings.informationPanel);
  SetPartVisible(panelFunction_, state_.settings.functionBar);
  SetPartVisible(statusBar_.Handle(), state_.settings.statusBar);
  compareMarks_ = state_.settings.compareMarks;
  compareColors_ = state_.settings.compareColors;
  editor_->SetCompareMarks(compareMarks_);
  editor_->SetCompareColors(compareColors_);
  functionKeyCaptions_ = FunctionKeyLabels(settings.KeyMap, FunctionKeyCount());
  RefreshFunctionBar(true);
  menus_.SetShortcuts(settings.KeyMap);
  InvalidateRect(hwnd_, nullptr, TRUE);
  editor_->Repaint();
  UpdateStatusBar();
  if (sizeMode_.Mode() != smNone) {
    OptimizeWindowSize(sizeMode_.Mode());
  } else if (editor_->OptimalClientWidth() != rowWidth) {
    // A window sized by hand or by its profile keeps its size, but never hides the end of its
    // rows because they grew.
    WidenToRows();
  }
}

void TOvnxBinaryFormWClass::WidenToRows() {
  if (IsZoomed(hwnd_) || IsIconic(hwnd_)) return;
  RECT window = {}, view = {};
  GetWindowRect(hwnd_, &window);
  GetWindowRect(editor_->Handle(), &view);
  const TScreenRect now = {window.left, window.top, window.right, window.bottom};
  const TScreenRect next = WidenedToRows(now, view.right - view.left, editor_->OptimalClientWidth(), WorkArea());
  if (next != now)
    SetWindowPos(hwnd_, nullptr, next.left, next.top, next.Width(), next.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TOvnxBinaryFormWClass::ToggleViewItem(TMenuItem item) {
  switch (item) {
    case miMM_ViewToolBar:
      SetPartVisible(toolBar_.Handle(), !PartVisible(toolBar_.Handle()));
      break;
    case miMM_ViewFunctionBar:
      SetPartVisible(panelFunction_, !PartVisible(panelFunction_));
      break;
    case miMM_ViewStatusBar:
      SetPartVisible(statusBar_.Handle(), !PartVisible(statusBar_.Handle()));
      break;
    case miMM_ViewInformationPanel:
      SetPartVisible(panelInformation_, !PartVisible(panelInformation_));
      break;
    case miMM_ViewCaretMarker:
      editor_->SetCaretMarker(!editor_->Core().CaretMarker());
      break;
    case miMM_ViewCompareArrow:
      compareMarks_ = !compareMarks_;
      editor_->SetCompareMarks(compareMarks_);
      break;
    case miMM_ViewCompareColor:
      compareColors_ = !compareColors_;
      editor_->SetCompareColors(compareColors_);
      break;
    default:
      return;
  }
  UpdateStatusBar();
  if (sizeMode_.RefitsOnViewItemToggle()) OptimizeWindowSize(smFit);
}

void TOvnxBinaryFormWClass::RefreshFunctionBar(bool force) {
  const TTracedPart part("function bar");
  if (!TakeFunctionKeyState(state_.functionKeyState, GetShiftStateCode(), force)) return;
  functionKeys_.ShowCaptions(functionKeyCaptions_, state_.functionKeyState);
}

void TOvnxBinaryFormWClass::RefreshFunctionBars(const std::vector<TOvnxBinaryFormWClass*>& windows) {
  const TTracedPart part("function bar");
  const int held = GetShiftStateCode();
  for (TOvnxBinaryFormWClass* w : windows)
    if (TakeFunctionKeyState(w->state_.functionKeyState, held, false))
      w->functionKeys_.ShowCaptions(w->functionKeyCaptions_, held);
}

void TOvnxBinaryFormWClass::HideToolWindows() {
  if (state_.settings.dialogAutoHide && toolWindows_) toolWindows_->Hide();
}

void TOvnxBinaryFormWClass::ShowToolWindows() {
  if (toolWindows_ && !IsIconic(hwnd_)) toolWindows_->Show();
}

void TOvnxBinaryFormWClass::OptimizeWindowSize(TSizeMode mode) {
  sizeMode_.Optimize(mode, [&] {
    optimizing_ = true;
    if (IsZoomed(hwnd_) || IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    // A narrower window may wrap the menu bar onto another line and take room from the
    // editor: measure again until the editor has its size (a few passes at most).
    for (int pass = 0; pass < 3; ++pass) {
      RECT window = {}, editor = {};
      GetWindowRect(hwnd_, &window);
      GetWindowRect(editor_->Handle(), &editor);
      const TPixelSize now = {editor.right - editor.left, editor.bottom - editor.top};
      const TPixelSize optimal = {editor_->OptimalClientWidth(), editor_->OptimalClientHeight()};
      TScreenRect next = OptimizedWindowRect(mode, {window.left, window.top, window.right, window.bottom}, now,
                                             optimal, WorkArea());
      if (pass > 0 && next == TScreenRect{window.left, window.top, window.right, window.bottom}) break;
      SetWindowPos(hwnd_, nullptr, next.left, next.top, next.Width(), next.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    optimizing_ = false;
  });
}

}  // namespace ovx
