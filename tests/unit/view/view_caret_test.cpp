#include "tests/unit/view/view_test_host.h"

namespace ovx::test {
namespace {

struct MoveCase {
  const char* name;
  std::int32_t size;
  std::int32_t address;
  std::uint8_t nibble;
  TInputArea area;
  TCommandId command;
  std::int32_t wantAddress;  // -1: the command does nothing
  std::uint8_t wantNibble;
};

const MoveCase kMoves[] = {
    {"UP", 40, 20, 1, iaHex, cmUP, 4, 0},
    {"UP row 0", 40, 15, 0, iaHex, cmUP, -1, 0},
    {"DOWN", 40, 3, 1, iaHex, cmDOWN, 19, 0},
    {"DOWN into a shorter last row", 40, 30, 0, iaHex, cmDOWN, 40, 0},
    {"DOWN in the last row", 40, 33, 0, iaHex, cmDOWN, -1, 0},
    {"DOWN at the end of a full row", 32, 20, 0, iaHex, cmDOWN, 32, 0},
    {"LEFT", 40, 5, 1, iaHex, cmLEFT, 4, 0},
    {"LEFT at 0", 40, 0, 1, iaHex, cmLEFT, -1, 0},
    {"LEFTEX high nibble", 40, 5, 0, iaHex, cmLEFTEX, 4, 1},
    {"LEFTEX low nibble", 40, 4, 1, iaHex, cmLEFTEX, 4, 0},
    {"LEFTEX at 0 low nibble", 40, 0, 1, iaHex, cmLEFTEX, 0, 0},
    {"LEFTEX at 0 high nibble", 40, 0, 0, iaHex, cmLEFTEX, -1, 0},
    {"LEFTEX characters", 40, 5, 0, iaChar, cmLEFTEX, 4, 0},
    {"RIGHT", 40, 5, 1, iaHex, cmRIGHT, 6, 0},
    {"RIGHT at the end", 40, 40, 0, iaHex, cmRIGHT, -1, 0},
    {"RIGHTEX high nibble", 40, 4, 0, iaHex, cmRIGHTEX, 4, 1},
    {"RIGHTEX low nibble", 40, 4, 1, iaHex, cmRIGHTEX, 5, 0},
    {"RIGHTEX last byte low nibble", 40, 39, 1, iaHex, cmRIGHTEX, 40, 0},
    {"RIGHTEX at the end", 40, 40, 0, iaHex, cmRIGHTEX, -1, 0},
    {"RIGHTEX characters", 40, 4, 0, iaChar, cmRIGHTEX, 5, 0},
    {"FILETOP", 40, 20, 0, iaHex, cmFILETOP, 0, 0},
    {"FILETOP at 0 low nibble", 40, 0, 1, iaHex, cmFILETOP, 0, 0},
    {"FILETOP at 0", 40, 0, 0, iaHex, cmFILETOP, -1, 0},
    {"FILETOPSEL at 0 low nibble", 40, 0, 1, iaHex, cmFILETOPSEL, -1, 0},
    {"FILEEND", 40, 3, 1, iaHex, cmFILEEND, 40, 0},
    {"FILEEND at the end", 40, 40, 0, iaHex, cmFILEEND, -1, 0},
    {"PARATOP", 40, 21, 1, iaHex, cmPARATOP, 16, 0},
    {"PARATOP column 0 low nibble", 40, 16, 1, iaHex, cmPARATOP, 16, 0},
    {"PARATOP column 0", 40, 16, 0, iaHex, cmPARATOP, -1, 0},
    {"PARATOPSEL column 0 low nibble", 40, 16, 1, iaHex, cmPARATOPSEL, -1, 0},
    {"PARAEND", 40, 17, 1, iaHex, cmPARAEND, 31, 0},
    {"PARAEND in the short last row", 40, 33, 0, iaHex, cmPARAEND, 40, 0},
    {"PARAEND column 15", 40, 31, 0, iaHex, cmPARAEND, -1, 0},
    {"PARAEND at the end position", 40, 40, 0, iaHex, cmPARAEND, -1, 0},
    {"UPSEL", 60, 40, 0, iaHex, cmUPSEL, 24, 0},
    {"RIGHTSEL at the end", 40, 40, 0, iaHex, cmRIGHTSEL, -1, 0},
};

class MoveTest : public ViewTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveTest, MovesOrDoesNothing) {
  const MoveCase& c = GetParam();
  LoadSize(c.size);
  if (c.area == iaChar) view.SetInputArea(iaChar);
  view.SetCaret(c.address, c.nibble);
  const std::uint32_t group = view.History().GroupCounter();
  const int moves = host.caretMoves;
  view.ExecuteCommand(c.command);
  if (c.wantAddress < 0) {
    EXPECT_EQ(Caret(), (TCaretPosition{c.address, c.nibble}));
    EXPECT_EQ(host.caretMoves, moves);
    EXPECT_EQ(view.History().GroupCounter(), group);
  } else {
    EXPECT_EQ(Caret(), (TCaretPosition{c.wantAddress, c.wantNibble}));
    EXPECT_EQ(host.caretMoves, moves + 1);
    EXPECT_EQ(view.History().GroupCounter(), group + 1);  // a movement closes the undo group
  }
}

INSTANTIATE_TEST_SUITE_P(Commands, MoveTest, ::testing::ValuesIn(kMoves),
                         [](const auto& info) {
                           std::string n = info.param.name;
                           for (char& ch : n)
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return n;
                         });

TEST_F(ViewTest, EveryMovementDoesNothingInAnEmptyDocument) {
  Load({});
  const TCommandId all[] = {cmUP, cmDOWN, cmLEFT, cmLEFTEX, cmRIGHT, cmRIGHTEX, cmPAGEUP, cmPAGEDOWN,
                            cmUPSEL, cmDOWNSEL, cmLEFTSEL, cmLEFTEXSEL, cmRIGHTSEL, cmRIGHTEXSEL, cmPAGEUPSEL,
                            cmPAGEDOWNSEL, cmFILETOP, cmFILEEND, cmPARATOP, cmPARAEND, cmFILETOPSEL,
                            cmFILEENDSEL, cmPARATOPSEL, cmPARAENDSEL, cmUPHIGH, cmDOWNHIGH, cmLEFTHIGH,
                            cmRIGHTHIGH, cmPAGEUPHIGH, cmPAGEDOWNHIGH};
  const int moves = host.caretMoves;
  for (TCommandId id : all) {
    const int before = host.caretMoves;
    view.ExecuteCommand(id);
    EXPECT_EQ(host.caretMoves, before) << id;
    EXPECT_EQ(Caret(), (TCaretPosition{0, 0})) << id;
  }
  EXPECT_EQ(host.caretMoves, moves);
}

TEST_F(ViewTest, SetCaretScrollsOnlyWhenTheCaretLeavesTheWindow) {
  LoadSize(16 * 20);  // 4 visible rows
  view.SetCaret(16 * 3 + 5, 0);
  EXPECT_EQ(view.GetViewPosition(), (TViewPosition{0, 3, 5, 0, iaHex}));
  view.SetCaret(16 * 4, 0);  // one row below: the caret lands on the last visible row
  EXPECT_EQ(view.GetViewPosition(), (TViewPosition{1, 3, 0, 0, iaHex}));
  EXPECT_EQ(host.scrollPosition, 1);
  view.SetCaret(16 * 2 + 1, 1);
  EXPECT_EQ(view.GetViewPosition(), (TViewPosition{1, 1, 1, 1, iaHex}));
  view.SetCaret(3, 0);  // above: the caret row becomes the first
  EXPECT_EQ(view.GetViewPosition(), (TViewPosition{0, 0, 3, 0, iaHex}));
  view.SetCaret(100000, 0);  // clamped to the end position
  EXPECT_EQ(Caret().address, 16 * 20);
  EXPECT_EQ(view.GetViewPosition(), (TViewPosition{17, 3, 0, 0, iaHex}));
  view.SetCaret(-5, 0);
  EXPECT_EQ(Caret().address, 0);
}

TEST_F(ViewTest, SetCaretClearsFoundFlagsAndHighlight) {
  LoadSize(64);
  view.SetHighlight(3, 2);
  view.SetFoundFlags(true, true);
  EXPECT_EQ(view.PaintInput().highlightStart, 3);
  view.SetCaret(10, 0);
  EXPECT_FALSE(view.FoundSearchMatch());
  EXPECT_FALSE(view.FoundDifference());
  EXPECT_EQ(view.PaintInput().highlightStart, -1);
}

TEST_F(ViewTest, PageDownKeepsTheScreenRowAndClampsAtTheEnd) {
  LoadSize(16 * 10 + 4);  // last row 10 holds 4 bytes
  view.SetCaret(16 * 1 + 7, 1);
  view.ExecuteCommand(cmPAGEDOWN);
  EXPECT_EQ(view.GetViewPosition(), (TViewPosition{4, 1, 7, 1, iaHex}));
  view.ExecuteCommand(cmPAGEDOWN);
  EXPECT_EQ(view.GetViewPosition(), (TViewPosition{8, 1, 7, 1, iaHex}));
  // The page no longer continues: the caret goes to the last row, clamped to the end position.
  view.ExecuteCommand(cmPAGEDOWN);
  EXPECT_EQ(Caret().address, 16 * 10 + 4);
  EXPECT_EQ(view.TopRow(), 8);
  const int moves = host.caretMoves;
  view.ExecuteCommand(cmPAGEDOWN);  // in the last document row: nothing
  EXPECT_EQ(host.caretMoves, moves);
}

TEST_F(ViewTest, PageUpScrollsThenGoesToTheFirstRow) {
  LoadSize(16 * 10);
  view.SetCaret(16 * 9 + 2, 0);  // top row 6, caret row 3
  view.ExecuteCommand(cmPAGEUP);
  EXPECT_EQ(view.GetViewPosition(), (TViewPosition{2, 3, 2, 0, iaHex}));
  view.ExecuteCommand(cmPAGEUP);
  EXPECT_EQ(view.GetViewPosition(), (TViewPosition{0, 3, 2, 0, iaHex}));
  view.ExecuteCommand(cmPAGEUP);
  EXPECT_EQ(view.GetViewPosition(), (TViewPosition{0, 0, 2, 0, iaHex}));
  const int moves = host.caretMoves;
  view.ExecuteCommand(cmPAGEUP);
  EXPECT_EQ(host.caretMoves, moves);
}

TEST_F(ViewTest, FastMovementRunsWhileTheModifierStaysHeld) {
  LoadSize(16 * 100);
  host.shiftState = ssShift;
  int steps = 0;
  host.processMessage = [&] {
    if (++steps == 5) host.shiftState = 0;  // the user lets Shift go during the fifth step
    return true;
  };
  view.ExecuteCommand(cmDOWNHIGH);
  EXPECT_EQ(Caret().address, 16 * 5);
  // Stops by itself where the movement is no longer possible.
  host.shiftState = 0;
  steps = 0;
  host.processMessage = [&] { return ++steps < 100000; };
  view.SetCaret(3, 0);
  view.ExecuteCommand(cmRIGHTHIGH);
  EXPECT_EQ(Caret().address, 16 * 100);
  EXPECT_EQ(steps, 16 * 100 - 3);
}

TEST_F(ViewTest, ScrollBarLinesAndThumb) {
  LoadSize(16 * 10 + 3);
  view.SetCaret(16 * 2 + 5, 0);
  view.ScrollLineUp();  // at the top: nothing
  EXPECT_EQ(view.TopRow(), 0);
  view.ScrollLineDown();
  EXPECT_EQ(view.GetViewPosition(), (TViewPosition{1, 2, 5, 0, iaHex}));
  EXPECT_EQ(Caret().address, 16 * 3 + 5);  // the caret keeps its screen row
  view.ScrollThumb(10);  // the caret would pass the end: it goes to the end position
  EXPECT_EQ(view.TopRow(), 10);
  EXPECT_EQ(Caret().address, 16 * 10 + 3);
  view.ScrollThumb(11);  // beyond the last row: ignored
  EXPECT_EQ(view.TopRow(), 10);
  view.ScrollLineDown();  // the top row is the last document row
  EXPECT_EQ(view.TopRow(), 10);
}

TEST_F(ViewTest, ViewPositionRoundTrip) {
  LoadSize(16 * 50);
  view.SetViewPosition({20, 2, 9, 1, iaHex});
  EXPECT_EQ(Caret(), (TCaretPosition{16 * 22 + 9, 1}));
  EXPECT_EQ(view.GetViewPosition(), (TViewPosition{20, 2, 9, 1, iaHex}));
  view.SetViewPosition({20, 2, 9, 1, iaChar});
  EXPECT_EQ(view.InputArea(), iaChar);
}

TEST_F(ViewTest, PeekCaretBytes) {
  Load({1, 2, 3, 4, 5, 6});
  view.SetCaret(4, 0);
  TCaretBytes p = view.PeekCaretBytes();
  EXPECT_EQ(p.available, 2);
  EXPECT_EQ(p.bytes[0], 5);
  EXPECT_EQ(p.bytes[1], 6);
  EXPECT_EQ(p.bytes[2], 0);
  view.SetCaret(6, 0);
  EXPECT_EQ(view.PeekCaretBytes().available, 0);
}

TEST_F(ViewTest, ResizeKeepsTheCaretVisible) {
  LoadSize(16 * 20);
  view.SetCaret(16 * 3, 0);
  view.SetVisibleRows(2);
  EXPECT_EQ(view.GetViewPosition(), (TViewPosition{2, 1, 0, 0, iaHex}));
}

}  // namespace
}  // namespace ovx::test
