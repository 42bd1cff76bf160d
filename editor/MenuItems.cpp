#include "editor/MenuItems.h"

namespace ovx {
namespace {

constexpr TCommandId cmNONE = NoCommand;

const TMenuItemDef kTable[MenuItemCount] = {
#define OVX_MENU_ITEM(name, depth, kind, caption, command, image, shortcut) \
  {mi##name, #name, depth, mk##kind, caption, cm##command, im##image, shortcut},
#include "editor/MenuItems.inc"
#undef OVX_MENU_ITEM
};

}  // namespace

const TMenuItemDef (&MenuItemTable())[MenuItemCount] { return kTable; }

const TMenuItemDef& MenuItemDef(TMenuItem item) { return kTable[item]; }

std::optional<TMenuItem> MenuItemOfCommand(TCommandId id) {
  if (id == NoCommand) return std::nullopt;
  for (const TMenuItemDef& d : kTable)
    if (d.command == id && d.kind != mkSub && IsMainMenuItem(d.item)) return d.item;
  return std::nullopt;
}

std::optional<TMenuItem> MenuItemByName(std::string_view name) {
  for (const TMenuItemDef& d : kTable)
    if (name == d.name) return d.item;
  return std::nullopt;
}

bool IsSubmenuCommand(TCommandId id) {
  if (id == cmSELECTFILEMENU) return true;
  for (const TMenuItemDef& d : kTable)
    if (d.kind == mkSub && d.command == id && id != NoCommand) return true;
  return false;
}

bool IsMainMenuItem(TMenuItem item) { return item >= 0 && item < miPU_History; }

TMenuItem HandlerItem(TMenuItem item) {
  switch (item) {
    case miPU_WindowList: return miMM_WindowList;
    case miPU_NewFile: return miMM_NewFile;
    case miPU_OpenFile: return miMM_OpenFile;
    default: return item;
  }
}

std::optional<TMenuItem> MenuItemOfId(int menuId) {
  int index = menuId - MenuIdBase;
  if (index < 0 || index >= MenuItemCount) return std::nullopt;
  return static_cast<TMenuItem>(index);
}

}  // namespace ovx
