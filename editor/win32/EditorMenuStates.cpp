// What the menus, the tool bar and the status bar show for the window's state at a moment.
#include "charset/StrUty.h"
#include "editor/FileMenuEntries.h"
#include "editor/FileStamp.h"
#include "editor/win32/DlgSearch.h"
#include "editor/win32/EditorWindow.h"
#include "shell/win32/InputTraceFile.h"
#include "view/ViewClipboard.h"
#include "view/win32/BEditor.h"

namespace ovx {

namespace {

// The clipboard holds the program's own block or text.
bool ClipboardCanPaste() {
  static const UINT privateFormat = RegisterClipboardFormatW(Utf8ToWide(kPrivateClipboardFormatName).c_str());
  return IsClipboardFormatAvailable(privateFormat) || IsClipboardFormatAvailable(CF_TEXT);
}

}  // namespace

TMenuStateInput TOvnxBinaryFormWClass::MenuStateInput() { return StateInput(true); }

// The tool bar runs on every caret move: it needs neither the disk nor the history.
TMenuStateInput TOvnxBinaryFormWClass::StateInput(bool forMenus) {
  const TBinaryViewCore& view = editor_->Core();
  const TMemoryModule& module = view.Module();
  TMenuStateInput in;
  in.modified = module.Modified() != 0;
  in.viewOnly = view.InputMode() == imViewOnly;
  in.size = module.Size();
  in.hasSelection = view.HasSelection();
  in.caretAddress = view.CaretAddress();
  in.caretLowNibble = view.LowNibble() != 0;
  in.canUndo = editor_->Core().History().CanUndo();
  in.canRedo = editor_->Core().History().CanRedo();
  in.canPaste = ClipboardCanPaste();
  in.comparing = view.Comparing();
  in.blocksDifferFromPages = module.BlockCount() != module.PageCount();
  in.hasFileName = !state_.fileName.empty();
  in.fileAge = state_.fileAge;
  in.diskFileAge = state_.fileName.empty() || !forMenus ? -1 : FileAgeOf(state_.fileName);
  in.historyCount = forMenus ? static_cast<int>(host_.History().size()) : 0;
  in.windowCount = static_cast<int>(host_.EditorWindows().size());
  in.compareMode = state_.compareMode;
  in.dialogFollow = state_.settings.dialogFollow;
  in.dialogAutoHide = state_.settings.dialogAutoHide;
  in.toolBarVisible = PartVisible(toolBar_.Handle());
  in.functionBarVisible = PartVisible(panelFunction_);
  in.statusBarVisible = PartVisible(statusBar_.Handle());
  in.informationPanelVisible = PartVisible(panelInformation_);
  in.caretMarker = view.CaretMarker();
  in.compareMarks = compareMarks_;
  in.compareColors = compareColors_;
  in.checkSumMode = view.CheckSumMode();
  in.charaSet = static_cast<std::uint8_t>(view.CharaSet());
  in.infoByteOrder = state_.settings.infoByteOrder;
  in.statusInfoMode = state_.statusInfoMode;
  return in;
}

void TOvnxBinaryFormWClass::ApplyMenuStates(const TMenuStates& states) {
  menus_.ApplyStates(states);
  // The byte order items follow InfoByteOrder, not this rule.
  SetInfoByteOrder(state_.settings.infoByteOrder);
}

void TOvnxBinaryFormWClass::EnableSetting() {
  ApplyMenuStates(ovx::EnableSetting(MenuStateInput()));
  UpdateToolBar();
}

void TOvnxBinaryFormWClass::UpdateToolBar() {
  if (!PartVisible(toolBar_.Handle())) return;
  const TTracedPart part("tool bar");
  toolBar_.SetEnabled(ToolBarEnabled(StateInput(false)));
}

void TOvnxBinaryFormWClass::UpdateStatusBar() {
  const TTracedPart part("status bar");
  UpdateInformationPanel();
  FollowComparing(*this, state_.compareMode != 0);
  if (!PartVisible(statusBar_.Handle())) return;
  const TBinaryViewCore& view = editor_->Core();
  TStatusBarInput in;
  in.modified = view.Module().Modified() != 0;
  in.inputMode = view.InputMode();
  in.checkSumMode = view.CheckSumMode();
  in.expandTenKey = view.ExpandTenKey();
  in.compareMode = state_.compareMode;
  in.statusInfoMode = state_.statusInfoMode;
  in.size = view.Module().Size();
  in.blockCount = view.Module().BlockCount();
  in.historyUsed = editor_->Core().History().HistoryUsed();
  in.historyLimit = editor_->Core().History().HistoryLimit();
  statusBar_.SetTexts(StatusBarTexts(in));
}

void TOvnxBinaryFormWClass::RebuildFileMenus() {
  menus_.SetHistoryEntries(HistoryMenuEntries(host_.History()));
  std::vector<std::string> names;
  int self = -1;
  for (TOvnxBinaryFormWClass* w : host_.EditorWindows()) {
    if (w == this) self = static_cast<int>(names.size());
    names.push_back(w->FileName());
  }
  menus_.SetWindowEntries(WindowMenuEntries(names, self));
  // Windows came or went: the comparison button with another window follows at once.
  UpdateToolBar();
}

}  // namespace ovx
