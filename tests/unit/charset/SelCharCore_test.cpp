#include "charset/SelCharCore.h"

#include <gtest/gtest.h>

namespace ovx {
namespace {

TEST(SelCharCore, RowTextsAreTheSameInEverySet) {
  struct Case {
    int code;
    const char* text;
  };
  const Case cases[] = {
      {0x41, "41h ( 65d) "},
      {0x5C, "5Ch ( 92d) Reverse Solidus"},
      {0x85, "85h (133d)"},
      {0x00, "00h (  0d) Null"},
      {0x04, "04h (  4d) End of Transmisson"},
      {0x1E, "1Eh ( 30d) Record Separatot"},
      {0x23, "23h ( 35d) Nunber Sign"},
      {0x40, "40h ( 64d) Commercial At Sign"},
      {0x7F, "7Fh (127d) Delete"},
      {0xFF, "FFh (255d)"},
  };
  for (const Case& c : cases) EXPECT_EQ(PickerRowText(c.code), c.text);
  EXPECT_EQ(PickerRowCount(asASCII), 128);
  EXPECT_EQ(PickerRowCount(asNEC), 256);
}

TEST(SelCharCore, GlyphCellsPerSet) {
  struct Case {
    TAsciiSet set;
    int code;
    std::optional<TGlyphCell> cell;
  };
  const Case cases[] = {
      {asASCII, 0x41, TGlyphCell{8, 16}},
      {asASCII, 0x5C, TGlyphCell{480, 48}},      // the backslash's own cell
      {asJISX0201, 0x5C, TGlyphCell{224, 16}},   // the yen sign
      {asNEC, 0x5C, TGlyphCell{224, 16}},
      {asJISX0201, 0x85, std::nullopt},
      {asJISX0201, 0xA0, TGlyphCell{256, 32}},
      {asJISX0201, 0xDF, TGlyphCell{248, 48}},
      {asJISX0201, 0xE0, std::nullopt},
      {asNEC, 0x85, TGlyphCell{40, 32}},
      {asNEC, 0xFF, TGlyphCell{504, 48}},
  };
  for (const Case& c : cases) EXPECT_EQ(PickerGlyphCell(c.set, c.code), c.cell) << int(c.set) << " " << c.code;
}

}  // namespace
}  // namespace ovx
