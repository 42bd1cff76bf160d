#include "filer/FilerChecks.h"

#include "charset/StrUty.h"
#include "filer/FilerInteger.h"

namespace ovx {

namespace {

constexpr std::string_view kNotInteger = "正の整数値を指定して下さい. \"%s\"";
constexpr std::string_view kIntegerTooLarge = "整数値が 32 ビットの範囲を越えています. \"%s\"";
constexpr std::string_view kSameCopyAddress = "コピー元とコピー先が同一です.";
constexpr std::string_view kCopySize = "転送サイズは 1 以上を指定して下さい.";
constexpr std::string_view kClearSize = "クリアサイズは 1 以上を指定して下さい.";
constexpr std::string_view kClearValue = "クリア数値は 0 ～ 255 までの範囲の整数値で指定して下さい.";
constexpr std::string_view kBitPosition = "ビット位置が不正です. ビット位置には 0 ～ 7 を指定して下さい. \"%s\"";
constexpr std::string_view kDataWidth = "データ幅が不正です. データ幅には 1,2,4 のみ指定できます. \"%s\"";
constexpr std::string_view kMinMax = "範囲が不正です. 最大値が最小値未満に設定されています. \"%s\"";
constexpr std::string_view kChoice = "選択肢の指定方法が不正です. \"%s\"";
constexpr std::string_view kStringLength = "文字列長に 0 を指定することは出来ません.";
constexpr std::string_view kStringLengthRange = "文字列長は 1 ～ 65536 の範囲で指定して下さい. \"%s\"";
constexpr std::string_view kCrcSize = "CRC の計算サイズは 1 以上を指定して下さい.";
constexpr std::string_view kPadCharacter = "余剰キャラクタには 0 ～ 255 の文字コードを指定して下さい.";
constexpr std::string_view kIndentRange = "インデント、マージン幅は 0 ～ 800 ピクセルの範囲で指定します. \"%s\"";
constexpr std::string_view kIndentKind = "インデント、マージン幅にはオート \"*\" か整数値が必要です. \"%s\"";
constexpr std::string_view kMessageSize = "メッセージエリアの大きさは縦横共に 50～800 ピクセルの範囲で指定します. \"%s\"";
constexpr std::string_view kBitValue = "ビットデータが不正です. ビットデータには 0,1 のみ指定できます. \"%s\"";
constexpr std::string_view kPatternSize = "パターン書き込みサイズは 1 以上を指定して下さい.";
constexpr std::string_view kEmptyPattern = "パターンに空の文字列を指定することは出来ません.";
constexpr std::string_view kBinaryPattern = "パターンには 0 と 1 のみからなる 2 進数パターンを指定して下さい. \"%s\"";
constexpr std::string_view kHexPattern = "パターンには 0 ～ F のみからなる 16 進数パターンを指定して下さい. \"%s\"";

bool InRange(std::int32_t value, std::int32_t low, std::int32_t high) { return value >= low && value <= high; }
bool IsWidth(std::int32_t value) { return value == 1 || value == 2 || value == 4; }
// Sizes are 32-bit patterns: 0xFFFFFFFF reads as -1, which is no size at all.
bool IsSize(std::int32_t value) { return value >= 1; }

bool OnlyCharacters(std::string_view text, std::string_view allowed) {
  return text.find_first_not_of(allowed) == std::string_view::npos;
}

// The checks that follow a successful normalisation of an integer parameter.
std::string CheckIntegerRules(std::string_view command, std::size_t position, std::int32_t value,
                              const std::vector<std::int32_t>& previous, const std::string& decimal) {
  auto fail = [&](std::string_view message) { return FillMessage(message, decimal); };
  if (command == "COPY") {
    if (position == 2 && value == previous[0]) return std::string(kSameCopyAddress);
    if (position == 3 && !IsSize(value)) return std::string(kCopySize);
  } else if (command == "CLEAR") {
    if (position == 2 && !IsSize(value)) return std::string(kClearSize);
    if (position == 3 && !InRange(value, 0, 255)) return std::string(kClearValue);
  } else if (command == "EDITBIT") {
    if (position == 3 && !InRange(value, 0, 7)) return fail(kBitPosition);
  } else if (command == "EDITINTEGER") {
    if (position == 3 && !IsWidth(value)) return fail(kDataWidth);
    if (position == 5 && value < previous[3]) return fail(kMinMax);
  } else if (command == "EDITSELECT") {
    if (position == 3 && !IsWidth(value)) return fail(kDataWidth);
  } else if (command == "EDITSTRING" || command == "WRITESTRING") {
    const std::size_t lengthAt = command == "EDITSTRING" ? 3 : 2;
    if (position == lengthAt && value == 0) return std::string(kStringLength);
    if (position == lengthAt && !InRange(value, 1, kMaxFilerStringLength)) return fail(kStringLengthRange);
    if (position == 4 && !InRange(value, 0, 255)) return std::string(kPadCharacter);
  } else if (command == "WRITEBIT") {
    if (position == 2 && !InRange(value, 0, 7)) return fail(kBitPosition);
    if (position == 3 && !InRange(value, 0, 1)) return fail(kBitValue);
  } else if (command == "WRITEINTEGER") {
    if (position == 2 && !IsWidth(value)) return fail(kDataWidth);
  } else if (command == "WRITEPATTERNBIN" || command == "WRITEPATTERNHEX") {
    if (position == 2 && !IsSize(value)) return std::string(kPatternSize);
  } else if (command == "WRITECRC32") {
    if (position == 2 && !IsSize(value)) return std::string(kCrcSize);
  }
  return {};
}

}  // namespace

std::string FillMessage(std::string_view message, std::string_view sjisToken) {
  std::string out(message);
  std::size_t at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, SJisToUtf8(sjisToken));
  return out;
}

std::string CheckIntegerParameter(std::string_view command, std::size_t position, std::string_view token,
                                  const std::vector<std::int32_t>& previousValues, TCheckedParameter& out) {
  switch (ParseFilerInteger(token, out.value)) {
    case fiInvalid:
      return FillMessage(kNotInteger, token);
    case fiOverflow:
      return FillMessage(kIntegerTooLarge, token);
    case fiOk:
      break;
  }
  out.stored = std::to_string(out.value);
  return CheckIntegerRules(command, position, out.value, previousValues, out.stored);
}

std::string CheckStringParameter(std::string_view command, std::size_t position, std::string_view token,
                                 TCheckedParameter& out) {
  out.stored.assign(token);
  std::int32_t value = 0;
  if (command == "EDITSELECT" && position >= 4) {
    // "value=>text": the value is normalised, the text kept as written.
    std::size_t arrow = token.find("=>");
    if (arrow == std::string_view::npos || ParseFilerInteger(token.substr(0, arrow), value) != fiOk) {
      return FillMessage(kChoice, token);
    }
    out.stored = std::to_string(value);
    out.stored.append(token.substr(arrow));
  } else if ((command == "INDENT" || command == "MARGIN") && position == 1) {
    if (token == "*") return {};
    TFilerIntegerResult result = ParseFilerInteger(token, value);
    if (result == fiInvalid) return FillMessage(kIndentKind, token);
    if (result == fiOverflow || !InRange(value, 0, 800)) return FillMessage(kIndentRange, token);
    out.stored = std::to_string(value);
  } else if (command == "MESSAGE" && position <= 2) {
    if (ParseFilerInteger(token, value) != fiOk || !InRange(value, 50, 800)) return FillMessage(kMessageSize, token);
    out.stored = std::to_string(value);
  } else if (command == "WRITEPATTERNBIN" && position == 3) {
    if (token.empty()) return std::string(kEmptyPattern);
    if (!OnlyCharacters(token, "01")) return FillMessage(kBinaryPattern, token);
  } else if (command == "WRITEPATTERNHEX" && position == 3) {
    if (token.empty()) return std::string(kEmptyPattern);
    if (!OnlyCharacters(token, "0123456789ABCDEFabcdef")) return FillMessage(kHexPattern, token);
  }
  return {};
}

}  // namespace ovx
