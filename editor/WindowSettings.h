// What ApplySettings changes in an editor window's own state, and the shortcut texts
// shown beside the menu items.
#pragma once

#include <cstdint>
#include <string>

#include "editor/MenuItems.h"
#include "shell/Settings.h"

namespace ovx {

struct TWindowSettingsState {
  std::string viewOnlyExtensions = "sys;exe;com;dll;vxd";
  std::uint8_t infoByteOrder = 0;
  std::uint8_t lastIntWidth = 2;
  std::uint8_t focusRadix = 1;
  bool dialogFollow = true;
  bool dialogAutoHide = true;
  bool toolBar = true;
  bool informationPanel = true;
  bool functionBar = true;
  bool statusBar = true;
  bool compareMarks = true;
  bool compareColors = true;
  friend bool operator==(const TWindowSettingsState&, const TWindowSettingsState&) = default;
};

// The per-window choices (byte order, integer width and radix, dialog behaviour) take the
// defaults only for a new window, so later option changes keep what the user chose there.
void ApplyWindowSettings(TWindowSettingsState& state, const TEnvironmentSettings& settings);

// The text beside an item: its command's shortcut for the listed items, else empty.
std::string MenuShortcutText(TMenuItem item, const TKeyMap& map);

}  // namespace ovx
