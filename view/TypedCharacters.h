// Character entry takes the typed character together with every further character already
// waiting for the view, as long as their Shift-JIS bytes fit in one entry. What does not fit
// stays queued and is taken by the next round, so nothing typed is lost.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace ovx {

// The most Shift-JIS bytes one round of character entry takes.
inline constexpr std::size_t kMaxTypedBytes = 500;

// The characters (UTF-16 code units) waiting for the view, oldest first.
class TCharacterQueue {
 public:
  virtual ~TCharacterQueue() = default;
  // The next waiting character, left in the queue; none when no character waits next.
  virtual std::optional<char16_t> Peek() = 0;
  // Removes the character Peek returned.
  virtual void Pop() = 0;
};

// The Shift-JIS bytes of first (already taken) and of the waiting characters that fit in
// kMaxTypedBytes, taken in order up to the first that does not fit.
std::string CollectTypedCharacters(char16_t first, TCharacterQueue& queue);

}  // namespace ovx
