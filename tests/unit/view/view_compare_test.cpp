// The view's comparison: colours and marks of cells against the partner, and the walk from
// differing run to differing run.
#include <gtest/gtest.h>

#include "tests/unit/view/view_test_host.h"

namespace ovx::test {
namespace {

class CompareTest : public ViewTest {
 protected:
  TMemoryModule partner;

  void SetPartner(const std::vector<std::uint8_t>& bytes) {
    partner.Clear();
    if (!bytes.empty()) partner.InsertData(bytes.data(), 0, static_cast<std::int32_t>(bytes.size()));
  }
  TPaintModel Paint() const {
    TPaintModel model;
    BuildPaintModel(view.Module(), view.PaintInput(), model);
    return model;
  }
};

TEST_F(CompareTest, CellColoursAndMarksAgainstThePartner) {
  struct Case {
    const char* what;
    std::uint8_t mine, theirs;
    bool marks, colors;
    TCellColor color;
    char mark;
  };
  const Case cases[] = {
      {"equal", 0x80, 0x80, true, true, ccNormal, ' '},
      {"greater", 0x80, 0x7F, true, true, ccBigger, '+'},
      {"smaller", 0x80, 0x81, true, true, ccSmaller, '-'},
      {"greater, colours off", 0x80, 0x7F, true, false, ccDifference, '+'},
      {"smaller, colours off", 0x80, 0x81, true, false, ccDifference, '-'},
      {"greater, marks off", 0x80, 0x7F, false, true, ccBigger, ' '},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load({0, c.mine, 0, 0});
    SetPartner({0, c.theirs, 0, 0});
    view.SetCompareMarks(c.marks);
    view.SetCompareColors(c.colors);
    ASSERT_TRUE(view.CompareWithModule(partner));
    const TPaintModel model = Paint();
    EXPECT_EQ(model.rows[0].hex[1].style.color, c.color);
    EXPECT_EQ(model.rows[0].chars[1].style.color, c.color);  // the character column alike
    EXPECT_EQ(model.rows[0].hex[1].mark, c.mark);
    EXPECT_EQ(model.rows[0].hex[0].style.color, ccNormal);
    view.EndCompare();
  }
}

TEST_F(CompareTest, ShorterAndLongerDocumentsShowOverColours) {
  // Ten own bytes against twelve: the own end keeps "EOF", the partner's rest is over.
  Load(std::vector<std::uint8_t>(10, 0x11));
  SetPartner(std::vector<std::uint8_t>(12, 0x22));
  ASSERT_TRUE(view.CompareWithModule(partner));
  EXPECT_FALSE(view.CompareWithModule(partner));  // one comparison at a time
  TPaintModel model = Paint();
  EXPECT_EQ(model.rows[0].hex[9].style.color, ccSmaller);
  EXPECT_STREQ(model.rows[0].hex[10].text, "EOF");
  EXPECT_EQ(model.rows[0].hex[10].style.color, ccEof);
  EXPECT_STREQ(model.rows[0].hex[11].text, "--");
  EXPECT_EQ(model.rows[0].hex[11].style.color, ccOver);
  EXPECT_EQ(model.rows[0].hex[11].mark, ' ');
  view.EndCompare();
  EXPECT_FALSE(view.Comparing());
  EXPECT_EQ(Paint().rows[0].hex[9].style.color, ccNormal);

  // Twelve own bytes against ten: the own bytes past the partner's end are over, unmarked.
  Load(std::vector<std::uint8_t>(12, 0x33));
  SetPartner(std::vector<std::uint8_t>(10, 0x00));
  ASSERT_TRUE(view.CompareWithModule(partner));
  model = Paint();
  EXPECT_STREQ(model.rows[0].hex[11].text, "33");
  EXPECT_EQ(model.rows[0].hex[11].style.color, ccOver);
  EXPECT_EQ(model.rows[0].hex[11].mark, ' ');
  EXPECT_EQ(model.rows[0].hex[9].mark, '+');
}

TEST_F(CompareTest, DifferenceWalk) {
  // Runs at 4..6 and 20..21; the partner is zeros.
  std::vector<std::uint8_t> mine(40, 0);
  mine[4] = mine[5] = mine[6] = 9;
  mine[20] = mine[21] = 9;
  Load(mine);
  SetPartner(std::vector<std::uint8_t>(40, 0));
  ASSERT_TRUE(view.CompareWithModule(partner));
  struct Step {
    const char* what;
    std::int32_t moveCaretTo;  // -1: leave the caret where the last search put it
    bool forward;
    std::int32_t caret, highlight, length;
  };
  const Step steps[] = {
      {"first run from the top", 0, true, 4, 4, 3},
      {"a repeated search steps over the run", -1, true, 20, 20, 2},
      {"backward from a found run goes to the run before", -1, false, 4, 4, 3},
      {"a caret moved into a run finds that run itself", 5, false, 4, 4, 3},
      {"a caret moved onto a run's start finds it forward", 20, true, 20, 20, 2},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    if (s.moveCaretTo >= 0) view.SetCaret(s.moveCaretTo, 1);
    s.forward ? view.CompareNext() : view.ComparePrev();
    EXPECT_EQ(view.CaretAddress(), s.caret);
    EXPECT_EQ(view.LowNibble(), 0);
    EXPECT_TRUE(view.FoundDifference());
    const TPaintInput in = view.PaintInput();
    EXPECT_EQ(in.highlightStart, s.highlight);
    EXPECT_EQ(in.highlightLength, s.length);
  }
  EXPECT_TRUE(prompt.messages.empty());
  view.CompareNext();  // nothing after the last run: a warning and nothing else
  EXPECT_EQ(prompt.messages, std::vector<std::string>{"相違点が見付かりません."});
  EXPECT_EQ(view.CaretAddress(), 20);
  EXPECT_TRUE(view.FoundDifference());
}

TEST_F(CompareTest, ComparingWithFiles) {
  // The partner is read from the file; a file that cannot be read starts nothing.
  const std::string path = ::testing::TempDir() + "ovx_compare_partner.bin";
  {
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fwrite("\x01\x02\x03", 1, 3, f);
    fclose(f);
  }
  Load({1, 2, 4});
  int error = -1;
  ASSERT_TRUE(view.CompareWithFile(path, error));
  EXPECT_EQ(error, 0);
  ASSERT_TRUE(view.Comparing());
  EXPECT_EQ(view.ComparePartner()->Size(), 3);
  EXPECT_EQ(Paint().rows[0].hex[2].mark, '+');
  view.EndCompare();
  remove(path.c_str());

  EXPECT_TRUE(view.CompareWithFile(path, error));
  EXPECT_NE(error, 0);
  EXPECT_FALSE(view.Comparing());
  view.CompareNext();  // not comparing: nothing at all
  EXPECT_TRUE(prompt.messages.empty());
}

}  // namespace
}  // namespace ovx::test
