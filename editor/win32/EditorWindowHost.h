// What an editor window asks of the process that owns it (the main process window).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "model/UserPrompt.h"
#include "shell/Settings.h"

namespace ovx {

class TOvnxBinaryFormWClass;

class TEditorWindowHost {
 public:
  virtual ~TEditorWindowHost() = default;

  // The application title, the second half of every caption.
  virtual const std::string& ApplicationTitle() const = 0;
  virtual TUserPrompt& Prompt() = 0;
  // The long path form of a file name (every component as found on disk).
  virtual std::string LongPathName(const std::string& name) = 0;
  // The settings record every window holds a copy of.
  virtual const TEnvironmentSettings& Settings() = 0;

  virtual TOvnxBinaryFormWClass* NewEditorWindow() = 0;
  virtual TOvnxBinaryFormWClass* OpenEditorWindow(const std::string& path) = 0;
  virtual TOvnxBinaryFormWClass* FindEditorWindow(const std::string& path) = 0;
  // The editor windows in creation order.
  virtual std::vector<TOvnxBinaryFormWClass*> EditorWindows() = 0;
  // The window list dialog, modal: the chosen editor window, or none. `reference` (may be none) is the
  // window the dialog is centred over.
  virtual TOvnxBinaryFormWClass* SelectEditorWindow(const std::wstring& caption,
                                                    TOvnxBinaryFormWClass* reference) = 0;
  // True when another window's wait uses the window's document (it compares with it): the
  // window keeps a close until that wait is over.
  virtual bool DocumentHeld(TOvnxBinaryFormWClass& window) = 0;
  // A window's last wait ended: every window runs the close it kept, if it may now.
  virtual void WaitsEnded() = 0;
  // Called from the window's close handler; the window is freed right after.
  virtual void EditorWindowClosed(TOvnxBinaryFormWClass& window) = 0;
  virtual void UpdateWindowMenus() = 0;
  // The loops over all windows (全て保存, 全て閉じる, 全て保存して閉じる).
  virtual void SaveAllWindows() = 0;
  virtual void CloseAllWindows() = 0;
  virtual void SaveAndCloseAllWindows() = 0;

  // File history and window profiles.
  virtual std::vector<std::string> History() = 0;
  virtual void AddHistory(const std::string& name) = 0;
  // The entry of that name, wherever it stands now.
  virtual void RemoveHistoryEntry(const std::string& name) = 0;
  virtual bool LookupProfile(const std::string& name, TWindowProfile& profile) = 0;
  // The help file beside the program.
  virtual std::string HelpFile() = 0;

  // Set while a file open or save dialog of a window is on screen.
  virtual void SetDialogOpen(bool open) = 0;
  // An editor window calls it with its own handle when it is activated.
  virtual void HideInactiveDialogs(HWND active) = 0;
  // The shell's dialogs: the options dialog (modeless, one instance).
  virtual void ShowOptionsDialog() = 0;
  // The version dialog, modal, owned by `reference` when given.
  virtual void ShowVersionDialog(TOvnxBinaryFormWClass* reference) = 0;
  // The shortcut maintenance dialog, modal, owned by and centred over `reference`.
  virtual void ShowShortcutDialog(TOvnxBinaryFormWClass* reference) = 0;

  // Comparison hooks: a window's document was loaded from or saved to `name`; a document goes away.
  virtual void DocumentFileChanged(TOvnxBinaryFormWClass& window, const std::string& name) = 0;
  virtual void DocumentGoingAway(TOvnxBinaryFormWClass& window) = 0;
};

}  // namespace ovx
