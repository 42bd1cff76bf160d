// The eleven modeless tool windows of an editor window: which command toggles which, and
// which of them a view-only window refuses.
#pragma once

#include <optional>

#include "shell/OvxGlobals.h"

namespace ovx {

enum TToolWindowKind : int {
  twInputInt, twInputStr, twInputChar, twBitRoll, twByteRoll, twAddressJump, twSearch, twReplace,
  twRelativeJump, twFiler, twAllCodeSearch, ToolWindowKindCount
};

// The tool window a command opens and closes, or none.
std::optional<TToolWindowKind> ToolWindowOfCommand(TCommandId id);
TCommandId CommandOfToolWindow(TToolWindowKind kind);

// Input, rotate and replace windows change data, so a view-only window does not create them.
bool ToolWindowRefusedWhenViewOnly(TToolWindowKind kind);

enum TToolWindowAction : unsigned char { twaNothing, twaCreate, twaClose };
// A command of a tool window: an open one closes (a toggle), else it is created; one refused in
// a view-only view does nothing.
TToolWindowAction ToolWindowToggle(TToolWindowKind kind, bool open, bool viewOnly);

}  // namespace ovx
