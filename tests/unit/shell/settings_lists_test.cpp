#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/SettingsLists.h"

namespace ovx {
namespace {

TEST(SettingsLists, UpperCaseFileNameCoversTheLettersOfShiftJisNames) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"c:\\work\\a.bin", "C:\\WORK\\A.BIN"},
      {"ｆｉｌｅ", "ＦＩＬＥ"},          // full-width Latin
      {"αβγσ", "ΑΒΓΣ"},                 // Greek
      {"ёжик", "ЁЖИК"},                 // Cyrillic
      {"ﾃｽﾄ表示.txt", "ﾃｽﾄ表示.TXT"},    // kana and kanji have no case
      {"\xff\x61", "\xff\x41"},          // stray bytes stay, letters after them still change
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(UpperCaseFileName(c.in), c.out) << c.in;
  EXPECT_TRUE(SameFileName("C:\\Ａ.bin", "c:\\ａ.BIN"));
  EXPECT_FALSE(SameFileName("C:\\a.bin", "C:\\a.bin2"));
}

TEST(SettingsLists, HistoryMovesAKnownNameToTheTopAndNeverDrops) {
  THistoryList h;
  for (int i = 0; i < 14; ++i) h.Add("C:\\f" + std::to_string(i));
  EXPECT_EQ(h.Count(), 14u);
  h.Add("c:\\F3");  // same file, other case: moved, spelling kept
  EXPECT_EQ(h.Count(), 14u);
  EXPECT_EQ(h.Entry(0), "C:\\f3");
  EXPECT_EQ(h.Entry(1), "C:\\f13");
  EXPECT_EQ(h.Entry(13), "C:\\f0");
  EXPECT_EQ(h.Entry(14), "");
  h.Delete(0);
  h.Delete(99);
  EXPECT_EQ(h.Entry(0), "C:\\f13");
  EXPECT_EQ(h.Count(), 13u);
}

TWindowProfile At(int left) {
  TWindowProfile p;
  p.Left = left;
  return p;
}

TEST(SettingsLists, StoreOverwritesAndMovesAnExistingEntry) {
  TProfileList list;
  list.Store("C:\\a", At(1), 100);
  list.Store("C:\\b", At(2), 100);
  list.Store("C:\\c", At(3), 100);
  list.Store("c:\\A", At(10), 100);
  ASSERT_EQ(list.Count(), 3u);
  EXPECT_EQ(list.At(0).Name, "C:\\a");
  EXPECT_EQ(list.At(0).Profile.Left, 10);
  EXPECT_EQ(list.At(1).Name, "C:\\c");
  EXPECT_EQ(list.At(2).Name, "C:\\b");
}

TEST(SettingsLists, StoringOneMoreThanTheMaximumDropsTheOldest) {
  TProfileList list;
  for (int i = 0; i < 101; ++i) list.Store("C:\\f" + std::to_string(i), At(i), 100);
  ASSERT_EQ(list.Count(), 100u);
  EXPECT_EQ(list.At(0).Name, "C:\\f100");
  EXPECT_EQ(list.At(99).Name, "C:\\f1");
  TWindowProfile p;
  EXPECT_FALSE(list.Lookup("C:\\f0", p));
}

TEST(SettingsLists, LookupMovesTheEntryToTheTopSoItSurvivesTrimming) {
  TProfileList list;
  for (int i = 0; i < 100; ++i) list.Store("C:\\f" + std::to_string(i), At(i), 100);
  TWindowProfile p;
  ASSERT_TRUE(list.Lookup("c:\\F0", p));  // at the bottom until now
  EXPECT_EQ(p.Left, 0);
  EXPECT_EQ(list.At(0).Name, "C:\\f0");
  list.Store("C:\\new", At(500), 100);
  ASSERT_EQ(list.Count(), 100u);
  EXPECT_TRUE(list.Lookup("C:\\f0", p));
  EXPECT_FALSE(list.Lookup("C:\\f1", p));  // the next oldest went instead
  EXPECT_EQ(p.Left, 0);                     // a miss leaves the output alone
}

TEST(SettingsLists, AMaximumBelowTheLoadedCountTrimsOnlyAtTheNextStore) {
  TProfileList list;
  for (int i = 0; i < 5; ++i) list.Append("C:\\f" + std::to_string(i), At(i));
  list.Store("C:\\f2", At(22), 3);  // an update trims nothing
  EXPECT_EQ(list.Count(), 5u);
  list.Store("C:\\g", At(7), 3);
  ASSERT_EQ(list.Count(), 3u);
  EXPECT_EQ(list.At(0).Name, "C:\\g");
  EXPECT_EQ(list.At(1).Name, "C:\\f2");
  EXPECT_EQ(list.At(2).Name, "C:\\f0");
}

}  // namespace
}  // namespace ovx
