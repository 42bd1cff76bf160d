// The text dump against a reference writer that follows the line format step by step, over
// random ranges in every character set and both checksum modes, and the named edge cases.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "view/TextDump.h"

namespace ovx {
namespace {

// The reference: one byte at a time, each field formatted as the line format says.
std::vector<std::string> ReferenceDump(const TMemoryModule& m, TCharaSet cs, int sumMode, std::int32_t a,
                                       std::int32_t n) {
  auto byteAt = [&](std::int32_t p) -> std::uint8_t {
    std::uint8_t b = 0;
    if (p >= 0 && p < m.Size()) m.ReadData(&b, p, 1);
    return b;
  };
  auto baseSum = [&](std::uint32_t p) -> unsigned {
    p &= ~15u;
    return sumMode == 1 ? (p & 255) + (p >> 8 & 255) + (p >> 16 & 255) + (p >> 24 & 255) : 0;
  };
  auto plain = [](std::uint8_t b) { return (b >= 0x20 && b <= 0x5F) || (b >= 0x61 && b <= 0x7E); };
  std::vector<std::string> lines;
  char buf[128];
  unsigned sum = baseSum(static_cast<std::uint32_t>(a));
  bool pending = false;
  int col = a % 16;
  std::snprintf(buf, sizeof buf, "%7.7x0", static_cast<unsigned>(a / 16));
  std::string addr = buf, hex(static_cast<std::size_t>(col) * 3, ' '), chars(static_cast<std::size_t>(col), ' ');
  while (n > 0) {
    const std::uint8_t b = byteAt(a), c = byteAt(a + 1);
    std::snprintf(buf, sizeof buf, "%2.2x ", b);
    hex += buf;
    if (pending) {
      pending = false;
      if (col == 0) chars = " ";
    } else {
      const TCharCode pair = static_cast<TCharCode>(b * 256 + c);
      bool two = false;
      TCharCode code = 0;
      if (cs == csSJis && IsSJisChar(pair)) two = true, code = pair;
      if (cs == csJis && IsJisChar(pair)) two = true, code = JisToSJis(pair);
      if (cs == csEuc && IsEucChar(pair)) two = true, code = EucToSJis(pair);
      if (cs == csUnicode && IsUnicodeChar(static_cast<TCharCode>(b + 256 * c))) {
        code = UnicodeToSJis(static_cast<TCharCode>(b + 256 * c));
        if (code < 256) {
          chars += plain(static_cast<std::uint8_t>(code)) ? std::string(1, static_cast<char>(code)) : "\xA5";
          chars += ' ';
          pending = true;
        } else {
          two = true;
        }
      }
      if (two) {
        if (code >= 256) chars += static_cast<char>(code / 256);
        chars += static_cast<char>(code % 256);
        pending = true;
      } else if (!pending) {
        chars += plain(b) || (b >= 0xA1 && b <= 0xDF) ? std::string(1, static_cast<char>(b)) : "\xA5";
      }
    }
    sum += b;
    ++a;
    --n;
    ++col;
    if (col == 16 || n == 0) {
      std::snprintf(buf, sizeof buf, "[%s] %-48s|%2.2x| ", addr.c_str(), hex.c_str(), sum % 256);
      lines.push_back(buf + chars);
      std::snprintf(buf, sizeof buf, "%7.7x0", static_cast<unsigned>(a / 16));
      addr = buf;
      hex.clear();
      chars.clear();
      sum = baseSum(static_cast<std::uint32_t>(a));
      col = 0;
    }
  }
  return lines;
}

std::vector<std::string> Dump(const TMemoryModule& m, TCharaSet cs, int sumMode, std::int32_t a, std::int32_t n) {
  std::vector<std::string> lines;
  DumpText(m, cs, static_cast<std::uint8_t>(sumMode), a, n,
           [&](std::string_view line, bool&) { lines.emplace_back(line); });
  return lines;
}

void Fill(TMemoryModule& m, const std::vector<std::uint8_t>& bytes) {
  m.Clear();
  m.InsertData(bytes.data(), 0, static_cast<std::int32_t>(bytes.size()));
}

TEST(ViewTextDump, MatchesTheReferenceOverRandomRanges) {
  std::mt19937 random(13);
  // Bytes that form many characters in every set, mixed with noise.
  std::vector<std::uint8_t> bytes(0x1400);
  const std::uint8_t likely[] = {0x82, 0xA0, 0x88, 0x9F, 0x30, 0x42, 0x8E, 0xB1, 0xA4, 0xA2, 0x21, 0x7F, 0x60, 0x00, 0xE0};
  for (auto& b : bytes) b = random() % 3 ? likely[random() % sizeof likely] : static_cast<std::uint8_t>(random());
  TMemoryModule m;
  Fill(m, bytes);
  for (int cs = csAscii; cs <= csUnicode; ++cs)
    for (int sumMode = 0; sumMode < 2; ++sumMode)
      for (int i = 0; i < 60; ++i) {
        const std::int32_t a = static_cast<std::int32_t>(random() % bytes.size());
        const std::int32_t n = 1 + static_cast<std::int32_t>(random() % std::min<std::size_t>(200, bytes.size() - a));
        SCOPED_TRACE(testing::Message() << "set " << cs << " sum " << sumMode << " at " << a << " for " << n);
        ASSERT_EQ(Dump(m, static_cast<TCharaSet>(cs), sumMode, a, n),
                  ReferenceDump(m, static_cast<TCharaSet>(cs), sumMode, a, n));
      }
}

// The dump reads the document in 64 KiB chunks with one byte of look-ahead: characters whose two
// bytes straddle a chunk's end, and ranges starting or ending there, come out as byte by byte.
TEST(ViewTextDump, RangesAcrossTheChunkBoundary) {
  constexpr std::int32_t kChunk = 1 << 16;
  std::mt19937 random(29);
  std::vector<std::uint8_t> bytes(2 * kChunk + 0x100);
  const std::uint8_t likely[] = {0x82, 0xA0, 0x88, 0x9F, 0x30, 0x42, 0x8E, 0xB1, 0xA4, 0xA2, 0x21, 0x60};
  for (auto& b : bytes) b = likely[random() % sizeof likely];
  TMemoryModule m;
  for (const std::uint8_t lead : {0x82, 0x30, 0xA4}) {  // a lead byte of each set on the chunk's last byte
    bytes[kChunk - 1] = lead;
    bytes[2 * kChunk - 1] = lead;
    Fill(m, bytes);
    const std::pair<std::int32_t, std::int32_t> ranges[] = {
        {kChunk - 16, 32}, {kChunk - 1, 2}, {kChunk - 1, kChunk + 2}, {0, kChunk + 1}, {kChunk - 2, kChunk + 3}};
    for (int cs = csAscii; cs <= csUnicode; ++cs)
      for (int sumMode = 0; sumMode < 2; ++sumMode)
        for (const auto& [a, n] : ranges) {
          SCOPED_TRACE(testing::Message() << "lead " << int{lead} << " set " << cs << " at " << a << " for " << n);
          ASSERT_EQ(Dump(m, static_cast<TCharaSet>(cs), sumMode, a, n),
                    ReferenceDump(m, static_cast<TCharaSet>(cs), sumMode, a, n));
        }
  }
}

TEST(ViewTextDump, LineFormatAndEdgeCases) {
  TMemoryModule m;
  Fill(m, {0x41, 0x42, 0x43});
  EXPECT_EQ(Dump(m, csSJis, 0, 0, 3),
            std::vector<std::string>{"[00000000] 41 42 43" + std::string(39 + 1, ' ') + "|c6| ABC"});

  // A range from 0x13 to 0x25: two lines, the first indented by three cells.
  std::vector<std::uint8_t> bytes(0x40, 0x61);
  Fill(m, bytes);
  std::vector<std::string> lines = Dump(m, csAscii, 0, 0x13, 0x25 - 0x13);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(0, 23), "[00000010]          61 ");
  EXPECT_EQ(lines[0].substr(lines[0].size() - 16), "   aaaaaaaaaaaaa");
  EXPECT_EQ(lines[1].substr(0, 26), "[00000020] 61 61 61 61 61 ");

  // The grave accent, DEL to 0xA0 and 0xE0 to 0xFF are the middle dot outside a character.
  Fill(m, {0x60, 0x7F, 0xA0, 0xE0, 0xFF, 0xA1});
  lines = Dump(m, csAscii, 0, 0, 6);
  EXPECT_EQ(lines[0].substr(lines[0].size() - 6), "\xA5\xA5\xA5\xA5\xA5\xA1");

  // A Shift-JIS character starting on a row's last byte is written whole; the next row starts blank.
  bytes.assign(0x20, 0x41);
  bytes[15] = 0x82;
  bytes[16] = 0xA0;
  Fill(m, bytes);
  lines = Dump(m, csSJis, 0, 0, 0x20);
  EXPECT_EQ(lines[0].substr(lines[0].size() - 2), "\x82\xA0");
  EXPECT_EQ(lines[1].substr(lines[1].size() - 16), " AAAAAAAAAAAAAAA");

  // ASCII-form sums start at the row address's bytes, also for a range starting inside the row.
  bytes.assign(0x1240, 0);
  Fill(m, bytes);
  EXPECT_EQ(Dump(m, csSJis, 1, 0x1230, 16)[0].substr(59, 4), "|42|");
  EXPECT_EQ(Dump(m, csSJis, 1, 0x1235, 3)[0].substr(59, 4), "|42|");
}

TEST(ViewTextDump, TheHandlerStopsTheOutput) {
  TMemoryModule m;
  Fill(m, std::vector<std::uint8_t>(100, 1));
  int calls = 0;
  DumpText(m, csSJis, 0, 0, 100, [&](std::string_view, bool& proceed) { proceed = ++calls < 2; });
  EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace ovx
