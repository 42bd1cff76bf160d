#include "view/ViewMenus.h"

#include "shell/KeyPress.h"

namespace ovx {

const std::vector<TContextMenuItem>& ContextMenuItems() {
  static const std::vector<TContextMenuItem> items = {
      {"PU_Undo", "元に戻す(&Z)", cmUNDO},
      {"PU_Redo", "やり直す(&Z)", cmREDO},
      {"PU_Separater01", "", NoCommand},
      {"PU_Cut", "切り取り(&X)", cmCUT},
      {"PU_Copy", "コピー(&C)", cmCOPY},
      {"PU_Paste", "張り付け(&V)", cmPASTE},
      {"PU_Delete", "削除(&D)", cmDELETE},
      {"PU_Separater02", "", NoCommand},
      {"PU_SelectAll", "全て選択(&A)", cmSELECTALL},
  };
  return items;
}

bool ContextMenuItemEnabled(TCommandId command, const TContextMenuState& s) {
  switch (command) {
    case cmUNDO: return s.undo;
    case cmREDO: return s.redo;
    case cmCUT: return s.cut;
    case cmCOPY: return s.copy;
    case cmPASTE: return s.paste;
    case cmDELETE: return s.del;
    case cmSELECTALL: return s.selectAll;
    default: return false;
  }
}

std::vector<TUserMenuEntry> UserMenuEntries(const TKeyMap& map, int userMenu) {
  std::vector<TUserMenuEntry> entries;
  for (int key = kiA; key <= kiZ; ++key) {
    TUserMenuEntry e;
    e.command = UserMenuEntry(map, userMenu, key);
    const TUserMenuItem item = UserMenuItem(e.command, key);
    e.caption = item.caption;
    e.enabled = item.enabled;
    e.columnBreak = key == kiA + 13;
    entries.push_back(e);
  }
  return entries;
}

}  // namespace ovx
