#include "view/ViewPaintModel.h"

#include <algorithm>

#include "charset/SJisGlyph.h"

namespace ovx {
namespace {

constexpr char kUpperDigits[] = "0123456789ABCDEF";
constexpr char kLowerDigits[] = "0123456789abcdef";
// A byte without a glyph of its own is drawn as the half-width middle dot.
constexpr std::uint8_t kNoGlyphSubstitute = 0xA5;

void HexByte(std::uint8_t b, const char* digits, char* out) {
  out[0] = digits[b >> 4];
  out[1] = digits[b & 15];
  out[2] = 0;
}

void AddressText(std::int64_t a, char* out) {
  const auto v = static_cast<std::uint32_t>(a);
  for (int i = 0; i < 8; ++i) out[i] = kLowerDigits[(v >> (28 - 4 * i)) & 15];
  out[8] = 0;
}

void BuildCharCells(const TPaintInput& in, const std::uint8_t* row, const std::uint8_t* partnerRow,
                    std::int64_t rowAddress, std::int64_t size, bool& carry, TPaintRow& out) {
  auto other = [&](int j) -> std::uint8_t { return partnerRow ? partnerRow[j] : 0; };
  bool pendingTrail = carry;
  char lead[2] = {};
  for (int j = 0; j < kBytesPerRow; ++j) {
    TCharCell& cell = out.chars[j];
    const std::int64_t p = rowAddress + j;
    if (pendingTrail) {
      pendingTrail = false;
      if (j == 0) {  // the character began in the row above
        cell = TCharCell{};
      } else {
        cell.kind = ckTrail;
        cell.text[0] = lead[0];
        cell.text[1] = lead[1];
        cell.text[2] = 0;
        cell.style = CellStyle(in, p, row[j], other(j));
      }
      continue;
    }
    cell.style = CellStyle(in, p, row[j], other(j));
    if (p >= size) {
      cell.kind = ckSingle;
      cell.text[0] = ' ';
      cell.text[1] = 0;
      continue;
    }
    TCharCode pair = static_cast<TCharCode>(row[j] << 8 | row[j + 1]);
    // A character needs both its bytes inside the document.
    if (p + 1 < size && CharToDisplayCode(in.charaSet, pair)) {
      cell.kind = ckLead;
      lead[0] = static_cast<char>(pair >> 8);
      lead[1] = static_cast<char>(pair & 0xFF);
      cell.text[0] = lead[0];
      cell.text[1] = lead[1];
      cell.text[2] = 0;
      pendingTrail = true;
    } else {
      cell.kind = ckSingle;
      cell.text[0] = static_cast<char>(HasSingleByteGlyph(row[j]) ? row[j] : kNoGlyphSubstitute);
      cell.text[1] = 0;
    }
  }
  TCharCell& last = out.chars[kBytesPerRow];
  if (pendingTrail) {
    last.kind = ckTrail;
    last.text[0] = lead[0];
    last.text[1] = lead[1];
    last.text[2] = 0;
    last.style = CellStyle(in, rowAddress + kBytesPerRow, row[kBytesPerRow], other(kBytesPerRow));
  } else {
    last = TCharCell{};
  }
  carry = pendingTrail;
}

}  // namespace

TCellStyle CellStyle(const TPaintInput& in, std::int64_t p, std::uint8_t mine, std::uint8_t other) {
  TCellStyle s;
  s.bold = in.highlightStart >= 0 && p >= in.highlightStart &&
           p < static_cast<std::int64_t>(in.highlightStart) + in.highlightLength;
  if (in.selectionActive && p >= in.selectionStart && p < in.selectionEnd) {
    s.color = ccSelect;
  } else if (in.compare) {
    s.color = in.compare->Color(p, mine, other);
  }
  return s;
}

void BuildPaintModel(const TMemoryModule& module, const TPaintInput& in, TPaintModel& model) {
  const int rows = std::max(in.visibleRows, 0);
  const std::int64_t size = module.Size();
  const std::int64_t top = static_cast<std::int64_t>(std::max(in.topRow, 0)) * kBytesPerRow;
  const std::size_t count = static_cast<std::size_t>(rows) * kBytesPerRow + 1;

  model.buffer.assign(count, 0);
  // Bytes beyond the end read as 0; a top row past the end reads nothing at all.
  const auto readable = [&](std::vector<std::uint8_t>& buf, const TMemoryModule& m) {
    if (top < m.Size()) m.ReadData(buf.data(), static_cast<std::int32_t>(top), static_cast<std::int32_t>(count));
  };
  readable(model.buffer, module);
  const std::uint8_t* partner = nullptr;
  if (in.compare) {
    model.partnerBuffer.assign(count, 0);
    readable(model.partnerBuffer, in.compare->Partner());
    partner = model.partnerBuffer.data();
  }

  model.rows.resize(static_cast<std::size_t>(rows));
  model.columnSums.fill(0);
  model.caretColumn = in.caretColumn;
  bool carry = false;  // a character of the row above spills into this row
  for (int r = 0; r < rows; ++r) {
    TPaintRow& out = model.rows[static_cast<std::size_t>(r)];
    const std::int64_t a = top + static_cast<std::int64_t>(r) * kBytesPerRow;
    const std::uint8_t* row = model.buffer.data() + static_cast<std::size_t>(r) * kBytesPerRow;
    const std::uint8_t* prow = partner ? partner + static_cast<std::size_t>(r) * kBytesPerRow : nullptr;
    out.address = a;
    AddressText(a, out.addressText);
    out.caretRow = r == in.caretRow;
    unsigned sum = 0;
    for (int j = 0; j < kBytesPerRow; ++j) {
      const std::int64_t p = a + j;
      THexCell& cell = out.hex[static_cast<std::size_t>(j)];
      const std::uint8_t theirs = prow ? prow[j] : 0;
      cell.style = CellStyle(in, p, row[j], theirs);
      cell.mark = ' ';
      if (p < size) {
        HexByte(row[j], kUpperDigits, cell.text);
        if (in.compare) cell.mark = in.compare->Mark(p, row[j], theirs);
        sum += row[j];
        model.columnSums[static_cast<std::size_t>(j)] =
            static_cast<std::uint8_t>(model.columnSums[static_cast<std::size_t>(j)] + row[j]);
      } else if (p == size) {
        std::copy_n("EOF", 4, cell.text);
        cell.style.color = ccEof;
      } else {
        std::copy_n("--", 3, cell.text);
      }
    }
    if (in.checkSumMode == 1) {
      const auto v = static_cast<std::uint32_t>(a);
      sum += (v & 0xFF) + (v >> 8 & 0xFF) + (v >> 16 & 0xFF) + (v >> 24);
    }
    out.rowSum = static_cast<std::uint8_t>(sum);
    HexByte(out.rowSum, kUpperDigits, out.rowSumText);
    BuildCharCells(in, row, prow, a, size, carry, out);
  }
  for (int j = 0; j < kBytesPerRow; ++j)
    HexByte(model.columnSums[static_cast<std::size_t>(j)], kLowerDigits,
            model.columnSumTexts[static_cast<std::size_t>(j)].data());
}

std::string CharaSetName(TCharaSet charaSet) {
  static const char* const names[] = {"ASCII", "Shift-JIS", "JIS", "EUC-jp", "Unicode"};
  return charaSet <= csUnicode ? names[charaSet] : "";
}

std::string ColumnCaption(int column, TCharaSet charaSet) {
  if (column == kAddressColumn) return "ADDRESS";
  if (column >= kFirstHexColumn && column < kFirstHexColumn + kBytesPerRow)
    return std::string("+") + kUpperDigits[column - kFirstHexColumn];
  if (column == kRowSumColumn) return "SUM";
  if (column == kCharColumn) return CharaSetName(charaSet);
  return "";
}

}  // namespace ovx
