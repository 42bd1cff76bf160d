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
  EXPECT_EQ(prompt.messages, std::vector<std::string>{folder.Name("big.bin") + " の読み込みに失敗しました."});
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

}  // namespace
}  // namespace ovx::test
