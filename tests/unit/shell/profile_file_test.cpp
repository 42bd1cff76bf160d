#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/FileSystem.h"
#include "shell/ProfileFile.h"
#include "SettingsTestSupport.h"

namespace ovx {
namespace {

std::string Le32(std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  std::string s;
  for (int i = 0; i < 4; ++i) s += static_cast<char>((u >> (8 * i)) & 0xFF);
  return s;
}

TWindowProfile SampleProfile(int seed) {
  TWindowProfile p;
  p.Left = -8 + seed;
  p.Top = 20 + seed;
  p.ClientWidth = 640;
  p.ClientHeight = 480 + seed;
  p.TopRow = 0x01020304;
  p.CaretRow = 7;
  p.CaretColumn = 15;
  p.CaretDigit = 1;
  p.CaretArea = 1;
  return p;
}

// The image of a file as laid out by hand, for a header with any count and size.
std::string Header(std::int32_t count, std::int32_t size) { return std::string("Ovnx_Profile") + Le32(count) + Le32(size); }

std::string ProfileBytes(const TWindowProfile& p) {
  return Le32(p.Left) + Le32(p.Top) + Le32(p.ClientWidth) + Le32(p.ClientHeight) + Le32(p.TopRow) +
         Le32(p.CaretRow) + Le32(p.CaretColumn) + std::string(1, static_cast<char>(p.CaretDigit)) +
         std::string(1, static_cast<char>(p.CaretArea)) + std::string(2, '\0');
}

TEST(ProfileFile, EncodesTheExactLayout) {
  TWindowProfile p = SampleProfile(0);
  std::string name = "C:\\\x83\x65\x83\x58\x83\x67.bin";  // Shift-JIS bytes, 0x5C trail bytes not special
  std::string expected = Header(1, 20 + 36 + static_cast<std::int32_t>(name.size())) +
                         Le32(static_cast<std::int32_t>(name.size())) + name + ProfileBytes(p);
  EXPECT_EQ(EncodeProfileFile({{name, p}}), expected);
}

TEST(ProfileFile, EmptyListIsAHeaderOnly) { EXPECT_EQ(EncodeProfileFile({}), Header(0, 20)); }

TEST(ProfileFile, PaddingIsWrittenAsZeroAndIgnoredOnRead) {
  TWindowProfile p = SampleProfile(1);
  p.Padding[0] = 0x7F;
  p.Padding[1] = 0x55;
  std::string image = EncodeProfileFile({{"a", p}});
  EXPECT_EQ(image.substr(image.size() - 2), std::string(2, '\0'));
  image[image.size() - 1] = '\x33';
  std::vector<TProfileRecord> back;
  ASSERT_TRUE(DecodeProfileFile(image, back));
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].Profile, p);
}

TEST(ProfileFile, RoundTripKeepsOrderNamesAndProfiles) {
  std::vector<TProfileRecord> records = {
      {"C:\\work\\one.bin", SampleProfile(1)},
      {"", SampleProfile(2)},
      {std::string(300, 'x'), SampleProfile(3)},
      {"D:\\\x95\x5c\\two.dat", SampleProfile(4)},
  };
  std::vector<TProfileRecord> back;
  ASSERT_TRUE(DecodeProfileFile(EncodeProfileFile(records), back));
  ASSERT_EQ(back.size(), records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(back[i].NameBytes, records[i].NameBytes) << i;
    EXPECT_EQ(back[i].Profile, records[i].Profile) << i;
  }
}

// Images whose header makes them no profile file at all: nothing is read.
TEST(ProfileFile, RejectsImagesWithoutSignatureOrWithALyingSize) {
  std::string good = EncodeProfileFile({{"a.bin", SampleProfile(0)}});
  std::string badSignature = good;
  badSignature[0] = 'o';
  std::string sizeTooLarge = good;
  sizeTooLarge.replace(16, 4, Le32(static_cast<std::int32_t>(good.size()) + 1));
  std::string sizeTooSmall = good;
  sizeTooSmall.replace(16, 4, Le32(static_cast<std::int32_t>(good.size()) - 1));
  std::string negativeSize = good;
  negativeSize.replace(16, 4, Le32(-1));
  struct Case {
    const char* what;
    std::string image;
  } cases[] = {
      {"empty", ""},
      {"signature only", "Ovnx_Profile"},
      {"header cut", good.substr(0, 19)},
      {"wrong signature", badSignature},
      {"size field too large", sizeTooLarge},
      {"size field too small", sizeTooSmall},
      {"negative size field", negativeSize},
      {"truncated file", good.substr(0, good.size() - 1)},
      {"trailing byte", good + "x"},
  };
  for (const auto& c : cases) {
    std::vector<TProfileRecord> back = {{"stale", {}}};
    EXPECT_FALSE(DecodeProfileFile(c.image, back)) << c.what;
    EXPECT_TRUE(back.empty()) << c.what;
  }
}

// Images whose header is right but whose records are not: the complete records before
// the fault are kept, the rest is dropped.
TEST(ProfileFile, StopsAtARecordThatRunsPastTheEnd) {
  const std::string first = Le32(3) + "one" + ProfileBytes(SampleProfile(1));
  auto image = [&](std::int32_t count, const std::string& body) {
    return Header(count, static_cast<std::int32_t>(20 + body.size())) + body;
  };
  struct Case {
    const char* what;
    std::string image;
    std::size_t kept;
  } cases[] = {
      {"name length past the end", image(2, first + Le32(1000) + "abc" + ProfileBytes(SampleProfile(2))), 1},
      {"negative name length", image(2, first + Le32(-5) + std::string(40, 'z')), 1},
      {"huge name length", image(2, first + Le32(0x7FFFFFFF) + std::string(40, 'z')), 1},
      {"profile cut short", image(2, first + Le32(2) + "ab" + std::string(31, '\0')), 1},
      {"length field cut short", image(2, first + "\x01\x00"), 1},
      {"count larger than the records", image(5, first), 1},
      {"negative count", image(-1, first), 0},
      {"zero count with records", image(0, first), 0},
  };
  for (const auto& c : cases) {
    std::vector<TProfileRecord> back;
    EXPECT_TRUE(DecodeProfileFile(c.image, back)) << c.what;
    ASSERT_EQ(back.size(), c.kept) << c.what;
    if (c.kept > 0) {
      EXPECT_EQ(back[0].NameBytes, "one") << c.what;
      EXPECT_EQ(back[0].Profile, SampleProfile(1)) << c.what;
    }
  }
}

TEST(ProfileFile, WholeFileWriteReplacesAndReadReturnsTheSameBytes) {
  testing::TScratchFolder folder;
  TFileSystem& fs = PlatformFileSystem();
  const std::string name = folder.Name() + "_profile";
  ASSERT_EQ(WriteWholeFile(fs, name, std::string(5000, 'o')), 0);
  const std::string image = EncodeProfileFile({{"x", SampleProfile(9)}});
  ASSERT_EQ(WriteWholeFile(fs, name, image), 0);
  std::string back;
  ASSERT_EQ(ReadWholeFile(fs, name, back), 0);
  EXPECT_EQ(back, image);
  EXPECT_FALSE(fs.Exists(name + ".new"));
}

TEST(ProfileFile, FailedWriteReportsAnErrorAndLeavesNoTemporaryFile) {
  testing::TScratchFolder folder;
  TFileSystem& fs = PlatformFileSystem();
  const std::string name = folder.Name() + "missing" + (folder.Name().back() == '/' ? "/" : "\\") + "_profile";
  EXPECT_NE(WriteWholeFile(fs, name, "data"), 0);
  EXPECT_FALSE(fs.Exists(name));
  EXPECT_FALSE(fs.Exists(name + ".new"));
  std::string image = "left over";
  EXPECT_NE(ReadWholeFile(fs, name, image), 0);
  EXPECT_TRUE(image.empty());
}

}  // namespace
}  // namespace ovx
