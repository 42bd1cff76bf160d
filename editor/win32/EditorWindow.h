// The editor window: one top-level window per document, with the desktop as parent so that
// it has its own taskbar button; the main process window owns the object, not the window.
// The view, menus, tool bar and panels are laid into this class by their own parts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "editor/win32/EditorWindowHost.h"
#include "model/MModule.h"
#include "shell/Settings.h"

namespace ovx {

class TOvnxBinaryFormWClass {
 public:
  static const wchar_t kClassName[];  // L"TOvnxBinaryFormWClass"
  static constexpr int kDefaultClientWidth = 612;
  static constexpr int kDefaultClientHeight = 434;

  // Once per process, before the first window.
  static bool RegisterWindowClass(HINSTANCE instance, HICON icon, HICON smallIcon);
  // The object of a window handle, or none.
  static TOvnxBinaryFormWClass* FromHandle(HWND hwnd);

  explicit TOvnxBinaryFormWClass(TEditorWindowHost& host);
  TOvnxBinaryFormWClass(const TOvnxBinaryFormWClass&) = delete;
  TOvnxBinaryFormWClass& operator=(const TOvnxBinaryFormWClass&) = delete;

  // Builds the window, hidden. False when the platform refused it (the object is then unused).
  bool FormCreate(HINSTANCE instance);
  HWND Handle() const { return hwnd_; }

  const std::string& FileName() const { return fileName_; }
  // FileName, the caption "%s - %s" and the history.
  void SetFileName(const std::string& name);
  // Loads the file into this window; a name that names no existing file loads nothing.
  void LoadIntoWindow(const std::string& name);

  TMemoryModule& Document() { return document_; }
  bool Modified() const { return document_.Modified() != 0; }
  bool ViewOnly() const { return viewOnly_; }
  std::int32_t FileAge() const { return fileAge_; }

  void ShowAndRepaint();
  void BringToFront();
  // Client size as a profile stores it.
  void SetClientSize(int width, int height);
  void ClientSize(int& width, int& height) const;

  // The commands the main process runs on every window (CLOSE, SAVE).
  void RunCloseCommand();
  void RunSaveCommand();

  // The view position (top row, caret row, caret column, digit, area) as a profile stores it;
  // the window has no view yet, so it reads as the start of the document.
  void GetViewPosition(TWindowProfile& profile) const {
    profile.TopRow = profile.CaretRow = profile.CaretColumn = 0;
    profile.CaretDigit = profile.CaretArea = 0;
  }
  void SetViewPosition(const TWindowProfile& profile) {}

  // Filled by the menu and tool-window parts; nothing to do while the window has none.
  void RebuildFileMenus() {}
  void HideToolWindows() {}
  void RefreshFunctionBar(bool force) {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  // The save question before closing; false keeps the window open.
  bool FormCloseQuery();
  // Tells the main process and frees the window.
  void FormClose();
  bool QuerySaveOnClose();
  bool AskSaveName(std::string& name);
  bool SaveTo(const std::string& name);
  void ActivateNextWindowBelow();

  TEditorWindowHost& host_;
  HWND hwnd_ = nullptr;
  bool creating_ = true;
  std::string fileName_;
  std::int32_t fileAge_ = -1;
  bool viewOnly_ = false;
  TMemoryModule document_;
};

}  // namespace ovx
