// The view's two popup menus on Windows: the context menu with shortcuts and pictures,
// and the user menus of 26 letters in two columns.
#include <string>
#include <vector>

#include "charset/StrUty.h"
#include "shell/ShortcutText.h"
#include "view/ViewMenus.h"
#include "view/win32/BinaryView.h"

namespace ovx {
int TBinaryView::TrackMenu(HMENU menu, POINT screen) {
  // The menu waits on the user: the click's move of the caret is drawn before it, whichever
  // window the view lies in.
  DrawHeldRows();
  // The chosen command runs in this view after the menu: the window may not go meanwhile.
  TWaitScope wait(MenuWaits, wkMenu);
  if (MenuTracker) return MenuTracker(menu, screen);
  return static_cast<int>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
                                         screen.x, screen.y, 0, hwnd_, nullptr));
}

void TBinaryView::ShowContextMenu(POINT screen) {
  const auto& items = ContextMenuItems();
  const TContextMenuState state = core_.ContextMenuState();
  HMENU menu = CreatePopupMenu();
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TContextMenuItem& item = items[i];
    if (item.command == NoCommand) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    std::wstring caption = Utf8ToWide(item.caption);
    if (const auto shortcut = ShortcutForCommand(core_.KeyMap(), item.command)) {
      const std::string text = ShortcutText(*shortcut);
      if (!text.empty()) caption += L"\t" + Utf8ToWide(text);
    }
    const UINT flags = MF_STRING | (ContextMenuItemEnabled(item.command, state) ? MF_ENABLED : MF_GRAYED);
    AppendMenuW(menu, flags, i + 1, caption.c_str());
    const int image = menuPictures_ && imageOf_ ? imageOf_(item.command) : -1;
    if (image < 0) continue;
    if (HBITMAP bitmap = menuPictures_->Get(image)) {
      MENUITEMINFOW mi{};
      mi.cbSize = sizeof mi;
      mi.fMask = MIIM_BITMAP;
      mi.hbmpItem = bitmap;
      SetMenuItemInfoW(menu, static_cast<UINT>(i + 1), FALSE, &mi);
    }
  }
  const std::shared_ptr<bool> alive = alive_;
  const int chosen = TrackMenu(menu, screen);
  DestroyMenu(menu);
  if (!*alive) return;
  if (chosen > 0 && static_cast<std::size_t>(chosen) <= items.size())
    core_.ExecuteCommand(items[static_cast<std::size_t>(chosen - 1)].command);
}

void TBinaryView::ShowUserMenu(int userMenu, POINT screen) {
  const std::vector<TUserMenuEntry> entries = UserMenuEntries(core_.KeyMap(), userMenu);
  HMENU menu = CreatePopupMenu();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const TUserMenuEntry& e = entries[i];
    UINT flags = MF_STRING | (e.enabled ? MF_ENABLED : MF_GRAYED);
    if (e.columnBreak) flags |= MF_MENUBARBREAK;
    AppendMenuW(menu, flags, i + 1, Utf8ToWide(e.caption).c_str());
  }
  const std::shared_ptr<bool> alive = alive_;
  const int chosen = TrackMenu(menu, screen);
  DestroyMenu(menu);
  if (!*alive) return;
  if (chosen > 0 && static_cast<std::size_t>(chosen) <= entries.size())
    core_.ExecuteCommand(entries[static_cast<std::size_t>(chosen - 1)].command);
}

}  // namespace ovx
