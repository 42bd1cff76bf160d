// The rows the template-open dialog lists for a folder.
#include <gtest/gtest.h>

#include "filer/FilerFolderList.h"

namespace ovx::test {
namespace {

TEST(FilerFolderList, ParentThenFoldersThenTemplatesEachSortedWithoutCase) {
  const std::vector<TFilerFolderEntry> entries = {
      {"zeta.ovxf"}, {"Beta"},     {".hidden", true}, {"alpha.OVXF"}, {"notes.txt"}, {"b.ovx"},
      {"gamma", true}, {"Alpha", true}, {"Mid.OvXf"}, {"ovxf"},     {"x.ovxf.bak"}, {"beta", true},
  };
  const std::vector<TFilerRow> expected = {
      {frkParent, "親ディレクトリ..."}, {frkFolder, "Alpha"},     {frkFolder, "beta"},      {frkFolder, "gamma"},
      {frkTemplate, "alpha.OVXF"},      {frkTemplate, "Mid.OvXf"}, {frkTemplate, "zeta.ovxf"},
  };
  EXPECT_EQ(FilerFolderRows("C:\\tools\\filer\\", entries), expected);
}

TEST(FilerFolderList, NoWayUpAtTheRootOfADrive) {
  struct {
    const char* folder;
    std::optional<std::string> parent;
  } cases[] = {
      {"C:\\", std::nullopt},
      {"C:\\a\\", "C:\\"},
      {"C:\\a\\b\\", "C:\\a\\"},
      {"\\\\server\\share\\", std::nullopt},
      {"\\\\server\\share\\x\\", "\\\\server\\share\\"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FilerParentFolder(c.folder), c.parent) << c.folder;
    EXPECT_EQ(!FilerFolderRows(c.folder, {}).empty(), c.parent.has_value()) << c.folder;
  }
}

}  // namespace
}  // namespace ovx::test
