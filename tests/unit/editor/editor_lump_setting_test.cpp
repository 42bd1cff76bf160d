// The rows of the batch setting panel and the state each button stands for.
#include <gtest/gtest.h>

#include "editor/LumpSetting.h"

namespace ovx {
namespace {

TEST(EditorLumpSetting, EveryButtonSetsItsOwnStateAndIsCheckedForIt) {
  for (int row = 0; row < LumpRowCount; ++row)
    for (int option = 0; option < LumpRows()[row].options; ++option) {
      SCOPED_TRACE(testing::Message() << LumpRows()[row].names[option]);
      TLumpSettings s;
      SetLumpOption(s, row, option);
      EXPECT_EQ(LumpOption(s, row), option);
      // The other rows keep what they had.
      for (int other = 0; other < LumpRowCount; ++other)
        if (other != row) EXPECT_EQ(LumpOption(s, other), LumpOption(TLumpSettings{}, other));
    }
  TLumpSettings s;
  s.charaSet = 4;
  s.informationPanel = false;
  s.undoWarning = false;
  EXPECT_EQ(LumpOption(s, 3), 4);
  EXPECT_EQ(LumpOption(s, 8), 1);   // 情報パネル: 表示しない
  EXPECT_EQ(LumpOption(s, 14), 1);  // アンドゥオーバーフロー: 警告しない
  EXPECT_STREQ(LumpRows()[14].captions[1], "警告しない");
}

TEST(EditorLumpSetting, AViewOnlyWindowKeepsItsInputMode) {
  TLumpSettings s;
  s.viewOnly = true;
  EXPECT_EQ(LumpOption(s, LumpInputModeRow), -1);
  SetLumpOption(s, LumpInputModeRow, 0);
  EXPECT_FALSE(s.insert);
  TLumpSettings editable;
  SetLumpOption(editable, LumpInputModeRow, 0);
  EXPECT_TRUE(editable.insert);
  EXPECT_EQ(LumpOption(editable, LumpInputModeRow), 0);
}

}  // namespace
}  // namespace ovx
