#include "editor/win32/EditorMenuBuilder.h"

#include <string>

#include "charset/StrUty.h"
#include "editor/WindowSettings.h"

namespace ovx {
namespace {

MENUITEMINFOW EmptyItemInfo() {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  return info;
}

}  // namespace

TEditorMenus::~TEditorMenus() {
  for (HMENU popup : popupRoots_) DestroyMenu(popup);
}

bool TEditorMenus::Build() {
  main_ = CreateMenu();
  if (!main_) return false;
  // The open menu at each depth while walking the table in order.
  std::vector<HMENU> open;
  for (const TMenuItemDef& d : MenuItemTable()) {
    caption_[d.item] = Utf8ToWide(d.caption);
    if (d.kind == mkPopup) {
      HMENU popup = CreatePopupMenu();
      if (!popup) return false;
      popupRoots_.push_back(popup);
      submenu_[d.item] = popup;
      // Its items (depth 1) go into the popup itself.
      open.assign(1, nullptr);
      open.push_back(popup);
      continue;
    }
    if (d.depth == 0) open.assign(1, main_);
    open.resize(d.depth + 1);
    HMENU parent = open[d.depth];
    parent_[d.item] = parent;
    if (d.kind == mkSepa) {
      AppendMenuW(parent, MF_SEPARATOR, MenuIdOf(d.item), nullptr);
      continue;
    }
    if (d.kind == mkSub) {
      HMENU sub = CreatePopupMenu();
      if (!sub) return false;
      submenu_[d.item] = sub;
      MENUITEMINFOW info = EmptyItemInfo();
      info.fMask = MIIM_ID | MIIM_STRING | MIIM_SUBMENU | MIIM_BITMAP;
      info.wID = MenuIdOf(d.item);
      info.hSubMenu = sub;
      // A submenu head in a drop-down menu carries a picture like its neighbours (see
      // TMenuImages::kBlank); the menu bar has none.
      info.hbmpItem = parent == main_ ? nullptr : ImageOf(d.image >= 0 ? d.image : -1);
      info.dwTypeData = caption_[d.item].data();
      InsertMenuItemW(parent, GetMenuItemCount(parent), TRUE, &info);
      open.push_back(sub);
      continue;
    }
    AppendMenuW(parent, MF_STRING, MenuIdOf(d.item), caption_[d.item].c_str());
    // Items without a picture carry the empty one (TMenuImages::kBlank), check and radio items
    // excepted, and nothing on the menu bar.
    const bool checkable = d.kind == mkCheck || d.kind == mkRadio;
    HBITMAP picture = d.image >= 0 ? ImageOf(d.image) : checkable ? nullptr : ImageOf(-1);
    if (parent == main_) picture = nullptr;
    if (picture) {
      MENUITEMINFOW info = EmptyItemInfo();
      info.fMask = MIIM_BITMAP;
      info.hbmpItem = picture;
      SetMenuItemInfoW(parent, MenuIdOf(d.item), FALSE, &info);
    }
    if (d.kind == mkRadio) {
      MENUITEMINFOW info = EmptyItemInfo();
      info.fMask = MIIM_FTYPE;
      info.fType = MFT_STRING | MFT_RADIOCHECK;
      SetMenuItemInfoW(parent, MenuIdOf(d.item), FALSE, &info);
    }
  }
  return true;
}

void TEditorMenus::SetCaption(TMenuItem item) {
  std::wstring text = caption_[item];
  if (!shortcut_[item].empty()) text += L"\t" + shortcut_[item];
  MENUITEMINFOW info = EmptyItemInfo();
  info.fMask = MIIM_STRING;
  info.dwTypeData = text.data();
  SetMenuItemInfoW(parent_[item], MenuIdOf(item), FALSE, &info);
}

void TEditorMenus::ApplyStates(const TMenuStates& states) {
  for (const TMenuItemDef& d : MenuItemTable()) {
    if (!parent_[d.item] || d.kind == mkSepa) continue;
    UINT id = MenuIdOf(d.item);
    EnableMenuItem(parent_[d.item], id, MF_BYCOMMAND | (states.enabled[d.item] ? MF_ENABLED : MF_GRAYED));
    if (d.kind == mkCheck || d.kind == mkRadio)
      CheckMenuItem(parent_[d.item], id, MF_BYCOMMAND | (states.checked[d.item] ? MF_CHECKED : MF_UNCHECKED));
    std::wstring caption = Utf8ToWide(states.caption[d.item]);
    if (!caption.empty() && caption != caption_[d.item]) {
      caption_[d.item] = caption;
      SetCaption(d.item);
    }
  }
}

void TEditorMenus::SetShortcuts(const TKeyMap& map) {
  for (const TMenuItemDef& d : MenuItemTable()) {
    if (!parent_[d.item] || d.kind == mkSepa || d.kind == mkSub) continue;
    std::wstring text = Utf8ToWide(MenuShortcutText(d.item, map));
    if (text == shortcut_[d.item]) continue;
    shortcut_[d.item] = text;
    SetCaption(d.item);
  }
}

int MenuPositionOf(HMENU menu, UINT id) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (GetMenuItemID(menu, i) == id) return i;
  // Submenu heads report -1 as their id; look at the item itself.
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info = EmptyItemInfo();
    info.fMask = MIIM_ID;
    if (GetMenuItemInfoW(menu, i, TRUE, &info) && info.wID == id) return i;
  }
  return -1;
}

void TEditorMenus::ReplaceEntries(HMENU menu, UINT firstPosition, int& count,
                                  const std::vector<TFileMenuEntry>& entries) {
  for (; count > 0; --count) DeleteMenu(menu, firstPosition, MF_BYPOSITION);
  for (const TFileMenuEntry& e : entries) {
    std::wstring text = Utf8ToWide(e.caption);
    MENUITEMINFOW info = EmptyItemInfo();
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_BITMAP;
    info.hbmpItem = ImageOf(e.image);
    info.wID = e.menuId;
    info.fState = e.checked ? MFS_CHECKED : 0;
    info.dwTypeData = text.data();
    InsertMenuItemW(menu, firstPosition + count, TRUE, &info);
    ++count;
  }
}

void TEditorMenus::SetHistoryEntries(const std::vector<TFileMenuEntry>& entries) {
  ReplaceEntries(submenu_[miMM_OpenHistory], 0, historyCount_, entries);
  ReplaceEntries(submenu_[miPU_History], 0, historyPopupCount_, entries);
}

void TEditorMenus::SetWindowEntries(const std::vector<TFileMenuEntry>& entries) {
  HMENU menu = submenu_[miMM_Window];
  int separator = MenuPositionOf(menu, MenuIdOf(miMM_WindowSepa01));
  ReplaceEntries(menu, separator + 1, windowCount_, entries);
}

void TEditorMenus::SetSelectFileEntries(const std::vector<TFileMenuEntry>& entries) {
  ReplaceEntries(submenu_[miPU_SelectFileMenu], 0, selectFileCount_, entries);
}

}  // namespace ovx
