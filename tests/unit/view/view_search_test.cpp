// The view's search: the stored pattern, repeated searches in both directions, the filter of
// differing regions, and the replace loop with its answers and its one undo step.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <utility>

#include "tests/unit/view/view_test_host.h"

namespace ovx::test {
namespace {

std::vector<std::uint8_t> BytesOf(const std::string& s) { return {s.begin(), s.end()}; }

class SearchTest : public ViewTest {
 protected:
  TMemoryModule partner;
  std::string Text() const {
    const auto b = Bytes();
    return {b.begin(), b.end()};
  }
};

constexpr char kNotFound[] = "検索情報が見付かりません.";

TEST_F(SearchTest, SearchesAndRepeatedSearchesWalkTheMatches) {
  // Steps: s/b new search forwards/backwards, n/p SEARCHNEXT/SEARCHPREV, m caret moved by hand to
  // arg, e the comparison ends. After each: the caret, or -1 when the search found nothing.
  struct Step {
    char op;
    std::int32_t arg;
    std::int32_t caret;
  };
  struct Case {
    const char* name;
    std::string doc, partner;  // a partner compares and searches differing regions only
    std::int32_t start;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"a match at the caret counts, the next one follows", "xxABxxABxx", "", 2,
       {{'s', 0, 2}, {'n', 0, 6}, {'n', 0, -1}, {'p', 0, 2}}},
      {"after a move onto a match it is found there", "ABxABxAB", "", 0,
       {{'s', 0, 0}, {'m', 3, 3}, {'n', 0, 3}, {'n', 0, 6}}},
      {"backwards from the end finds the match ending at the last byte", "ABxAB", "", 0,
       {{'s', 0, 0}, {'m', 5, 5}, {'p', 0, 3}, {'p', 0, 0}, {'p', 0, -1}}},
      {"a backward search from the end, then the direction flips", "ABxABxAB", "", 8,
       {{'b', 0, 6}, {'p', 0, 3}, {'n', 0, 6}, {'n', 0, -1}}},
      {"nothing found leaves the caret", "xxxx", "", 1, {{'s', 0, -1}, {'n', 0, -1}}},
      {"only matches touching a difference count, until the comparison ends", "ABABAB", "ABAxAB", 0,
       {{'s', 0, 2}, {'n', 0, -1}, {'e', 0, 2}, {'n', 0, 4}}},
  };
  const auto pattern = BytesOf("AB");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(BytesOf(c.doc));
    const bool filter = !c.partner.empty();
    if (filter) {
      partner.Clear();
      partner.InsertData(reinterpret_cast<const std::uint8_t*>(c.partner.data()), 0,
                         static_cast<std::int32_t>(c.partner.size()));
      ASSERT_TRUE(view.CompareWithModule(partner));
    }
    view.SetCaret(c.start, 0);
    for (const Step& s : c.steps) {
      SCOPED_TRACE(std::string(1, s.op));
      prompt.messages.clear();
      const std::int32_t before = view.CaretAddress();
      switch (s.op) {
        case 's': view.SearchData(pattern.data(), 2, false, filter); break;
        case 'b': view.SearchData(pattern.data(), 2, true, filter); break;
        case 'n': view.SearchNext(); break;
        case 'p': view.SearchPrev(); break;
        case 'm': view.SetCaret(s.arg, 0); break;
        case 'e': view.EndCompare(); break;
      }
      if (s.caret < 0) {
        EXPECT_EQ(prompt.messages, std::vector<std::string>{kNotFound});
        EXPECT_EQ(view.CaretAddress(), before);
      } else {
        EXPECT_TRUE(prompt.messages.empty());
        EXPECT_EQ(view.CaretAddress(), s.caret);
      }
      if (s.op == 's' || s.op == 'b' || ((s.op == 'n' || s.op == 'p') && s.caret >= 0)) {
        EXPECT_EQ(view.FoundSearchMatch(), s.caret >= 0);
        EXPECT_EQ(view.PaintInput().highlightStart, s.caret >= 0 ? s.caret : -1);
      }
    }
    view.EndCompare();
  }
}

TEST_F(SearchTest, RepeatingBeforeAnySearchAsksForTheSearchDialog) {
  Load(BytesOf("ABAB"));
  view.SearchNext();
  view.SearchPrev();
  EXPECT_EQ(host.commands, (std::vector<TCommandId>{cmSEARCH, cmSEARCH}));
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(SearchTest, LastPatternIsTheStoredOneByLengthAndBytes) {
  Load(BytesOf("xxABCxx"));
  const auto abc = BytesOf("ABC"), abd = BytesOf("ABD"), ab = BytesOf("AB");
  EXPECT_FALSE(view.IsLastPattern(abc.data(), 3));  // nothing stored yet
  view.SearchData(abc.data(), 3, false, false);
  EXPECT_TRUE(view.IsLastPattern(abc.data(), 3));
  EXPECT_FALSE(view.IsLastPattern(abd.data(), 3));
  EXPECT_FALSE(view.IsLastPattern(ab.data(), 2));
  EXPECT_FALSE(view.IsLastPattern(abc.data(), 0));
  view.SearchData(abd.data(), 3, false, false);  // not found, and still stored
  EXPECT_TRUE(view.IsLastPattern(abd.data(), 3));
}

TEST_F(SearchTest, ReplaceLoopAnswersDirectionsAndOneUndoStep) {
  struct Case {
    const char* name;
    std::string doc;
    std::int32_t caret;
    std::string pattern, replacement;
    bool backward, confirm;
    std::deque<TReplaceAnswer> answers;
    std::string result;
    std::int32_t finalCaret;
  };
  const Case cases[] = {
      {"AA by B forwards", "AAAA", 0, "AA", "B", false, false, {}, "BB", 2},
      {"AA by B backwards from the end", "AAAA", 4, "AA", "B", true, false, {}, "BB", 1},
      {"from the caret only", "ABxABxAB", 1, "AB", "C", false, false, {}, "ABxCxC", 6},
      {"yes, no, yes", "ABxABxAB", 0, "AB", "C", false, true, {raYes, raNo, raYes}, "CxABxC", 6},
      {"all at the first question", "ABABAB", 0, "AB", "CD", false, true, {raAll}, "CDCDCD", 6},
      {"cancel leaves the caret on the match shown", "ABxAB", 0, "AB", "C", false, true, {raYes, raCancel},
       "CxAB", 2},
      {"no and yes backwards", "ABxAB", 5, "AB", "C", true, true, {raNo, raYes}, "CxAB", 1},
      {"a longer replacement is not searched again", "AB", 0, "AB", "ABAB", false, false, {}, "ABAB", 4},
      {"an empty replacement deletes every match", "ABxABAB", 0, "AB", "", false, false, {}, "x", 1},
      {"nothing found", "xyz", 2, "AB", "C", false, true, {}, "xyz", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(BytesOf(c.doc));
    view.SetCaret(c.caret, 0);
    std::deque<TReplaceAnswer> answers = c.answers;
    int asked = 0;
    const auto ask = [&] {
      ++asked;
      EXPECT_EQ(view.PaintInput().highlightStart, view.CaretAddress());  // the match is shown in bold
      if (answers.empty()) {
        ADD_FAILURE() << "asked once too often";
        return raCancel;
      }
      const TReplaceAnswer a = answers.front();
      answers.pop_front();
      return a;
    };
    const auto p = BytesOf(c.pattern), r = BytesOf(c.replacement);
    host.paints = 0;
    view.ReplaceData(p.data(), static_cast<std::int32_t>(p.size()), r.data(), static_cast<std::int32_t>(r.size()),
                     false, c.confirm, c.backward, ask);
    EXPECT_TRUE(answers.empty()) << "questions left unasked";
    EXPECT_EQ(Text(), c.result);
    EXPECT_EQ(view.CaretAddress(), c.finalCaret);
    EXPECT_TRUE(prompt.messages.empty());
    if (!c.confirm) EXPECT_LE(host.paints, 3) << "a replace-all repaints once, not per match";
    if (c.result == c.doc) {
      EXPECT_FALSE(view.History().CanUndo());
      continue;
    }
    view.Undo();
    EXPECT_EQ(Text(), c.doc) << "one undo takes back every replacement";
    view.Redo();
    EXPECT_EQ(Text(), c.result);
  }
}

TEST_F(SearchTest, WhatHappensDuringAQueryChangesNotWhatTheReplaceWorksOn) {
  // At the first question something else runs in the view: a search for another pattern
  // (forwards or upwards), or the end of the comparison a differences-only replace counts on.
  struct Case {
    const char* name;
    std::string doc, partner;
    char during;  // 's' search "xx" forwards, 'b' search "xx" upwards, 'e' end the comparison
    std::string result;
  };
  const Case cases[] = {
      {"a search for other bytes", "ABxxABxxAB", "", 's', "AAxxAAxxAA"},
      {"an upward search", "ABxxABxxAB", "", 'b', "AAxxAAxxAA"},
      {"the comparison ends: the rest is not replaced", "ABxxABxxAB", "ABxxAXxxAX", 'e', "ABxxAAxxAB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(BytesOf(c.doc));
    if (!c.partner.empty()) {
      partner.Clear();
      partner.InsertData(reinterpret_cast<const std::uint8_t*>(c.partner.data()), 0,
                         static_cast<std::int32_t>(c.partner.size()));
      ASSERT_TRUE(view.CompareWithModule(partner));
    }
    view.SetCaret(0, 0);
    bool first = true;
    const auto ask = [&] {
      if (std::exchange(first, false)) {
        const auto other = BytesOf("xx");
        if (c.during == 'e') view.EndCompare();
        else view.SearchData(other.data(), 2, c.during == 'b', false);
      }
      return raYes;
    };
    const auto p = BytesOf("AB"), r = BytesOf("AA");
    prompt.messages.clear();
    prompt.beeps = 0;
    view.ReplaceData(p.data(), 2, r.data(), 2, !c.partner.empty(), true, false, ask);
    EXPECT_EQ(Text(), c.result);
    EXPECT_EQ(prompt.beeps, c.during == 'e' ? 0 : 1) << "a search during the loop is refused with a beep";
    view.Undo();
    EXPECT_EQ(Text(), c.doc) << "one undo takes back every replacement";
  }
}

// A replace that only counts differing regions compares every byte with the partner's byte it
// stood beside before the replace began, whatever the replacements before it did to the length.
TEST_F(SearchTest, DifferencesOnlyReplaceComparesWithThePartnerByteItStoodBeside) {
  const std::string gap(5000, 'x');  // matches in different blocks
  struct Case {
    const char* name;
    std::string doc;
    std::vector<std::size_t> differing;  // where the partner differs from the document
    std::string replacement;
    bool backward;
    std::string result;
  };
  const Case cases[] = {
      {"longer, forwards", "ABxxABxxABxxAB", {1}, "ABC", false, "ABCxxABxxABxxAB"},
      {"longer, backwards", "ABxxABxxABxxAB", {1}, "ABC", true, "ABCxxABxxABxxAB"},
      {"longer, first and last", "ABxxABxxABxxAB", {1, 13}, "ABC", false, "ABCxxABxxABxxABC"},
      {"shorter, first and last", "ABxxABxxABxxAB", {1, 13}, "C", false, "CxxABxxABxxC"},
      {"several blocks", "AB" + gap + "AB" + gap + "AB", {0, 10005}, "ABCD", false,
       "ABCD" + gap + "AB" + gap + "ABCD"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(BytesOf(c.doc));
    std::string other = c.doc;
    for (std::size_t at : c.differing) other[at] = '?';
    partner.Clear();
    partner.InsertData(reinterpret_cast<const std::uint8_t*>(other.data()), 0, static_cast<std::int32_t>(other.size()));
    ASSERT_TRUE(view.CompareWithModule(partner));
    view.SetCaret(c.backward ? static_cast<std::int32_t>(c.doc.size()) : 0, 0);
    const auto p = BytesOf("AB"), r = BytesOf(c.replacement);
    view.ReplaceData(p.data(), 2, r.data(), static_cast<std::int32_t>(r.size()), true, false, c.backward, nullptr);
    EXPECT_TRUE(Text() == c.result) << Text().size();
    view.EndCompare();
  }
}

// A replace whose one undo step would not fit the undo budget asks once before it starts (or at
// "all"): OK goes on without undo, 中止 keeps everything as it was, the earlier history included.
TEST_F(SearchTest, AReplaceBeyondTheUndoBudgetAsksOnceFirst) {
  const std::string kQuestion =
      "この置換はアンドゥバッファに収まりません.\r\n続けると, この置換とそれまでの作業は元に戻せなくなります.\r\n"
      "置換を続けますか？";
  struct Case {
    const char* name;
    int matches;
    bool confirm;  // asked per match, answered "all" at the first
    std::deque<TModalResult> answers;
    bool asked, replaced, earlierUndoable;
  };
  const Case cases[] = {
      {"fits: no question", 5, false, {}, false, true, true},
      {"beyond, abort", 20, false, {mrAbort}, true, false, true},
      {"beyond, go on", 20, false, {mrOk}, true, true, false},
      {"all at the first question, abort", 20, true, {mrAbort}, true, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string doc = "z";
    for (int i = 0; i < c.matches; ++i) doc += "AB";
    Load(BytesOf(doc));
    view.History().SetLimit(10 * TEditHistory::kNodeCharge);
    TEditRecord earlier;  // an earlier step of the history: "7" over the "z"
    earlier.kind = ekOverwrite;
    earlier.data = reinterpret_cast<const std::uint8_t*>("7");
    earlier.dataLength = 1;
    ASSERT_TRUE(view.History().ApplyEdit(earlier, false));
    view.History().CloseUndoGroup();
    const std::string before = Text();
    prompt.messages.clear();
    prompt.answers = c.answers;
    const auto p = BytesOf("AB"), r = BytesOf("C");
    view.ReplaceData(p.data(), 2, r.data(), 1, false, c.confirm, false, [] { return raAll; });
    EXPECT_EQ(prompt.messages, c.asked ? std::vector<std::string>{kQuestion} : std::vector<std::string>{});
    EXPECT_EQ(Text(), c.replaced ? "7" + std::string(static_cast<std::size_t>(c.matches), 'C') : before);
    if (c.replaced && c.earlierUndoable) {
      view.Undo();
      EXPECT_EQ(Text(), before);
    }
    EXPECT_EQ(view.History().CanUndo(), c.earlierUndoable);
    if (!c.earlierUndoable) continue;
    view.Undo();
    EXPECT_EQ(Text(), doc);
  }
}

TEST_F(SearchTest, ViewOnlyReplacesNothing) {
  Load(BytesOf("ABAB"));
  view.SetInputMode(imViewOnly);
  const auto p = BytesOf("AB"), r = BytesOf("C");
  view.ReplaceData(p.data(), 2, r.data(), 1, false, false, false, nullptr);
  EXPECT_EQ(Text(), "ABAB");
  EXPECT_FALSE(view.History().CanUndo());
}

}  // namespace
}  // namespace ovx::test
