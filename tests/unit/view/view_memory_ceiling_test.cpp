// Memory running out while a document is loaded or bytes are pasted: the program goes on, a load
// ends with its failure message and an empty document, a paste leaves the document as it was.
#include "tests/unit/model/temp_folder.h"
#include "tests/unit/view/view_test_host.h"

namespace ovx::test {
namespace {

// The document's block memory is capped at one slab while it exists.
class TOneSlabCeiling {
 public:
  TOneSlabCeiling() { TBlockPool::SetCeiling(kSlabBytes); }
  ~TOneSlabCeiling() { TBlockPool::SetCeiling(0); }
};

const std::int32_t kMoreThanASlab = static_cast<std::int32_t>(kSlabBytes) + 5 * kBlockSize + 7;

TEST_F(ViewTest, ALoadThatCannotGetItsMemoryEndsWithItsMessageAndAnEmptyDocument) {
  TTempFolder folder;
  folder.Write("big.bin", std::string(static_cast<std::size_t>(kMoreThanASlab), 'b'));
  LoadSize(300);
  view.SetCaret(200, 1);
  {
    TOneSlabCeiling ceiling;
    bool loaded = true;
    EXPECT_NO_THROW(loaded = view.LoadFile(folder.Name("big.bin")));
    EXPECT_FALSE(loaded);
  }
  // Memory, not the size limit: the platform's words for it.
  const std::string reason = PlatformFileSystem().ErrorText(PlatformFileSystem().OutOfMemoryCode());
  EXPECT_EQ(prompt.messages, std::vector<std::string>{folder.Name("big.bin") + " の読み込みに失敗しました.\r\n" + reason});
  EXPECT_EQ(view.Module().Size(), 0);
  EXPECT_EQ(Caret(), (TCaretPosition{0, 0}));
  // Once memory is there again the same file loads whole.
  ASSERT_TRUE(view.LoadFile(folder.Name("big.bin")));
  EXPECT_EQ(view.Module().Size(), kMoreThanASlab);
}

// A paste too large to be held ends with a beep; the document and the history are as before, and
// editing goes on.
TEST_F(ViewTest, APasteThatCannotBeHeldLeavesTheDocumentAsItWas) {
  const struct {
    const char* what;
    bool insertMode;
    bool selection;
  } cases[] = {
      {"insert", true, false},
      {"overwrite reaching past the end", false, false},
      {"replacing a selection", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LoadSize(3 * kBlockSize);
    const std::vector<std::uint8_t> loaded = Bytes();
    view.SetInputMode(c.insertMode ? imInsert : imOverwrite);
    view.SetCaret(kBlockSize + 5, 0);
    if (c.selection) {
      for (int i = 0; i < 3; ++i) view.ExecuteCommand(cmRIGHTSEL);
    }
    view.TypeCharacters("7");
    view.History().CloseUndoGroup();
    const std::vector<std::uint8_t> before = Bytes();
    host.clipboard.text = std::string(static_cast<std::size_t>(kMoreThanASlab), 'p');
    const int beeps = prompt.beeps;
    {
      TOneSlabCeiling ceiling;
      EXPECT_NO_THROW(view.ExecuteCommand(cmPASTE));
    }
    EXPECT_EQ(prompt.beeps, beeps + 1);
    EXPECT_TRUE(Bytes() == before) << "the document changed: " << Bytes().size() << " bytes";
    EXPECT_TRUE(view.Module().IndexConsistent());
    while (view.History().CanUndo()) view.History().Undo();
    EXPECT_TRUE(Bytes() == loaded);
  }
}

// Memory running out in the middle of a replace-all: what was replaced stays as one undo step,
// the caret stays inside the document, the group is closed and the user is told.
TEST_F(ViewTest, AReplaceAllThatRunsOutOfMemoryStopsClosesItsStepAndSaysSo) {
  LoadSize(3 * kBlockSize);  // byte 7 every 256 bytes: 48 matches
  const std::vector<std::uint8_t> loaded = Bytes();
  view.History().SetLimit(std::int64_t{64} << 20);  // no question about the undo budget
  view.SetCaret(0, 0);
  const std::uint8_t seven = 7;
  const std::vector<std::uint8_t> large(64 * 1024, 'r');  // 48 of them exceed the slab
  {
    TOneSlabCeiling ceiling;
    EXPECT_NO_THROW(view.ReplaceData(&seven, 1, large.data(), static_cast<std::int32_t>(large.size()), false, false,
                                     false, nullptr));
  }
  EXPECT_EQ(prompt.messages, std::vector<std::string>{"メモリが不足したため, 置換を途中で中止しました."});
  const std::int32_t size = view.Module().Size();
  EXPECT_GT(size, static_cast<std::int32_t>(loaded.size())) << "some replacements were made";
  EXPECT_LT(size, static_cast<std::int32_t>(loaded.size() + 48 * (large.size() - 1))) << "not all of them";
  EXPECT_LE(view.CaretAddress(), size);
  EXPECT_TRUE(view.Module().IndexConsistent());
  // The next edit is a step of its own.
  view.SetCaret(0, 0);
  view.TypeCharacters("F");
  view.Undo();
  EXPECT_EQ(view.Module().Size(), size);
  view.Undo();
  EXPECT_TRUE(Bytes() == loaded);
}

}  // namespace
}  // namespace ovx::test
