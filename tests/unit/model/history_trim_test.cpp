// The byte budget: charging, dropping the oldest whole groups, the overflow beep, the limit, and
// clearing on request.
#include <gtest/gtest.h>

#include "history_fixture.h"

namespace ovx::test {
namespace {

using HistoryTrim = HistoryFixture;

TEST_F(HistoryTrim, LimitFromKilobytesIsClamped) {
  const std::pair<int, std::int64_t> cases[] = {
      {-1, 0}, {0, 0}, {1, 1024}, {128, 131072}, {1024, 1048576}, {1025, 1048576}, {INT32_MAX, 1048576}};
  for (auto [kb, bytes] : cases) EXPECT_EQ(TEditHistory::LimitFromKilobytes(kb), bytes) << kb;
  EXPECT_EQ(history.HistoryLimit(), 128 * 1024);
}

TEST_F(HistoryTrim, LimitZeroKeepsNothing) {
  history.SetLimit(0);
  Fill("ABCD");
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(Apply(ekOverwrite, i, "x"));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.HistoryUsed(), 0);
    EXPECT_EQ(history.HistoryUsagePercent(), 0);
  }
  EXPECT_EQ(TextOf(module), "xxxD");
  history.Undo();
  EXPECT_EQ(TextOf(module), "xxxD");
}

// Each case applies edits of the given charges, one group per entry of groups, under a limit.
struct TrimCase {
  const char* name;
  std::int64_t limit;
  std::vector<std::vector<int>> groups;  // data length of each insert, per group
  bool sound;
  std::int64_t nodesLeft;
  std::int64_t usedLeft;
  int beeps;
};

TEST_F(HistoryTrim, OldestWholeGroupsGoFirst) {
  const TrimCase cases[] = {
      {"all fit", 300, {{1, 1}, {1, 1, 1}}, true, 5, 300, 0},
      {"first group goes whole", 299, {{1, 1}, {1, 1, 1}}, true, 3, 180, 1},
      {"no beep when the sound is off", 299, {{1, 1}, {1, 1, 1}}, false, 3, 180, 0},
      {"two groups go, one beep each", 130, {{1}, {10}, {1}, {1}}, true, 2, 120, 2},
      {"a group larger than the limit goes whole with the current node", 100, {{1}, {1, 1}}, true, 0, 0, 2},
      {"a single node larger than the limit", 1000, {{1}, {2000}}, true, 0, 0, 2},
  };
  for (const TrimCase& c : cases) {
    SCOPED_TRACE(c.name);
    history.ClearHistory();
    history.SetLimit(c.limit);
    history.SetOverflowSound(c.sound);
    Fill("");
    prompt.beeps = 0;
    std::string expected;
    for (const auto& group : c.groups) {
      history.CloseUndoGroup();
      for (int length : group) {
        const std::string data(static_cast<std::size_t>(length), 'q');
        ASSERT_TRUE(Apply(ekInsert, 0, data));
        expected += data;
      }
    }
    EXPECT_EQ(history.NodeCount(), c.nodesLeft);
    EXPECT_EQ(history.HistoryUsed(), c.usedLeft);
    EXPECT_LE(history.HistoryUsed(), history.HistoryLimit());
    EXPECT_EQ(prompt.beeps, c.beeps);
    EXPECT_EQ(history.CanUndo(), c.nodesLeft > 0);
    EXPECT_EQ(TextOf(module).size(), expected.size());  // trimming never touches the document
  }
}

TEST_F(HistoryTrim, LoweringTheLimitTrimsAtOnceAndRaisesStateChange) {
  history.SetOverflowSound(true);
  Fill("");
  for (int i = 0; i < 4; ++i) {
    history.CloseUndoGroup();
    Apply(ekInsert, 0, std::string(1, static_cast<char>('a' + i)));
  }
  EXPECT_EQ(TextOf(module), "dcba");
  const int before = stateChanges;
  history.SetLimit(4 * 60);
  EXPECT_EQ(stateChanges, before);  // nothing dropped
  EXPECT_EQ(prompt.beeps, 0);
  history.SetLimit(2 * 60 + 59);
  EXPECT_EQ(history.NodeCount(), 2);
  EXPECT_EQ(prompt.beeps, 2);
  EXPECT_EQ(stateChanges, before + 1);
  history.Undo();
  history.Undo();
  EXPECT_FALSE(history.CanUndo());
  EXPECT_EQ(TextOf(module), "ba");
}

// The current node may be dropped while newer ones stay: the document is then where the first
// remaining node starts, so nothing can be undone and redo goes on from there.
TEST_F(HistoryTrim, DroppingTheCurrentNodeKeepsRedoCorrect) {
  Fill("");
  for (int i = 0; i < 3; ++i) {
    history.CloseUndoGroup();
    Apply(ekInsert, i, std::string(1, static_cast<char>('a' + i)));
  }
  history.Undo();
  history.Undo();
  EXPECT_EQ(TextOf(module), "a");
  history.SetLimit(2 * 60);  // the oldest group, holding the current node, goes
  EXPECT_FALSE(history.CanUndo());
  EXPECT_TRUE(history.CanRedo());
  history.Redo();
  EXPECT_EQ(TextOf(module), "ab");
  history.Redo();
  EXPECT_EQ(TextOf(module), "abc");
  EXPECT_FALSE(history.CanRedo());
  history.Undo();
  history.Undo();
  EXPECT_EQ(TextOf(module), "a");
  EXPECT_FALSE(history.CanUndo());
}

// An undone group was recorded against a document that no longer exists once an older group is
// gone, so a trim that reaches one leaves nothing to redo; one that stops before keeps it all.
TEST_F(HistoryTrim, TrimmingIntoUndoneGroupsDropsTheRedoPart) {
  struct Case {
    const char* name;
    int edits;  // how many of the script's edits, each its own group
    int undos;
    std::int64_t limit;
    std::int64_t nodesLeft;
    const char* afterRedoAll;
    const char* afterUndoAll;
  };
  // "123" → "X123" → "23" → "2Y3".
  const Case cases[] = {
      {"everything undone, the oldest group goes", 2, 2, 60, 0, "123", "123"},
      {"the current group goes, then an undone one", 3, 2, 60, 0, "X123", "X123"},
      {"only the current group goes", 3, 2, 120, 2, "2Y3", "X123"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    history.ClearHistory();
    history.SetLimit(TEditHistory::LimitFromKilobytes(TEditHistory::kDefaultUndoBufferKB));
    Fill("123");
    const auto edit = [this](int i) {
      if (i == 0) return Apply(ekInsert, 0, "X");
      if (i == 1) return Apply(ekDelete, 0, "", 2);
      return Apply(ekInsert, 1, "Y");
    };
    for (int i = 0; i < c.edits; ++i) {
      history.CloseUndoGroup();
      ASSERT_TRUE(edit(i));
    }
    for (int i = 0; i < c.undos; ++i) history.Undo();
    const std::string before = TextOf(module);
    history.SetLimit(c.limit);
    EXPECT_EQ(TextOf(module), before);
    EXPECT_EQ(history.NodeCount(), c.nodesLeft);
    EXPECT_EQ(history.HistoryUsed(), c.nodesLeft * 60);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.CanRedo(), c.nodesLeft > 0);
    while (history.CanRedo()) history.Redo();
    EXPECT_EQ(TextOf(module), c.afterRedoAll);
    while (history.CanUndo()) history.Undo();
    EXPECT_EQ(TextOf(module), c.afterUndoAll);
  }
}

TEST_F(HistoryTrim, UsagePercent) {
  history.SetLimit(1000);
  Fill("");
  EXPECT_EQ(history.HistoryUsagePercent(), 0);
  Apply(ekInsert, 0, "x");
  EXPECT_EQ(history.HistoryUsagePercent(), 6);
  Apply(ekInsert, 0, std::string(880, 'y'));
  EXPECT_EQ(history.HistoryUsagePercent(), 100);
  history.SetLimit(0);
  EXPECT_EQ(history.HistoryUsagePercent(), 0);
}

TEST_F(HistoryTrim, ClearHistoryFreesEverything) {
  Fill("");
  Apply(ekInsert, 0, "123456");
  history.CloseUndoGroup();
  Apply(ekInsert, 0, "7");
  history.Undo();
  history.ClearHistory();
  EXPECT_EQ(history.HistoryUsed(), 0);
  EXPECT_EQ(history.NodeCount(), 0);
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(TextOf(module), "123456");
}

const char kClearQuestion[] =
    "履歴を消去しようとしています.\r\nこの処理を行うと今まで行った処理を元に戻したりやり直し出来なくなります.\r\n"
    "履歴の消去を実行しますか？";

TEST_F(HistoryTrim, ConfirmClearHistoryAsksOnlyWhenThereIsHistory) {
  struct Case {
    const char* name;
    bool undone;  // everything undone: only redo is possible
    TModalResult answer;
    bool cleared;
  };
  const Case cases[] = {
      {"yes clears", false, mrYes, true},
      {"abort keeps", false, mrAbort, false},
      {"closed keeps", false, mrNone, false},
      {"redo only, yes clears", true, mrYes, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    history.ClearHistory();
    Fill("A");
    Apply(ekInsert, 0, "x");
    if (c.undone) history.Undo();
    prompt.shown.clear();
    prompt.answers = {c.answer};
    EXPECT_EQ(history.ConfirmClearHistory(), c.cleared);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], (TShownBox{kClearQuestion, mtConfirmation, mbYes | mbAbort}));
    EXPECT_EQ(history.CanUndo() || history.CanRedo(), !c.cleared);
  }
  history.ClearHistory();
  prompt.shown.clear();
  EXPECT_FALSE(history.ConfirmClearHistory());
  EXPECT_TRUE(prompt.shown.empty());
}

}  // namespace
}  // namespace ovx::test
