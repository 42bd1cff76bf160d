// The information panel's texts for the caret, the selection and the size, their copy texts
// and the values the capture buttons of open dialogs take.
#include <gtest/gtest.h>

#include "editor/InformationPanelTexts.h"

namespace ovx {
namespace {

TInformationInput At(std::int64_t caret, std::int64_t size, std::initializer_list<std::uint8_t> bytes,
                     std::uint8_t order = 0) {
  TInformationInput in;
  in.caretAddress = caret;
  in.size = size;
  in.byteOrder = order;
  for (std::uint8_t b : bytes) in.bytes[in.available++] = b;
  return in;
}

TEST(EditorInformationPanel, ValueTextsAtTheCaret) {
  struct Case {
    const char* what;
    TInformationInput in;
    std::string bit, byteHex, byteDec, wordHex, wordDec, dwordHex, dwordDec;
  };
  const Case cases[] = {
      {"end of the document", At(26, 26, {}), "----,----", "--h", "", "----h", "", "--------h", ""},
      {"one before the end", At(25, 26, {0x41}), "0100,0001", "41h", "65", "----h", "", "--------h", ""},
      {"three before the end", At(23, 26, {0x12, 0x34, 0x56}), "0001,0010", "12h", "18", "3412h", "13330",
       "--------h", ""},
      {"little endian", At(0, 26, {0x12, 0x34, 0x56, 0x78}), "0001,0010", "12h", "18", "3412h", "13330",
       "78563412h", "2018915346"},
      {"big endian", At(0, 26, {0x12, 0x34, 0x56, 0x78}, 1), "0001,0010", "12h", "18", "1234h", "4660",
       "12345678h", "305419896"},
      {"all bits set, unsigned", At(0, 26, {0xFF, 0xFF, 0xFF, 0xFF}), "1111,1111", "ffh", "255", "ffffh", "65535",
       "ffffffffh", "4294967295"},
      {"an empty document", At(0, 0, {}), "----,----", "--h", "", "----h", "", "--------h", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TInformationTexts t = InformationTexts(c.in);
    EXPECT_EQ(t.bit.hex, c.bit);
    EXPECT_EQ(t.byte.hex, c.byteHex);
    EXPECT_EQ(t.byte.dec, c.byteDec);
    EXPECT_EQ(t.word.hex, c.wordHex);
    EXPECT_EQ(t.word.dec, c.wordDec);
    EXPECT_EQ(t.dword.hex, c.dwordHex);
    EXPECT_EQ(t.dword.dec, c.dwordDec);
  }
}

TEST(EditorInformationPanel, AddressSizeAndRange) {
  TInformationInput in = At(0x1a, 0x7FFFFFFF, {1});
  TInformationTexts t = InformationTexts(in);
  EXPECT_EQ(t.address.hex, "0000001ah");
  EXPECT_EQ(t.address.dec, "26");
  EXPECT_EQ(t.fileSize.hex, "7fffffffh");
  EXPECT_EQ(t.fileSize.dec, "2147483647");
  EXPECT_EQ(t.range.hex, "00000000h");  // no selection
  EXPECT_EQ(t.range.dec, "0");
  in.selectionStart = 0x10;
  in.selectionEnd = 0x25;
  t = InformationTexts(in);
  EXPECT_EQ(t.range.hex, "00000015h");
  EXPECT_EQ(t.range.dec, "21");
  EXPECT_EQ(InformationCopyText(t.address, false), "0000001ah (26)");
  EXPECT_EQ(InformationCopyText(InformationTexts(At(3, 3, {})).byte, false), "--h ()");
  EXPECT_EQ(InformationCopyText(t.bit, true), "0000,0001");
}

TEST(EditorInformationPanel, CaptureValuesAreLittleEndianWhateverTheOrder) {
  const TCaptureValues v = CaptureValuesOf(At(7, 26, {0x12, 0x34, 0x56, 0x78}, 1));
  EXPECT_EQ(v.value, 0x78563412u);
  EXPECT_EQ(v.address, 7);
  EXPECT_EQ(v.size, 26);
  EXPECT_EQ(CaptureValuesOf(At(25, 26, {0xAB})).value, 0xABu);  // missing bytes are 0
}

}  // namespace
}  // namespace ovx
