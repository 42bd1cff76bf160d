#include "view/TypedCharacters.h"

#include "charset/StrUty.h"

namespace ovx {
namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A character beyond the first plane has no Shift-JIS form: its first half already gives the
// substitute, and its second half, waiting next, is taken with it and adds nothing.
void TakeSecondHalf(char16_t taken, TCharacterQueue& queue) {
  if (!IsHighSurrogate(taken)) return;
  const std::optional<char16_t> next = queue.Peek();
  if (next && IsLowSurrogate(*next)) queue.Pop();
}

}  // namespace

std::string CollectTypedCharacters(char16_t first, TCharacterQueue& queue) {
  std::string bytes = Utf16ToSJis(std::u16string(1, first));
  TakeSecondHalf(first, queue);
  while (const std::optional<char16_t> next = queue.Peek()) {
    const std::string more = Utf16ToSJis(std::u16string(1, *next));
    if (bytes.size() + more.size() > kMaxTypedBytes) break;
    queue.Pop();
    bytes += more;
    TakeSecondHalf(*next, queue);
  }
  return bytes;
}

}  // namespace ovx
