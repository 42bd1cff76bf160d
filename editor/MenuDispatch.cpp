#include "editor/MenuDispatch.h"

namespace ovx {

TMenuDispatch DispatchMenuCommand(TCommandId id, const TMenuStates& states) {
  if (IsSubmenuCommand(id)) return {dkPostPopup};
  if (id == cmMENU) return {dkOpenMenuBar};
  std::optional<TMenuItem> item = MenuItemOfCommand(id);
  if (!item || !states.enabled[*item]) return {};
  return {dkClickItem, *item};
}

std::optional<TMenuItem> PopupMenuOfCommand(TCommandId id) {
  if (id == cmSELECTFILEMENU) return miPU_SelectFileMenu;
  for (const TMenuItemDef& d : MenuItemTable())
    if (d.kind == mkSub && d.command == id && id != NoCommand) return d.item;
  return std::nullopt;
}

bool RefreshesStatesOnOpen(TMenuItem head) {
  switch (head) {
    case miMM_ByteOperate:
    case miMM_CheckSum:
    case miMM_ByteOrder:
    case miMM_CharaSet:
      return false;
    default:
      return MenuItemDef(head).kind == mkSub;
  }
}

void DoMenuCommand(TMenuCommandSite& site, TCommandId id) {
  TMenuStates states = EnableSetting(site.MenuStateInput());
  site.ApplyMenuStates(states);
  TMenuDispatch d = DispatchMenuCommand(id, states);
  switch (d.kind) {
    case dkPostPopup: site.PostMenuPopup(id); break;
    case dkOpenMenuBar: site.OpenMenuBar(); break;
    case dkClickItem: site.ClickMenuItem(d.item); break;
    case dkNothing: break;
  }
}

}  // namespace ovx
