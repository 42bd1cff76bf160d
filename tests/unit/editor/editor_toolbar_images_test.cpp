// The committed picture strip: its shape, and that every picture the menus, tool bar and
// status bar use is drawn and differs from every other.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "editor/FileMenuEntries.h"
#include "editor/MenuEnabling.h"
#include "editor/ToolBarImages.h"

namespace ovx {
namespace {

struct TStrip {
  int width = 0, height = 0, bits = 0;
  std::vector<std::uint8_t> bytes;
  std::uint32_t pixelsOffset = 0;
  // 0x00RRGGBB of a pixel, rows counted from the top.
  std::uint32_t Pixel(int x, int y) const {
    int stride = (width * 3 + 3) & ~3;
    std::size_t at = pixelsOffset + static_cast<std::size_t>(height - 1 - y) * stride + x * 3;
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16;
  }
};

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

TStrip LoadStrip() {
  std::ifstream in(std::string(OVX_SOURCE_DIR) + "/editor/win32/ToolBarImages.bmp", std::ios::binary);
  TStrip s;
  s.bytes.assign(std::istreambuf_iterator<char>(in), {});
  if (s.bytes.size() < 54) return s;
  s.pixelsOffset = Le32(s.bytes, 10);
  s.width = static_cast<int>(Le32(s.bytes, 18));
  s.height = static_cast<int>(Le32(s.bytes, 22));
  s.bits = s.bytes[28];
  return s;
}

std::vector<std::uint32_t> Picture(const TStrip& s, int index) {
  std::vector<std::uint32_t> px;
  for (int y = 0; y < ToolBarImageSize; ++y)
    for (int x = 0; x < ToolBarImageSize; ++x) px.push_back(s.Pixel(index * ToolBarImageSize + x, y));
  return px;
}

TEST(EditorToolBarImages, StripShape) {
  TStrip s = LoadStrip();
  ASSERT_GE(s.bytes.size(), 54u);
  EXPECT_EQ(s.width, ToolBarImageSize * ToolBarImageCount);
  EXPECT_EQ(s.height, ToolBarImageSize);
  EXPECT_EQ(s.bits, 24);
  EXPECT_GE(s.bytes.size(), s.pixelsOffset + static_cast<std::size_t>((s.width * 3 + 3) & ~3) * s.height);
}

TEST(EditorToolBarImages, EveryUsedPictureIsDrawnAndDistinct) {
  TStrip s = LoadStrip();
  ASSERT_EQ(s.width, ToolBarImageSize * ToolBarImageCount);
  std::set<int> used = {imHistoryEntry, imWindowEntry, imMoreWindows, imInfoMode};
  for (const TMenuItemDef& d : MenuItemTable())
    if (d.image >= 0) used.insert(d.image);
  for (int b = 0; b < ToolButtonCount; ++b) used.insert(ToolButtonDef(static_cast<TToolButton>(b)).image);
  std::set<std::vector<std::uint32_t>> seen;
  for (int index : used) {
    std::vector<std::uint32_t> px = Picture(s, index);
    int drawn = 0;
    for (std::uint32_t p : px) drawn += p != ToolBarImageMaskColor;
    EXPECT_GE(drawn, 24) << "picture " << index << " is (nearly) empty";
    EXPECT_TRUE(seen.insert(px).second) << "picture " << index << " repeats another";
  }
}

}  // namespace
}  // namespace ovx
