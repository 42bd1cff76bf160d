#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/FileSystem.h"
#include "shell/KeyMap.h"
#include "shell/MemoryKeyValueStore.h"
#include "shell/OvxGlobals.h"
#include "shell/ProfileFile.h"
#include "shell/SettingsRegistry.h"
#include "shell/SettingsStore.h"
#include "SettingsTestSupport.h"

namespace ovx {
namespace {

const std::string Root = SettingsRootKey;
const std::string OldRoot = OldSettingsRootKey;

class SettingsStoreTest : public ::testing::Test {
 protected:
  TSettingsPlatform Platform() {
    TSettingsPlatform p;
    p.Files = &PlatformFileSystem();
    p.Registry = &registry;
    p.Prompt = &prompt;
    p.ProgramFolder = folder.Name();
    // Stands in for the file system's short names.
    p.LongPathName = [](const std::string& name) {
      std::string out = name;
      for (std::size_t at; (at = out.find("LONGFI~1")) != std::string::npos;) out.replace(at, 8, "Long File Name");
      return out;
    };
    p.FirstRun = [this] { ++firstRuns; };
    return p;
  }

  std::unique_ptr<TSettingsStore> Loaded() {
    auto store = std::make_unique<TSettingsStore>(Platform());
    store->LoadSettings();
    return store;
  }

  std::unique_ptr<TStoreKey> Key(const std::string& path) {
    std::unique_ptr<TStoreKey> key;
    EXPECT_EQ(registry.CreateKey(path, key), 0) << path;
    return key;
  }
  void PutDword(const std::string& path, const std::string& name, std::uint32_t v) { Key(path)->WriteDword(name, v); }
  void PutString(const std::string& path, const std::string& name, const std::string& v) {
    Key(path)->WriteString(name, v);
  }
  std::vector<std::string> ValueNames(const std::string& path) {
    std::unique_ptr<TStoreKey> key;
    std::vector<std::string> names;
    if (registry.OpenKey(path, key) == 0) key->ValueNames(names);
    return names;
  }
  std::uint32_t Dword(const std::string& path, const std::string& name) {
    std::unique_ptr<TStoreKey> key;
    std::uint32_t v = 0xDEADBEEF;
    if (registry.OpenKey(path, key) == 0) key->ReadDword(name, v);
    return v;
  }
  std::string String(const std::string& path, const std::string& name) {
    std::unique_ptr<TStoreKey> key;
    std::string v = "<missing>";
    if (registry.OpenKey(path, key) == 0) key->ReadString(name, v);
    return v;
  }

  TMemoryKeyValueStore registry;
  testing::TRecordingPrompt prompt;
  testing::TScratchFolder folder;
  int firstRuns = 0;
};

TEST_F(SettingsStoreTest, FirstRunCallsTheHookAndSavesTheFullTree) {
  auto store = Loaded();
  EXPECT_EQ(firstRuns, 1);
  EXPECT_EQ(store->Settings(), DefaultEnvironmentSettings());
  store->SaveSettings();
  EXPECT_TRUE(prompt.Failures.empty());

  EXPECT_EQ(registry.SubkeyNames(Root), (std::vector<std::string>{"Config", "Color", "ViewItem", "History", "Key"}));
  EXPECT_EQ(registry.SubkeyNames(Root + "\\Key"),
            (std::vector<std::string>{"UserMenu{0}", "UserMenu{1}", "UserMenu{2}", "UserMenu{3}", "UserMenu{4}"}));
  EXPECT_EQ(ValueNames(Root), std::vector<std::string>{"InstallFolder"});
  EXPECT_EQ(String(Root, "InstallFolder"), folder.Name());

  std::vector<std::string> configNames;
  for (const auto& v : ConfigValues) configNames.push_back(v.Name);
  EXPECT_EQ(ValueNames(Root + "\\Config"), configNames);
  const std::string config = Root + "\\Config";
  EXPECT_EQ(String(config, "ViewModeExt"), "sys;exe;com;dll;vxd");
  struct {
    const char* name;
    std::uint32_t value;
  } dwords[] = {{"OpeningDlg", 1}, {"FontHeight", 14}, {"MakeBackFile", 1}, {"InputMode", 0}, {"CharaSet", 1},
                {"CheckSum", 0}, {"IntWidth", 2}, {"IntCardinal", 1}, {"ByteOrder", 0}, {"ExpandTenKey", 1},
                {"UndoBuffer", 128}, {"UndoPacked", 0}, {"UndoFlushWithSaved", 1}, {"UndoOverflowSound", 1},
                {"KeyAssignType", 0}, {"DialogFlattery", 1}, {"DialogAutoHidden", 1}, {"NewWindowMoveCenter", 1},
                {"ProfileWindowLoad", 1}, {"ProfilePositionLoad", 1}, {"ProfileNotExistToCenter", 1},
                {"ProfileMax", 100}};
  for (const auto& d : dwords) EXPECT_EQ(Dword(config, d.name), d.value) << d.name;

  EXPECT_EQ(ValueNames(Root + "\\ViewItem"),
            (std::vector<std::string>{"ToolBar", "FunctionBar", "StatusBar", "InformationPanel", "CompareArrow",
                                      "CompareColor", "CaretMarker"}));
  EXPECT_EQ(Dword(Root + "\\ViewItem", "CompareColor"), 1u);
  for (const char* empty : {"\\Color", "\\History", "\\Key", "\\Key\\UserMenu{0}", "\\Key\\UserMenu{4}"}) {
    EXPECT_TRUE(registry.KeyExists(Root + empty)) << empty;
    EXPECT_TRUE(ValueNames(Root + empty).empty()) << empty;
  }

  Loaded();
  EXPECT_EQ(firstRuns, 1);  // the tree now exists
}

TEST_F(SettingsStoreTest, EveryValueSurvivesASaveAndALoad) {
  auto store = Loaded();
  TEnvironmentSettings& s = store->Settings();
  s.Colors.SelectBG = 0x00112233;
  s.ToolBar = s.FunctionBar = s.StatusBar = s.InformationPanel = s.CompareArrow = s.CompareColor = s.CaretMarker = false;
  s.OpeningDlg = s.MakeBackFile = s.ExpandTenKey = s.UndoFlushWithSaved = s.UndoOverflowSound = false;
  s.DialogFlattery = s.DialogAutoHidden = s.NewWindowMoveCenter = false;
  s.ProfileWindowLoad = s.ProfilePositionLoad = s.ProfileNotExistToCenter = false;
  s.UndoPacked = true;
  s.FontHeight = 30;
  s.ViewModeExt = "bin;ｄａｔ";
  s.InputMode = 1;
  s.CharaSet = 4;
  s.CheckSum = 1;
  s.IntWidth = 3;
  s.IntCardinal = 2;
  s.ByteOrder = 1;
  s.UndoBuffer = 0;
  s.KeyAssignType = katMsDos;
  MsDosStandardKeyMap(s.KeyMap);
  s.ProfileMax = 10;
  const TEnvironmentSettings saved = s;
  store->SaveSettings();
  EXPECT_EQ(Loaded()->Settings(), saved);
}

TEST_F(SettingsStoreTest, OldProductRootIsReadAndMovedAtTheNextSave) {
  PutDword(OldRoot + "\\Config", "FontHeight", 22);
  PutDword(OldRoot + "\\Config", "KeyAssignType", 2);
  PutDword(OldRoot + "\\Color", "EofBG", 0x00123456);
  PutDword(OldRoot + "\\ViewItem", "StatusBar", 0);
  PutString(OldRoot + "\\History", "History0", "C:\\old.bin");
  PutString(OldRoot + "\\Key", "Ctrl+{Z}", "undo");
  PutString(UserMenuKeyPath(OldRoot, 1), "{S}", "SAVE");
  PutDword(Root + "\\Config", "FontHeight", 11);  // the newer root is not the base while the old one exists

  auto store = Loaded();
  EXPECT_EQ(firstRuns, 0);
  const TEnvironmentSettings& s = store->Settings();
  EXPECT_EQ(s.FontHeight, 22);
  EXPECT_EQ(s.Colors.EofBG, 0x00123456u);
  EXPECT_FALSE(s.StatusBar);
  EXPECT_EQ(store->History().Entry(0), "C:\\old.bin");
  EXPECT_EQ(KeyMapEntry(s.KeyMap, ssCtrl, kiZ), cmUNDO);
  EXPECT_EQ(UserMenuEntry(s.KeyMap, 1, kiA + ('S' - 'A')), cmSAVE);

  store->SaveSettings();
  EXPECT_FALSE(registry.KeyExists(OldRoot));
  EXPECT_EQ(Dword(Root + "\\Config", "FontHeight"), 22u);
  EXPECT_EQ(Dword(Root + "\\Color", "EofBG"), 0x00123456u);
  EXPECT_EQ(Dword(Root + "\\ViewItem", "StatusBar"), 0u);
  EXPECT_EQ(String(Root + "\\History", "History0"), "C:\\old.bin");
  EXPECT_EQ(String(Root + "\\Key", "Ctrl+{Z}"), "UNDO");
  EXPECT_EQ(String(UserMenuKeyPath(Root, 1), "{S}"), "SAVE");
  EXPECT_EQ(Loaded()->Settings(), s);
}

TEST_F(SettingsStoreTest, OnlyColoursOffTheirDefaultAreStored) {
  auto store = Loaded();
  store->Settings().Colors.NormalFont = 0x000000FF;
  store->Settings().Colors.CaretMarker = 0x00FF0000;
  store->SaveSettings();
  EXPECT_EQ(ValueNames(Root + "\\Color"), (std::vector<std::string>{"NormalFont", "CaretMarker"}));
  EXPECT_EQ(Dword(Root + "\\ViewItem", "CaretMarker"), 1u);  // the boolean of the same name is apart

  store = Loaded();
  EXPECT_EQ(store->Settings().Colors.CaretMarker, 0x00FF0000u);
  store->Settings().Colors.NormalFont = TColorSettings().NormalFont;
  store->SaveSettings();
  EXPECT_EQ(ValueNames(Root + "\\Color"), std::vector<std::string>{"CaretMarker"});
}

TEST_F(SettingsStoreTest, AHistoryOfFourteenIsStoredAsItsFirstTen) {
  auto store = Loaded();
  for (int i = 0; i < 14; ++i) store->AddHistory("C:\\f" + std::to_string(i));
  EXPECT_EQ(store->History().Count(), 14u);
  store->SaveSettings();
  auto names = ValueNames(Root + "\\History");
  ASSERT_EQ(names.size(), 10u);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(names[i], "History" + std::to_string(i));
    EXPECT_EQ(String(Root + "\\History", names[i]), "C:\\f" + std::to_string(13 - i));
  }
  EXPECT_EQ(Loaded()->History().Count(), 10u);
}

TEST_F(SettingsStoreTest, HistoryStopsAtTheFirstMissingNameAndPassesOverUnusableEntries) {
  PutString(Root + "\\History", "History0", "C:\\a");
  PutDword(Root + "\\History", "History1", 7);    // wrong kind: passed over
  PutString(Root + "\\History", "History2", "");  // empty: passed over
  PutString(Root + "\\History", "History3", "C:\\b");
  PutString(Root + "\\History", "History5", "C:\\after-gap");
  PutString(Root + "\\History", "History10", "C:\\eleventh");
  auto store = Loaded();
  ASSERT_EQ(store->History().Count(), 2u);
  EXPECT_EQ(store->History().Entry(0), "C:\\a");
  EXPECT_EQ(store->History().Entry(1), "C:\\b");
}

TEST_F(SettingsStoreTest, HistoryAndProfilesUseTheLongPathForm) {
  auto store = Loaded();
  store->AddHistory("C:\\LONGFI~1\\a.bin");
  store->AddHistory("c:\\long file name\\A.BIN");
  ASSERT_EQ(store->History().Count(), 1u);
  EXPECT_EQ(store->History().Entry(0), "C:\\Long File Name\\a.bin");

  TWindowProfile p;
  p.Left = 77;
  store->StoreProfile("C:\\LONGFI~1\\a.bin", p);
  EXPECT_EQ(store->Profiles().At(0).Name, "C:\\Long File Name\\a.bin");
  TWindowProfile back;
  ASSERT_TRUE(store->LookupProfile("C:\\LONG FILE NAME\\a.BIN", back));
  EXPECT_EQ(back.Left, 77);
}

TEST_F(SettingsStoreTest, CustomKeyMapRoundTripReadsAltButNeverWritesIt) {
  PutDword(Root + "\\Config", "KeyAssignType", 2);
  const std::string key = Root + "\\Key";
  PutString(key, "{F1}", "help");
  PutString(key, "Ctrl+Shift+{S}", "ALLSAVE");
  PutString(key, "Alt+{A}", "SELECTALL");           // read, never written back
  PutString(key, "Over+{B}", "COPY");               // code 8 addresses nothing
  PutString(key, "Bogus+{C}", "CUT");               // unknown prefix counts as no shift
  PutString(key, "{NoSuchKey}", "PASTE");           // names no key
  PutString(key, "{Application}", "POPUPMENU");
  PutString(key, "{0(NumPad)}", "UNDO");            // outside the stored range
  PutString(key, "Shift+{Space}", "NOSUCHCOMMAND");  // a keyword that names no command gives -1
  PutString(key, "NoBrace", "REDO");
  PutDword(key, "{D}", 15001);                      // not a string
  registry.PutOtherValue(key, "{E}");
  PutString(UserMenuKeyPath(Root, 0), "{z}", "undo");
  PutString(UserMenuKeyPath(Root, 0), "{1}", "REDO");  // not a letter
  PutString(UserMenuKeyPath(Root, 4), "{A}", "VERSION");

  auto store = Loaded();
  const TKeyMap& map = store->Settings().KeyMap;
  int bound = 0;
  for (int i = 0; i < KeyMapSize; ++i) bound += map[i] != NoCommand;
  EXPECT_EQ(bound, 7);
  EXPECT_EQ(KeyMapEntry(map, 0, kiF1), cmHELP);
  EXPECT_EQ(KeyMapEntry(map, ssCtrl | ssShift, kiA + ('S' - 'A')), cmALLSAVE);
  EXPECT_EQ(KeyMapEntry(map, ssAlt, kiA), cmSELECTALL);
  EXPECT_EQ(KeyMapEntry(map, 0, kiA + 2), cmCUT);
  EXPECT_EQ(KeyMapEntry(map, 0, kiApplication), cmPOPUPMENU);
  EXPECT_EQ(KeyMapEntry(map, ssShift, kiSpace), NoCommand);
  EXPECT_EQ(UserMenuEntry(map, 0, kiZ), cmUNDO);
  EXPECT_EQ(UserMenuEntry(map, 4, kiA), cmVERSION);

  store->SaveSettings();
  std::vector<std::string> names = ValueNames(key);
  EXPECT_EQ(names, (std::vector<std::string>{"{C}", "{F1}", "{Application}", "Ctrl+Shift+{S}"}));
  EXPECT_EQ(String(key, "{F1}"), "HELP");
  EXPECT_EQ(ValueNames(UserMenuKeyPath(Root, 0)), std::vector<std::string>{"{Z}"});
  EXPECT_EQ(String(UserMenuKeyPath(Root, 4), "{A}"), "VERSION");

  TKeyMap withoutAlt = map;
  SetKeyMapEntry(withoutAlt, ssAlt, kiA, NoCommand);
  EXPECT_EQ(Loaded()->Settings().KeyMap, withoutAlt);
}

TEST_F(SettingsStoreTest, ApplicationKeyBindingsSurviveASaveAndALoad) {
  // "{Application}" is bound like any key of the options dialog, in the four states without Alt;
  // the keypad keys, which the dialog does not offer, stay out of the registry.
  struct Case {
    int shift, key, command;
    const char* valueName;  // nullptr: not written
  } cases[] = {
      {0, kiApplication, cmPOPUPMENU, "{Application}"},
      {ssShift, kiApplication, cmUSERMENU1, "Shift+{Application}"},
      {ssCtrl, kiApplication, cmCOPY, "Ctrl+{Application}"},
      {ssCtrl | ssShift, kiApplication, cmPASTE, "Ctrl+Shift+{Application}"},
      {ssAlt, kiApplication, cmUNDO, nullptr},
      {0, kiNumPad0, cmUNDO, nullptr},
      {0, kiSpace, cmCOPY, "{Space}"},
  };
  auto store = Loaded();
  TEnvironmentSettings& s = store->Settings();
  s.KeyAssignType = katCustom;
  ClearKeyMap(s.KeyMap);
  for (const Case& c : cases) SetKeyMapEntry(s.KeyMap, c.shift, c.key, c.command);
  store->SaveSettings();

  const std::string key = Root + "\\Key";
  std::vector<std::string> names = ValueNames(key);
  TKeyMap reloaded = Loaded()->Settings().KeyMap;
  for (const Case& c : cases) {
    const std::string name = KeyValueName(c.shift, c.key);
    if (c.valueName) {
      EXPECT_EQ(String(key, c.valueName), CommandKeyword(c.command)) << c.valueName;
    } else {
      EXPECT_EQ(std::count(names.begin(), names.end(), name), 0) << name;
    }
    EXPECT_EQ(KeyMapEntry(reloaded, c.shift, c.key), c.valueName ? c.command : NoCommand) << name;
  }
}

TEST_F(SettingsStoreTest, TemplatesIgnoreStoredKeysAndWriteTheKeyTreeEmpty) {
  for (std::uint32_t type : {0u, 1u}) {
    PutDword(Root + "\\Config", "KeyAssignType", type);
    PutString(Root + "\\Key", "{F1}", "VERSION");
    PutString(UserMenuKeyPath(Root, 2), "{A}", "VERSION");
    auto store = Loaded();
    TKeyMap expected;
    if (type == 0) WindowsStandardKeyMap(expected); else MsDosStandardKeyMap(expected);
    EXPECT_EQ(store->Settings().KeyMap, expected) << type;
    store->SaveSettings();
    EXPECT_TRUE(ValueNames(Root + "\\Key").empty()) << type;
    EXPECT_TRUE(ValueNames(UserMenuKeyPath(Root, 2)).empty()) << type;
  }
}

TEST_F(SettingsStoreTest, UnusableRegistryValuesKeepTheirDefaults) {
  const std::string config = Root + "\\Config";
  PutString(config, "FontHeight", "20");      // a string where a number belongs
  PutDword(config, "ViewModeExt", 5);          // a number where a string belongs
  PutDword(config, "CharaSet", 9);             // past the last character set
  PutDword(config, "KeyAssignType", 7);        // no such template
  PutDword(config, "IntWidth", 0);             // below the narrowest width
  PutDword(config, "ByteOrder", 0x101);        // does not fit a byte
  PutDword(config, "UndoBuffer", 0xFFFFFFFF);  // negative
  PutDword(config, "ProfileMax", 0);
  registry.PutOtherValue(config, "InputMode");
  PutDword(config, "NoSuchSetting", 1);        // unknown names are ignored
  PutDword(config, "UndoPacked", 5);           // any non-zero value is true
  PutDword(config, "IntCardinal", 2);          // a good value next to the bad ones
  PutString(Root + "\\Color", "NormalBG", "red");
  PutString(Root + "\\ViewItem", "ToolBar", "0");

  auto store = Loaded();
  TEnvironmentSettings expected = DefaultEnvironmentSettings();
  expected.UndoPacked = true;
  expected.IntCardinal = 2;
  EXPECT_EQ(store->Settings(), expected);
  store->SaveSettings();
  EXPECT_EQ(Dword(config, "CharaSet"), 1u);
  EXPECT_EQ(Dword(config, "KeyAssignType"), 0u);
  EXPECT_TRUE(prompt.Failures.empty());
}

class ProfileFileStoreTest : public SettingsStoreTest {
 protected:
  std::string ProfilePath() { return folder.Name() + ProfileFileName; }
  void WriteImage(const std::string& image) { ASSERT_EQ(WriteWholeFile(PlatformFileSystem(), ProfilePath(), image), 0); }
  std::vector<TProfileRecord> ReadRecords() {
    std::string image;
    std::vector<TProfileRecord> records;
    EXPECT_EQ(ReadWholeFile(PlatformFileSystem(), ProfilePath(), image), 0);
    EXPECT_TRUE(DecodeProfileFile(image, records));
    return records;
  }
};

TEST_F(ProfileFileStoreTest, LoadKeepsEveryRecordAndSaveWritesTheListInOrder) {
  std::vector<TProfileRecord> records;
  for (int i = 0; i < 12; ++i) {
    TWindowProfile p;
    p.Left = i;
    records.push_back({"C:\\f" + std::to_string(i), p});
  }
  WriteImage(EncodeProfileFile(records));
  auto store = Loaded();
  store->Settings().ProfileMax = 10;
  ASSERT_EQ(store->Profiles().Count(), 12u);  // not cut at load
  TWindowProfile p;
  ASSERT_TRUE(store->LookupProfile("C:\\F11", p));
  EXPECT_EQ(p.Left, 11);
  p.Left = 99;
  store->StoreProfile("C:\\new", p);  // trims to the maximum
  store->SaveSettings();
  auto back = ReadRecords();
  ASSERT_EQ(back.size(), 10u);
  EXPECT_EQ(back[0].NameBytes, "C:\\new");
  EXPECT_EQ(back[0].Profile.Left, 99);
  EXPECT_EQ(back[1].NameBytes, "C:\\f11");
  EXPECT_EQ(back[9].NameBytes, "C:\\f7");
}

TEST_F(ProfileFileStoreTest, NamesAreStoredInShiftJisBytes) {
  TWindowProfile p;
  p.Top = 5;
  WriteImage(EncodeProfileFile({{"C:\\\x83\x66\x81\x5B\x83\x5E\\\x95\x5C.bin", p}}));  // C:\データ\表.bin
  auto store = Loaded();
  ASSERT_EQ(store->Profiles().Count(), 1u);
  EXPECT_EQ(store->Profiles().At(0).Name, "C:\\データ\\表.bin");
  store->StoreProfile("C:\\ﾃｽﾄ.bin", p);
  store->SaveSettings();
  auto back = ReadRecords();
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].NameBytes, "C:\\\xC3\xBD\xC4.bin");
  EXPECT_EQ(back[1].NameBytes, "C:\\\x83\x66\x81\x5B\x83\x5E\\\x95\x5C.bin");
}

TEST_F(ProfileFileStoreTest, ADamagedFileIsIgnoredSilentlyAndReplacedAtSave) {
  std::string image = EncodeProfileFile({{"C:\\a", {}}});
  image[16] = 0x7F;  // the size field no longer matches
  WriteImage(image);
  auto store = Loaded();
  EXPECT_EQ(store->Profiles().Count(), 0u);
  store->StoreProfile("C:\\b", {});
  store->SaveSettings();
  EXPECT_TRUE(prompt.Failures.empty());
  auto back = ReadRecords();
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].NameBytes, "C:\\b");
}

TEST_F(SettingsStoreTest, AFailedProfileWriteIsReportedAndTheRegistryStillWritten) {
  TSettingsPlatform p = Platform();
  p.ProgramFolder = folder.Name() + "no-such-folder" + (folder.Name().back() == '/' ? "/" : "\\");
  TSettingsStore store(p);
  store.LoadSettings();
  store.SaveSettings();
  ASSERT_EQ(prompt.Failures.size(), 1u);
  EXPECT_EQ(prompt.Failures[0].Caption, "Orvanta Exception Error !!");
  EXPECT_EQ(prompt.Failures[0].Text, "プロファイルの保存に失敗しました.");
  EXPECT_TRUE(prompt.Failures[0].Ownerless);
  EXPECT_EQ(ValueNames(Root + "\\Config").size(), ConfigValueCount);
}

TEST_F(SettingsStoreTest, ARegistryFailureStopsTheRestAndNamesTheKey) {
  auto store = Loaded();
  registry.FailWritesAt(Root + "\\Color");
  store->SaveSettings();
  ASSERT_EQ(prompt.Failures.size(), 1u);
  const auto& f = prompt.Failures[0];
  EXPECT_EQ(f.Caption, "Orvanta Exception Error !!");
  EXPECT_FALSE(f.Ownerless);
  const std::string head = "レジストリキー \\Software\\Brightmoor\\Orvanta\\Color 書き込み中に例外が発生しました\r\nアドレス 0x";
  const std::string tail = "\r\nメッセージ アクセスが拒否されました。";
  ASSERT_GE(f.Text.size(), head.size() + 8 + tail.size());
  EXPECT_EQ(f.Text.substr(0, head.size()), head);
  EXPECT_EQ(f.Text.substr(f.Text.size() - tail.size()), tail);
  const std::string address = f.Text.substr(head.size(), f.Text.size() - head.size() - tail.size());
  EXPECT_EQ(address.find_first_not_of("0123456789abcdef"), std::string::npos) << address;
  EXPECT_NE(address.find_first_not_of('0'), std::string::npos);
  EXPECT_EQ(ValueNames(Root + "\\Config").size(), ConfigValueCount);  // the steps before it ran
  EXPECT_FALSE(registry.KeyExists(Root + "\\ViewItem"));              // the steps after it did not
  EXPECT_TRUE(PlatformFileSystem().Exists(folder.Name() + ProfileFileName));
}

TEST_F(SettingsStoreTest, AnOldRootThatCannotBeDeletedIsTheKeyReported) {
  PutDword(OldRoot + "\\Config", "FontHeight", 20);
  auto store = Loaded();
  registry.FailWritesAt(OldRoot);
  store->SaveSettings();
  ASSERT_EQ(prompt.Failures.size(), 1u);
  EXPECT_EQ(prompt.Failures[0].Text.rfind("レジストリキー \\Software\\Quennetsoft\\Orvel 書き込み中", 0), 0u);
  EXPECT_FALSE(registry.KeyExists(Root));
}

TEST(RegistryFailureText, FillsTheFormat) {
  EXPECT_EQ(RegistryFailureText("\\K", 0x1234ABCD, "m"),
            "レジストリキー \\K 書き込み中に例外が発生しました\r\nアドレス 0x1234abcd\r\nメッセージ m");
  EXPECT_NE(RegistryFailureText("\\K", 0x42, "m").find("アドレス 0x00000042\r\n"), std::string::npos);
}

}  // namespace
}  // namespace ovx
