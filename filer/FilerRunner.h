// Runs an initialisation or end list of a template against a document: segments, byte order,
// fills, copies, pattern, integer, bit and string writes, each checked against the document's end.
#pragma once

#include "filer/FilerParser.h"
#include "filer/FilerTarget.h"
#include "model/UserPrompt.h"

namespace ovx {

// Executes the lines in order, starting at base address 0 and little-endian. A line whose range
// does not fit the document asks whether to go on (Yes: the next line; No: stop); lines already
// run stay written. Nothing is written in view-only mode.
void RunFilerSection(const TFilerCommandList& lines, TFilerTarget& target, TUserPrompt& prompt);

}  // namespace ovx
