// The search and replace dialogs' rules: the data checks, continuing from a match, the remembered
// integer width and the place of the replace query window.
#include <gtest/gtest.h>

#include "editor/SearchRules.h"
#include "model/UserPrompt.h"

namespace ovx {
namespace {

TEST(SearchRules, DataChecksGiveTheirTextsAndButtons) {
  struct Case {
    bool replacement;
    TDataPage page;
    bool empty;
    std::optional<TDataWarning> warning;
  };
  const unsigned retry = mbAbort | mbRetry, goOn = mbYes | mbAbort | mbRetry;
  const Case cases[] = {
      {false, dpInteger, false, std::nullopt},
      {false, dpString, false, std::nullopt},
      {false, dpString, true, TDataWarning{"空の文字列を検索することは出来ません.", retry}},
      {false, dpCharacter, true, TDataWarning{"キャラクタが選択されていません.", retry}},
      {false, dpBinary, true, TDataWarning{"空のバイナリ列を検索することは出来ません.", retry}},
      {false, dpBinary, false, std::nullopt},
      {true, dpInteger, false, std::nullopt},
      {true, dpString, true, TDataWarning{"空の文字列が指定されています.\r\n検索にマッチした部分は削除されます.", goOn}},
      {true, dpCharacter, true, TDataWarning{"キャラクタが選択されていません.", retry}},
      {true, dpBinary, true,
       TDataWarning{"空のバイナリ列が指定されています.\r\n検索にマッチした部分は削除されます.", goOn}},
      {true, dpNull, true, TDataWarning{"ヌル型が指定されています.\r\n検索にマッチした部分は削除されます.", goOn}},
      {true, dpCharacter, false, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.replacement ? "replacement" : "search") << " page " << int(c.page));
    EXPECT_EQ(c.replacement ? ReplaceDataWarning(c.page, c.empty) : SearchDataWarning(c.page, c.empty), c.warning);
  }
}

TEST(SearchRules, SearchContinuesOnlyFromTheSamePatternsMatchAtTheCaret) {
  struct Case {
    bool matchAtCaret, samePattern, forward;
    TSearchStep step;
  };
  const Case cases[] = {
      {true, true, true, ssContinueForward},  {true, true, false, ssContinueBackward},
      {false, true, true, ssNewSearch},       {true, false, false, ssNewSearch},
      {false, false, true, ssNewSearch},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SearchStepOf(c.matchAtCaret, c.samePattern, c.forward), c.step)
        << c.matchAtCaret << c.samePattern << c.forward;
}

TEST(SearchRules, TheSearchFramesWidthWinsOverTheReplacements) {
  struct Case {
    std::optional<std::uint8_t> search, replacement;
    std::uint8_t expected;
  };
  const Case cases[] = {{std::nullopt, std::nullopt, 2}, {1, std::nullopt, 1}, {std::nullopt, 0, 0}, {3, 1, 3}};
  for (const Case& c : cases) EXPECT_EQ(LastIntWidthAfterReplace(2, c.search, c.replacement), c.expected);
}

TEST(SearchRules, QueryWindowBelowTheCaretAndInsideTheWorkArea) {
  const TScreenRect work{0, 0, 1024, 740};
  struct Case {
    const char* name;
    int x, y, charHeight;
    TScreenRect expected;
  };
  const Case cases[] = {
      {"one and a half lines below", 100, 200, 13, {100, 219, 472, 271}},
      {"past the right edge", 900, 200, 12, {652, 218, 1024, 270}},
      {"past the bottom", 100, 720, 12, {100, 688, 472, 740}},
      {"lower right corner", 1010, 735, 16, {652, 688, 1024, 740}},
      {"left of the work area", -50, 10, 12, {0, 28, 372, 80}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReplaceQueryPlace(c.x, c.y, c.charHeight, 372, 52, work), c.expected) << c.name;
}

}  // namespace
}  // namespace ovx
