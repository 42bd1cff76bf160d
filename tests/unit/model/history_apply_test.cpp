// Applying, undoing and redoing single edits and groups of them.
#include <gtest/gtest.h>

#include <climits>

#include "history_fixture.h"

namespace ovx::test {
namespace {

using HistoryApply = HistoryFixture;

// Every kind once: the change it makes, and undo and redo bringing the document back and forth.
struct KindCase {
  const char* name;
  std::string start;
  TEditKind kind;
  std::int32_t position;
  std::string data;       // new bytes (insert, overwrite, replace)
  std::int32_t range;     // range length
  std::int32_t amount;    // rotation amount
  std::string expected;
  std::int64_t charge;    // history usage afterwards
};

TEST_F(HistoryApply, EveryKindChangesUndoesAndRedoes) {
  const std::string abc = "\x12\x34\x56";
  const KindCase cases[] = {
      {"insert in place", "ABCD", ekInsert, 2, "xy", 0, 0, "ABxyCD", 60},
      {"insert 5 bytes charged", "AB", ekInsert, 1, "12345", 0, 0, "A12345B", 65},
      {"insert at the end", "AB", ekInsert, 2, "z", 0, 0, "ABz", 60},
      {"insert into empty", "", ekInsert, 0, "hello", 0, 0, "hello", 65},
      {"overwrite inside", "ABCDEF", ekOverwrite, 1, "xyz", 0, 0, "AxyzEF", 60},
      {"overwrite past the end grows", "ABCDEFGH", ekOverwrite, 4, "0123456789", 0, 0, "ABCD0123456789", 70},
      {"overwrite at the end appends", "AB", ekOverwrite, 2, "cd", 0, 0, "ABcd", 60},
      {"replace shorter", "ABCDEFGH", ekReplace, 1, "x", 6, 0, "AxH", 66},
      {"replace longer", "ABCD", ekReplace, 1, "vwxyz", 2, 0, "AvwxyzD", 65},
      {"replace clipped at the end", "ABCD", ekReplace, 2, "q", 50, 0, "ABq", 60},
      {"delete", "ABCDEFGH", ekDelete, 2, "", 3, 0, "ABFGH", 60},
      {"delete 5 charged", "ABCDEFGH", ekDelete, 0, "", 5, 0, "FGH", 65},
      {"delete clipped at the end", "ABCD", ekDelete, 1, "", 10, 0, "A", 60},
      {"rotate left 12", abc, ekBitRotate, 0, "", 3, -12, "\x45\x61\x23", 60},
      {"rotate right 12", abc, ekBitRotate, 0, "", 3, 12, "\x45\x61\x23", 60},
      {"rotate left 4", "\x12\x34", ekBitRotate, 0, "", 2, -4, "\x23\x41", 60},
      {"rotate left one byte", "\x01\x02\x03\x04", ekBitRotate, 1, "", 3, -8, "\x01\x03\x04\x02", 60},
      {"rotate right one byte", "\x01\x02\x03\x04", ekBitRotate, 0, "", 3, 8, std::string("\x03\x01\x02\x04", 4), 60},
      {"rotate by -2^31", abc, ekBitRotate, 0, "", 3, INT_MIN, "\x34\x56\x12", 60},  // 2^31 mod 24 = 8
      {"bit reverse", "\x01\x80\xC0", ekBitReverse, 0, "", 3, 0, "\x03\x01\x80", 60},
      {"bit not", "\x0F\xF0", ekBitNot, 0, "", 2, 0, "\xF0\x0F", 60},
      {"byte reverse past the end", "ABCD", ekByteReverse, 1, "", 10, 0, "ADCB", 60},
      {"increment LE", std::string("\xFF\xFF", 2), ekIncrementLE, 0, "", 2, 0, std::string("\0\0", 2), 60},
      {"increment BE", std::string("\x00\xFF", 2), ekIncrementBE, 0, "", 2, 0, std::string("\x01\x00", 2), 60},
      {"decrement LE", std::string("\x01\x00", 2), ekDecrementLE, 0, "", 2, 0, std::string("\0\0", 2), 60},
      {"decrement LE borrows", std::string("\x00\x01", 2), ekDecrementLE, 0, "", 2, 0, std::string("\xFF\x00", 2), 60},
      {"decrement BE", std::string("\x01\x00", 2), ekDecrementBE, 0, "", 2, 0, std::string("\x00\xFF", 2), 60},
  };
  for (const KindCase& c : cases) {
    SCOPED_TRACE(c.name);
    history.ClearHistory();
    Fill(c.start);
    TEditRecord record;
    record.kind = c.kind;
    record.position = c.position;
    record.data = Bytes(c.data);
    record.dataLength = c.kind == ekBitRotate ? c.amount : static_cast<std::int32_t>(c.data.size());
    record.rangeLength = c.range;
    ASSERT_TRUE(history.ApplyEdit(record, false));
    EXPECT_EQ(Content(module), c.expected);
    EXPECT_EQ(history.HistoryUsed(), c.charge);
    EXPECT_TRUE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    history.Undo();
    EXPECT_EQ(Content(module), c.start);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_TRUE(history.CanRedo());
    history.Redo();
    EXPECT_EQ(Content(module), c.expected);
    EXPECT_EQ(history.HistoryUsed(), c.charge);
  }
}

// Typing 4 then 1 over 00: with packed typing one undo takes both digits back, otherwise one each.
TEST_F(HistoryApply, TypedDigitsUndoAsOneStepOnlyWhenPacked) {
  for (bool packed : {true, false}) {
    SCOPED_TRACE(packed ? "packed" : "not packed");
    history.ClearHistory();
    Fill(std::string(1, '\0'));
    carets.clear();
    history.CloseUndoGroup();
    Apply(ekOverwrite, 0, "\x40", 0, {0, 0}, {0, 1});
    if (!packed) history.CloseUndoGroup();
    Apply(ekOverwrite, 0, "\x41", 0, {0, 1}, {1, 0});
    history.CloseUndoGroup();  // the caret moves on
    EXPECT_EQ(Content(module), "\x41");
    EXPECT_EQ(carets.back(), (TCaretPosition{1, 0}));

    history.Undo();
    if (packed) {
      EXPECT_EQ(Content(module), std::string(1, '\0'));
      EXPECT_EQ(carets.back(), (TCaretPosition{0, 0}));
      EXPECT_FALSE(history.CanUndo());
    } else {
      EXPECT_EQ(Content(module), "\x40");
      EXPECT_EQ(carets.back(), (TCaretPosition{0, 1}));
      history.Undo();
      EXPECT_EQ(Content(module), std::string(1, '\0'));
      EXPECT_EQ(carets.back(), (TCaretPosition{0, 0}));
    }
  }
}

TEST_F(HistoryApply, ReplaceAllOfThreeUndoesInOneStepToTheFirstCaret) {
  Fill("a-a-a");
  history.CloseUndoGroup();
  Apply(ekReplace, 0, "XY", 1, {0, 0}, {2, 0});
  Apply(ekReplace, 3, "XY", 1, {3, 0}, {5, 0});
  Apply(ekReplace, 6, "XY", 1, {6, 0}, {8, 0});
  history.CloseUndoGroup();
  EXPECT_EQ(Content(module), "XY-XY-XY");
  history.Undo();
  EXPECT_EQ(Content(module), "a-a-a");
  EXPECT_EQ(carets.back(), (TCaretPosition{0, 0}));
  EXPECT_FALSE(history.CanUndo());
  history.Redo();
  EXPECT_EQ(Content(module), "XY-XY-XY");
  EXPECT_EQ(carets.back(), (TCaretPosition{8, 0}));
  EXPECT_FALSE(history.CanRedo());
}

TEST_F(HistoryApply, RotationByZeroLeavesNoTrace) {
  Fill("\x12\x34");
  ASSERT_TRUE(ApplyRange(ekBitRotate, 0, 2, 0));
  EXPECT_EQ(history.NodeCount(), 0);
  EXPECT_EQ(history.HistoryUsed(), 0);
  EXPECT_TRUE(carets.empty());
  EXPECT_EQ(stateChanges, 0);
  EXPECT_EQ(module.Modified(), 0);
  EXPECT_FALSE(history.CanUndo());
}

TEST_F(HistoryApply, NewEditAfterUndoDropsTheRedoPart) {
  Fill("AB");
  Apply(ekInsert, 0, "12345678");
  history.CloseUndoGroup();
  Apply(ekInsert, 0, "x");
  history.Undo();
  EXPECT_TRUE(history.CanRedo());
  EXPECT_EQ(history.HistoryUsed(), 60 + 68);
  Apply(ekOverwrite, 0, "z");
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.NodeCount(), 2);
  EXPECT_EQ(history.HistoryUsed(), 68 + 60);
  history.Undo();
  history.Undo();
  EXPECT_EQ(Content(module), "AB");
}

TEST_F(HistoryApply, CaretMovesOnlyWhenAskedAndStateChangeFollowsEveryStep) {
  Fill("AB");
  TEditRecord record;
  record.kind = ekBitNot;
  record.position = 0;
  record.rangeLength = 1;
  record.caretBefore = {0, 1};
  record.caretAfter = {1, 0};
  history.ApplyEdit(record, false);
  EXPECT_TRUE(carets.empty());
  EXPECT_EQ(stateChanges, 1);
  history.ApplyEdit(record, true);
  ASSERT_EQ(carets.size(), 1u);
  EXPECT_EQ(carets.back(), (TCaretPosition{1, 0}));
  EXPECT_EQ(stateChanges, 2);
  history.Undo();  // both in group 0
  EXPECT_EQ(carets.back(), (TCaretPosition{0, 1}));
  EXPECT_EQ(stateChanges, 3);
  history.Redo();
  EXPECT_EQ(stateChanges, 4);
  history.ClearHistory();
  EXPECT_EQ(stateChanges, 5);
  history.Undo();  // nothing to do: silent
  history.Redo();
  EXPECT_EQ(stateChanges, 5);
  EXPECT_EQ(carets.size(), 3u);
}

TEST_F(HistoryApply, UndoAndRedoMarkTheDocumentModified) {
  Fill("AB");
  Apply(ekInsert, 0, "x");
  module.SetModified(0);  // saved
  history.Undo();
  EXPECT_EQ(module.Modified(), 1);
  module.SetModified(0);
  history.Redo();
  EXPECT_EQ(module.Modified(), 1);
}

// Edits the document cannot take change nothing and leave no node.
TEST_F(HistoryApply, RefusedEditsChangeNothing) {
  Fill("ABCD");
  struct Refused {
    const char* name;
    TEditRecord record;
  };
  const std::uint8_t bytes[2] = {1, 2};
  std::vector<Refused> cases = {
      {"insert past the end", {ekInsert, 5, {}, {}, bytes, 2, 0}},
      {"insert before the start", {ekInsert, -1, {}, {}, bytes, 2, 0}},
      {"overwrite past the end", {ekOverwrite, 6, {}, {}, bytes, 1, 0}},
      {"negative data length", {ekInsert, 0, {}, {}, bytes, -3, 0}},
      {"missing data", {ekInsert, 0, {}, {}, nullptr, 2, 0}},
      {"replace past the end", {ekReplace, 5, {}, {}, bytes, 2, 1}},
      {"delete past the end", {ekDelete, 5, {}, {}, nullptr, 0, 1}},
      {"kind 7", {static_cast<TEditKind>(7), 0, {}, {}, nullptr, 0, 1}},
      {"kind 13", {static_cast<TEditKind>(13), 0, {}, {}, nullptr, 0, 1}},
      {"insert beyond the largest document", {ekInsert, 0, {}, {}, bytes, INT_MAX, 0}},
      {"overwrite beyond the largest document", {ekOverwrite, 4, {}, {}, bytes, INT_MAX - 3, 0}},
  };
  for (const Refused& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(history.ApplyEdit(c.record, true));
    EXPECT_EQ(Content(module), "ABCD");
    EXPECT_EQ(history.NodeCount(), 0);
    EXPECT_EQ(stateChanges, 0);
    EXPECT_TRUE(carets.empty());
  }
}

TEST_F(HistoryApply, NotOverAWholeLargeDocumentCostsOneNodeAndNoCopy) {
  const std::string big(3 * 1024 * 1024 + 17, '\x5A');
  Fill(big);
  ASSERT_TRUE(ApplyRange(ekBitNot, 0, module.Size()));
  EXPECT_EQ(history.HistoryUsed(), 60);
  EXPECT_EQ(Content(module), std::string(big.size(), '\xA5'));
  history.Undo();
  EXPECT_EQ(Content(module), big);
}

TEST_F(HistoryApply, RangeOperationsOutsideTheDocumentAreRecordedButChangeNothing) {
  Fill("AB");
  ASSERT_TRUE(ApplyRange(ekIncrementBE, 1, 5));  // its last byte does not exist
  ASSERT_TRUE(ApplyRange(ekBitRotate, 2, 1, 3));  // starts at the end
  ASSERT_TRUE(ApplyRange(ekBitRotate, 0, 0, 3));  // empty range
  EXPECT_EQ(Content(module), "AB");
  EXPECT_EQ(history.NodeCount(), 3);
  history.Undo();
  EXPECT_EQ(Content(module), "AB");
}

}  // namespace
}  // namespace ovx::test
