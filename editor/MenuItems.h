// The menus of an editor window as data: every item of the main menu and of the popup
// menus with its caption, command, picture and nesting. The Win32 layer builds its menus
// from this table at run time, so captions, commands and pictures have one source.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "editor/ToolBarImages.h"
#include "shell/OvxGlobals.h"

namespace ovx {

enum TMenuItem : int {
#define OVX_MENU_ITEM(name, depth, kind, caption, command, image, shortcut) mi##name,
#include "editor/MenuItems.inc"
#undef OVX_MENU_ITEM
  MenuItemCount
};

enum TMenuItemKind : std::uint8_t {
  mkSub,    // submenu head
  mkCmd,    // plain item
  mkRadio,  // radio item of its group
  mkCheck,  // item with a check mark
  mkSepa,   // separator
  mkPopup,  // a popup menu (root of its items)
};

struct TMenuItemDef {
  TMenuItem item;
  const char* name;     // "MM_SaveFile"
  int depth;            // 0: menu bar head or popup menu
  TMenuItemKind kind;
  const char* caption;  // UTF-8, with its accelerator as "(&X)"; "-" for a separator
  TCommandId command;   // the command that reaches the item, -1 for none
  int image;            // index into ToolBarImages, -1 for none
  bool showsShortcut;   // shows the key bound to its command beside the caption
};

// The whole table in menu order; entry i describes item i.
const TMenuItemDef (&MenuItemTable())[MenuItemCount];
const TMenuItemDef& MenuItemDef(TMenuItem item);

// The main menu item a command clicks, or none (submenu heads included).
std::optional<TMenuItem> MenuItemOfCommand(TCommandId id);
std::optional<TMenuItem> MenuItemByName(std::string_view name);

// The submenu commands (FILEMENU ... HELPMENU, SELECTFILEMENU) open a menu at the caret.
bool IsSubmenuCommand(TCommandId id);

// Whether the item belongs to the main menu (rather than to a popup menu).
bool IsMainMenuItem(TMenuItem item);

// The item whose handler a popup item shares (PU_NewFile runs MM_NewFile's), else itself.
TMenuItem HandlerItem(TMenuItem item);

// WM_COMMAND ids of menu items and of the entries rebuilt at run time. Command ids do not
// fit the 16 bits of a menu id, so items are numbered by their table position.
constexpr int MenuIdBase = 0x1000;                 // + TMenuItem
// History entries take the upper half of the ids (up to 0xEFFF), so the menus list as many
// files as the history holds, as the notification-area menu does.
constexpr int HistoryEntryIdBase = 0x8000;         // + 0-based history position
constexpr int MaxHistoryEntryIds = 0x7000;
constexpr int WindowEntryIdBase = 0x2100;          // + 0-based window position, Window menu
constexpr int MoreWindowsId = 0x2109;              // "& : more..."
constexpr int SelectFileEntryIdBase = 0x2200;      // + 0-based window position, PU_SelectFileMenu
constexpr int MenuIdOf(TMenuItem item) { return MenuIdBase + item; }
// The item of a WM_COMMAND id, or none for ids that are not table items.
std::optional<TMenuItem> MenuItemOfId(int menuId);

}  // namespace ovx
