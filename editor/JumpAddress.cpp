#include "editor/JumpAddress.h"

namespace ovx {

bool CheckJumpAddress(std::int64_t& target, std::int64_t size, TUserPrompt& prompt) {
  if (target < 0) {
    if (prompt.MessageDlgBeep(kJumpBeforeStartText, mtWarning, mbOK | mbAbort) != mrOk) return false;
    target = 0;
  }
  if (target > size) {
    if (prompt.MessageDlgBeep(kJumpPastEndText, mtWarning, mbOK | mbAbort) != mrOk) return false;
    target = size;
  }
  return true;
}

std::int64_t AddressJumpTarget(TAddressMode mode, std::uint64_t value, std::int64_t caret) {
  // Unsigned: documents stay below 2 GiB, so a large value is far past an edge, never a step back.
  const std::int64_t v = static_cast<std::uint32_t>(value);
  switch (mode) {
    case amForward: return caret + v;
    case amBackward: return caret - v;
    default: return v;
  }
}

std::optional<std::int64_t> RelativeJumpTarget(std::uint64_t distance, bool upward, std::int64_t caret,
                                               std::int64_t size, TUserPrompt& prompt) {
  if (distance == 0) {
    prompt.Beep();
    return std::nullopt;
  }
  // The control holds at most 14 hexadecimal digits, so neither sum overflows.
  const std::int64_t d = static_cast<std::int64_t>(distance);
  std::int64_t target = upward ? caret - d : caret + d;
  if (!CheckJumpAddress(target, size, prompt)) return std::nullopt;
  return target;
}

TCardinalNumber RadixAfterArrow(TCardinalNumber radix, bool down) {
  return static_cast<TCardinalNumber>((radix + (down ? 1 : 2)) % 3);
}

std::int64_t LastByteAddress(std::int64_t size) { return size > 0 ? size - 1 : 0; }

}  // namespace ovx
