// 動作モード一括設定: the window's modes and switches on one panel, applied to this window only.
#include "editor/win32/DlgSetting.h"
#include "editor/win32/EditorWindow.h"
#include "view/win32/BEditor.h"

namespace ovx {

void TOvnxBinaryFormWClass::LumpSettingCommand() {
  TBinaryViewCore& view = editor_->Core();
  TLumpSettings s;
  s.viewOnly = view.InputMode() == imViewOnly;
  s.insert = view.InputMode() == imInsert;
  s.checkSum = view.CheckSumMode();
  s.byteOrder = state_.settings.infoByteOrder;
  s.charaSet = view.CharaSet();
  s.expandTenKey = view.ExpandTenKey();
  s.toolBar = PartVisible(toolBar_.Handle());
  s.functionBar = PartVisible(panelFunction_);
  s.statusBar = PartVisible(statusBar_.Handle());
  s.informationPanel = PartVisible(panelInformation_);
  s.compareMarks = compareMarks_;
  s.compareColors = compareColors_;
  s.caretMarker = view.CaretMarker();
  s.undoPacked = view.UndoPacked();
  s.undoFlush = view.UndoFlushWithSaved();
  s.undoWarning = view.History().OverflowSound();
  RECT editor = {};
  GetWindowRect(editor_->Handle(), &editor);
  {
    TWaitScope wait(this);
    if (!TDlgSetting::Run(hwnd_, {editor.left + Scaled(4), editor.top + Scaled(4)}, dpi_, s)) return;
  }
  if (!s.viewOnly) view.SetInputMode(s.insert ? imInsert : imOverwrite);
  editor_->SetCheckSumMode(s.checkSum);
  SetInfoByteOrder(s.byteOrder);
  editor_->SetCharaSet(static_cast<TCharaSet>(s.charaSet));
  view.SetExpandTenKey(s.expandTenKey);
  SetPartVisible(toolBar_.Handle(), s.toolBar);
  SetPartVisible(panelFunction_, s.functionBar);
  SetPartVisible(statusBar_.Handle(), s.statusBar);
  SetPartVisible(panelInformation_, s.informationPanel);
  compareMarks_ = s.compareMarks;
  compareColors_ = s.compareColors;
  editor_->SetCompareMarks(compareMarks_);
  editor_->SetCompareColors(compareColors_);
  editor_->SetCaretMarker(s.caretMarker);
  view.SetUndoPacked(s.undoPacked);
  view.SetUndoFlushWithSaved(s.undoFlush);
  view.History().SetOverflowSound(s.undoWarning);
  if (sizeMode_.Mode() == smFit) OptimizeWindowSize(smFit);
}

}  // namespace ovx
