#include "editor/TypedInput.h"

#include "tests/unit/view/view_test_host.h"

namespace ovx::test {
namespace {

using Bytes_ = std::vector<std::uint8_t>;

TEST_F(ViewTest, TypedBytesReplaceASelectionElseFollowTheInputMode) {
  struct Case {
    std::uint8_t mode;
    int selected;  // bytes selected from address 1
    Bytes_ written;
    Bytes_ after;
    std::int32_t caret;
  };
  const Case cases[] = {
      {imOverwrite, 0, {0xAA, 0xBB}, {1, 0xAA, 0xBB, 4, 5}, 3},
      {imInsert, 0, {0xAA, 0xBB}, {1, 0xAA, 0xBB, 2, 3, 4, 5}, 3},
      {imOverwrite, 3, {0xAA, 0xBB}, {1, 0xAA, 0xBB, 5}, 3},  // length changes by 2 - 3
      {imInsert, 2, {0xAA}, {1, 0xAA, 4, 5}, 2},
      {imOverwrite, 2, {}, {1, 4, 5}, 1},                    // an empty block only deletes
      {imInsert, 0, {}, {1, 2, 3, 4, 5}, 1},
      {imViewOnly, 0, {0xAA}, {1, 2, 3, 4, 5}, 1},
      {imViewOnly, 2, {0xAA}, {1, 2, 3, 4, 5}, 3},
  };
  for (const Case& c : cases) {
    Load({1, 2, 3, 4, 5});
    view.SetInputMode(c.mode);
    view.SetCaret(1, 0);
    for (int i = 0; i < c.selected; ++i) view.ExecuteCommand(cmRIGHTSEL);
    WriteTypedBytes(view, c.written);
    EXPECT_EQ(Bytes(), c.after) << int(c.mode) << " selected " << c.selected;
    EXPECT_EQ(view.CaretAddress(), c.caret) << int(c.mode) << " selected " << c.selected;
  }
}

// A block too large for the memory left, written over a selection: a beep, and the selection,
// the bytes and the history stay as they were.
TEST_F(ViewTest, TypedBytesThatCannotGetTheirMemoryLeaveTheSelectionAsItWas) {
  const Bytes_ large(kSlabBytes + 3 * kBlockSize, 0xAA);
  for (const std::uint8_t mode : {imOverwrite, imInsert}) {
    SCOPED_TRACE(int(mode));
    LoadSize(2 * kBlockSize);
    const Bytes_ loaded = Bytes();
    view.SetInputMode(mode);
    view.SetCaret(10, 0);
    for (int i = 0; i < 3; ++i) view.ExecuteCommand(cmRIGHTSEL);
    const int beeps = prompt.beeps;
    TBlockPool::SetCeiling(kSlabBytes);
    EXPECT_NO_THROW(WriteTypedBytes(view, large));
    TBlockPool::SetCeiling(0);
    EXPECT_EQ(prompt.beeps, beeps + 1);
    EXPECT_TRUE(Bytes() == loaded) << "the document changed: " << Bytes().size() << " bytes";
    EXPECT_FALSE(view.History().CanUndo());
    EXPECT_TRUE(view.HasSelection());
    EXPECT_EQ(view.GetSelection().start, 10);
    EXPECT_EQ(view.GetSelection().end, 13);
  }
}

TEST_F(ViewTest, RotateAmountsAreDecimalAndBytesCountEightBits) {
  struct Amount {
    const char* text;
    std::int32_t n;
  };
  const Amount amounts[] = {{"2", 2}, {"017", 17}, {"", 0}, {"1a", 0}, {"-3", 0}, {"99999999999", 0}};
  for (const Amount& a : amounts) EXPECT_EQ(RotateAmount(a.text), a.n) << a.text;
  EXPECT_TRUE(RotateEditAccepts(L'7'));
  EXPECT_TRUE(RotateEditAccepts(L'\b'));
  EXPECT_FALSE(RotateEditAccepts(L'a'));
  EXPECT_FALSE(RotateEditAccepts(L'-'));

  Load({0x12, 0x34, 0x56, 0x78});
  RunRotate(view, true, false, 1);  // one byte right
  EXPECT_EQ(Bytes(), (Bytes_{0x78, 0x12, 0x34, 0x56}));
  RunRotate(view, true, true, 6);   // six bytes left: two, after reducing by the length
  EXPECT_EQ(Bytes(), (Bytes_{0x34, 0x56, 0x78, 0x12}));
  RunRotate(view, false, false, 4); // four bits right
  EXPECT_EQ(Bytes(), (Bytes_{0x23, 0x45, 0x67, 0x81}));
}

}  // namespace
}  // namespace ovx::test
