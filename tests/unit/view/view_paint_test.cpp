#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "view/ViewPaintModel.h"

namespace ovx {
namespace {

class PaintTest : public ::testing::Test {
 protected:
  TMemoryModule module;
  TPaintInput in;
  TPaintModel model;

  PaintTest() { in.visibleRows = 3; }
  void Load(const std::vector<std::uint8_t>& bytes) {
    module.Clear();
    if (!bytes.empty()) module.InsertData(bytes.data(), 0, static_cast<std::int32_t>(bytes.size()));
  }
  void Build() { BuildPaintModel(module, in, model); }
  std::string Hex(int row, int col) const { return model.rows[row].hex[col].text; }
  const TCharCell& Char(int row, int col) const { return model.rows[row].chars[col]; }
};

TEST_F(PaintTest, EmptyDocumentShowsEofThenDashes) {
  Build();
  ASSERT_EQ(model.rows.size(), 3u);
  EXPECT_EQ(Hex(0, 0), "EOF");
  EXPECT_EQ(model.rows[0].hex[0].style.color, ccEof);
  for (int r = 0; r < 3; ++r)
    for (int c = (r == 0 ? 1 : 0); c < 16; ++c) EXPECT_EQ(Hex(r, c), "--") << r << "," << c;
  EXPECT_STREQ(model.rows[0].rowSumText, "00");
  for (const auto& text : model.columnSumTexts) EXPECT_STREQ(text.data(), "00");
  EXPECT_STREQ(model.rows[2].addressText, "00000020");
}

TEST_F(PaintTest, ChecksumModeOneAddsTheAddressBytes) {
  in.checkSumMode = 1;
  in.topRow = 0x1234;  // rows 0x12340, 0x12350, 0x12360, all beyond the end
  Build();
  EXPECT_STREQ(model.rows[0].addressText, "00012340");
  EXPECT_EQ(model.rows[0].rowSum, 0x01 + 0x23 + 0x40);
  EXPECT_STREQ(model.rows[1].rowSumText, "74");  // 0x01 + 0x23 + 0x50
}

TEST_F(PaintTest, HexDigitsUpperCaseSumsAndColumnSums) {
  std::vector<std::uint8_t> bytes(20);
  for (int i = 0; i < 20; ++i) bytes[i] = static_cast<std::uint8_t>(0xA0 + i);
  Load(bytes);
  Build();
  EXPECT_EQ(Hex(0, 0), "A0");
  EXPECT_EQ(Hex(0, 15), "AF");
  EXPECT_EQ(Hex(1, 3), "B3");
  EXPECT_EQ(Hex(1, 4), "EOF");
  EXPECT_EQ(Hex(1, 5), "--");
  unsigned sum0 = 0;
  for (int i = 0; i < 16; ++i) sum0 += 0xA0 + i;
  EXPECT_EQ(model.rows[0].rowSum, sum0 % 256);
  EXPECT_EQ(model.rows[1].rowSum, (0xB0 + 0xB1 + 0xB2 + 0xB3) % 256);
  // Column 0: A0 + B0 = 0x150; lower-case strip text.
  EXPECT_EQ(model.columnSums[0], 0x50);
  EXPECT_EQ(model.columnSums[5], 0xA5);  // only bytes below the end
  EXPECT_STREQ(model.columnSumTexts[5].data(), "a5");
  EXPECT_STREQ(model.rows[0].rowSumText, "78");
}

TEST_F(PaintTest, ColourRuleSelectionHighlightAndCaretRow) {
  Load(std::vector<std::uint8_t>(32, 0x41));
  in.selectionActive = true;
  in.selectionStart = 3;
  in.selectionEnd = 5;
  in.highlightStart = 4;
  in.highlightLength = 3;
  in.caretRow = 1;
  Build();
  EXPECT_EQ(model.rows[0].hex[2].style, (TCellStyle{ccNormal, false}));
  EXPECT_EQ(model.rows[0].hex[3].style, (TCellStyle{ccSelect, false}));
  EXPECT_EQ(model.rows[0].hex[4].style, (TCellStyle{ccSelect, true}));
  EXPECT_EQ(model.rows[0].hex[5].style, (TCellStyle{ccNormal, true}));
  EXPECT_EQ(model.rows[0].hex[7].style, (TCellStyle{ccNormal, false}));
  EXPECT_EQ(Char(0, 4).style, (TCellStyle{ccSelect, true}));
  EXPECT_FALSE(model.rows[0].caretRow);
  EXPECT_TRUE(model.rows[1].caretRow);
}

TEST_F(PaintTest, ShiftJisCharacterStraddlingTheRowEnd) {
  std::vector<std::uint8_t> bytes(32, 0x41);
  bytes[15] = 0x82;  // あ = 82 A0, first byte in the last column
  bytes[16] = 0xA0;
  Load(bytes);
  in.charaSet = csSJis;
  in.selectionActive = true;  // the second half carries its own byte's colours
  in.selectionStart = 16;
  in.selectionEnd = 17;
  Build();
  EXPECT_EQ(Char(0, 15).kind, ckLead);
  EXPECT_EQ(std::string(Char(0, 15).text), "\x82\xA0");
  EXPECT_EQ(Char(0, 15).style.color, ccNormal);
  EXPECT_EQ(Char(0, 16).kind, ckTrail);
  EXPECT_EQ(Char(0, 16).style.color, ccSelect);
  EXPECT_EQ(Char(1, 0).kind, ckEmpty);  // the next row's first cell is empty
  EXPECT_EQ(Char(1, 0).style.color, ccNormal);
  EXPECT_EQ(Char(1, 1).kind, ckSingle);
  EXPECT_EQ(Char(1, 16).kind, ckEmpty);
}

TEST_F(PaintTest, DisplayRulePerCharacterSet) {
  struct Case {
    TCharaSet set;
    std::vector<std::uint8_t> bytes;
    TCharCellKind first;
    std::string text;
  } cases[] = {
      {csUnicode, {0x41, 0x00, 0x41, 0x00}, ckLead, "A "},
      {csUnicode, {0x00, 0x4E, 0x41, 0x00}, ckLead, "\x88\xEA"},
      {csJis, {0x24, 0x22, 0x41, 0x41}, ckLead, "\x82\xA0"},
      {csEuc, {0xA4, 0xA2, 0x41, 0x41}, ckLead, "\x82\xA0"},
      {csAscii, {0x82, 0xA0, 0x41, 0x41}, ckSingle, "\xA5"},  // 0x82 alone is no displayable byte
      {csSJis, {0x60, 0x41, 0x41, 0x41}, ckSingle, "`"},
      {csSJis, {0xB1, 0x41, 0x41, 0x41}, ckSingle, "\xB1"},   // half-width katakana
  };
  for (const Case& c : cases) {
    Load(c.bytes);
    in.charaSet = c.set;
    Build();
    EXPECT_EQ(Char(0, 0).kind, c.first) << int(c.set);
    EXPECT_EQ(std::string(Char(0, 0).text), c.text) << int(c.set);
    if (c.first == ckLead) {
      EXPECT_EQ(Char(0, 1).kind, ckTrail);
    }
  }
}

// A single byte is drawn as itself unless code page 932 has no glyph for it: controls, 0x7F,
// 0x80, 0xA0, lead bytes standing alone and 0xFD to 0xFF are drawn as the middle dot (0xA5).
TEST_F(PaintTest, BytesWithoutAGlyphAreDrawnAsTheMiddleDot) {
  const struct {
    int first, last;
    bool substituted;
  } ranges[] = {
      {0x00, 0x1F, true}, {0x20, 0x7E, false}, {0x7F, 0xA0, true}, {0xA1, 0xDF, false}, {0xE0, 0xFF, true},
  };
  // Each byte followed by a space, which is no second byte: no pair forms even in Shift-JIS.
  std::vector<std::uint8_t> bytes;
  for (int b = 0; b < 256; ++b) bytes.insert(bytes.end(), {static_cast<std::uint8_t>(b), 0x20});
  Load(bytes);
  in.visibleRows = 32;
  for (const TCharaSet set : {csAscii, csSJis}) {
    in.charaSet = set;
    Build();
    for (const auto& r : ranges) {
      for (int b = r.first; b <= r.last; ++b) {
        const TCharCell& cell = Char(b * 2 / 16, b * 2 % 16);
        ASSERT_EQ(cell.kind, ckSingle) << b;
        const std::string want(1, static_cast<char>(r.substituted ? 0xA5 : b));
        EXPECT_EQ(std::string(cell.text), want) << std::hex << b << " in set " << int(set);
      }
    }
  }
}

TEST_F(PaintTest, NoCharacterAcrossTheEndAndSpacesBeyondIt) {
  Load({0x41, 0x82});  // a lead byte as the last byte
  in.charaSet = csSJis;
  Build();
  EXPECT_EQ(Char(0, 1).kind, ckSingle);
  EXPECT_EQ(Char(0, 2).kind, ckSingle);
  EXPECT_EQ(std::string(Char(0, 2).text), " ");
  EXPECT_EQ(Char(2, 15).kind, ckSingle);
  EXPECT_EQ(std::string(Char(2, 15).text), " ");
}

TEST_F(PaintTest, ReadsFromTheTopRow) {
  std::vector<std::uint8_t> bytes(16 * 10);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i / 16);
  Load(bytes);
  in.topRow = 8;
  Build();
  EXPECT_STREQ(model.rows[0].addressText, "00000080");
  EXPECT_EQ(Hex(0, 0), "08");
  EXPECT_EQ(Hex(1, 15), "09");
  EXPECT_EQ(Hex(2, 0), "EOF");
  EXPECT_EQ(model.buffer.size(), 3u * 16 + 1);
}

TEST(PaintCaptions, CaptionStripTexts) {
  EXPECT_EQ(ColumnCaption(kAddressColumn, csSJis), "ADDRESS");
  EXPECT_EQ(ColumnCaption(kFirstHexColumn, csSJis), "+0");
  EXPECT_EQ(ColumnCaption(kFirstHexColumn + 15, csSJis), "+F");
  EXPECT_EQ(ColumnCaption(kRowSumColumn, csSJis), "SUM");
  const char* names[] = {"ASCII", "Shift-JIS", "JIS", "EUC-jp", "Unicode"};
  for (int cs = 0; cs < 5; ++cs) EXPECT_EQ(ColumnCaption(kCharColumn, static_cast<TCharaSet>(cs)), names[cs]);
}

}  // namespace
}  // namespace ovx
