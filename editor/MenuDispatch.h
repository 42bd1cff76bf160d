// Command dispatch of an editor window: a command id from a key, a function-key button or
// the view reaches the window here. The enabled states are recomputed first and a command
// clicks its menu item, so a disabled item's command does nothing.
#pragma once

#include "editor/MenuEnabling.h"

namespace ovx {

// The private message (WM_USER + 10) that opens a submenu at the caret; its second
// parameter carries the submenu's command id.
constexpr unsigned MenuPopupMessage = 0x40A;

// What the window does for a command, given the states evtEnableSetting produced.
enum TDispatchKind : unsigned char {
  dkNothing,      // no menu item, or the item is disabled
  dkPostPopup,    // post MenuPopupMessage with the command id to the window itself
  dkOpenMenuBar,  // post the key-menu system command (0xF100)
  dkClickItem,    // run the item's handler
};
struct TMenuDispatch {
  TDispatchKind kind = dkNothing;
  TMenuItem item = MenuItemCount;  // for dkClickItem
  friend bool operator==(const TMenuDispatch&, const TMenuDispatch&) = default;
};
TMenuDispatch DispatchMenuCommand(TCommandId id, const TMenuStates& states);

// What MenuPopupMessage shows: a submenu of the main menu, or PU_SelectFileMenu (rebuilt
// as it opens) for SELECTFILEMENU; none for any other id.
std::optional<TMenuItem> PopupMenuOfCommand(TCommandId id);

// Every submenu head runs evtEnableSetting when it opens, except the four whose items are
// radio groups (checksum, byte order, character set) and the byte operations.
bool RefreshesStatesOnOpen(TMenuItem head);

// The window side of DoMenuCommand.
class TMenuCommandSite {
 public:
  virtual ~TMenuCommandSite() = default;
  virtual TMenuStateInput MenuStateInput() = 0;
  // Shows the states on the menu items (enabled, checked, captions).
  virtual void ApplyMenuStates(const TMenuStates& states) = 0;
  virtual void PostMenuPopup(TCommandId id) = 0;
  virtual void OpenMenuBar() = 0;
  virtual void ClickMenuItem(TMenuItem item) = 0;
};

// evtEnableSetting, then the command's action.
void DoMenuCommand(TMenuCommandSite& site, TCommandId id);

}  // namespace ovx
