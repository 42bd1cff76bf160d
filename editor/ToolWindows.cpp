#include "editor/ToolWindows.h"

namespace ovx {
namespace {

constexpr TCommandId kCommands[ToolWindowKindCount] = {
    cmINPUTINTEGER, cmINPUTSTRING, cmINPUTCHAR, cmBITROLL, cmBYTEROLL,
    cmADDRESSJUMP,  cmSEARCH,      cmREPLACE,   cmRELATIVEJUMP, cmFILER, cmALLCODESEARCH,
};

}  // namespace

std::optional<TToolWindowKind> ToolWindowOfCommand(TCommandId id) {
  for (int k = 0; k < ToolWindowKindCount; ++k)
    if (kCommands[k] == id) return static_cast<TToolWindowKind>(k);
  return std::nullopt;
}

TCommandId CommandOfToolWindow(TToolWindowKind kind) { return kCommands[kind]; }

bool ToolWindowRefusedWhenViewOnly(TToolWindowKind kind) {
  switch (kind) {
    case twInputInt: case twInputStr: case twInputChar: case twBitRoll: case twByteRoll: case twReplace:
      return true;
    default:
      return false;
  }
}

TToolWindowAction ToolWindowToggle(TToolWindowKind kind, bool open, bool viewOnly) {
  // A refused command does nothing at all: it neither opens the window nor closes one that was
  // opened before the view became view-only.
  if (viewOnly && ToolWindowRefusedWhenViewOnly(kind)) return twaNothing;
  return open ? twaClose : twaCreate;
}

}  // namespace ovx
