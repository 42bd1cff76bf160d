// The file stamp and attributes on the platform the tests run on.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "editor/FileStamp.h"
#include "editor/ViewOnlyRule.h"

namespace ovx {
namespace {

namespace fs = std::filesystem;

TEST(EditorFileStamp, StampGrowsWithTheModificationTimeAndAttributesShowReadOnly) {
  fs::path folder = fs::temp_directory_path() / "ovx_editor_file_stamp_test";
  fs::remove_all(folder);
  ASSERT_TRUE(fs::create_directories(folder));
  fs::path file = folder / "a.bin";
  std::ofstream(file, std::ios::binary) << "data";
  const std::string name = file.string();

  std::int32_t loaded = FileAgeOf(name);
  EXPECT_GT(loaded, 0);
  EXPECT_EQ(FileAttributesOf(name) & (faReadOnly | faDirectory), 0);

  fs::last_write_time(file, fs::last_write_time(file) + std::chrono::hours(1));
  EXPECT_GT(FileAgeOf(name), loaded);

  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_TRUE(FileAttributesOf(name) & faReadOnly);
  fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);

  EXPECT_TRUE(FileAttributesOf(folder.string()) & faDirectory);
  EXPECT_EQ(FileAgeOf(folder.string()), -1);
  EXPECT_EQ(FileAgeOf((folder / "missing.bin").string()), -1);
  EXPECT_EQ(FileAttributesOf((folder / "missing.bin").string()), -1);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace ovx
