// The settings store against the real registry of the test prefix (HKEY_CURRENT_USER).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "model/FileSystem.h"
#include "shell/KeyMap.h"
#include "shell/RegistryStore.h"
#include "shell/SettingsRegistry.h"
#include "shell/SettingsStore.h"
#include "tests/unit/shell/SettingsTestSupport.h"

namespace ovx {
namespace {

const wchar_t kRoot[] = L"Software\\Brightmoor\\Orvanta";
const wchar_t kOldRoot[] = L"Software\\Quennetsoft\\Orvel";

std::wstring W(const std::string& s) {
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

bool KeyExists(const std::wstring& path) {
  HKEY k;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

// Values of a key as name and type, sorted by name (enumeration order differs between systems).
std::vector<std::pair<std::wstring, DWORD>> Values(const std::wstring& path) {
  std::vector<std::pair<std::wstring, DWORD>> out;
  HKEY k;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return out;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD length = 256, type = 0;
    if (RegEnumValueW(k, i, name, &length, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) break;
    out.emplace_back(std::wstring(name, length), type);
  }
  RegCloseKey(k);
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<std::wstring> ValueNames(const std::wstring& path) {
  std::vector<std::wstring> names;
  for (const auto& v : Values(path)) names.push_back(v.first);
  return names;
}

std::vector<std::wstring> Subkeys(const std::wstring& path) {
  std::vector<std::wstring> out;
  HKEY k;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return out;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD length = 256;
    if (RegEnumKeyExW(k, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    out.emplace_back(name, length);
  }
  RegCloseKey(k);
  std::sort(out.begin(), out.end());
  return out;
}

DWORD Dword(const std::wstring& path, const wchar_t* name) {
  DWORD v = 0xDEADBEEF, size = sizeof v, type = 0;
  RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY, &type, &v, &size);
  return type == REG_DWORD ? v : 0xDEADBEEF;
}

std::wstring Text(const std::wstring& path, const wchar_t* name) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof buffer;
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
    return L"<missing>";
  return buffer;
}

void SetDword(const std::wstring& path, const wchar_t* name, DWORD v) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name, REG_DWORD, &v, sizeof v), ERROR_SUCCESS);
}

void SetText(const std::wstring& path, const wchar_t* name, const std::wstring& v) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name, REG_SZ, v.c_str(),
                            static_cast<DWORD>((v.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

void SetBinary(const std::wstring& path, const wchar_t* name) {
  const BYTE data[3] = {1, 2, 3};
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name, REG_BINARY, data, sizeof data), ERROR_SUCCESS);
}

class RegistrySettings : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
    RegDeleteKeyW(HKEY_CURRENT_USER, kRoot);
    RegDeleteTreeW(HKEY_CURRENT_USER, kOldRoot);
    RegDeleteKeyW(HKEY_CURRENT_USER, kOldRoot);
  }

  std::unique_ptr<TSettingsStore> Loaded() {
    TSettingsPlatform p;
    p.Files = &PlatformFileSystem();
    p.Registry = registry.get();
    p.Prompt = &prompt;
    p.ProgramFolder = folder.Name();
    p.FirstRun = [this] { ++firstRuns; };
    auto store = std::make_unique<TSettingsStore>(p);
    store->LoadSettings();
    return store;
  }

  std::unique_ptr<TKeyValueStore> registry = CreateRegistryStore();
  testing::TRecordingPrompt prompt;
  testing::TScratchFolder folder;
  int firstRuns = 0;
  const std::wstring root = kRoot;
  const std::wstring oldRoot = kOldRoot;
};

TEST_F(RegistrySettings, FirstRunWritesTheFullTree) {
  auto store = Loaded();
  EXPECT_EQ(firstRuns, 1);
  store->SaveSettings();
  EXPECT_TRUE(prompt.Failures.empty());

  EXPECT_EQ(Subkeys(root), (std::vector<std::wstring>{L"Color", L"Config", L"History", L"Key", L"ViewItem"}));
  EXPECT_EQ(Subkeys(root + L"\\Key"),
            (std::vector<std::wstring>{L"UserMenu{0}", L"UserMenu{1}", L"UserMenu{2}", L"UserMenu{3}", L"UserMenu{4}"}));
  EXPECT_EQ(Values(root), (std::vector<std::pair<std::wstring, DWORD>>{{L"InstallFolder", REG_SZ}}));
  EXPECT_EQ(Text(root, L"InstallFolder"), W(folder.Name()));

  auto config = Values(root + L"\\Config");
  ASSERT_EQ(config.size(), ConfigValueCount);
  std::vector<std::pair<std::wstring, DWORD>> expected;
  for (const auto& v : ConfigValues) expected.emplace_back(W(v.Name), v.Text ? REG_SZ : REG_DWORD);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(config, expected);
  EXPECT_EQ(Text(root + L"\\Config", L"ViewModeExt"), L"sys;exe;com;dll;vxd");
  EXPECT_EQ(Dword(root + L"\\Config", L"FontHeight"), 14u);
  EXPECT_EQ(Dword(root + L"\\Config", L"UndoPacked"), 0u);
  EXPECT_EQ(Dword(root + L"\\Config", L"ProfileMax"), 100u);

  auto viewItems = Values(root + L"\\ViewItem");
  EXPECT_EQ(viewItems.size(), ViewItemValueCount);
  for (const auto& v : viewItems) EXPECT_EQ(Dword(root + L"\\ViewItem", v.first.c_str()), 1u);

  for (const wchar_t* empty : {L"\\Color", L"\\History", L"\\Key", L"\\Key\\UserMenu{0}", L"\\Key\\UserMenu{4}"})
    EXPECT_TRUE(Values(root + empty).empty()) << empty;

  Loaded();
  EXPECT_EQ(firstRuns, 1);
}

TEST_F(RegistrySettings, MigratesTheOldProductRoot) {
  SetDword(oldRoot + L"\\Config", L"FontHeight", 20);
  SetText(oldRoot + L"\\Config", L"ViewModeExt", L"bin;ﾃｽﾄ");
  SetDword(oldRoot + L"\\Color", L"SelectBG", 0x00345678);
  SetDword(oldRoot + L"\\ViewItem", L"ToolBar", 0);
  SetText(oldRoot + L"\\History", L"History0", L"C:\\データ\\表.bin");

  auto store = Loaded();
  EXPECT_EQ(firstRuns, 0);
  EXPECT_EQ(store->Settings().FontHeight, 20);
  EXPECT_EQ(store->Settings().ViewModeExt, "bin;ﾃｽﾄ");
  EXPECT_EQ(store->Settings().Colors.SelectBG, 0x00345678u);
  EXPECT_FALSE(store->Settings().ToolBar);
  EXPECT_EQ(store->History().Entry(0), "C:\\データ\\表.bin");

  store->SaveSettings();
  EXPECT_TRUE(prompt.Failures.empty());
  EXPECT_FALSE(KeyExists(oldRoot));
  EXPECT_EQ(Dword(root + L"\\Config", L"FontHeight"), 20u);
  EXPECT_EQ(Text(root + L"\\Config", L"ViewModeExt"), L"bin;ﾃｽﾄ");
  EXPECT_EQ(Dword(root + L"\\Color", L"SelectBG"), 0x00345678u);
  EXPECT_EQ(Dword(root + L"\\ViewItem", L"ToolBar"), 0u);
  EXPECT_EQ(Text(root + L"\\History", L"History0"), L"C:\\データ\\表.bin");
}

TEST_F(RegistrySettings, AColourBackAtItsDefaultDisappears) {
  auto store = Loaded();
  store->Settings().Colors.EofBG = 0x000000FF;
  store->Settings().Colors.OverFont = 0x00808080;
  store->SaveSettings();
  EXPECT_EQ(ValueNames(root + L"\\Color"), (std::vector<std::wstring>{L"EofBG", L"OverFont"}));

  store = Loaded();
  EXPECT_EQ(store->Settings().Colors.EofBG, 0x000000FFu);
  store->Settings().Colors.EofBG = TColorSettings().EofBG;
  store->SaveSettings();
  EXPECT_EQ(ValueNames(root + L"\\Color"), std::vector<std::wstring>{L"OverFont"});
}

TEST_F(RegistrySettings, FourteenHistoryEntriesStoreTen) {
  auto store = Loaded();
  for (int i = 0; i < 14; ++i) store->AddHistory("C:\\file" + std::to_string(i) + ".bin");
  store->SaveSettings();
  auto names = ValueNames(root + L"\\History");
  ASSERT_EQ(names.size(), 10u);
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(Text(root + L"\\History", (L"History" + std::to_wstring(i)).c_str()),
              L"C:\\file" + std::to_wstring(13 - i) + L".bin");
  EXPECT_EQ(Loaded()->History().Count(), 10u);
}

TEST_F(RegistrySettings, CustomKeyAssignmentsRoundTripWithoutAlt) {
  SetDword(root + L"\\Config", L"KeyAssignType", 2);
  SetText(root + L"\\Key", L"Ctrl+{Z}", L"UNDO");
  SetText(root + L"\\Key", L"Shift+{F3}", L"searchprev");
  SetText(root + L"\\Key", L"Alt+{A}", L"SELECTALL");
  SetText(root + L"\\Key\\UserMenu{2}", L"{Q}", L"CLOSE");

  auto store = Loaded();
  const TKeyMap& map = store->Settings().KeyMap;
  EXPECT_EQ(KeyMapEntry(map, ssCtrl, kiZ), cmUNDO);
  EXPECT_EQ(KeyMapEntry(map, ssShift, kiF1 + 2), cmSEARCHPREV);
  EXPECT_EQ(KeyMapEntry(map, ssAlt, kiA), cmSELECTALL);
  EXPECT_EQ(UserMenuEntry(map, 2, kiA + ('Q' - 'A')), cmCLOSE);
  EXPECT_EQ(KeyMapEntry(map, 0, kiF1), NoCommand);  // the template is not under a custom map

  store->SaveSettings();
  EXPECT_EQ(ValueNames(root + L"\\Key"), (std::vector<std::wstring>{L"Ctrl+{Z}", L"Shift+{F3}"}));
  EXPECT_EQ(Text(root + L"\\Key", L"Shift+{F3}"), L"SEARCHPREV");
  EXPECT_EQ(ValueNames(root + L"\\Key\\UserMenu{2}"), std::vector<std::wstring>{L"{Q}"});
  EXPECT_EQ(Text(root + L"\\Key\\UserMenu{2}", L"{Q}"), L"CLOSE");

  const TKeyMap reloaded = Loaded()->Settings().KeyMap;
  EXPECT_EQ(KeyMapEntry(reloaded, ssAlt, kiA), NoCommand);
  EXPECT_EQ(KeyMapEntry(reloaded, ssCtrl, kiZ), cmUNDO);
  EXPECT_EQ(UserMenuEntry(reloaded, 2, kiA + ('Q' - 'A')), cmCLOSE);
}

TEST_F(RegistrySettings, ValuesOfTheWrongKindOrRangeKeepTheirDefaults) {
  SetBinary(root + L"\\Config", L"FontHeight");
  SetText(root + L"\\Config", L"CharaSet", L"2");
  SetDword(root + L"\\Config", L"ViewModeExt", 3);
  SetDword(root + L"\\Config", L"KeyAssignType", 7);
  SetDword(root + L"\\Config", L"IntWidth", 3);
  SetText(root + L"\\History", L"History0", L"C:\\a.bin");
  SetDword(root + L"\\History", L"History1", 1);
  SetText(root + L"\\History", L"History2", L"C:\\b.bin");

  auto store = Loaded();
  TEnvironmentSettings expected = DefaultEnvironmentSettings();
  expected.IntWidth = 3;
  EXPECT_EQ(store->Settings(), expected);
  ASSERT_EQ(store->History().Count(), 2u);
  EXPECT_EQ(store->History().Entry(1), "C:\\b.bin");
}

TEST(RegistryStore, ReadsStringsWithAndWithoutTerminatorAndDeletesWholeTrees) {
  const std::wstring base = L"Software\\Brightmoor\\OrvantaStoreTest";
  RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str());
  const wchar_t bare[] = {L'a', L'b', L'c'};
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, base.c_str(), L"bare", REG_SZ, bare, sizeof bare), ERROR_SUCCESS);
  SetText(base + L"\\Deep\\Deeper", L"日本語", L"値");
  SetDword(base, L"number", 42);

  auto store = CreateRegistryStore();
  std::unique_ptr<TStoreKey> key;
  ASSERT_EQ(store->OpenKey("\\Software\\Brightmoor\\OrvantaStoreTest", key), 0);
  std::string text;
  std::uint32_t number = 0;
  EXPECT_EQ(key->ReadString("bare", text), 0);
  EXPECT_EQ(text, "abc");
  EXPECT_NE(key->ReadString("number", text), 0);
  EXPECT_EQ(text, "abc");
  EXPECT_NE(key->ReadDword("bare", number), 0);
  EXPECT_EQ(key->ReadDword("NUMBER", number), 0);
  EXPECT_EQ(number, 42u);
  EXPECT_EQ(key->ValueType("bare"), svString);
  EXPECT_EQ(key->ValueType("missing"), svNone);
  EXPECT_NE(key->WriteDword("x", 1), 0);  // opened for reading only
  key.reset();

  ASSERT_EQ(store->OpenKey("\\Software\\Brightmoor\\OrvantaStoreTest\\Deep\\Deeper", key), 0);
  std::vector<std::string> names;
  ASSERT_EQ(key->ValueNames(names), 0);
  EXPECT_EQ(names, std::vector<std::string>{"日本語"});
  EXPECT_EQ(key->ReadString("日本語", text), 0);
  EXPECT_EQ(text, "値");
  key.reset();

  EXPECT_NE(store->OpenKey("\\Software\\Brightmoor\\OrvantaStoreTest\\Missing", key), 0);
  EXPECT_EQ(store->DeleteKeyTree("\\Software\\Brightmoor\\OrvantaStoreTest"), 0);
  EXPECT_FALSE(KeyExists(base));
  EXPECT_FALSE(store->ErrorText(ERROR_ACCESS_DENIED).empty());
}

}  // namespace
}  // namespace ovx
