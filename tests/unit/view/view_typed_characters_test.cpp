#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "view/TypedCharacters.h"

namespace ovx {
namespace {

class TDequeQueue : public TCharacterQueue {
 public:
  explicit TDequeQueue(std::u16string waiting) : waiting(waiting.begin(), waiting.end()) {}
  std::optional<char16_t> Peek() override {
    if (waiting.empty()) return std::nullopt;
    return waiting.front();
  }
  void Pop() override { waiting.pop_front(); }
  std::deque<char16_t> waiting;
};

TEST(CollectTypedCharacters, TakesWhatFitsAndLeavesTheRestQueued) {
  const std::u16string a499(499, u'a');
  const std::u16string hiragana249(249, u'\u3042');  // あ: two bytes each
  struct Case {
    const char* name;
    char16_t first;
    std::u16string waiting;
    std::string want;
    std::u16string left;
  } cases[] = {
      {"nothing waits", u'x', u"", "x", u""},
      {"single bytes to the limit", u'a', a499 + u"bc", std::string(500, 'a'), u"bc"},
      {"a double-byte character that would pass the limit stays, and all after it",
       u'a', hiragana249 + u"\u3042b", "a" + [] {
         std::string s;
         for (int i = 0; i < 249; ++i) s += "\x82\xA0";
         return s;
       }(), u"\u3042b"},
      {"control characters are taken as they come", u'A', u"\r\u3042z", "A\r\x82\xA0z", u""},
      {"a pair of surrogates is one character without a form", u'a', u"\U0001F600b", "a?b", u""},
      {"the first character is a pair's first half", u'\xD83D', u"\xDE00z", "?z", u""},
  };
  for (const Case& c : cases) {
    TDequeQueue queue(c.waiting);
    EXPECT_EQ(CollectTypedCharacters(c.first, queue), c.want) << c.name;
    EXPECT_EQ(std::u16string(queue.waiting.begin(), queue.waiting.end()), c.left) << c.name;
  }
}

}  // namespace
}  // namespace ovx
