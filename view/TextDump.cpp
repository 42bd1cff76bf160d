#include "view/TextDump.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace ovx {
namespace {

constexpr char kDigits[] = "0123456789abcdef";
constexpr char kMiddleDot = static_cast<char>(0xA5);  // "･" in Shift-JIS
constexpr std::int32_t kChunk = 1 << 16;
constexpr int kBytesPerLine = 16;
// A line: "[aaaaaaa0] ", 48 columns of hex cells, "|ss| ", then the characters (at most 17 × 2).
constexpr int kHexAt = 11, kSumAt = kHexAt + 48, kCharsAt = kSumAt + 5, kLineRoom = kCharsAt + 40;

bool KeptAsItself(std::uint8_t b) { return (b >= 0x20 && b <= 0x5F) || (b >= 0x61 && b <= 0x7E); }

// The character column's text for (b, c) as one character; empty when they form none.
std::string_view Character(TCharaSet charaSet, std::uint8_t b, std::uint8_t c, char (&out)[2]) {
  const TCharCode pair = static_cast<TCharCode>(b << 8 | c);
  TCharCode code = 0;
  switch (charaSet) {
    case csSJis:
      if (!IsSJisChar(pair)) return {};
      code = pair;
      break;
    case csJis:
      if (!IsJisChar(pair)) return {};
      code = JisToSJis(pair);
      break;
    case csEuc:
      if (!IsEucChar(pair)) return {};
      code = EucToSJis(pair);
      break;
    case csUnicode: {
      const TCharCode unit = static_cast<TCharCode>(b | c << 8);
      if (!IsUnicodeChar(unit)) return {};
      code = UnicodeToSJis(unit);
      if (code >> 8 == 0) {  // a single-byte code, followed by a blank
        const auto single = static_cast<std::uint8_t>(code);
        out[0] = KeptAsItself(single) ? static_cast<char>(single) : kMiddleDot;
        out[1] = ' ';
        return {out, 2};
      }
      break;
    }
    default:
      return {};
  }
  if (code >> 8 == 0) {
    out[0] = static_cast<char>(code);
    return {out, 1};
  }
  out[0] = static_cast<char>(code >> 8);
  out[1] = static_cast<char>(code & 0xFF);
  return {out, 2};
}

// What each byte looks like, looked up once per character set.
struct TDumpTables {
  std::array<std::array<char, 4>, 256> hex{};  // "xx "
  std::array<char, 256> single{};              // the byte or the middle dot
  std::array<std::array<bool, 256>, csUnicode + 1> mayLead{};  // some second byte makes a character
  // A Shift-JIS character is a lead byte followed by a trail byte.
  std::array<std::uint32_t, 256> sjisLead{}, sjisTrail{};
  // For the 16 bits "a character could start at j" of a row, the bits where one does start: in a
  // run of such places every second one is the second half of the character before it.
  std::vector<std::uint16_t> realStarts = std::vector<std::uint16_t>(65536);

  TDumpTables() {
    for (std::uint32_t could = 0; could < 65536; ++could) {
      std::uint32_t real = 0;
      for (int j = 0; j < 16; ++j)
        if ((could >> j & 1) && !(j > 0 && (real >> (j - 1) & 1))) real |= 1u << j;
      realStarts[could] = static_cast<std::uint16_t>(real);
    }
    for (int b = 0; b < 256; ++b)
      for (int c = 0; c < 256; ++c)
        if (IsSJisChar(static_cast<TCharCode>(b << 8 | c))) sjisLead[b] = sjisTrail[c] = 1;
    for (int b = 0; b < 256; ++b) {
      hex[b] = {kDigits[b >> 4], kDigits[b & 15], ' ', 0};
      const auto u = static_cast<std::uint8_t>(b);
      single[b] = KeptAsItself(u) || (u >= 0xA1 && u <= 0xDF) ? static_cast<char>(u) : kMiddleDot;
    }
    for (int cs = csSJis; cs <= csUnicode; ++cs)
      for (int b = 0; b < 256; ++b)
        for (int c = 0; c < 256 && !mayLead[cs][b]; ++c) {
          char out[2];
          mayLead[cs][b] = !Character(static_cast<TCharaSet>(cs), static_cast<std::uint8_t>(b),
                                      static_cast<std::uint8_t>(c), out)
                                 .empty();
        }
  }
};

const TDumpTables& Tables() {
  static const TDumpTables tables;
  return tables;
}

std::uint32_t RowBaseSum(std::uint32_t rowAddress, std::uint8_t checkSumMode) {
  if (checkSumMode != 1) return 0;
  return (rowAddress & 0xFF) + (rowAddress >> 8 & 0xFF) + (rowAddress >> 16 & 0xFF) + (rowAddress >> 24);
}

}  // namespace

void DumpText(const TMemoryModule& module, TCharaSet charaSet, std::uint8_t checkSumMode, std::int32_t start,
              std::int32_t count, const TTextLineEvent& onLine) {
  if (!onLine || start < 0 || start >= module.Size()) return;
  count = std::min(count, module.Size() - start);
  if (count <= 0) return;
  const TDumpTables& t = Tables();
  const bool* mayLead = charaSet >= csSJis && charaSet <= csUnicode ? t.mayLead[charaSet].data() : nullptr;
  // The bytes come in chunks, with the byte after each chunk for a character's second half.
  std::vector<std::uint8_t> chunk(static_cast<std::size_t>(kChunk) + 1);
  char line[kLineRoom];
  int chars = 0;  // length of the character column
  std::uint32_t sum = 0;
  std::uint32_t a = static_cast<std::uint32_t>(start);
  auto startRow = [&](int column) {
    const std::uint32_t row = a >> 4;
    line[0] = '[';
    for (int i = 0; i < 7; ++i) line[1 + i] = kDigits[row >> (24 - 4 * i) & 15];
    std::memcpy(line + 8, "0] ", 3);
    // A whole row overwrites every hex cell; a row that starts or ends inside has blank cells.
    if (column > 0) std::memset(line + kHexAt, ' ', 48);
    std::memset(line + kCharsAt, ' ', static_cast<std::size_t>(column));
    chars = column;
    sum = RowBaseSum(a & ~15u, checkSumMode);
  };
  int column = static_cast<int>(a & 15);
  startRow(column);
  // Hands the finished line on and starts the next row; false when the handler stops.
  auto EmitLine = [&] {
    line[kSumAt] = '|';
    line[kSumAt + 1] = kDigits[sum >> 4 & 15];
    line[kSumAt + 2] = kDigits[sum & 15];
    line[kSumAt + 3] = '|';
    line[kSumAt + 4] = ' ';
    bool proceed = true;
    onLine(std::string_view(line, static_cast<std::size_t>(kCharsAt + chars)), proceed);
    column = 0;
    startRow(0);
    return proceed;
  };
  bool pending = false;
  std::int32_t left = count;
  while (left > 0) {
    const std::int32_t n = std::min(left, kChunk);
    const std::int32_t readable = std::min(n + 1, module.Size() - static_cast<std::int32_t>(a));
    module.ReadData(chunk.data(), static_cast<std::int32_t>(a), readable);
    std::fill(chunk.begin() + readable, chunk.end(), 0);
    for (std::int32_t i = 0; i < n; ++i) {
      if (charaSet == csSJis && column == 0 && n - i >= kBytesPerLine) {
        // A whole Shift-JIS row without a branch per byte; chunk[i + 16] is there to be read.
        const std::uint8_t* row = chunk.data() + i;
        for (int j = 0; j < kBytesPerLine; ++j) {
          std::memcpy(line + kHexAt + 3 * j, t.hex[row[j]].data(), 4);  // the 4th byte is overwritten after
          sum += row[j];
        }
        // Bit j of could: a character may start at j; of starts: one does; of halves: byte j is
        // the second half of the character before it. A character begun in the row above makes
        // byte 0 a second half, shown as a blank.
        std::uint32_t could = 0;
#pragma GCC unroll 16
        for (int k = 0; k < kBytesPerLine; ++k) could |= (t.sjisLead[row[k]] & t.sjisTrail[row[k + 1]]) << k;
        if (pending) could &= ~1u;
        const std::uint32_t starts = t.realStarts[could];
        const std::uint32_t halves = starts << 1 | (pending ? 1u : 0u);
        chars = 0;
        line[kCharsAt] = ' ';
        if (pending) chars = 1;
#pragma GCC unroll 16
        for (int k = 0; k < kBytesPerLine; ++k) {
          const std::uint32_t start = starts >> k & 1, half = halves >> k & 1;
          // The byte itself where a character starts, else its single-byte look, chosen without a branch.
          const auto shown = static_cast<std::uint8_t>(t.single[row[k]]);
          line[kCharsAt + chars] = static_cast<char>(shown ^ ((shown ^ row[k]) & (0u - start)));
          line[kCharsAt + chars + 1] = static_cast<char>(row[k + 1]);
          chars += static_cast<int>(2 * start + (1 - start) * (1 - half));
        }
        pending = (starts >> 15 & 1) != 0;
        a += kBytesPerLine;
        left -= kBytesPerLine;
        i += kBytesPerLine - 1;
        if (!EmitLine()) return;
        continue;
      }
      const std::uint8_t b = chunk[static_cast<std::size_t>(i)];
      if (column == 0) std::memset(line + kHexAt, ' ', 48);
      std::memcpy(line + kHexAt + 3 * column, t.hex[b].data(), 3);
      sum += b;
      char two[2];
      std::string_view character;
      if (pending) {
        pending = false;
        // The second half of a character that began at the end of the row above.
        if (column == 0) line[kCharsAt + chars++] = ' ';
      } else if (mayLead && mayLead[b] &&
                 !(character = Character(charaSet, b, chunk[static_cast<std::size_t>(i) + 1], two)).empty()) {
        std::memcpy(line + kCharsAt + chars, character.data(), character.size());
        chars += static_cast<int>(character.size());
        pending = true;
      } else {
        line[kCharsAt + chars++] = t.single[b];
      }
      ++a;
      ++column;
      --left;
      if ((column == kBytesPerLine || left == 0) && !EmitLine()) return;
    }
  }
}

}  // namespace ovx
