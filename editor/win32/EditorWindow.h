// The editor window: one top-level window per document, with the desktop as parent so that
// it has its own taskbar button; the main process window owns the object, not the window.
// From top to bottom: main menu, tool bar, Panel_Binary (the editor control above
// Panel_Information), Panel_Function and the status bar.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "charset/InputFrameRules.h"
#include "editor/CaptureFeed.h"
#include "editor/EditorWindowState.h"
#include "editor/FileCommands.h"
#include "editor/MenuDispatch.h"
#include "editor/UpdateBatch.h"
#include "editor/win32/EditorMenuBuilder.h"
#include "editor/win32/EditorStatusBar.h"
#include "editor/win32/EditorToolBar.h"
#include "editor/win32/EditorToolWindows.h"
#include "editor/win32/EditorWindowHost.h"
#include "editor/win32/FileDialogs.h"
#include "editor/win32/FunctionKeyBar.h"
#include "editor/win32/InformationPanel.h"
#include "shell/win32/MenuImages.h"
#include "shell/win32/Win32UserPrompt.h"
#include "shell/win32/WaitScope.h"
#include "shell/Settings.h"

namespace ovx {

class TBEditor;
class TMemoryModule;

class TOvnxBinaryFormWClass final : private TMenuCommandSite, private TWaitSite {
 public:
  static const wchar_t kClassName[];  // L"TOvnxBinaryFormWClass"
  static const wchar_t kPanelClassName[];
  static constexpr int kDefaultClientWidth = 612;
  static constexpr int kDefaultClientHeight = 434;
  static constexpr int kInformationPanelHeight = 68;
  static constexpr int kFunctionPanelHeight = 18;
  static constexpr int kStatusBarHeight = 18;
  static constexpr int kDropNameLength = 300;
  // Posted to itself with a closing item (閉じる, 全て閉じる, ...) to run it outside the view.
  static constexpr UINT kCloseCommandMessage = WM_APP + 1;

  // Once per process, before the first window.
  static bool RegisterWindowClass(HINSTANCE instance, HICON icon, HICON smallIcon);
  // The object of a window handle, or none.
  static TOvnxBinaryFormWClass* FromHandle(HWND hwnd);

  explicit TOvnxBinaryFormWClass(TEditorWindowHost& host);
  ~TOvnxBinaryFormWClass() override;
  TOvnxBinaryFormWClass(const TOvnxBinaryFormWClass&) = delete;
  TOvnxBinaryFormWClass& operator=(const TOvnxBinaryFormWClass&) = delete;

  // Builds the window, hidden. False when the platform refused it (the object is then unused).
  bool FormCreate(HINSTANCE instance);
  HWND Handle() const { return hwnd_; }

  const std::string& FileName() const { return state_.fileName; }
  // FileName, the caption "%s - %s" and the history.
  void SetFileName(const std::string& name);
  // Loads the file into this window; a name that names no existing file loads nothing.
  void LoadIntoWindow(const std::string& name);
  // Where a file opens: the window that holds it, this new window or a new one.
  void OpenFile(const std::string& name);

  TBEditor& Editor() { return *editor_; }
  TMemoryModule& Document();
  bool Modified();
  bool ViewOnly();
  std::int32_t FileAge() const { return state_.fileAge; }
  const TEditorWindowState& State() const { return state_; }
  TSizeMode SizeMode() const { return sizeMode_.Mode(); }

  void Show();
  // Paints what is invalid now, not when the queue is next empty.
  void PaintNow();
  void ShowAndRepaint();
  void BringToFront();
  // Client size as a profile stores it.
  void SetClientSize(int width, int height);
  void ClientSize(int& width, int& height) const;
  // Left, top and client size of the window's normal placement, which a minimised or
  // maximised window returns to, as a profile stores them.
  void GetWindowPosition(TWindowProfile& profile) const;

  // The commands the main process runs on every window. Save: true when it wrote.
  void RunCloseCommand();
  bool RunSaveCommand();

  // The view position as a profile stores it.
  void GetViewPosition(TWindowProfile& profile) const;
  void SetViewPosition(const TWindowProfile& profile);

  // Menus, settings, function keys, tool windows.
  void ApplySettings(const TEnvironmentSettings& settings);
  void RebuildFileMenus();
  void RefreshFunctionBar(bool force);
  // Every window's bar follows the keys held now, whatever has the keyboard (a tool window, a
  // dialog, another program): the keys are read once for all.
  static void RefreshFunctionBars(const std::vector<TOvnxBinaryFormWClass*>& windows);
  void HideToolWindows();
  void ShowToolWindows();
  void DoMenuCommand(TCommandId id);
  void EnableSetting();
  void UpdateStatusBar();
  void UpdateToolBar();
  void OptimizeWindowSize(TSizeMode mode);

  // The parts, for the main process and for tests.
  const TEditorMenus& Menus() const { return menus_; }
  HWND ToolBarHandle() const { return toolBar_.Handle(); }
  HWND StatusBarHandle() const { return statusBar_.Handle(); }
  HWND BinaryPanel() const { return panelBinary_; }
  HWND InformationPanel() const { return panelInformation_; }
  HWND FunctionPanel() const { return panelFunction_; }
  const TFunctionKeyBar& FunctionKeys() const { return functionKeys_; }
  HIMAGELIST ToolBarImages() const { return images_; }
  // The tool windows, for the parts that make them.
  TEditorToolWindows& ToolWindows() { return *toolWindows_; }
  // The dialogs that take the value and address under the caret on every caret move.
  TCaptureFeed& CaptureFeed() { return captureFeed_; }
  // The integer width the next integer, search or replace dialog starts with.
  void SetLastIntWidth(std::uint8_t width) { state_.settings.lastIntWidth = width; }
  // The number field to focus first (-1 keeps it) and the byte order the next integer, search or
  // replace dialog starts with; the byte order is the window's, so the panel and menu follow.
  void SetIntegerChoices(int focusRadix, bool bigEndian);
  // The search and replace dialogs (DlgSearch.cpp): the settings record their frames start from,
  // and the program's prompt, which their own questions go through.
  const TEnvironmentSettings& EnvironmentSettings() { return host_.Settings(); }
  TUserPrompt& ProgramPrompt() { return host_.Prompt(); }
  TWindowUserPrompt& WindowPrompt() { return prompt_; }

  // Waits (the wait rule): every question, dialog and popup menu of this window or of its tool
  // windows is a wait of this window.
  TWaitSite& WaitSite() { return *this; }
  bool Waiting() const { return waits_.Waiting(); }
  // A close kept during a wait runs (posted) once this window no longer waits and is not held.
  void RunKeptClose();

  // Comparison (EditorCompareCommands.cpp). 比較解除: the view ends its comparison, the mode is 0.
  void CompareQuit();
  // True when this window compares with another window's live document.
  bool ComparesWith(const TMemoryModule& document) const;
  // 比較解除, then compare with the other window's live document (mode 2).
  void StartWindowCompare(TOvnxBinaryFormWClass& other);
  // The panel's labels and the capture values for the caret (EditorInformationPanel.cpp).
  void UpdateInformationPanel();
  const TInformationPanel& Information() const { return information_; }
  // Jumps (EditorJumps.cpp): the address jump dialog's ジャンプ with the frame's mode and net value,
  // the relative jump tool's ジャンプ(&J) with its distance, backwards when upward.
  void AddressJump(TAddressMode mode, std::uint64_t value);
  void RelativeJump(std::uint64_t distance, bool upward);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  // Commands and messages that would change the document or close the window arrive during a
  // wait only from outside the question: refused with a beep.
  bool RefusedWhileWaiting();

  // TWaitSite.
  TWaitRule& Waits() override { return waits_; }
  HWND WaitingWindow() const override { return hwnd_; }
  void WaitsEnded() override;
  void WaitBegins() override;
  // What the view reported inside one of its messages, brought up to date once (UpdateBatch.h).
  void BringUpToDate(unsigned parts);
  // Between the slabs of a long load: shows the first part, runs what is queued; false ends the load.
  bool LoadGoesOn();
  bool LoadWaiting(const std::string& name);

  // Creation (EditorWindow.cpp) and layout (EditorWindowLayout.cpp).
  bool CreateParts();
  void ConnectEvents();
  void LayoutParts();
  // A view narrower than its rows widens the window by what it lacks (height and the rest kept).
  void WidenToRows();
  bool PartVisible(HWND part) const;
  bool PartsReady() const { return panelBinary_ != nullptr && statusBar_.Handle() != nullptr; }
  void SetPartVisible(HWND part, bool visible);

  // Commands (EditorCommandDispatch.cpp).
  TMenuStateInput MenuStateInput() override;
  TMenuStateInput StateInput(bool forMenus);
  void ApplyMenuStates(const TMenuStates& states) override;
  void PostMenuPopup(TCommandId id) override;
  void OpenMenuBar() override;
  void ClickMenuItem(TMenuItem item) override;
  // A WM_COMMAND id from a menu, an accelerator, a tool button or a function-key button.
  void OnCommand(int id, HWND control);
  void RunEnabledItem(TMenuItem item);
  void RunCloseItem(TMenuItem item);
  void ShowPopupAtCaret(TCommandId id);
  void ToggleViewItem(TMenuItem item);
  void SetInfoByteOrder(std::uint8_t order);
  void OnStatusBarClick(int x);
  void OpenHelp();
  void OpenWebPage();
  // The filer tool (EditorFilerTool.cpp): the template-open dialog, then the tool; null when cancelled.
  HWND CreateFilerTool();
  void RunCompareItem(TMenuItem item);
  void CompareFileCommand();
  void CompareWindowCommand();
  // Mode 1 (a named file) or 3 (the state on disk): the view loads the file as its partner.
  void StartFileCompare(std::uint8_t mode, const std::string& name);
  // テキスト形式で出力 (EditorTextOutput.cpp).
  void TextOutputCommand();
  // 動作モード一括設定 (EditorLumpSetting.cpp).
  void LumpSettingCommand();

  // File commands (EditorFileCommands.cpp); the file site is the window seen by the core's
  // file commands.
  class TFileSite;
  friend class TFileSite;
  TEditorFileSite& FileSite();
  void SetViewOnly();
  bool SaveDocument(const std::string& name);
  bool AskSaveName(const std::string& title, std::string& name);
  // A file open or save dialog owned by this window, as a wait of it.
  bool RunWindowFileDialog(TFileDialogKind kind, const std::string& title, std::string& name);
  void OpenFileDialog();
  void OpenHistoryEntry(int position);
  void ActivateWindowAt(int position);
  void DropFiles(HDROP drop);

  // Closing (EditorWindow.cpp).
  bool FormCloseQuery();
  void FormClose();
  void ActivateNextWindowBelow();

  TEditorWindowHost& host_;
  TCaptureFeed captureFeed_;
  TWaitRule waits_;
  std::optional<TEnvironmentSettings> settingsAfterWait_;
  // Every question about this window, its view and its document is owned by this window.
  TWindowUserPrompt prompt_;
  HWND hwnd_ = nullptr;
  TEditorWindowState state_;
  TSizeModeTracker sizeMode_;
  bool optimizing_ = false;
  // Set from the close request until the window is gone or stays.
  bool closing_ = false;
  // The first part of the load under way has been painted.
  bool loadShown_ = false;
  TUpdateBatch updates_;
  SIZE lastClient_ = {0, 0};
  // What the frame and the menu bar add to the client area in the normal state.
  SIZE normalFrame_ = {0, 0};
  // Design sizes are at 96 DPI; the window scales them to its own DPI.
  int dpi_ = 96;
  int Scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }
  void CreateUiFont();
  void OnDpiChanged(int dpi, const RECT& suggested);
  HFONT font_ = nullptr;
  HIMAGELIST images_ = nullptr;
  std::unique_ptr<TMenuImages> menuImages_;
  TEditorMenus menus_;
  TEditorToolBar toolBar_;
  TEditorStatusBar statusBar_;
  TFunctionKeyBar functionKeys_;
  TFunctionKeyLabels functionKeyCaptions_{};
  std::unique_ptr<TBEditor> editor_;
  std::unique_ptr<TEditorToolWindows> toolWindows_;
  std::unique_ptr<TFileSite> fileSite_;
  HWND panelBinary_ = nullptr;
  HWND panelInformation_ = nullptr;
  HWND panelFunction_ = nullptr;
  bool compareMarks_ = true;
  bool compareColors_ = true;
  TInformationPanel information_;
};

}  // namespace ovx
