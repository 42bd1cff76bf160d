// Commands of an editor window: a key, a function-key button, a tool button and a menu all
// reach a menu item's handler here, and a disabled item does nothing.
#include <windows.h>

#include <shellapi.h>

#include "charset/StrUty.h"
#include "shell/win32/Help.h"
#include "editor/FileMenuEntries.h"
#include "editor/FileStamp.h"
#include "editor/FunctionBar.h"
#include "editor/GarbageCollection.h"
#include "editor/ToolWindows.h"
#include "editor/win32/DlgSearch.h"
#include "editor/win32/EditorFileSite.h"
#include "shell/ShellTexts.h"
#include "shell/win32/KeyState.h"
#include "view/win32/BEditor.h"

namespace ovx {

void TOvnxBinaryFormWClass::DoMenuCommand(TCommandId id) { ovx::DoMenuCommand(*this, id); }

void TOvnxBinaryFormWClass::PostMenuPopup(TCommandId id) {
  PostMessageW(hwnd_, MenuPopupMessage, 0, static_cast<LPARAM>(id));
}

void TOvnxBinaryFormWClass::OpenMenuBar() { PostMessageW(hwnd_, WM_SYSCOMMAND, SC_KEYMENU, 0); }

void TOvnxBinaryFormWClass::ShowPopupAtCaret(TCommandId id) {
  std::optional<TMenuItem> item = PopupMenuOfCommand(id);
  if (!item) return;
  HMENU menu = menus_.SubmenuOf(*item);
  if (!menu) return;
  if (*item == miPU_SelectFileMenu) {
    std::vector<std::string> names;
    for (TOvnxBinaryFormWClass* w : host_.EditorWindows()) names.push_back(w->FileName());
    menus_.SetSelectFileEntries(SelectFileMenuEntries(names));
  } else if (RefreshesStatesOnOpen(*item)) {
    EnableSetting();
  }
  const POINT at = editor_->CaretScreenPoint();
  TWaitScope wait(this, wkMenu);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
}

void TOvnxBinaryFormWClass::OnCommand(int id, HWND control) {
  int button = functionKeys_.ButtonOfId(id);
  if (button >= 0 && control) {
    // A click runs what the key is bound to with the modifiers held now.
    editor_->Core().ExecuteKey(GetShiftStateCode(), FunctionBarKeyIndex(button));
    if (editor_->ViewHandle()) SetFocus(editor_->ViewHandle());
    return;
  }
  if (std::optional<TMenuItem> item = MenuItemOfId(id)) {
    RunEnabledItem(*item);
    return;
  }
  TFileMenuEntryRef entry = FileMenuEntryOfId(id);
  switch (entry.kind) {
    case fekHistory:
      OpenHistoryEntry(entry.index);
      break;
    case fekWindow:
    case fekSelectFile:
      ActivateWindowAt(entry.index);
      break;
    case fekMoreWindows:
      DoMenuCommand(cmWINDOWLIST);
      break;
    case fekNone:
      break;
  }
}

// A menu, an accelerator or a tool button: the item's handler when the rule enables it now.
void TOvnxBinaryFormWClass::RunEnabledItem(TMenuItem item) {
  if (IsMainMenuItem(item)) {
    TMenuStates states = ovx::EnableSetting(MenuStateInput());
    ApplyMenuStates(states);
    if (!states.enabled[item]) return;
  }
  ClickMenuItem(item);
}

void TOvnxBinaryFormWClass::ClickMenuItem(TMenuItem clicked) {
  const TMenuItem item = HandlerItem(clicked);
  const TCommandId command = MenuItemDef(item).command;
  if (std::optional<TToolWindowKind> kind = ToolWindowOfCommand(command)) {
    toolWindows_->Toggle(*kind, ViewOnly());
    return;
  }
  if (IsViewItem(item)) {
    ToggleViewItem(item);
    return;
  }
  TBinaryViewCore& view = editor_->Core();
  switch (item) {
    case miMM_NewFile:
      host_.NewEditorWindow();
      return;
    case miMM_OpenFile:
      OpenFileDialog();
      return;
    case miMM_Reload:
      ReloadCommand(FileSite(), prompt_);
      break;
    case miMM_SaveFile:
      RunSaveCommand();
      break;
    case miMM_SaveAllFile:
      host_.SaveAllWindows();
      return;
    case miMM_SaveAnotherName:
    case miMM_SaveReproduction:
      SaveExpandCommand(FileSite(), prompt_, item == miMM_SaveReproduction);
      break;
    case miMM_Close:
    case miMM_AllClose:
    case miMM_SaveClose:
    case miMM_SaveAllClose:
      // Closing frees the view, which may be running this very command from its key handler:
      // it happens once the message loop has left the view.
      PostMessageW(hwnd_, kCloseCommandMessage, static_cast<WPARAM>(item), 0);
      return;
    // The view's own operations.
    case miMM_Undo: case miMM_Redo: case miMM_Cut: case miMM_Copy: case miMM_Paste: case miMM_Delete:
    case miMM_SelectAll: case miMM_FileTop: case miMM_FileEnd:
      view.ExecuteCommand(command);
      break;
    case miMM_BitNot:
      view.BitNot();
      break;
    case miMM_BitReverse:
      view.BitReverse();
      break;
    case miMM_BitRollRight:
    case miMM_BitRollLeft:
      view.BitRotate(item == miMM_BitRollLeft, 1);
      break;
    case miMM_ByteReverse:
      view.ByteReverse();
      break;
    case miMM_ByteRollRight:
    case miMM_ByteRollLeft:
      view.ByteRotate(item == miMM_ByteRollLeft, 1);
      break;
    case miMM_IntInc:
      view.IntIncrement(state_.settings.infoByteOrder == 1);
      break;
    case miMM_IntDec:
      view.IntDecrement(state_.settings.infoByteOrder == 1);
      break;
    case miMM_HistoryFlush:
      view.History().ConfirmClearHistory();
      break;
    case miMM_CheckSumSimple:
    case miMM_CheckSumAscii:
      editor_->SetCheckSumMode(item == miMM_CheckSumAscii ? 1 : 0);
      break;
    case miMM_LittleEndian:
    case miMM_BigEndian:
      SetInfoByteOrder(item == miMM_BigEndian ? 1 : 0);
      break;
    case miMM_CharaSetAscii: case miMM_CharaSetSJis: case miMM_CharaSetJis: case miMM_CharaSetEuc:
    case miMM_CharaSetUnicode:
      editor_->SetCharaSet(static_cast<TCharaSet>(item - miMM_CharaSetAscii));
      break;
    case miMM_DialogFlattery:
      state_.settings.dialogFollow = !state_.settings.dialogFollow;
      break;
    case miMM_DialogAutoHidden:
      state_.settings.dialogAutoHide = !state_.settings.dialogAutoHide;
      break;
    case miMM_WindowNext: {
      std::vector<TOvnxBinaryFormWClass*> windows = host_.EditorWindows();
      for (size_t i = 0; i < windows.size(); ++i)
        if (windows[i] == this && windows.size() > 1) windows[(i + 1) % windows.size()]->BringToFront();
      return;
    }
    case miMM_WindowSizeOptimize:
      OptimizeWindowSize(smFit);
      break;
    case miMM_WindowSizeOptimizeV:
      OptimizeWindowSize(smFullHeight);
      break;
    case miMM_SearchNext:
    case miMM_SearchPrev:
      RepeatSearch(*this, item == miMM_SearchPrev);
      if (toolWindows_) toolWindows_->KeepClearOfCaret();
      break;
    case miMM_CompareFile: case miMM_CompareWindow: case miMM_ComparePresent: case miMM_CompareQuit:
    case miMM_CompareNext: case miMM_ComparePrev:
      RunCompareItem(item);
      break;
    case miMM_TextOutPut:
      TextOutputCommand();
      break;
    case miMM_LumpSetting:
      LumpSettingCommand();
      break;
    case miMM_GarbageCollection:
      GarbageCollectionCommand(editor_->Module(), prompt_);
      break;
    case miMM_OpenHelp:
      OpenHelp();
      return;
    case miMM_WebPageBM:
      OpenWebPage();
      return;
    case miPU_Efficiency:
    case miPU_UndoRate:
      state_.statusInfoMode = item == miPU_UndoRate ? 1 : 0;
      break;
    // The shell's dialogs.
    case miMM_WindowList:
      if (TOvnxBinaryFormWClass* chosen = host_.SelectEditorWindow(L"ウィンドウ一覧", this)) chosen->BringToFront();
      return;
    case miMM_Option:
      host_.ShowOptionsDialog();
      return;
    case miMM_Version:
      host_.ShowVersionDialog(this);
      return;
    case miMM_ShortCutMaintenance:
      host_.ShowShortcutDialog(this);
      return;
    default:
      // Items whose dialogs and operations belong to other parts of the program.
      return;
  }
  editor_->Repaint();
  UpdateStatusBar();
}

void TOvnxBinaryFormWClass::RunCloseItem(TMenuItem item) {
  switch (item) {
    case miMM_Close:
      RunCloseCommand();
      break;
    case miMM_AllClose:
      host_.CloseAllWindows();
      break;
    case miMM_SaveClose:
      if (Modified() && !ViewOnly()) RunSaveCommand();
      RunCloseCommand();
      break;
    case miMM_SaveAllClose:
      host_.SaveAndCloseAllWindows();
      break;
    default:
      break;
  }
}

void TOvnxBinaryFormWClass::SetIntegerChoices(int focusRadix, bool bigEndian) {
  if (focusRadix >= 0 && focusRadix <= 2) state_.settings.focusRadix = static_cast<std::uint8_t>(focusRadix);
  const std::uint8_t order = bigEndian ? 1 : 0;
  if (order == state_.settings.infoByteOrder) return;
  SetInfoByteOrder(order);
  UpdateInformationPanel();
}

void TOvnxBinaryFormWClass::SetInfoByteOrder(std::uint8_t order) {
  state_.settings.infoByteOrder = order;
  HMENU menu = menus_.ParentOf(miMM_LittleEndian);
  CheckMenuItem(menu, MenuIdOf(miMM_LittleEndian), MF_BYCOMMAND | (order == 0 ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(menu, MenuIdOf(miMM_BigEndian), MF_BYCOMMAND | (order == 1 ? MF_CHECKED : MF_UNCHECKED));
}

void TOvnxBinaryFormWClass::OnStatusBarClick(int x) {
  // Only a plain left click counts.
  if (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return;
  if (!HitsStatusIconPanel(x, dpi_)) return;
  POINT at = {StatusInfoModeMenuLeft(dpi_), 0};
  ClientToScreen(statusBar_.Handle(), &at);
  TWaitScope wait(this, wkMenu);
  TrackPopupMenu(menus_.SubmenuOf(miPU_InfoMode), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, at.x, at.y, 0, hwnd_,
                 nullptr);
}

void TOvnxBinaryFormWClass::OpenHelp() { ShowHelp(hwnd_, host_.HelpFile(), hcContents, prompt_); }

void TOvnxBinaryFormWClass::OpenWebPage() { ShellExecuteW(hwnd_, L"open", kMakerWebPage, nullptr, nullptr, SW_SHOWNORMAL); }

}  // namespace ovx
