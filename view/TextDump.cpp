#include "view/TextDump.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "charset/SJisBytes.h"

namespace ovx {
namespace {

constexpr char kDigits[] = "0123456789abcdef";
constexpr char kMiddleDot = static_cast<char>(0xA5);  // "･" in Shift-JIS
constexpr std::int32_t kChunk = 1 << 16;
constexpr int kBytesPerLine = 16;
// A line: "[aaaaaaa0] ", 48 columns of hex cells, "|ss| ", then the characters (at most 17 × 2).
constexpr int kHexAt = 11, kSumAt = kHexAt + 48, kCharsAt = kSumAt + 5, kLineRoom = kCharsAt + 40;

constexpr bool KeptAsItself(std::uint8_t b) { return (b >= 0x20 && b <= 0x5F) || (b >= 0x61 && b <= 0x7E); }

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
  // For 8 bits "a character could start at j", the bits where one does start: in a run of such
  // places every second one is the second half of the character before it. The second index says
  // whether a character started just before the 8 bits, making their first place a second half.
  std::array<std::array<std::uint8_t, 256>, 2> realStarts{};

  TDumpTables() {
    for (std::uint32_t before = 0; before < 2; ++before)
      for (std::uint32_t could = 0; could < 256; ++could) {
        std::uint32_t real = 0, last = before;
        for (int j = 0; j < 8; ++j) {
          last = (could >> j & 1) && !last;
          real |= last << j;
        }
        realStarts[before][could] = static_cast<std::uint8_t>(real);
      }
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

// The sum of a row's 16 bytes, eight at a time: the bytes at even and odd places are added as
// 16-bit lanes, then the lanes are folded by one multiplication.
std::uint32_t RowSum(const std::uint8_t* row) {
  constexpr std::uint64_t kLowBytes = 0x00FF00FF00FF00FFull;
  std::uint64_t x, y;
  std::memcpy(&x, row, 8);
  std::memcpy(&y, row + 8, 8);
  const std::uint64_t lanes = (x & kLowBytes) + (x >> 8 & kLowBytes) + (y & kLowBytes) + (y >> 8 & kLowBytes);
  return static_cast<std::uint32_t>(lanes * 0x0001000100010001ull >> 48);
}

// A whole row's character column, 16 bytes side by side (the compiler's vector lanes where the
// processor has them). Byte sets are unions of ranges; the ranges are checked against the rules.
using TBytes16 = std::uint8_t __attribute__((vector_size(16)));
// Where the processor has no vector registers (the 32-bit build) vectors pass in memory; these
// helpers are always inlined, so no calling convention is involved.
#pragma GCC diagnostic ignored "-Wpsabi"
struct TByteRange {
  std::uint8_t low, high;
};
template <std::size_t N>
using TByteRanges = std::array<TByteRange, N>;
constexpr TByteRanges<2> kLeadRanges{{{0x81, 0x9F}, {0xE0, 0xEF}}};
constexpr TByteRanges<2> kTrailRanges{{{0x40, 0x7E}, {0x80, 0xFC}}};
constexpr TByteRanges<3> kShownAsItselfRanges{{{0x20, 0x5F}, {0x61, 0x7E}, {0xA1, 0xDF}}};

template <std::size_t N, typename Rule>
constexpr bool RangesFollow(const TByteRanges<N>& ranges, Rule rule) {
  for (unsigned b = 0; b < 256; ++b) {
    bool in = false;
    for (const TByteRange& r : ranges) in = in || (b >= r.low && b <= r.high);
    if (in != rule(b)) return false;
  }
  return true;
}
static_assert(RangesFollow(kLeadRanges, sjis::IsLeadByte));
static_assert(RangesFollow(kTrailRanges, sjis::IsTrailByte));
static_assert(RangesFollow(kShownAsItselfRanges, [](unsigned b) {
  return KeptAsItself(static_cast<std::uint8_t>(b)) || sjis::IsHanKana(b);
}));

// 0xFF in each lane whose byte lies in one of the ranges.
template <std::size_t N>
[[gnu::always_inline]] inline TBytes16 InRanges(TBytes16 v, const TByteRanges<N>& ranges) {
  TBytes16 in{};
  for (const TByteRange& r : ranges)
    in |= reinterpret_cast<TBytes16>(static_cast<TBytes16>(v - r.low) <= static_cast<std::uint8_t>(r.high - r.low));
  return in;
}

// Bit k set where lane k is 0xFF.
std::uint32_t LaneBits(TBytes16 lanes) {
  std::uint64_t half[2];
  std::memcpy(half, &lanes, 16);
  // Lane bits 0 or 1, gathered into the top byte by one multiplication per half.
  constexpr std::uint64_t kOnes = 0x0101010101010101ull, kGather = 0x0102040810204080ull;
  return static_cast<std::uint32_t>(((half[0] & kOnes) * kGather >> 56) | ((half[1] & kOnes) * kGather >> 56) << 8);
}

// 0xFF in lane k where bit k is set.
[[gnu::always_inline]] inline TBytes16 BitLanes(std::uint32_t bits) {
  constexpr TBytes16 kBit{1, 2, 4, 8, 16, 32, 64, 128, 1, 2, 4, 8, 16, 32, 64, 128};
  const std::uint64_t spread[2] = {(bits & 0xFF) * 0x0101010101010101ull, (bits >> 8 & 0xFF) * 0x0101010101010101ull};
  TBytes16 v;
  std::memcpy(&v, spread, 16);
  return reinterpret_cast<TBytes16>((v & kBit) == kBit);
}

// Writes the 16 characters of a Shift-JIS row and the byte after it to text; returns the bits of
// the places where a character starts. Every byte of a character stands as itself, every other
// byte as itself or the middle dot; a character begun in the row above leaves a blank at 0.
std::uint32_t SJisRowCharacters(const std::uint8_t* row, bool pending, const TDumpTables& t, char* text) {
  TBytes16 v, next;
  std::memcpy(&v, row, 16);
  std::memcpy(&next, row + 1, 16);
  std::uint32_t could = LaneBits(InRanges(v, kLeadRanges) & InRanges(next, kTrailRanges));
  if (pending) could &= ~1u;
  const std::uint32_t low = t.realStarts[0][could & 0xFF];
  const std::uint32_t starts = low | std::uint32_t{t.realStarts[low >> 7][could >> 8]} << 8;
  const TBytes16 raw = BitLanes(starts | starts << 1);
  const TBytes16 shown = InRanges(v, kShownAsItselfRanges);
  const TBytes16 dot = TBytes16{} + static_cast<std::uint8_t>(kMiddleDot);
  const TBytes16 out = (v & (raw | shown)) | (dot & ~(raw | shown));
  std::memcpy(text, &out, 16);
  text[kBytesPerLine] = static_cast<char>(row[kBytesPerLine]);
  if (pending) text[0] = ' ';
  return starts;
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
    line[1] = kDigits[row >> 24 & 15];
    for (int i = 0; i < 3; ++i) std::memcpy(line + 2 + 2 * i, t.hex[row >> (16 - 8 * i) & 0xFF].data(), 2);
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
#pragma GCC unroll 16
        for (int j = 0; j < kBytesPerLine; ++j)
          std::memcpy(line + kHexAt + 3 * j, t.hex[row[j]].data(), 4);  // the 4th byte is overwritten after
        sum += RowSum(row);
        const std::uint32_t starts = SJisRowCharacters(row, pending, t, line + kCharsAt);
        chars = kBytesPerLine + static_cast<int>(starts >> 15 & 1);
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
