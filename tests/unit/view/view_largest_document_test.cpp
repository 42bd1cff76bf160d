// Edits at the largest document: one that would make it larger beeps and changes nothing at
// all, however it reaches the document (typed, pasted, written by a dialog, replaced).
#include <filesystem>
#include <fstream>
#include <functional>

#include "tests/unit/model/temp_folder.h"
#include "tests/unit/view/view_test_host.h"

namespace ovx::test {
namespace {

constexpr auto kLargest = static_cast<std::int32_t>(kMaxDocumentSize);

TEST_F(ViewTest, AnEditPastTheLargestDocumentBeepsAndChangesNothing) {
  TTempFolder folder;
  {
    std::ofstream create(folder.Path("largest.bin"), std::ios::binary);
  }
  std::error_code ec;
  std::filesystem::resize_file(folder.Path("largest.bin"), static_cast<std::uintmax_t>(kLargest), ec);
  if (ec) GTEST_SKIP() << "no sparse file of 2 GiB here: " << ec.message();
  ASSERT_TRUE(view.LoadFile(folder.Name("largest.bin")));
  ASSERT_EQ(view.Module().Size(), kLargest);

  const std::uint8_t three[] = {0xAB, 0xCD, 0xEF};
  const std::uint8_t zero = 0;
  struct TCase {
    const char* what;
    std::uint8_t mode;
    TInputArea area;
    std::int32_t caret;  // the selection, if any, runs from here to the end
    bool selected;
    std::function<void(TBinaryViewCore&)> edit;
  };
  const TCase cases[] = {
      {"a character typed over a selection", imOverwrite, iaChar, kLargest - 1, true,
       [](TBinaryViewCore& v) { v.TypeCharacters("\x82\xA0"); }},
      {"a character typed over a selection in insert mode", imInsert, iaChar, kLargest - 1, true,
       [](TBinaryViewCore& v) { v.TypeCharacters("\x82\xA0"); }},
      {"a character typed at the end", imInsert, iaChar, kLargest, false,
       [](TBinaryViewCore& v) { v.TypeCharacters("A"); }},
      {"a character typed past the end in overwrite mode", imOverwrite, iaChar, kLargest, false,
       [](TBinaryViewCore& v) { v.TypeCharacters("A"); }},
      {"a digit typed at the end", imInsert, iaHex, kLargest, false,
       [](TBinaryViewCore& v) { v.TypeCharacters("7"); }},
      {"a paste at the end", imInsert, iaHex, kLargest, false,
       [](TBinaryViewCore& v) { v.ExecuteCommand(cmPASTE); }},
      {"a paste over a selection", imOverwrite, iaHex, kLargest - 1, true,
       [](TBinaryViewCore& v) { v.ExecuteCommand(cmPASTE); }},
      {"typed bytes over a selection", imOverwrite, iaHex, kLargest - 1, true,
       [&](TBinaryViewCore& v) { v.ReplaceSelection(three, 3); }},
      {"typed bytes inserted at the end", imInsert, iaHex, kLargest, false,
       [&](TBinaryViewCore& v) { v.InsertBytes(three, v.CaretAddress(), 3); }},
      {"a replace-all that lengthens the last byte", imOverwrite, iaHex, kLargest - 1, false,
       [&](TBinaryViewCore& v) { v.ReplaceData(&zero, 1, three, 2, false, false, false, nullptr); }},
  };
  host.clipboard.text = "xyz";
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    view.SetInputMode(c.mode);
    view.SetInputArea(c.area);
    view.SetSelectionState(ssNone);
    view.SetCaret(c.caret, 0);
    if (c.selected) view.ExecuteCommand(cmFILEENDSEL);
    const TCaretPosition caret = Caret();
    const int beeps = prompt.beeps;
    EXPECT_NO_THROW(c.edit(view));
    EXPECT_EQ(prompt.beeps, beeps + 1);
    EXPECT_EQ(view.Module().Size(), kLargest);
    std::uint8_t last = 0xFF;
    view.Module().ReadData(&last, kLargest - 1, 1);
    EXPECT_EQ(last, 0);
    EXPECT_FALSE(view.History().CanUndo());
    EXPECT_EQ(Caret(), caret);
    EXPECT_EQ(view.HasSelection(), c.selected);
    EXPECT_EQ(prompt.messages, std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace ovx::test
