// Where the address jump and the relative jump move the caret: the target of each, the bounds
// check both share (a target before the start or past the end asks whether to stop there), and
// the relative jump tool's radix cycling.
#pragma once

#include <cstdint>
#include <optional>

#include "charset/InputFrameRules.h"
#include "model/UserPrompt.h"

namespace ovx {

inline constexpr char kJumpBeforeStartText[] =
    "指定のアドレスがファイル先頭を越えています.\r\nファイル先頭にジャンプします.";
inline constexpr char kJumpPastEndText[] =
    "指定のアドレスがファイル末尾を越えています.\r\nファイル末尾にジャンプします.";

// A target before 0 asks whether to go to 0, one past size (the end position, where the caret may
// stand) whether to go to size; OK moves the target there, 中止 refuses the jump (false).
bool CheckJumpAddress(std::int64_t& target, std::int64_t size, TUserPrompt& prompt);

// The address jump: the frame's net value read as an unsigned 32-bit number, taken as the address or
// as a distance forwards or backwards from the caret.
std::int64_t AddressJumpTarget(TAddressMode mode, std::uint64_t value, std::int64_t caret);

// The relative jump by the tool's distance, backwards when upward. A distance of 0 only beeps;
// the target is checked as above. None when nothing is to happen.
std::optional<std::int64_t> RelativeJumpTarget(std::uint64_t distance, bool upward, std::int64_t caret,
                                               std::int64_t size, TUserPrompt& prompt);

// The radix the Up (previous) or Down (next) arrow key chooses in the cycle Bin → Dec → Hex → Bin.
TCardinalNumber RadixAfterArrow(TCardinalNumber radix, bool down);

// The largest address the address jump dialog shows: the last byte's (0 for an empty document).
std::int64_t LastByteAddress(std::int64_t size);

}  // namespace ovx
