#include "view/TextDump.h"

#include <algorithm>
#include <string>
#include <vector>

namespace ovx {
namespace {

constexpr char kDigits[] = "0123456789abcdef";
constexpr char kMiddleDot = static_cast<char>(0xA5);  // "･" in Shift-JIS
constexpr std::int32_t kChunk = 1 << 16;
constexpr std::size_t kHexWidth = 48;

bool KeptAsItself(std::uint8_t b) { return (b >= 0x20 && b <= 0x5F) || (b >= 0x61 && b <= 0x7E); }

std::uint32_t RowBaseSum(std::uint32_t rowAddress, std::uint8_t checkSumMode) {
  if (checkSumMode != 1) return 0;
  return (rowAddress & 0xFF) + (rowAddress >> 8 & 0xFF) + (rowAddress >> 16 & 0xFF) + (rowAddress >> 24);
}

// One line in the making: "[aaaaaaa0] " + hex column + "|ss| " + character column.
class TLine {
 public:
  void Start(std::uint32_t address, int column, std::uint32_t sum) {
    const std::uint32_t row = address >> 4;
    text_.assign("[");
    for (int shift = 24; shift >= 0; shift -= 4) text_ += kDigits[row >> shift & 15];
    text_ += "0] ";
    text_.append(static_cast<std::size_t>(column) * 3, ' ');
    chars_.assign(static_cast<std::size_t>(column), ' ');
    sum_ = sum;
  }
  void Hex(std::uint8_t b) {
    const char cell[3] = {kDigits[b >> 4], kDigits[b & 15], ' '};
    text_.append(cell, 3);
    sum_ += b;
  }
  std::string& Chars() { return chars_; }
  std::string_view Finish() {
    text_.resize(11 + kHexWidth, ' ');
    const char sum[5] = {'|', kDigits[sum_ >> 4 & 15], kDigits[sum_ & 15], '|', ' '};
    text_.append(sum, 5);
    text_ += chars_;
    return text_;
  }

 private:
  std::string text_, chars_;
  std::uint32_t sum_ = 0;
};

// The character column's text for b (and c after it); true when the pair is one character.
bool AppendCharacter(TCharaSet charaSet, std::uint8_t b, std::uint8_t c, std::string& out) {
  const TCharCode pair = static_cast<TCharCode>(b << 8 | c);
  TCharCode code = 0;
  switch (charaSet) {
    case csSJis:
      if (!IsSJisChar(pair)) return false;
      code = pair;
      break;
    case csJis:
      if (!IsJisChar(pair)) return false;
      code = JisToSJis(pair);
      break;
    case csEuc:
      if (!IsEucChar(pair)) return false;
      code = EucToSJis(pair);
      break;
    case csUnicode: {
      const TCharCode unit = static_cast<TCharCode>(b | c << 8);
      if (!IsUnicodeChar(unit)) return false;
      code = UnicodeToSJis(unit);
      if (code >> 8 == 0) {
        const auto single = static_cast<std::uint8_t>(code);
        out += KeptAsItself(single) ? static_cast<char>(single) : kMiddleDot;
        out += ' ';
        return true;
      }
      break;
    }
    default:
      return false;
  }
  if (code >> 8) out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
  return true;
}

}  // namespace

void DumpText(const TMemoryModule& module, TCharaSet charaSet, std::uint8_t checkSumMode, std::int32_t start,
              std::int32_t count, const TTextLineEvent& onLine) {
  if (!onLine || start < 0 || start >= module.Size()) return;
  count = std::min(count, module.Size() - start);
  if (count <= 0) return;
  // The bytes come in chunks, with the byte after each chunk for a character's second half.
  std::vector<std::uint8_t> chunk(static_cast<std::size_t>(kChunk) + 1);
  TLine line;
  std::uint32_t a = static_cast<std::uint32_t>(start);
  int column = static_cast<int>(a & 15);
  line.Start(a, column, RowBaseSum(a & ~15u, checkSumMode));
  bool pending = false;
  std::int32_t left = count;
  while (left > 0) {
    const std::int32_t n = std::min(left, kChunk);
    std::fill(chunk.begin(), chunk.end(), 0);
    module.ReadData(chunk.data(), static_cast<std::int32_t>(a), std::min(n + 1, module.Size() - static_cast<std::int32_t>(a)));
    for (std::int32_t i = 0; i < n; ++i) {
      const std::uint8_t b = chunk[static_cast<std::size_t>(i)], c = chunk[static_cast<std::size_t>(i) + 1];
      line.Hex(b);
      if (pending) {
        pending = false;
        // The second half of a character that began at the end of the row above.
        if (column == 0) line.Chars() = " ";
      } else if (charaSet != csAscii && AppendCharacter(charaSet, b, c, line.Chars())) {
        pending = true;
      } else {
        line.Chars() += KeptAsItself(b) || (b >= 0xA1 && b <= 0xDF) ? static_cast<char>(b) : kMiddleDot;
      }
      ++a;
      ++column;
      --left;
      if (column == 16 || left == 0) {
        bool proceed = true;
        onLine(line.Finish(), proceed);
        if (!proceed) return;
        column = 0;
        line.Start(a, 0, RowBaseSum(a, checkSumMode));
      }
    }
  }
}

}  // namespace ovx
