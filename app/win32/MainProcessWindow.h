// The hidden main process window: owns the editor windows, the notification icon, the settings,
// serves other starts of the program and ends the process after the last editor window.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/win32/EditorWindow.h"
#include "app/win32/EnvironmentDialog.h"
#include "app/EditorWindowList.h"
#include "app/InstanceRequest.h"
#include "shell/SettingsStore.h"
#include "shell/win32/Win32UserPrompt.h"

namespace ovx {

class TMainProcessWindow final : public TEditorWindowHost {
 public:
  static constexpr UINT kTrayMessage = WM_USER + 1;
  static constexpr UINT_PTR kShutdownTimer = 3;
  static constexpr UINT kShutdownPeriodMs = 200;

  TMainProcessWindow() = default;
  ~TMainProcessWindow() override;
  TMainProcessWindow(const TMainProcessWindow&) = delete;
  TMainProcessWindow& operator=(const TMainProcessWindow&) = delete;

  // Creates the window and runs its creation steps with the program's arguments
  // (program name first). False when the window could not be created.
  bool Create(HINSTANCE instance, const std::vector<std::string>& arguments);
  HWND Handle() const { return hwnd_; }
  // The application is idle: the foreground editor window refreshes its function-key labels.
  void OnIdle();

  TOvnxBinaryFormWClass* CreateEditorWindow();
  TOvnxBinaryFormWClass* NewEditorWindow() override;
  TOvnxBinaryFormWClass* OpenEditorWindow(const std::string& path) override;
  void CenterWindowInWorkArea(HWND window);
  TOvnxBinaryFormWClass* FindEditorWindow(const std::string& path) override;
  void EditorWindowClosed(TOvnxBinaryFormWClass& window) override;
  TOvnxBinaryFormWClass* EditorWindowAt(int index) const { return windows_.At(index); }
  int EditorWindowCount() const { return windows_.Count(); }
  TOvnxBinaryFormWClass* NextEditorWindow(HWND window) const;
  std::vector<TOvnxBinaryFormWClass*> EditorWindows() override { return windows_.Items(); }
  TOvnxBinaryFormWClass* SelectEditorWindow(const std::wstring& caption,
                                            TOvnxBinaryFormWClass* reference) override;
  void UpdateWindowMenus() override;
  void CloseAllWindows() override;
  void SaveAllWindows() override;
  void SaveAndCloseAllWindows() override;
  bool IsBusy() const;
  void SetDialogOpen(bool open) override { dialogOpen_ = open; }
  void HideInactiveDialogs(HWND active) override;
  void DocumentFileChanged(TOvnxBinaryFormWClass& window, const std::string& name) override;
  void DocumentGoingAway(TOvnxBinaryFormWClass& window) override;

  const std::string& ApplicationTitle() const override { return title_; }
  TUserPrompt& Prompt() override { return prompt_; }
  std::string LongPathName(const std::string& name) override;
  void AddHistory(const std::string& name) override;
  std::vector<std::string> History() override;
  void RemoveHistoryEntry(const std::string& name) override;
  bool DocumentHeld(TOvnxBinaryFormWClass& window) override;
  void WaitsEnded() override;
  bool LookupProfile(const std::string& name, TWindowProfile& profile) override;
  std::string HelpFile() override;

  const TEnvironmentSettings& Settings() override { return store_->Settings(); }

  // The shell's dialogs (ShellDialogs.cpp).
  static constexpr UINT kOptionsClosedMessage = WM_APP + 16;
  // Posted to itself when a file request was answered: the file opens after the answer.
  static constexpr UINT kServeRequestsMessage = WM_APP + 17;
  // Posted to itself at the start: the icon is added once the first window is on screen.
  static constexpr UINT kShowTrayIconMessage = WM_APP + 18;
  void ShowOptionsDialog() override;
  // The options dialog's record becomes the process's, and every open window takes it.
  void ApplySettings(const TEnvironmentSettings& settings);
  // Keyboard navigation of the modeless options dialog; true when the message was its.
  bool DialogMessage(MSG& msg);
  void ShowVersionDialog(TOvnxBinaryFormWClass* reference) override;
  void ShowShortcutDialog(TOvnxBinaryFormWClass* reference) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  void OpenCommandLine(const std::vector<std::string>& arguments);
  // What becomes of a request of another start: kept for later (queued), refused with a beep
  // while a modal form is open, refused while ending, or served now.
  TInstanceAction AdmitRequest(const std::optional<std::string>& request);
  LRESULT OnNewWindowRequest();
  LRESULT OnOpenFileRequest(const COPYDATASTRUCT* data);
  // Requests that arrived while starting or were answered since, also those that arrive while
  // they are served (they join the queue); a missing name stands for a new empty window.
  void ServeDeferredRequests();
  // The window of the file, or a new one for it; a name of nothing on disk is reported and
  // opens no window.
  TOvnxBinaryFormWClass* OpenOrActivate(const std::string& name);
  // Left, top, client size and view position of a window with a file name, kept for its file.
  void StoreWindowProfile(TOvnxBinaryFormWClass& window);

  void BeginShutdown();
  void OnShutdownTick();
  // 全終了: every window is closed (asking about changes); when none is left the process ends.
  void QuitAll();
  // The end of the process, once: no more requests, timer and icon gone, settings saved, loop ended.
  void EndApplication();
  // The session ends: what a normal end keeps is kept, the open windows' profiles included.
  void OnEndSession();

  // Notification icon and its popup menu (TrayMenu.cpp).
  void SetTrayIcon(bool on);
  void OnTrayMessage(LPARAM mouse);
  void ShowTrayMenu(POINT at);
  void RebuildHistorySubmenu(HMENU submenu);
  void RebuildWindowSubmenu(HMENU submenu);
  void OnTrayCommand(UINT id);
  void OpenHistoryEntry(int index);
  void OpenWithDialog();
  // Runs one of the core's loops over all windows with menu rebuilding held back.
  friend class TMainWindowLoopSite;
  void LoadMenuImages();

  // Settings store.
  void CreateSettingsStore();
  const TEnvironmentSettings& Options() const { return store_->Settings(); }

  HINSTANCE instance_ = nullptr;
  HWND hwnd_ = nullptr;
  std::string title_ = "Orvanta";
  std::wstring helpFile_;
  TWin32UserPrompt prompt_;
  TEditorWindowList<TOvnxBinaryFormWClass> windows_;
  std::unique_ptr<TSettingsStore> store_;
  TProcessPhase phase_ = TProcessPhase::Starting;
  bool dialogOpen_ = false;
  bool menuUpdatesEnabled_ = true;
  bool trayIconShown_ = false;
  bool serving_ = false;  // ServeDeferredRequests runs (one of its openings may show a box)
  std::vector<std::optional<std::string>> deferred_;
  HMENU trayMenu_ = nullptr;
  std::vector<HBITMAP> menuImages_;
  HICON smallIcon_ = nullptr;
  std::unique_ptr<TDlgEnvironment> options_;
};

}  // namespace ovx
