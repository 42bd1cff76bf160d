// The comparison commands of an editor window: which second document the view compares
// with, the comparison mode the window keeps, and what the user is told.
#include "charset/StrUty.h"
#include "editor/win32/EditorCompare.h"
#include "editor/win32/EditorWindow.h"
#include "editor/win32/FileDialogs.h"
#include "editor/FileStamp.h"
#include "model/DocumentFile.h"
#include "shell/SettingsLists.h"
#include "view/win32/BEditor.h"

namespace ovx {

void TOvnxBinaryFormWClass::RunCompareItem(TMenuItem item) {
  TBinaryViewCore& view = editor_->Core();
  switch (item) {
    case miMM_CompareFile: CompareFileCommand(); break;
    case miMM_CompareWindow: CompareWindowCommand(); break;
    case miMM_ComparePresent:
      if (state_.fileName.empty()) break;
      CompareQuit();
      StartFileCompare(3, state_.fileName);
      break;
    case miMM_CompareQuit: CompareQuit(); break;
    case miMM_CompareNext: view.CompareNext(); break;
    case miMM_ComparePrev: view.ComparePrev(); break;
    default: break;
  }
}

void TOvnxBinaryFormWClass::CompareQuit() {
  state_.compareMode = 0;
  state_.compareFileName.clear();
  editor_->Core().EndCompare();
  UpdateStatusBar();
}

bool TOvnxBinaryFormWClass::ComparesWith(const TMemoryModule& document) const {
  return state_.compareMode == 2 && editor_->Core().ComparePartner() == &document;
}

void TOvnxBinaryFormWClass::StartWindowCompare(TOvnxBinaryFormWClass& other) {
  CompareQuit();
  state_.compareMode = 2;
  editor_->Core().CompareWithModule(other.Document());
  UpdateStatusBar();
}

void TOvnxBinaryFormWClass::StartFileCompare(std::uint8_t mode, const std::string& name) {
  state_.compareMode = mode;
  state_.compareFileName = mode == 1 ? name : std::string();
  int error = 0;
  editor_->Core().CompareWithFile(name, error);
  if (error != 0) {
    // Nothing to compare with: the user learns why from the system, and no mode stays behind.
    state_.compareMode = 0;
    state_.compareFileName.clear();
    prompt_.MessageDlgBeep(LoadFailureText(name, error), mtError, mbAbort);
  }
  UpdateStatusBar();
}

void TOvnxBinaryFormWClass::CompareFileCommand() {
  std::string chosen;
  if (!RunWindowFileDialog(fdOpen, "比較ファイルを開く", chosen)) return;
  const std::string name = host_.LongPathName(chosen);
  if (!IsFileOnDisk(name)) {
    prompt_.MessageDlgBeep(name + " が見付かりません.\r\n比較ファイルには新規ファイルを指定することは出来ません.",
                           mtError, mbAbort);
    return;
  }
  if (host_.FindEditorWindow(name) == this) {
    // Its own live document would never differ from itself: compare with the file as it is on disk.
    CompareQuit();
    StartFileCompare(3, state_.fileName);
    return;
  }
  if (host_.FindEditorWindow(name)) {
    const TModalResult answer = prompt_.MessageDlgBeep(
        name + " は既に開かれています.\r\n指定のファイルが開かれているウィンドウとの比較を行います.", mtConfirmation,
        mbOK | mbCancel);
    if (answer == mrCancel) return;
    // The holder may have closed while the box was up: then the file is compared as no window
    // held it.
    if (TOvnxBinaryFormWClass* holder = host_.FindEditorWindow(name)) {
      StartWindowCompare(*holder);
      return;
    }
  }
  CompareQuit();
  StartFileCompare(1, name);
}

void TOvnxBinaryFormWClass::CompareWindowCommand() {
  if (host_.EditorWindows().size() < 2) return;
  TOvnxBinaryFormWClass* picked = host_.SelectEditorWindow(L"ウィンドウ一覧", this);
  if (!picked) return;
  if (picked == this) {
    prompt_.MessageDlgBeep("同一のウィンドウと比較することは出来ません.", mtError, mbAbort);
    return;
  }
  StartWindowCompare(*picked);
}

void EndComparisonsWith(const std::vector<TOvnxBinaryFormWClass*>& windows, TOvnxBinaryFormWClass& going) {
  going.CompareQuit();
  for (TOvnxBinaryFormWClass* w : windows)
    if (w != &going && w->ComparesWith(going.Document())) w->CompareQuit();
}

bool DocumentHeldByWait(const std::vector<TOvnxBinaryFormWClass*>& windows, TOvnxBinaryFormWClass& window) {
  const TMemoryModule& document = window.Document();
  for (TOvnxBinaryFormWClass* w : windows)
    if (w != &window && w->Waiting() && w->ComparesWith(document)) return true;
  return false;
}

void RunKeptCloses(const std::vector<TOvnxBinaryFormWClass*>& windows) {
  for (TOvnxBinaryFormWClass* w : windows) w->RunKeptClose();
}

void SwitchFileComparisons(const std::vector<TOvnxBinaryFormWClass*>& windows, TOvnxBinaryFormWClass& holder,
                           const std::string& name) {
  // A window that waits keeps its partner until the wait is over, then looks again.
  for (TOvnxBinaryFormWClass* w : windows)
    if (w != &holder && !w->Waiting() && w->State().compareMode == 1 &&
        SameFileName(w->State().compareFileName, name))
      w->StartWindowCompare(holder);
}

}  // namespace ovx
