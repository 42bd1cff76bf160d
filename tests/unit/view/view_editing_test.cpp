#include "tests/unit/view/view_test_host.h"

namespace ovx::test {
namespace {

using Bytes_ = std::vector<std::uint8_t>;

TEST_F(ViewTest, OverwriteAtTheEndAppendsAndMovesOnTheSecondDigit) {
  Load({0x10});
  view.SetCaret(1, 0);
  view.EnterHexDigit(4);
  EXPECT_EQ(Bytes(), (Bytes_{0x10, 0x40}));
  EXPECT_EQ(Caret(), (TCaretPosition{1, 1}));
  view.EnterHexDigit(1);
  EXPECT_EQ(Bytes(), (Bytes_{0x10, 0x41}));
  EXPECT_EQ(Caret(), (TCaretPosition{2, 0}));
}

TEST_F(ViewTest, OverwriteKeepsTheOtherNibble) {
  Load({0x5A, 0x00});
  view.SetCaret(0, 0);
  view.TypeCharacters("c");
  EXPECT_EQ(Bytes(), (Bytes_{0xCA, 0x00}));
  view.TypeCharacters("Fz");  // a character that is no digit is ignored
  EXPECT_EQ(Bytes(), (Bytes_{0xCF, 0x00}));
  EXPECT_EQ(Caret(), (TCaretPosition{1, 0}));
}

TEST_F(ViewTest, InsertModeDigitsInsertBeforeTheCaretByte) {
  Load({0xAA, 0xBB});
  view.ExecuteCommand(cmINPUTMODE);
  view.SetCaret(1, 0);
  view.TypeCharacters("41");
  EXPECT_EQ(Bytes(), (Bytes_{0xAA, 0x41, 0xBB}));
  EXPECT_EQ(Caret(), (TCaretPosition{2, 0}));
}

TEST_F(ViewTest, DigitOverASelectionReplacesItInAnyMode) {
  Load({1, 2, 3, 4, 5});
  view.SetCaret(1, 0);
  for (int i = 0; i < 3; ++i) view.ExecuteCommand(cmRIGHTSEL);
  view.EnterHexDigit(7);
  EXPECT_EQ(Bytes(), (Bytes_{1, 0x70, 5}));
  EXPECT_EQ(Caret(), (TCaretPosition{1, 1}));
  EXPECT_FALSE(view.HasSelection());
}

TEST_F(ViewTest, BackspaceAfterTheFirstDigitInInsertModeRemovesTheHalfTypedByte) {
  Load({0xAA});
  view.ExecuteCommand(cmINPUTMODE);
  view.EnterHexDigit(4);
  EXPECT_EQ(Bytes(), (Bytes_{0x40, 0xAA}));
  view.ExecuteCommand(cmBACKSPACE);
  EXPECT_EQ(Bytes(), (Bytes_{0xAA}));
  EXPECT_EQ(Caret(), (TCaretPosition{0, 0}));
}

TEST_F(ViewTest, DeleteAndBackspaceCases) {
  Load({1, 2, 3, 4});
  view.SetCaret(4, 0);
  view.ExecuteCommand(cmDELETE);  // at the end: nothing
  EXPECT_EQ(Bytes(), (Bytes_{1, 2, 3, 4}));
  view.ExecuteCommand(cmBACKSPACE);
  EXPECT_EQ(Bytes(), (Bytes_{1, 2, 3}));
  EXPECT_EQ(Caret(), (TCaretPosition{3, 0}));
  view.SetCaret(1, 0);
  view.ExecuteCommand(cmDELETE);
  EXPECT_EQ(Bytes(), (Bytes_{1, 3}));
  EXPECT_EQ(Caret(), (TCaretPosition{1, 0}));
  view.SetCaret(0, 0);
  view.ExecuteCommand(cmBACKSPACE);  // at 0 on the high nibble: nothing
  EXPECT_EQ(Bytes(), (Bytes_{1, 3}));
  view.ExecuteCommand(cmFILEENDSEL);
  view.ExecuteCommand(cmBACKSPACE);  // with a selection: as DELETE
  EXPECT_TRUE(Bytes().empty());
}

struct GroupingCase {
  bool packed;
  std::vector<Bytes_> afterEachUndo;
  std::vector<TCaretPosition> caretAfterEachUndo;
};

class UndoGroupingTest : public ViewTest, public ::testing::WithParamInterface<GroupingCase> {};

TEST_P(UndoGroupingTest, TypedDigitsThenAMove) {
  const GroupingCase& c = GetParam();
  TEnvironmentSettings s = DefaultEnvironmentSettings();
  s.UndoPacked = c.packed;
  view.SetEnvironment(s);
  Load({0x00});
  view.TypeCharacters("41");
  view.ExecuteCommand(cmLEFT);
  for (std::size_t i = 0; i < c.afterEachUndo.size(); ++i) {
    view.ExecuteCommand(cmUNDO);
    EXPECT_EQ(Bytes(), c.afterEachUndo[i]) << i;
    EXPECT_EQ(Caret(), c.caretAfterEachUndo[i]) << i;
  }
  EXPECT_FALSE(view.History().CanUndo());
}

INSTANTIATE_TEST_SUITE_P(
    Packing, UndoGroupingTest,
    ::testing::Values(GroupingCase{true, {{0x00}}, {{0, 0}}},
                      GroupingCase{false, {{0x40}, {0x00}}, {{0, 1}, {0, 0}}}));

TEST_F(ViewTest, PackedDeletionsUndoAsOneStepButPasteClosesItsGroup) {
  TEnvironmentSettings s = DefaultEnvironmentSettings();
  s.UndoPacked = true;
  view.SetEnvironment(s);
  Load({1, 2, 3, 4, 5});
  view.ExecuteCommand(cmDELETE);
  view.ExecuteCommand(cmDELETE);
  view.ExecuteCommand(cmUNDO);
  EXPECT_EQ(Bytes(), (Bytes_{1, 2, 3, 4, 5}));
  host.clipboard.text = "Z";
  view.ExecuteCommand(cmPASTE);
  view.ExecuteCommand(cmDELETE);
  view.ExecuteCommand(cmUNDO);
  EXPECT_EQ(Bytes(), (Bytes_{'Z', 2, 3, 4, 5}));
}

// An empty paste still closes the group: what was typed before it is undone on its own.
TEST_F(ViewTest, EmptyPasteClosesTheUndoGroup) {
  TEnvironmentSettings s = DefaultEnvironmentSettings();
  s.UndoPacked = true;
  view.SetEnvironment(s);
  const std::function<void(TFakeClipboard&)> empties[] = {
      [](TFakeClipboard& c) { c.text = ""; },
      [](TFakeClipboard& c) { c.privateBlock = Bytes_{0, 0, 0, 0}; },
  };
  for (const auto& empty : empties) {
    Load({0x00, 0x00});
    host.clipboard = TFakeClipboard{};
    empty(host.clipboard);
    view.TypeCharacters("4");
    view.ExecuteCommand(cmPASTE);
    view.TypeCharacters("1");
    EXPECT_EQ(Bytes(), (Bytes_{0x41, 0x00}));
    view.ExecuteCommand(cmUNDO);
    EXPECT_EQ(Bytes(), (Bytes_{0x40, 0x00}));
    EXPECT_EQ(Caret(), (TCaretPosition{0, 1}));
  }
}

TEST_F(ViewTest, CharacterEntryPerCharacterSet) {
  struct Case {
    TCharaSet set;
    std::string typed;
    Bytes_ want;
  } cases[] = {
      {csJis, "\x82\xA0", {0x1B, 0x24, 0x42, 0x24, 0x22, 0x1B, 0x28, 0x4A}},
      {csSJis, "\x82\xA0" "A", {0x82, 0xA0, 0x41}},
      {csEuc, "\x82\xA0", {0xA4, 0xA2}},
      {csUnicode, "A\x82\xA0", {0x41, 0x00, 0x42, 0x30}},
      {csAscii, "a\x01\x1F" "b", {'a', 'b'}},  // control characters are dropped
  };
  for (const Case& c : cases) {
    Load({});
    view.SetCharaSet(c.set);
    view.ExecuteCommand(cmINPUTAREA);
    view.TypeCharacters(c.typed);
    EXPECT_EQ(Bytes(), c.want) << int(c.set);
    EXPECT_EQ(Caret(), (TCaretPosition{static_cast<std::int32_t>(c.want.size()), 0}));
    view.ExecuteCommand(cmINPUTAREA);
  }
}

TEST_F(ViewTest, CharacterEntryOverwritesInsertsOrReplacesTheSelection) {
  Load({1, 2, 3, 4});
  view.SetInputArea(iaChar);
  view.SetCaret(1, 0);
  view.EnterCharacters("AB");
  EXPECT_EQ(Bytes(), (Bytes_{1, 'A', 'B', 4}));
  view.ExecuteCommand(cmINPUTMODE);
  view.EnterCharacters("C");
  EXPECT_EQ(Bytes(), (Bytes_{1, 'A', 'B', 'C', 4}));
  view.ExecuteCommand(cmFILETOPSEL);  // [0, 4)
  view.EnterCharacters("x");
  EXPECT_EQ(Bytes(), (Bytes_{'x', 4}));
  EXPECT_EQ(Caret(), (TCaretPosition{1, 0}));
  view.EnterCharacters("\x01");
  EXPECT_EQ(Bytes(), (Bytes_{'x', 4}));
}

TEST_F(ViewTest, CopyPutsTheLengthAndTheBytesUnderThePrivateFormat) {
  Load({0x00, 0x41, 0xFF, 0x10});
  view.ExecuteCommand(cmRIGHTSEL);
  view.ExecuteCommand(cmRIGHTSEL);
  view.ExecuteCommand(cmRIGHTSEL);
  const int states = host.stateChanges;
  view.ExecuteCommand(cmCOPY);
  ASSERT_TRUE(host.clipboard.privateBlock);
  EXPECT_EQ(*host.clipboard.privateBlock, (Bytes_{0x03, 0x00, 0x00, 0x00, 0x00, 0x41, 0xFF}));
  EXPECT_GT(host.stateChanges, states);
  EXPECT_TRUE(view.HasSelection());
}

TEST_F(ViewTest, CutAndCopySel) {
  Load({1, 2, 3, 4});
  view.ExecuteCommand(cmRIGHTSEL);
  view.ExecuteCommand(cmCOPYSEL);
  EXPECT_EQ(*host.clipboard.privateBlock, (Bytes_{1, 0, 0, 0, 1}));
  EXPECT_FALSE(view.HasSelection());
  EXPECT_EQ(Bytes(), (Bytes_{1, 2, 3, 4}));
  view.SetCaret(1, 0);
  view.ExecuteCommand(cmRIGHTSEL);
  view.ExecuteCommand(cmRIGHTSEL);
  view.ExecuteCommand(cmCUT);
  EXPECT_EQ(*host.clipboard.privateBlock, (Bytes_{2, 0, 0, 0, 2, 3}));
  EXPECT_EQ(Bytes(), (Bytes_{1, 4}));
  EXPECT_EQ(Caret(), (TCaretPosition{1, 0}));
}

TEST_F(ViewTest, PasteTextInsertsOrOverwritesAndReplacesASelection) {
  Load({1, 2, 3});
  host.clipboard.text = std::string("AB\0C", 4);  // up to the first NUL
  view.ExecuteCommand(cmINPUTMODE);
  view.SetCaret(1, 0);
  view.ExecuteCommand(cmPASTE);
  EXPECT_EQ(Bytes(), (Bytes_{1, 'A', 'B', 2, 3}));
  EXPECT_EQ(Caret(), (TCaretPosition{3, 0}));
  view.ExecuteCommand(cmINPUTMODE);  // overwrite
  view.ExecuteCommand(cmPASTE);
  EXPECT_EQ(Bytes(), (Bytes_{1, 'A', 'B', 'A', 'B'}));
  // The private format wins over text; a selection is replaced.
  host.clipboard.privateBlock = Bytes_{3, 0, 0, 0, 7, 8, 9};
  view.SetCaret(0, 0);
  view.ExecuteCommand(cmRIGHTSEL);
  view.ExecuteCommand(cmRIGHTSEL);
  view.ExecuteCommand(cmPASTE);
  EXPECT_EQ(Bytes(), (Bytes_{7, 8, 9, 'B', 'A', 'B'}));
  EXPECT_EQ(Caret(), (TCaretPosition{3, 0}));
  EXPECT_FALSE(view.HasSelection());
  view.ExecuteCommand(cmUNDO);  // one step
  EXPECT_EQ(Bytes(), (Bytes_{1, 'A', 'B', 'A', 'B'}));
}

TEST_F(ViewTest, PasteThatCannotReadTheClipboardDoesNothing) {
  Load({1, 2});
  host.clipboard.privateBlock = Bytes_{1, 0, 0, 0, 9};
  host.clipboard.failOpen = true;
  view.ExecuteCommand(cmPASTE);
  EXPECT_EQ(Bytes(), (Bytes_{1, 2}));
  host.clipboard.failOpen = false;
  host.clipboard.privateBlock = Bytes_{0xFF, 0, 0, 0, 9};  // announces more than it holds
  view.ExecuteCommand(cmPASTE);
  EXPECT_EQ(Bytes(), (Bytes_{9, 2}));
}

// Memory running out while the clipboard is used ends the command with a beep; the document,
// the selection and the clipboard stay as they were, and the program goes on. A cut whose
// bytes could not be placed on the clipboard keeps them too.
TEST_F(ViewTest, ClipboardFailuresChangeNothing) {
  const struct {
    TCommandId id;
    bool outOfMemory;  // else the clipboard cannot be opened
  } cases[] = {
      {cmCOPY, true}, {cmCUT, true}, {cmCOPYSEL, true}, {cmPASTE, true}, {cmCUT, false}, {cmCOPYSEL, false},
  };
  for (const auto& c : cases) {
    Load({1, 2, 3, 4});
    view.ExecuteCommand(cmRIGHTSEL);
    view.ExecuteCommand(cmRIGHTSEL);
    host.clipboard = TFakeClipboard{};
    host.clipboard.privateBlock = Bytes_{1, 0, 0, 0, 9};
    host.clipboard.outOfMemory = c.outOfMemory;
    host.clipboard.failOpen = !c.outOfMemory;
    const int beeps = prompt.beeps;
    EXPECT_NO_THROW(view.ExecuteCommand(c.id)) << c.id;
    EXPECT_EQ(prompt.beeps, beeps + (c.outOfMemory ? 1 : 0)) << c.id;
    EXPECT_EQ(Bytes(), (Bytes_{1, 2, 3, 4})) << c.id;
    EXPECT_EQ(host.clipboard.privateBlock, (Bytes_{1, 0, 0, 0, 9})) << c.id;
    EXPECT_TRUE(view.HasSelection()) << c.id;
    EXPECT_FALSE(view.History().CanUndo()) << c.id;
  }
}

TEST(ViewClipboardBlock, HeaderAndTheBytesABlockOrATextHolds) {
  Bytes_ block(ClipboardBlockSize(3), 0xEE);
  WriteClipboardBlockHeader(block.data(), 3);
  EXPECT_EQ(block, (Bytes_{3, 0, 0, 0, 0xEE, 0xEE, 0xEE}));
  EXPECT_EQ(ClipboardBlockSize(0), 4u);
  auto blockBytes = [](const Bytes_& b) {
    const TClipboardBytes bytes = ClipboardBlockBytes(b.data(), b.size());
    return Bytes_(bytes.data, bytes.data + bytes.count);
  };
  EXPECT_EQ(blockBytes({3, 0, 0, 0, 0x00, 0x41, 0xFF, 0x55}), (Bytes_{0x00, 0x41, 0xFF}));  // the system rounds up
  EXPECT_EQ(blockBytes({5, 0, 0, 0, 1, 2}), (Bytes_{1, 2}));  // never past what is there
  EXPECT_TRUE(blockBytes({0xFF, 0xFF, 0xFF, 0xFF, 1, 2}).empty());  // negative length
  EXPECT_TRUE(blockBytes({1, 0}).empty());
  const std::string text("AB\0C", 4);
  const TClipboardBytes textBytes = ClipboardTextBytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(textBytes.data), textBytes.count), "AB");
  EXPECT_EQ(ClipboardTextBytes(reinterpret_cast<const std::uint8_t*>("xyz"), 3).count, 3);  // no NUL at all
}

TEST_F(ViewTest, IntegerIncrementAndDecrementBothByteOrders) {
  struct Case {
    Bytes_ bytes;
    bool bigEndian, increment;
    Bytes_ want;
  } cases[] = {
      {{0xFF, 0xFF, 0x00}, false, true, {0x00, 0x00, 0x01}},
      {{0x00, 0xFF, 0xFF}, true, true, {0x01, 0x00, 0x00}},
      {{0x00, 0x00, 0x01}, false, false, {0xFF, 0xFF, 0x00}},
      {{0x01, 0x00, 0x00}, true, false, {0x00, 0xFF, 0xFF}},
  };
  for (const Case& c : cases) {
    Load(c.bytes);
    view.ExecuteCommand(cmFILEENDSEL);
    c.increment ? view.IntIncrement(c.bigEndian) : view.IntDecrement(c.bigEndian);
    EXPECT_EQ(Bytes(), c.want);
    EXPECT_EQ(Caret().address, 3);  // the caret stays
  }
}

TEST_F(ViewTest, IntegerIncrementWithoutSelectionTakesTheCaretByte) {
  Load({0xFF, 0xFF});
  view.IntIncrement(false);
  EXPECT_EQ(Bytes(), (Bytes_{0x00, 0xFF}));
  view.SetCaret(2, 0);
  view.IntDecrement(true);  // at the end position: nothing
  EXPECT_EQ(Bytes(), (Bytes_{0x00, 0xFF}));
}

TEST_F(ViewTest, BitAndByteOperations) {
  Load({0x01, 0xF0});
  view.SetCaret(1, 0);
  view.BitNot();  // no selection: the whole document
  EXPECT_EQ(Bytes(), (Bytes_{0xFE, 0x0F}));
  EXPECT_EQ(Caret(), (TCaretPosition{1, 0}));
  view.ExecuteCommand(cmUNDO);
  EXPECT_EQ(Bytes(), (Bytes_{0x01, 0xF0}));
  view.SetCaret(0, 0);
  view.ExecuteCommand(cmRIGHTSEL);
  view.BitReverse();
  EXPECT_EQ(Bytes(), (Bytes_{0x80, 0xF0}));
  view.ExecuteCommand(cmLEFT);
  view.ByteReverse();
  EXPECT_EQ(Bytes(), (Bytes_{0xF0, 0x80}));
  view.ByteRotate(true, 1);
  EXPECT_EQ(Bytes(), (Bytes_{0x80, 0xF0}));
  view.BitRotate(false, 4);
  EXPECT_EQ(Bytes(), (Bytes_{0x08, 0x0F}));
}

TEST_F(ViewTest, OperationsThatDoNothing) {
  Load({0x12});
  view.ByteRotate(true, 1);  // BYTEROLLL on one byte
  view.ByteReverse();
  view.BitRotate(true, 0);  // leaves no trace
  EXPECT_EQ(Bytes(), (Bytes_{0x12}));
  EXPECT_FALSE(view.History().CanUndo());
  Load({});
  view.BitNot();
  view.BitReverse();
  EXPECT_FALSE(view.History().CanUndo());
}

TEST_F(ViewTest, ViewOnlyRefusesEveryChangeButCopyAndUndoWork) {
  Load({1, 2, 3});
  view.ExecuteCommand(cmDELETE);
  view.SetInputMode(imViewOnly);
  view.ExecuteCommand(cmINPUTMODE);  // stays view-only
  EXPECT_EQ(view.InputMode(), imViewOnly);
  view.ExecuteCommand(cmRIGHTSEL);
  host.clipboard.text = "Q";
  view.TypeCharacters("7");
  view.EnterCharacters("x");
  const TCommandId refused[] = {cmDELETE, cmBACKSPACE, cmCUT, cmPASTE, cmCOPYSEL};
  for (TCommandId id : refused) view.ExecuteCommand(id);
  view.BitNot();
  view.IntIncrement(false);
  const std::uint8_t b = 9;
  view.InsertBytes(&b, 0, 1);
  view.OverwriteBytes(&b, 0, 1);
  view.PatchBytes(&b, 0, 1);
  EXPECT_EQ(Bytes(), (Bytes_{2, 3}));
  EXPECT_TRUE(view.HasSelection());  // COPYSEL did not end it
  view.ExecuteCommand(cmCOPY);
  EXPECT_EQ(*host.clipboard.privateBlock, (Bytes_{1, 0, 0, 0, 2}));
  view.ExecuteCommand(cmUNDO);
  EXPECT_EQ(Bytes(), (Bytes_{1, 2, 3}));
}

TEST_F(ViewTest, ByteBlockEntryPoints) {
  Load({1, 2, 3, 4});
  const std::uint8_t data[] = {0xA, 0xB};
  view.SetCaret(3, 0);
  view.InsertBytes(data, 1, 2);  // caret: its address + n
  EXPECT_EQ(Bytes(), (Bytes_{1, 0xA, 0xB, 2, 3, 4}));
  EXPECT_EQ(Caret(), (TCaretPosition{5, 0}));
  view.OverwriteBytes(data, 5, 2);  // caret: address + n; the document grows
  EXPECT_EQ(Bytes(), (Bytes_{1, 0xA, 0xB, 2, 3, 0xA, 0xB}));
  EXPECT_EQ(Caret(), (TCaretPosition{7, 0}));
  const std::uint32_t group = view.History().GroupCounter();
  view.PatchBytes(data, 0, 1);  // no caret move, group left open
  view.PatchBytes(data + 1, 1, 1);
  EXPECT_EQ(Bytes(), (Bytes_{0xA, 0xB, 0xB, 2, 3, 0xA, 0xB}));
  EXPECT_EQ(Caret(), (TCaretPosition{7, 0}));
  EXPECT_EQ(view.History().GroupCounter(), group);
  view.CloseUndoGroup();
  view.ExecuteCommand(cmUNDO);  // both patches in one step
  EXPECT_EQ(Bytes(), (Bytes_{1, 0xA, 0xB, 2, 3, 0xA, 0xB}));
}

TEST_F(ViewTest, RedoAfterUndoAndANewEditDropsIt) {
  Load({0x00});
  view.EnterHexDigit(5);
  view.ExecuteCommand(cmUNDO);
  view.ExecuteCommand(cmREDO);
  EXPECT_EQ(Bytes(), (Bytes_{0x50}));
  view.ExecuteCommand(cmUNDO);
  view.EnterHexDigit(6);
  EXPECT_FALSE(view.History().CanRedo());
}

}  // namespace
}  // namespace ovx::test
