// 全コード検索 against a plain search per code set over the same bytes, on documents whose blocks
// are cut at random places; the code sets' bytes of a text; the count of the search dialog.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "view/AllCodeSearch.h"

namespace ovx {
namespace {

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string s;
  for (unsigned char c : bytes) {
    if (!s.empty()) s += ' ';
    s += digits[c >> 4];
    s += digits[c & 15];
  }
  return s;
}

TEST(SearchCodes, EachCodeSetGivesItsOwnBytesOrSaysWhyNot) {
  struct Row {
    const char16_t* text;
    TSearchCode code;
    std::vector<std::string> hex;  // empty: not carried
  } rows[] = {
      {u"あA", scAscii, {}},
      {u"Ab", scAscii, {"41 62"}},
      {u"あA", scSJis, {"82 A0 41"}},
      {u"ｱ", scSJis, {"B1"}},
      {u"あA", scEuc, {"A4 A2 41"}},
      {u"ｱ", scEuc, {"8E B1"}},
      {u"漢字", scJis, {"34 41 3B 7A"}},
      {u"ｱ", scJis, {}},
      {u"aあb", scJis, {"61 1B 24 42 24 22 1B 28 42 62", "61 1B 24 40 24 22 1B 28 4A 62"}},
      {u"あA", scUtf16, {"42 30 41 00"}},
      {u"あA", scUtf8, {"E3 81 82 41"}},
      {u"\U00020BB7", scUtf8, {"F0 A0 AE B7"}},
      {u"\U00020BB7", scSJis, {}},
      {u"\xD842", scUtf8, {}},
      {u"\xD842", scUtf16, {"42 D8"}},
      {u"¥", scSJis, {}},  // not the backslash byte
  };
  for (const Row& r : rows) {
    const TCodeForm form = EncodeForSearch(r.text, r.code);
    std::vector<std::string> got;
    for (const std::string& p : form.patterns) got.push_back(Hex(p));
    EXPECT_EQ(got, r.hex) << SearchCodeName(r.code);
    EXPECT_EQ(form.carried, !r.hex.empty()) << SearchCodeName(r.code);
    EXPECT_EQ(form.why.empty(), form.carried) << SearchCodeName(r.code);
  }
}

// Every occurrence of needle in bytes, overlapping ones included.
std::vector<std::int32_t> PlainFind(const std::vector<std::uint8_t>& bytes, const std::string& needle) {
  std::vector<std::int32_t> at;
  for (std::size_t i = 0; i + needle.size() <= bytes.size(); ++i)
    if (std::equal(needle.begin(), needle.end(), bytes.begin() + static_cast<std::ptrdiff_t>(i),
                   [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }))
      at.push_back(static_cast<std::int32_t>(i));
  return at;
}

// A document of the bytes whose blocks are cut at random places (inserts in the middle split
// blocks), some pieces only a byte or two long.
void Fill(TMemoryModule& m, const std::vector<std::uint8_t>& bytes, std::mt19937& rng,
          std::vector<std::size_t> cuts = {}) {
  cuts.push_back(0);
  cuts.push_back(bytes.size());
  for (int i = 0; i < 40; ++i) cuts.push_back(rng() % (bytes.size() + 1));
  std::sort(cuts.begin(), cuts.end());
  // Insert the pieces back to front at 0, so each insert splits the first block.
  for (std::size_t i = cuts.size() - 1; i > 0; --i) {
    const std::size_t a = cuts[i - 1], b = cuts[i];
    if (b > a) m.InsertData(bytes.data() + a, 0, static_cast<std::int32_t>(b - a));
  }
}

TEST(AllCodeSearch, FindsWhatAPlainSearchPerCodeSetFinds) {
  struct Row {
    const char16_t* text;
    std::int32_t size;
  } rows[] = {
      {u"日本語テキスト", 3 * 4096 + 77},
      {u"ああ", 20000},        // overlaps itself in every code set
      {u"検索abc", 9000},      // JIS with escapes inside
      {u"A", 5000},            // one byte: ASCII, and the same bytes in four other sets
      {u"ｱｲｳ", 12000},         // half-width: no JIS
      {u"\U00020BB7野家", 8192},  // UTF-16 and UTF-8 only
  };
  std::mt19937 rng(20261211);
  for (const Row& r : rows) {
    for (int round = 0; round < 6; ++round) {
      std::vector<std::uint8_t> bytes(static_cast<std::size_t>(r.size));
      for (auto& b : bytes) b = static_cast<std::uint8_t>(rng() % 7 == 0 ? 0x1B : rng());
      // Plant each code set's bytes at random places, at block boundaries, at odd addresses,
      // twice overlapped, and the JIS text between escapes.
      std::vector<std::string> planted;
      for (int c = 0; c < SearchCodeCount; ++c)
        for (const std::string& p : EncodeForSearch(r.text, static_cast<TSearchCode>(c)).patterns) planted.push_back(p);
      const TCodeForm jis = EncodeForSearch(r.text, scJis);
      if (jis.carried) planted.push_back("\x1B$B" + jis.patterns.front() + "\x1B(B");
      std::vector<std::size_t> cuts;
      for (const std::string& p : planted) {
        for (int k = 0; k < 6; ++k) {
          std::size_t at = rng() % (bytes.size() - 2 * p.size());
          if (k == 0) {
            // Across a one-byte piece between two blocks.
            at = rng() % (bytes.size() - 2 * p.size());
            cuts.push_back(at + p.size() / 2);
            cuts.push_back(at + p.size() / 2 + 1);
          }
          if (k == 1) at |= 1;
          std::copy(p.begin(), p.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
          if (k == 2) std::copy(p.begin(), p.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at + p.size() / 2));
        }
      }
      TMemoryModule m;
      Fill(m, bytes, rng, cuts);
      const std::int32_t from = round % 2 ? static_cast<std::int32_t>(rng() % 100) : 0;
      const std::int32_t to = round % 2 ? r.size - static_cast<std::int32_t>(rng() % 100) : r.size;
      const std::vector<std::uint8_t> range(bytes.begin() + from, bytes.begin() + to);

      TAllCodeSearch search(r.text, {true, true, true, true, true, true}, from, to);
      while (!search.Step(m, static_cast<std::int32_t>(1 + rng() % 3000))) {
      }
      // The reference: each code set on its own, a code set counted once under the first
      // code set with the same bytes.
      std::vector<std::pair<std::int32_t, std::string>> want;  // address, code set name
      std::vector<std::string> seen;
      for (int c = 0; c < SearchCodeCount; ++c) {
        std::int64_t count = 0;
        bool own = false;
        for (const std::string& p : EncodeForSearch(r.text, static_cast<TSearchCode>(c)).patterns) {
          if (std::find(seen.begin(), seen.end(), p) != seen.end()) continue;
          seen.push_back(p);
          own = true;
          for (std::int32_t a : PlainFind(range, p)) {
            want.push_back({from + a, SearchCodeName(static_cast<TSearchCode>(c))});
            ++count;
          }
        }
        EXPECT_EQ(search.Searched(static_cast<TSearchCode>(c)), own);
        EXPECT_EQ(search.CountOf(static_cast<TSearchCode>(c)), count) << SearchCodeName(static_cast<TSearchCode>(c));
      }
      std::stable_sort(want.begin(), want.end(), [](auto& a, auto& b) { return a.first < b.first; });
      std::vector<std::pair<std::int32_t, std::string>> got;
      for (std::size_t i = 0; i < search.HitCount(); ++i)
        got.push_back({search.HitAt(i).address, SearchCodeName(search.HitAt(i).code)});
      ASSERT_EQ(got, want) << "round " << round;
      EXPECT_EQ(search.Total(), static_cast<std::int64_t>(want.size()));
    }
  }
}

TEST(AllCodeSearch, SummaryCountsEachCodeSetAndTheListStopsAtItsLimit) {
  std::vector<std::uint8_t> bytes;
  for (const std::string& p : {std::string("\x82\xA0"), std::string("\x42\x30"), std::string("\x42\x30"),
                               std::string("AAAA")})
    bytes.insert(bytes.end(), p.begin(), p.end());
  TMemoryModule m;
  m.InsertData(bytes.data(), 0, static_cast<std::int32_t>(bytes.size()));
  TAllCodeSearch all(u"あ", {true, true, true, true, true, true}, 0, m.Size());
  all.Step(m, m.Size());
  EXPECT_EQ(all.Summary(), "3 件 (Shift-JIS 1, EUC-JP 0, JIS 0, UTF-16LE 2, UTF-8 0)");
  TAllCodeSearch none(u"い", {true, true, true, true, true, true}, 0, m.Size());
  none.Step(m, m.Size());
  EXPECT_EQ(none.Summary(), "見付かりませんでした.");
  TAllCodeSearch limited(u"A", {true, false, false, false, false, false}, 0, m.Size(), 2);
  limited.Step(m, m.Size());
  EXPECT_EQ(limited.Summary(), "4 件 (ASCII 4), 先頭の 2 件を表示");
  EXPECT_EQ(limited.HitCount(), 2u);
}

TEST(AllCodeSearch, HitContextShowsTheMatchInItsCodeSet) {
  const std::string data = std::string("xy\x1B$B") + "4A;z" + "\x1B(Bok";
  TMemoryModule m;
  m.InsertData(reinterpret_cast<const std::uint8_t*>(data.data()), 0, static_cast<std::int32_t>(data.size()));
  TAllCodeSearch all(u"漢字", {false, false, false, true, false, false}, 0, m.Size());
  all.Step(m, m.Size());
  ASSERT_EQ(all.HitCount(), 1u);
  EXPECT_EQ(all.HitAt(0).address, 5);
  EXPECT_EQ(HitContext(m, all.HitAt(0)), u"xy...【漢字】...ok");
}

TEST(AllCodeSearch, CountPatternCountsOverlappingMatchesAcrossBlocks) {
  std::vector<std::uint8_t> bytes(10000, 'a');
  bytes[4095] = 'b';
  TMemoryModule m;
  std::mt19937 rng(7);
  Fill(m, bytes, rng);
  EXPECT_EQ(CountPattern(m, {'a', 'a'}), 9999 - 2);
  EXPECT_EQ(CountPattern(m, {'a', 'b', 'a'}), 1);
  EXPECT_EQ(CountPattern(m, {'c'}), 0);
  // Against a partner that differs only at 100: the matches touching it.
  TMemoryModule partner;
  bytes[100] = 'z';
  Fill(partner, bytes, rng);
  EXPECT_EQ(CountPattern(m, {'a', 'a'}, &partner), 2);
  EXPECT_EQ(CountFoundText(3), "3 件見付かりました.");
}

}  // namespace
}  // namespace ovx

namespace ovx {
namespace {

// The tool's list is current while the document's change count stays the same.
TEST(AllCodeSearch, ChangeCountGrowsWithEveryChangeButACompaction) {
  TMemoryModule m;
  std::vector<std::uint8_t> bytes(9000, 'x');
  m.InsertData(bytes.data(), 0, 9000);
  struct Row {
    const char* name;
    std::function<void(TMemoryModule&)> change;
    bool counts;
  } rows[] = {
      {"write", [](TMemoryModule& d) { std::uint8_t b = 1; d.WriteData(&b, 5, 1); }, true},
      {"insert", [](TMemoryModule& d) { std::uint8_t b = 1; d.InsertData(&b, 4100, 1); }, true},
      {"delete", [](TMemoryModule& d) { d.DeleteData(10, 3); }, true},
      {"invert", [](TMemoryModule& d) { d.InvertBits(0, 2); }, true},
      {"increment", [](TMemoryModule& d) { d.IncrementLE(0, 2); }, true},
      {"locked write", [](TMemoryModule& d) { d.NotifyLocked = 1; std::uint8_t b = 2; d.WriteData(&b, 0, 1); d.NotifyLocked = 0; }, true},
      {"compact", [](TMemoryModule& d) { d.Compact(); }, false},
      {"clear", [](TMemoryModule& d) { d.Clear(); }, true},
  };
  for (const Row& r : rows) {
    const std::uint64_t before = m.ChangeCount();
    r.change(m);
    EXPECT_EQ(m.ChangeCount() != before, r.counts) << r.name;
  }
}

}  // namespace
}  // namespace ovx
