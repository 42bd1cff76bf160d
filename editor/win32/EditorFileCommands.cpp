// The file commands of an editor window: the core decides, the window loads, saves and asks.
#include <windows.h>

#include <shellapi.h>

#include <vector>

#include "charset/StrUty.h"
#include "editor/FileStamp.h"
#include "editor/WindowLoops.h"
#include "editor/win32/EditorFileSite.h"
#include "editor/win32/FileDialogs.h"
#include "shell/win32/InputTraceFile.h"
#include "view/win32/BEditor.h"
#include "view/win32/BinaryView.h"

namespace ovx {

// A load is a wait of its window: between slabs the process runs on, a close that reaches the
// window is kept (and ends the load), and commands and saves aimed at the half-loaded document
// are refused.
bool TOvnxBinaryFormWClass::LoadWaiting(const std::string& name) {
  TWaitScope wait(this);
  const TTracedPart part("load");
  loadShown_ = false;
  // Another window's question or load may run its own loop meanwhile: the view holds its input
  // whoever hands it on.
  struct THeldInput {
    TBinaryView& view;
    explicit THeldInput(TBinaryView& v) : view(v) { view.HoldInput(true); }
    ~THeldInput() { view.HoldInput(false); }
  } held(editor_->View());
  return editor_->LoadFile(name);
}

bool TOvnxBinaryFormWClass::TFileSite::LoadDocument(const std::string& name) {
  bool loaded = w_.LoadWaiting(name);
  w_.editor_->Repaint();
  w_.UpdateStatusBar();
  return loaded;
}

bool TOvnxBinaryFormWClass::TFileSite::ReloadDocument(const std::string& name) {
  TViewPosition kept = w_.editor_->Core().GetViewPosition();
  std::uint8_t mode = w_.editor_->Core().InputMode();
  bool loaded = w_.LoadWaiting(name);
  w_.editor_->Core().SetInputMode(mode);
  w_.editor_->Core().SetViewPosition(kept);
  w_.editor_->Repaint();
  w_.UpdateStatusBar();
  return loaded;
}

void TOvnxBinaryFormWClass::TFileSite::SetNotifyLocked(bool locked) {
  w_.editor_->Module().NotifyLocked = locked ? 1 : 0;
}

bool TOvnxBinaryFormWClass::TFileSite::FileExists(const std::string& name) { return IsFileOnDisk(name); }

int TOvnxBinaryFormWClass::TFileSite::FileAttributes(const std::string& name) { return FileAttributesOf(name); }

std::int32_t TOvnxBinaryFormWClass::TFileSite::FileAge(const std::string& name) { return FileAgeOf(name); }

void TOvnxBinaryFormWClass::SetViewOnly() {
  editor_->Core().SetInputMode(imViewOnly);
  UpdateStatusBar();
}

bool TOvnxBinaryFormWClass::SaveDocument(const std::string& name) {
  bool saved = editor_->SaveFile(name);
  editor_->Repaint();
  UpdateStatusBar();
  return saved;
}

bool TOvnxBinaryFormWClass::RunWindowFileDialog(TFileDialogKind kind, const std::string& title, std::string& name) {
  TWaitScope wait(this);
  return RunFileDialog(hwnd_, kind, title, name, [this](bool open) { host_.SetDialogOpen(open); });
}

bool TOvnxBinaryFormWClass::AskSaveName(const std::string& title, std::string& name) {
  return RunWindowFileDialog(fdSave, title, name);
}

void TOvnxBinaryFormWClass::LoadIntoWindow(const std::string& name) {
  ovx::LoadIntoWindow(FileSite(), prompt_, name);
  EnableSetting();
  UpdateStatusBar();
}

bool TOvnxBinaryFormWClass::RunSaveCommand() { return !RefusedWhileWaiting() && SaveFileCommand(FileSite()); }

void TOvnxBinaryFormWClass::OpenFile(const std::string& given) {
  const std::string name = host_.LongPathName(given);
  TOvnxBinaryFormWClass* holder = host_.FindEditorWindow(name);
  const TOpenTarget target = DecideOpenTarget(name, holder != nullptr, Modified(), state_.fileName,
                                             state_.compareFileName, state_.settings.viewOnlyExtensions);
  switch (target) {
    case otActivateHolder:
      holder->BringToFront();
      break;
    case otThisWindow: {
      LoadIntoWindow(name);
      BringToFront();
      TWindowProfile profile;
      if (host_.Settings().ProfilePositionLoad && host_.LookupProfile(name, profile)) SetViewPosition(profile);
      break;
    }
    case otNewWindow:
    case otNewWindowViewOnly:
      if (TOvnxBinaryFormWClass* w = host_.OpenEditorWindow(name)) {
        if (target == otNewWindowViewOnly) w->SetViewOnly();
        w->BringToFront();
      }
      break;
  }
}

void TOvnxBinaryFormWClass::OpenFileDialog() {
  std::string name;
  if (RunWindowFileDialog(fdOpen, "開く", name)) OpenFile(name);
}

namespace {

// Opening a history entry as the core's loop sees this window and the main process.
class THistorySite final : public THistoryOpenSite {
 public:
  THistorySite(TEditorWindowHost& host, TOvnxBinaryFormWClass& window) : host_(host), window_(window) {}
  std::string HistoryEntry(int position) override {
    std::vector<std::string> history = host_.History();
    return position >= 0 && position < static_cast<int>(history.size()) ? history[position] : std::string();
  }
  std::string LongPathName(const std::string& name) override { return host_.LongPathName(name); }
  bool ActivateHolder(const std::string& name) override {
    TOvnxBinaryFormWClass* holder = host_.FindEditorWindow(name);
    if (holder) holder->BringToFront();
    return holder != nullptr;
  }
  bool FileExists(const std::string& name) override { return IsFileOnDisk(name); }
  void OpenFile(const std::string& name) override { window_.OpenFile(name); }
  void RemoveHistoryEntry(const std::string& entry) override { host_.RemoveHistoryEntry(entry); }
  void RebuildAllMenus() override { host_.UpdateWindowMenus(); }

 private:
  TEditorWindowHost& host_;
  TOvnxBinaryFormWClass& window_;
};

}  // namespace

void TOvnxBinaryFormWClass::OpenHistoryEntry(int position) {
  THistorySite site(host_, *this);
  ovx::OpenHistoryEntry(site, prompt_, position);
}

void TOvnxBinaryFormWClass::ActivateWindowAt(int position) {
  std::vector<TOvnxBinaryFormWClass*> windows = host_.EditorWindows();
  if (position >= 0 && position < static_cast<int>(windows.size())) windows[position]->BringToFront();
}

void TOvnxBinaryFormWClass::DropFiles(HDROP drop) {
  std::vector<std::string> names;
  UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    // A longer name is cut at the buffer's end.
    wchar_t buffer[kDropNameLength] = {};
    DragQueryFileW(drop, i, buffer, kDropNameLength);
    buffer[kDropNameLength - 1] = L'\0';
    names.push_back(WideToUtf8(buffer));
  }
  for (const std::string& name : names) OpenFile(name);
  DragFinish(drop);
}

}  // namespace ovx
