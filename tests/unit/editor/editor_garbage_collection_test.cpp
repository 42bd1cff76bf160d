// ガーベージコレクション: the texts with their figures, the answers and what packing keeps.
#include <gtest/gtest.h>

#include <vector>

#include "editor/GarbageCollection.h"
#include "tests/unit/scripted_prompt.h"

namespace ovx {
namespace {

// A document of 8192 bytes with one byte inserted in its first block: the chain splits.
void Fragment(TMemoryModule& m) {
  std::vector<std::uint8_t> bytes(8192);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  ASSERT_TRUE(m.InsertData(bytes.data(), 0, 8192));
  const std::uint8_t one = 0xAA;
  ASSERT_TRUE(m.InsertData(&one, 100, 1));
}

TEST(EditorGarbageCollection, QuestionCarriesBothFigures) {
  EXPECT_EQ(GarbageCollectionQuestion(8193, 4, 3),
            "現在のメモリ利用効率は 50% です.\r\nガーベージコレクション実行後は 66% になります.\r\n実行しますか？");
  // 64-bit products: a 1 GiB document.
  EXPECT_EQ(GarbageCollectionQuestion(std::int64_t{1} << 30, 524288, 262144),
            "現在のメモリ利用効率は 50% です.\r\nガーベージコレクション実行後は 100% になります.\r\n実行しますか？");
}

TEST(EditorGarbageCollection, NothingToGainIsTold) {
  TMemoryModule m;
  test::TScriptedPrompt prompt({mrOk});
  EXPECT_FALSE(GarbageCollectionCommand(m, prompt));
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "メモリ利用効率は最大です.\r\nガーベージコレクションの必要はありません.");
  EXPECT_EQ(prompt.shown[0].kind, mtInformation);
}

TEST(EditorGarbageCollection, CancelKeepsAndYesPacksWithoutMarkingModified) {
  TMemoryModule m;
  Fragment(m);
  ASSERT_NE(m.BlockCount(), m.PageCount());
  const std::int32_t blocks = m.BlockCount();
  m.SetModified(0);
  test::TScriptedPrompt prompt({mrCancel, mrYes});
  EXPECT_FALSE(GarbageCollectionCommand(m, prompt));
  EXPECT_EQ(m.BlockCount(), blocks);
  EXPECT_EQ(prompt.shown[0].kind, mtConfirmation);
  EXPECT_EQ(prompt.shown[0].buttons, unsigned(mbYes | mbCancel));

  std::vector<std::uint8_t> before(m.Size()), after(m.Size());
  m.ReadData(before.data(), 0, m.Size());
  EXPECT_TRUE(GarbageCollectionCommand(m, prompt));
  EXPECT_EQ(m.BlockCount(), m.PageCount());
  m.ReadData(after.data(), 0, m.Size());
  EXPECT_EQ(after, before);
  EXPECT_EQ(m.Modified(), 0);
}

}  // namespace
}  // namespace ovx
