// An editor window in the test process: a main process that keeps its windows in a list,
// answers message boxes from a script and hands out names in place of the file dialogs.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "charset/StrUty.h"
#include "editor/win32/EditorCompare.h"
#include "editor/win32/EditorWindow.h"
#include "editor/win32/FileDialogs.h"
#include "shell/LongPath.h"
#include "shell/SettingsLists.h"
#include "tests/unit/scripted_prompt.h"
#include "view/win32/BEditor.h"

namespace ovx::test {

class TFakeEditorHost final : public TEditorWindowHost {
 public:
  TFakeEditorHost() {
    settings_ = DefaultEnvironmentSettings();
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    TOvnxBinaryFormWClass::RegisterWindowClass(GetModuleHandleW(nullptr), nullptr, nullptr);
    SetFileDialogOverride([this](TFileDialogKind kind, const std::string& title, std::string& name) {
      dialogTitles.push_back(title);
      if (prompt.whileShown) prompt.whileShown();
      if (dialogAnswers.empty()) return false;
      name = dialogAnswers.front();
      dialogAnswers.pop_front();
      return !name.empty();
    });
  }
  ~TFakeEditorHost() override {
    SetFileDialogOverride(nullptr);
    std::vector<TOvnxBinaryFormWClass*> left = windows;
    windows.clear();
    for (TOvnxBinaryFormWClass* w : left) DestroyWindow(w->Handle());
  }

  // A window as the main process makes one: created, given the settings, fitted.
  TOvnxBinaryFormWClass* Create() {
    auto* w = new TOvnxBinaryFormWClass(*this);
    if (!w->FormCreate(GetModuleHandleW(nullptr))) {
      delete w;
      return nullptr;
    }
    windows.push_back(w);
    TEnvironmentSettings s = settings_;
    s.NewWindow = true;
    w->ApplySettings(s);
    w->OptimizeWindowSize(smFit);
    return w;
  }

  const std::string& ApplicationTitle() const override { return title_; }
  TUserPrompt& Prompt() override { return prompt; }
  std::string LongPathName(const std::string& name) override { return ExpandLongPathName(name); }
  const TEnvironmentSettings& Settings() override { return settings_; }
  TOvnxBinaryFormWClass* NewEditorWindow() override { return Create(); }
  TOvnxBinaryFormWClass* OpenEditorWindow(const std::string& path) override {
    TOvnxBinaryFormWClass* w = Create();
    if (w) w->LoadIntoWindow(path);
    return w;
  }
  TOvnxBinaryFormWClass* FindEditorWindow(const std::string& path) override {
    for (TOvnxBinaryFormWClass* w : windows)
      if (SameFileName(w->FileName(), path)) return w;
    return nullptr;
  }
  std::vector<TOvnxBinaryFormWClass*> EditorWindows() override { return windows; }
  void EditorWindowClosed(TOvnxBinaryFormWClass& window) override {
    ++closed;
    windows.erase(std::remove(windows.begin(), windows.end(), &window), windows.end());
  }
  void UpdateWindowMenus() override {
    for (TOvnxBinaryFormWClass* w : windows) w->RebuildFileMenus();
  }
  void SaveAllWindows() override {}
  void CloseAllWindows() override {}
  void SaveAndCloseAllWindows() override {}
  std::vector<std::string> History() override { return history; }
  void AddHistory(const std::string& name) override { history.insert(history.begin(), name); }
  void RemoveHistoryEntry(const std::string& name) override { std::erase(history, name); }
  bool DocumentHeld(TOvnxBinaryFormWClass& window) override { return DocumentHeldByWait(windows, window); }
  void WaitsEnded() override { RunKeptCloses(windows); }
  bool LookupProfile(const std::string&, TWindowProfile&) override { return false; }
  std::string HelpFile() override { return "C:\\no-such-folder\\OVX.HLP"; }
  void SetDialogOpen(bool) override {}
  void HideInactiveDialogs(HWND) override {}
  void DocumentFileChanged(TOvnxBinaryFormWClass& window, const std::string& name) override {
    SwitchFileComparisons(windows, window, name);
  }
  void DocumentGoingAway(TOvnxBinaryFormWClass& window) override { EndComparisonsWith(windows, window); }
  // The window list answers with the window a test put here.
  void ShowOptionsDialog() override {}
  void ShowVersionDialog(TOvnxBinaryFormWClass*) override {}
  void ShowShortcutDialog(TOvnxBinaryFormWClass*) override {}
  TOvnxBinaryFormWClass* SelectEditorWindow(const std::wstring&, TOvnxBinaryFormWClass*) override {
    return selectedWindow;
  }
  TOvnxBinaryFormWClass* selectedWindow = nullptr;
  int closed = 0;  // windows that went through their close

  TEnvironmentSettings& MutableSettings() { return settings_; }

  TScriptedPrompt prompt;
  std::vector<TOvnxBinaryFormWClass*> windows;
  std::vector<std::string> history;
  std::deque<std::string> dialogAnswers;  // an empty name cancels
  std::vector<std::string> dialogTitles;

 private:
  std::string title_ = "Orvanta";
  TEnvironmentSettings settings_;
};

// A scratch folder for files, removed with what it holds.
class TScratchFolder {
 public:
  TScratchFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = WideToUtf8(temp) + "ovx_editor_" + std::to_string(GetCurrentProcessId()) + "_" +
              std::to_string(counter_++);
    CreateDirectoryW(Utf8ToWide(folder_).c_str(), nullptr);
    folder_ = ExpandLongPathName(folder_);
    if (!folder_.empty() && folder_.back() != '\\') folder_ += "\\";
  }
  ~TScratchFolder() {
    for (const std::string& f : files_) {
      SetFileAttributesW(Utf8ToWide(f).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(Utf8ToWide(f).c_str());
    }
    for (auto f = folders_.rbegin(); f != folders_.rend(); ++f) RemoveDirectoryW(Utf8ToWide(*f).c_str());
    RemoveDirectoryW(Utf8ToWide(folder_).c_str());
  }
  // A folder inside, removed (once its tracked files are gone) with the scratch folder.
  std::string MakeFolder(const std::string& name) {
    std::string path = folder_ + name;
    CreateDirectoryW(Utf8ToWide(path).c_str(), nullptr);
    folders_.push_back(path);
    return path;
  }
  // The names in a folder (without "." and ".."), sorted.
  static std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    const std::string pattern = folder + (!folder.empty() && folder.back() == '\\' ? "*" : "\\*");
    HANDLE find = FindFirstFileW(Utf8ToWide(pattern).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") names.push_back(WideToUtf8(name));
    } while (FindNextFileW(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
  }
  const std::string& Path() const { return folder_; }
  std::string Write(const std::string& name, const std::string& bytes) {
    std::string path = folder_ + name;
    HANDLE h = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    Track(path);
    return path;
  }
  void Track(const std::string& path) { files_.push_back(path); }
  static std::string Read(const std::string& path) {
    HANDLE h = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD read = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(h);
    return bytes;
  }

 private:
  static inline int counter_ = 0;
  std::string folder_;
  std::vector<std::string> files_;
  std::vector<std::string> folders_;
};

inline std::wstring WindowText(HWND hwnd) {
  wchar_t buffer[512] = {};
  GetWindowTextW(hwnd, buffer, 512);
  return buffer;
}

inline RECT ClientRectIn(HWND child, HWND parent) {
  RECT r = {};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Pending messages of this thread run (repaints, posted messages).
inline void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace ovx::test
