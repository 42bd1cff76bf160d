#include "filer/FilerRunner.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "filer/FilerInteger.h"
#include "model/Crc32.h"

namespace ovx {

namespace {

constexpr std::string_view kClearRange = "クリアする範囲がファイル終端を越えています.";
constexpr std::string_view kCopySourceRange = "コピー元データの範囲がファイル終端を越えています.";
constexpr std::string_view kCopyDestinationRange = "コピー先データの範囲がファイル終端を越えています.";
constexpr std::string_view kPatternRange = "書き込むビットパターンの範囲がファイル終端を越えています.";
constexpr std::string_view kIntegerRange = "書き込む整数値の位置がファイル終端を越えています.";
constexpr std::string_view kBitRange = "書き込むビット値の位置がファイル終端を越えています.";
constexpr std::string_view kStringRange = "書き込む文字列値の位置がファイル終端を越えています.";
constexpr std::string_view kCrcSourceRange = "CRC を計算する範囲がファイル終端を越えています.";

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t tab = line.find('\t', start);
    if (tab == std::string_view::npos) {
      parts.push_back(line.substr(start));
      return parts;
    }
    parts.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
}

// The bytes of a binary pattern: the text repeated until its length is a multiple of 8,
// each 8 characters one byte, first character the most significant bit.
std::vector<std::uint8_t> BinaryPatternBytes(std::string_view pattern) {
  const std::size_t repeats = 8 / std::gcd(pattern.size(), std::size_t{8});
  std::vector<std::uint8_t> bytes((pattern.size() * repeats) / 8, 0);
  for (std::size_t bit = 0; bit < bytes.size() * 8; ++bit) {
    if (pattern[bit % pattern.size()] == '1') bytes[bit / 8] |= static_cast<std::uint8_t>(0x80u >> (bit % 8));
  }
  return bytes;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}

// The bytes of a hexadecimal pattern: the text repeated until its length is even, each pair one byte.
std::vector<std::uint8_t> HexPatternBytes(std::string_view pattern) {
  const std::size_t digits = pattern.size() % 2 ? pattern.size() * 2 : pattern.size();
  std::vector<std::uint8_t> bytes(digits / 2);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<std::uint8_t>(HexDigit(pattern[(2 * i) % pattern.size()]) << 4 |
                                         HexDigit(pattern[(2 * i + 1) % pattern.size()]));
  }
  return bytes;
}

class TSectionRunner {
 public:
  TSectionRunner(TFilerTarget& target, TUserPrompt& prompt, std::int64_t piece)
      : target_(target), prompt_(prompt), piece_(piece) {}

  // False when the user chose to stop.
  bool RunLine(std::string_view line);

 private:
  // True when count bytes at address lie inside the document; computed without wrap-around.
  bool Fits(std::int64_t address, std::int64_t count) const {
    const std::int64_t size = target_.Size();
    return address >= 0 && count >= 0 && address <= size && size - address >= count;
  }
  bool Ask(std::string_view message);
  void Patch(const std::uint8_t* data, std::int64_t address, std::int64_t count);
  void FillRepeated(std::int64_t address, std::int64_t count, const std::vector<std::uint8_t>& period);
  void Copy(std::int64_t source, std::int64_t destination, std::int64_t count);
  void WriteInteger(std::int64_t address, int width, std::uint32_t value);
  std::uint32_t Crc32Of(std::int64_t address, std::int64_t count) const;

  TFilerTarget& target_;
  TUserPrompt& prompt_;
  std::int64_t base_ = 0;
  bool bigEndian_ = false;
  const std::int64_t piece_;  // the largest piece written or copied at once
};

bool TSectionRunner::Ask(std::string_view message) {
  // The wording, slip included, is the one users of existing templates know.
  std::string text = "エラーが発生しまたした.\r\n\r\n";
  text += message;
  text += "\r\n\r\nこのまま処理を強行しますか？";
  return prompt_.MessageDlgBeep(text, mtWarning, mbYes | mbNo) == mrYes;
}

void TSectionRunner::Patch(const std::uint8_t* data, std::int64_t address, std::int64_t count) {
  if (target_.ViewOnly() || count <= 0) return;
  PatchChangedBytes(target_, data, static_cast<std::int32_t>(address), static_cast<std::int32_t>(count));
}

void TSectionRunner::FillRepeated(std::int64_t address, std::int64_t count, const std::vector<std::uint8_t>& period) {
  if (target_.ViewOnly() || period.empty()) return;
  // One piece plus one period of the repeated pattern; each piece starts at its phase in it.
  const auto length = static_cast<std::size_t>(period.size());
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min(count, piece_)) + length);
  std::copy(period.begin(), period.end(), buffer.begin());
  for (std::size_t filled = length; filled < buffer.size();) {
    const std::size_t n = std::min(filled, buffer.size() - filled);
    std::copy_n(buffer.begin(), n, buffer.begin() + static_cast<std::ptrdiff_t>(filled));
    filled += n;
  }
  for (std::int64_t done = 0; done < count;) {
    const std::int64_t piece = std::min(count - done, piece_);
    const auto phase = static_cast<std::size_t>(done % static_cast<std::int64_t>(length));
    Patch(buffer.data() + phase, address + done, piece);
    done += piece;
  }
}

void TSectionRunner::Copy(std::int64_t source, std::int64_t destination, std::int64_t count) {
  if (target_.ViewOnly()) return;
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min(count, piece_)));
  // Copy from the top down when the destination lies above the source, so that
  // overlapping bytes are read before they are overwritten.
  const bool downward = destination > source;
  for (std::int64_t done = 0; done < count;) {
    const std::int64_t piece = std::min(count - done, piece_);
    const std::int64_t offset = downward ? count - done - piece : done;
    target_.ReadData(buffer.data(), static_cast<std::int32_t>(source + offset), static_cast<std::int32_t>(piece));
    Patch(buffer.data(), destination + offset, piece);
    done += piece;
  }
}

void TSectionRunner::WriteInteger(std::int64_t address, int width, std::uint32_t value) {
  std::uint8_t bytes[4];
  for (int i = 0; i < width; ++i) {
    const int shift = 8 * (bigEndian_ ? width - 1 - i : i);
    bytes[i] = static_cast<std::uint8_t>(value >> shift);
  }
  Patch(bytes, address, width);
}

std::uint32_t TSectionRunner::Crc32Of(std::int64_t address, std::int64_t count) const {
  TCrc32 crc;
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min(count, piece_)));
  for (std::int64_t done = 0; done < count;) {
    const std::int64_t piece = std::min(count - done, piece_);
    target_.ReadData(buffer.data(), static_cast<std::int32_t>(address + done), static_cast<std::int32_t>(piece));
    crc.Add(buffer.data(), static_cast<std::size_t>(piece));
    done += piece;
  }
  return crc.Value();
}

bool TSectionRunner::RunLine(std::string_view line) {
  const std::vector<std::string_view> p = SplitTabs(line);
  const std::string_view name = p[0];
  std::int32_t a = 0, b = 0, c = 0;
  auto integers = [&](std::size_t count) {
    if (p.size() != count + 1) return false;
    return ReadStoredInteger(p[1], a) && (count < 2 || ReadStoredInteger(p[2], b)) &&
           (count < 3 || ReadStoredInteger(p[3], c));
  };

  if (name == "SEGMENT") {
    if (integers(1)) base_ = a;
  } else if (name == "BIGENDIAN") {
    bigEndian_ = true;
  } else if (name == "LITTLEENDIAN") {
    bigEndian_ = false;
  } else if (name == "CLEAR") {
    if (!integers(3)) return true;
    const std::int64_t address = base_ + a;
    if (!Fits(address, b)) return Ask(kClearRange);
    FillRepeated(address, b, {static_cast<std::uint8_t>(c)});
  } else if (name == "COPY") {
    if (!integers(3)) return true;
    const std::int64_t source = base_ + a, destination = base_ + b;
    if (!Fits(source, c)) return Ask(kCopySourceRange);
    if (!Fits(destination, c)) return Ask(kCopyDestinationRange);
    Copy(source, destination, c);
  } else if (name == "WRITEPATTERNBIN" || name == "WRITEPATTERNHEX") {
    if (p.size() != 4 || p[3].empty() || !ReadStoredInteger(p[1], a) || !ReadStoredInteger(p[2], b)) return true;
    const std::int64_t address = base_ + a;
    if (!Fits(address, b)) return Ask(kPatternRange);
    FillRepeated(address, b, name == "WRITEPATTERNBIN" ? BinaryPatternBytes(p[3]) : HexPatternBytes(p[3]));
  } else if (name == "WRITEINTEGER") {
    if (!integers(3)) return true;
    const std::int64_t address = base_ + a;
    if (b != 1 && b != 2 && b != 4) return true;
    if (!Fits(address, b)) return Ask(kIntegerRange);
    WriteInteger(address, b, static_cast<std::uint32_t>(c));
  } else if (name == "WRITECRC32") {
    if (!integers(3)) return true;
    const std::int64_t source = base_ + a, destination = base_ + c;
    if (!Fits(source, b)) return Ask(kCrcSourceRange);
    if (!Fits(destination, 4)) return Ask(kIntegerRange);
    WriteInteger(destination, 4, Crc32Of(source, b));
  } else if (name == "WRITEBIT") {
    if (!integers(3) || b < 0 || b > 7) return true;
    const std::int64_t address = base_ + a;
    if (!Fits(address, 1)) return Ask(kBitRange);
    std::uint8_t byte = 0;
    target_.ReadData(&byte, static_cast<std::int32_t>(address), 1);
    const auto mask = static_cast<std::uint8_t>(1u << b);
    byte = c ? static_cast<std::uint8_t>(byte | mask) : static_cast<std::uint8_t>(byte & ~mask);
    Patch(&byte, address, 1);
  } else if (name == "WRITESTRING") {
    // The text may itself hold TABs: it is everything between the length and the pad character.
    if (p.size() < 5 || !ReadStoredInteger(p[1], a) || !ReadStoredInteger(p[2], b) ||
        !ReadStoredInteger(p.back(), c)) {
      return true;
    }
    const std::int64_t address = base_ + a;
    if (!Fits(address, b)) return Ask(kStringRange);
    const std::size_t textStart = static_cast<std::size_t>(p[3].data() - line.data());
    const std::size_t textEnd = static_cast<std::size_t>(p.back().data() - line.data()) - 1;
    std::string_view text = line.substr(textStart, textEnd - textStart);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(b), static_cast<std::uint8_t>(c));
    std::copy_n(text.begin(), std::min(text.size(), bytes.size()), bytes.begin());
    Patch(bytes.data(), address, b);
  }
  // TITLE and the lines of other sections have no effect here.
  return true;
}

}  // namespace

void RunFilerSection(const TFilerCommandList& lines, TFilerTarget& target, TUserPrompt& prompt) {
  RunFilerSectionInPieces(lines, target, prompt, kFilerWritePiece);
}

void RunFilerSectionInPieces(const TFilerCommandList& lines, TFilerTarget& target, TUserPrompt& prompt,
                             std::int64_t pieceBytes) {
  TSectionRunner runner(target, prompt, std::max<std::int64_t>(pieceBytes, 1));
  for (const std::string& line : lines) {
    if (!runner.RunLine(line)) return;
  }
}

}  // namespace ovx
