#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/ShortcutPlan.h"

namespace ovx {
namespace {

// Folders and files by full path; a folder cannot be removed while a file lies in it, and the
// folders named in `locked` cannot be created.
class TFakeFiles final : public TShortcutFileSystem {
 public:
  bool FileExists(const std::string& path) override { return files.count(path) > 0; }
  bool FolderExists(const std::string& path) override { return folders.count(path) > 0; }
  bool CreateFolder(const std::string& path) override {
    if (locked.count(path)) return false;
    folders.insert(path);
    return true;
  }
  bool RemoveFolder(const std::string& path) override {
    for (const auto& [file, target] : files)
      if (file.rfind(path + "\\", 0) == 0) return false;
    return folders.erase(path) > 0;
  }
  void RemoveFile(const std::string& path) override { files.erase(path); }
  void CreateShellLink(const std::string& target, const std::string& folder, const std::string& name) override {
    files[folder + name + ".lnk"] = target;
  }

  std::set<std::string> folders;
  std::set<std::string> locked;
  std::map<std::string, std::string> files;  // link name -> target ("" for other files)
};

const TShortcutFolders kFolders = MakeShortcutFolders("C:\\u\\Desktop", "C:\\u\\Programs\\", "C:\\u\\SendTo", "Orvanta");
const std::string kProgram = "C:\\Program Files\\Orvanta\\";

// The steps' error messages in the order they came.
std::vector<std::string> Apply(const TShortcutChoice& wanted, TFakeFiles& files) {
  std::vector<std::string> errors;
  ApplyShortcuts(wanted, kFolders, "Orvanta", kProgram, files, [&](const std::string& e) { errors.push_back(e); });
  return errors;
}

TEST(AppShortcutPlan, FoldersEndInABackslashAndAMissingOneStaysEmpty) {
  EXPECT_EQ(kFolders.desktop, "C:\\u\\Desktop\\");
  EXPECT_EQ(kFolders.group, "C:\\u\\Programs\\Orvanta\\");
  EXPECT_EQ(kFolders.sendTo, "C:\\u\\SendTo\\");
  const TShortcutFolders none = MakeShortcutFolders("", "", "", "Orvanta");
  EXPECT_EQ(none.desktop + none.group + none.sendTo, "");
  // Without a desktop folder the check looks for the bare link name.
  TFakeFiles files;
  files.files["Orvanta.lnk"] = "";
  EXPECT_EQ(PresentShortcuts(none, "Orvanta", files), (TShortcutChoice{false, true, true}));
}

TEST(AppShortcutPlan, CreatingAndRemovingEveryShortcut) {
  TFakeFiles files;
  files.folders = {"C:\\u\\Desktop", "C:\\u\\Programs", "C:\\u\\SendTo"};
  EXPECT_EQ(PresentShortcuts(kFolders, "Orvanta", files), (TShortcutChoice{false, false, false}));
  EXPECT_TRUE(Apply({true, true, true}, files).empty());
  const std::map<std::string, std::string> created = {
      {"C:\\u\\Programs\\Orvanta\\Orvanta.lnk", kProgram + "Ovx.exe"},
      {"C:\\u\\Programs\\Orvanta\\Orvanta Help.lnk", kProgram + "help\\index.html"},
      {"C:\\u\\Desktop\\Orvanta.lnk", kProgram + "Ovx.exe"},
      {"C:\\u\\SendTo\\Orvanta.lnk", kProgram + "Ovx.exe"},
  };
  EXPECT_EQ(files.files, created);
  EXPECT_EQ(PresentShortcuts(kFolders, "Orvanta", files), (TShortcutChoice{true, true, true}));

  // Running again without a change changes nothing.
  TFakeFiles before = files;
  EXPECT_TRUE(Apply({true, true, true}, files).empty());
  EXPECT_EQ(files.files, before.files);
  EXPECT_EQ(files.folders, before.folders);

  // Unchecking all removes the links, the resident link and the group.
  files.files["C:\\u\\Programs\\Orvanta\\Orvanta の常駐.lnk"] = "old";
  EXPECT_TRUE(Apply({}, files).empty());
  EXPECT_TRUE(files.files.empty());
  EXPECT_FALSE(files.FolderExists("C:\\u\\Programs\\Orvanta"));
}

// The help link opens what ヘルプ opens: the old help file where it is shipped, else the manual's
// contents page (also when the manual is missing: the link names where it belongs).
TEST(AppShortcutPlan, HelpLinkGoesToTheHelpFileWhereShippedElseTheManualsContents) {
  struct Case {
    const char* name;
    std::vector<std::string> shipped;
    std::string target;
  };
  const Case cases[] = {
      {"manual only", {kProgram + "help\\index.html"}, kProgram + "help\\index.html"},
      {"help file and manual", {kProgram + "OVX.HLP", kProgram + "help\\index.html"}, kProgram + "OVX.HLP"},
      {"nothing shipped", {}, kProgram + "help\\index.html"},
  };
  for (const Case& c : cases) {
    TFakeFiles files;
    for (const std::string& f : c.shipped) files.files[f] = "";
    EXPECT_TRUE(Apply({true, false, false}, files).empty()) << c.name;
    EXPECT_EQ(files.files["C:\\u\\Programs\\Orvanta\\Orvanta Help.lnk"], c.target) << c.name;
  }
}

TEST(AppShortcutPlan, FolderFailuresAreReportedAndTheLaterStepsRun) {
  struct Case {
    const char* name;
    bool groupPresent;
    std::string otherFile;  // a file of the user in the group
    TShortcutChoice wanted;
    std::vector<std::string> errors;
  };
  const Case cases[] = {
      {"group cannot be created", false, "", {true, true, false}, {"プログラムグループの作成に失敗しました."}},
      {"group holds another file", true, "C:\\u\\Programs\\Orvanta\\readme.txt", {false, true, false},
       {"プログラムグループの削除に失敗しました."}},
  };
  for (const Case& c : cases) {
    TFakeFiles files;
    files.locked = {"C:\\u\\Programs\\Orvanta"};
    if (c.groupPresent) {
      files.folders.insert("C:\\u\\Programs\\Orvanta");
      files.files["C:\\u\\Programs\\Orvanta\\Orvanta.lnk"] = "x";
    }
    if (!c.otherFile.empty()) files.files[c.otherFile] = "";
    // Each error is told when its step fails, before the desktop step has run.
    std::vector<std::string> errors;
    ApplyShortcuts(c.wanted, kFolders, "Orvanta", kProgram, files, [&](const std::string& e) {
      EXPECT_FALSE(files.FileExists("C:\\u\\Desktop\\Orvanta.lnk")) << c.name << ": told after a later step";
      errors.push_back(e);
    });
    EXPECT_EQ(errors, c.errors) << c.name;
    EXPECT_TRUE(files.FileExists("C:\\u\\Desktop\\Orvanta.lnk")) << c.name << ": the desktop step ran";
    EXPECT_EQ(files.FolderExists("C:\\u\\Programs\\Orvanta"), c.groupPresent) << c.name;
    EXPECT_FALSE(files.FileExists("C:\\u\\Programs\\Orvanta\\Orvanta.lnk")) << c.name;
  }
}

}  // namespace
}  // namespace ovx
