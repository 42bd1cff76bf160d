// What the binary view draws for its visible rows: the texts and colour roles of every
// cell, the row and column sums, built from the visible rows (+1 byte) of the document.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "charset/CharConv.h"
#include "model/MModule.h"
#include "view/ViewGeometry.h"

namespace ovx {

// A colour pair of the colour table: text colour at 2 × role, background at 2 × role + 1.
enum TCellColor : std::uint8_t {
  ccNormal = 0,
  ccDifference = 1,
  ccBigger = 2,   // this file's byte is greater
  ccSmaller = 3,  // this file's byte is smaller
  ccOver = 4,     // beyond the end of one of the compared files
  ccSelect = 5,
  ccEof = 6,
};
constexpr int TextColorIndex(TCellColor c) { return 2 * c; }
constexpr int BackColorIndex(TCellColor c) { return 2 * c + 1; }
constexpr int kCaretMarkerColorIndex = 14;

struct TCellStyle {
  TCellColor color = ccNormal;
  bool bold = false;  // inside the highlight range
  bool operator==(const TCellStyle&) const = default;
};

// The comparison colouring, supplied by the comparison display while comparing.
class TCompareStyler {
 public:
  virtual ~TCompareStyler() = default;
  virtual const TMemoryModule& Partner() const = 0;
  // Colour of the cell at address p; other is the partner's byte there (0 beyond its end).
  virtual TCellColor Color(std::int64_t p, std::uint8_t mine, std::uint8_t other) const = 0;
  // The mark after a hex cell's digits: '+', '-' or ' '.
  virtual char Mark(std::int64_t p, std::uint8_t mine, std::uint8_t other) const = 0;
};

struct THexCell {
  char text[4] = {};  // "4A", "EOF" or "--"
  char mark = ' ';    // drawn in normal weight after the digits
  TCellStyle style;
  bool operator==(const THexCell&) const = default;
};

enum TCharCellKind : std::uint8_t {
  ckEmpty,   // drawn empty in the normal colours
  ckSingle,  // one byte drawn as one character
  ckLead,    // first half of a character drawn across this cell and the next
  ckTrail,   // second half: the previous cell's code, drawn from the previous cell's x, clipped here
};
struct TCharCell {
  TCharCellKind kind = ckEmpty;
  char text[3] = {};  // Shift-JIS: one byte for ckSingle, two for ckLead and ckTrail
  TCellStyle style;
  bool operator==(const TCharCell&) const = default;
};

struct TPaintRow {
  std::int64_t address = 0;
  char addressText[9] = {};  // "%8.8x"
  bool caretRow = false;     // address and sum cells in highlight colours
  std::array<THexCell, kBytesPerRow> hex;
  std::array<TCharCell, kBytesPerRow + 1> chars;  // the 17th takes a character spilling over the row end
  std::uint8_t rowSum = 0;
  char rowSumText[3] = {};  // upper case
  // Rows that compare equal look the same on the screen.
  bool operator==(const TPaintRow&) const = default;
};

struct TPaintInput {
  std::int32_t topRow = 0;
  std::int32_t visibleRows = 0;
  std::int32_t caretRow = 0;
  std::int32_t caretColumn = 0;
  bool selectionActive = false;
  std::int32_t selectionStart = -1;  // [start, end)
  std::int32_t selectionEnd = -1;
  std::int32_t highlightStart = -1;  // -1: none
  std::int32_t highlightLength = 0;
  TCharaSet charaSet = csSJis;
  std::uint8_t checkSumMode = 0;  // 1: the row address's bytes join the row sum
  const TCompareStyler* compare = nullptr;
};

struct TPaintModel {
  std::vector<TPaintRow> rows;
  std::array<std::uint8_t, kBytesPerRow> columnSums{};
  std::array<std::array<char, 3>, kBytesPerRow> columnSumTexts{};  // "%2.2x", lower case
  std::int32_t caretColumn = 0;  // highlighted in both strips
  // The bytes read for the visible rows (+1), kept to reuse their room.
  std::vector<std::uint8_t> buffer, partnerBuffer;
};

// Reads visible rows × 16 + 1 bytes from the top row's address and fills model.
void BuildPaintModel(const TMemoryModule& module, const TPaintInput& in, TPaintModel& model);

// The colour rule for address p (hex and character cells).
TCellStyle CellStyle(const TPaintInput& in, std::int64_t p, std::uint8_t mine, std::uint8_t other);

// Captions of the caption strip for each of the 19 columns: "ADDRESS", "+0" .. "+F", "SUM",
// and the character set's name.
std::string ColumnCaption(int column, TCharaSet charaSet);
std::string CharaSetName(TCharaSet charaSet);

}  // namespace ovx
