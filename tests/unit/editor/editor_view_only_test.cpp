// The view-only extension test and the reasons a file opens view-only.
#include <gtest/gtest.h>

#include "editor/ViewOnlyRule.h"

namespace ovx {
namespace {

TEST(EditorViewOnly, ExtensionList) {
  const char* kDefault = "sys;exe;com;dll;vxd";
  struct TCase {
    const char* file;
    const char* list;
    bool viewOnly;
  };
  const TCase cases[] = {
      {"C:\\w\\a.dll", kDefault, true},
      {"C:\\w\\A.DLL", kDefault, true},     // letter case does not matter
      {"C:\\w\\a.Vxd", kDefault, true},     // the last entry counts
      {"C:\\w\\a.sys", kDefault, true},     // and the first
      {"C:\\w\\a.bin", kDefault, false},
      {"C:\\w\\a.dll.bak", kDefault, false},  // only the last extension
      {"C:\\w\\dll", kDefault, false},        // a name without extension
      {"C:\\w.exe\\readme", kDefault, false}, // a dot in a folder is no extension
      {"C:\\w\\a.exe", "  bin ; exe ", true},  // entries are trimmed
      {"C:\\w\\a.bin", "  bin ; exe ", true},
      {"C:\\w\\a.com", "", false},
      {"C:\\w\\a.com", " ; ", false},
      {"C:\\w\\a.co", "com", false},
      {"C:\\w\\a.comx", "com", false},
  };
  for (const TCase& c : cases) EXPECT_EQ(IsViewOnlyExtension(c.file, c.list), c.viewOnly) << c.file << " / " << c.list;
}

TEST(EditorViewOnly, Reasons) {
  const char* kDefault = "sys;exe;com;dll;vxd";
  struct TCase {
    const char* file;
    int attributes;
    const char* reason;
  };
  const TCase cases[] = {
      {"C:\\a.bin", 0, ""},
      {"C:\\a.bin", faHidden, ""},
      {"C:\\a.bin", -1, ""},
      {"C:\\a.bin", faReadOnly, "C:\\a.bin には\r\n読み出し専用属性 が設定されています."},
      {"C:\\a.bin", faSysFile, "C:\\a.bin には\r\nシステム属性 が設定されています."},
      {"C:\\a.bin", faReadOnly | faSysFile | faHidden,
       "C:\\a.bin には\r\n読み出し専用属性及びシステム属性 が設定されています."},
      // The extension wins over the attributes.
      {"C:\\a.DLL", faReadOnly, "指定ファイルの拡張子は閲覧専用に設定されています."},
  };
  for (const TCase& c : cases) EXPECT_EQ(ViewOnlyReason(c.file, kDefault, c.attributes), c.reason) << c.attributes;
  EXPECT_EQ(ViewOnlyInformationText("指定ファイルの拡張子は閲覧専用に設定されています."),
            "指定ファイルの拡張子は閲覧専用に設定されています.\r\n閲覧モードで開きます.");
}

}  // namespace
}  // namespace ovx
