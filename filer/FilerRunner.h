// Runs an initialisation or end list of a template against a document: segments, byte order,
// fills, copies, pattern, integer, bit and string writes, each checked against the document's end.
#pragma once

#include <cstdint>

#include "filer/FilerParser.h"
#include "filer/FilerTarget.h"
#include "model/UserPrompt.h"

namespace ovx {

// Executes the lines in order, starting at base address 0 and little-endian. A line whose range
// does not fit the document asks whether to go on (Yes: the next line; No: stop); lines already
// run stay written. Nothing is written in view-only mode.
void RunFilerSection(const TFilerCommandList& lines, TFilerTarget& target, TUserPrompt& prompt);

// Large fills and copies go to the document in pieces of at most this many bytes, so that
// no buffer grows with the document.
constexpr std::int64_t kFilerWritePiece = std::int64_t{1} << 24;

// RunFilerSection with another piece size (tests use small pieces on small documents).
void RunFilerSectionInPieces(const TFilerCommandList& lines, TFilerTarget& target, TUserPrompt& prompt,
                             std::int64_t pieceBytes);

}  // namespace ovx
