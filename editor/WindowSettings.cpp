#include "editor/WindowSettings.h"

#include "shell/ShortcutText.h"

namespace ovx {

void ApplyWindowSettings(TWindowSettingsState& state, const TEnvironmentSettings& settings) {
  state.viewOnlyExtensions = settings.ViewModeExt;
  if (settings.NewWindow) {
    state.infoByteOrder = settings.ByteOrder;
    state.lastIntWidth = settings.IntWidth;
    state.focusRadix = settings.IntCardinal;
    state.dialogFollow = settings.DialogFlattery;
    state.dialogAutoHide = settings.DialogAutoHidden;
  }
  state.toolBar = settings.ToolBar;
  state.informationPanel = settings.InformationPanel;
  state.functionBar = settings.FunctionBar;
  state.statusBar = settings.StatusBar;
  state.compareMarks = settings.CompareArrow;
  state.compareColors = settings.CompareColor;
}

std::string MenuShortcutText(TMenuItem item, const TKeyMap& map) {
  const TMenuItemDef& d = MenuItemDef(item);
  if (!d.showsShortcut) return "";
  std::optional<TShortcut> shortcut = ShortcutForCommand(map, d.command);
  return shortcut ? ShortcutText(*shortcut) : "";
}

}  // namespace ovx
