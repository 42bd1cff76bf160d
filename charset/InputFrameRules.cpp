#include "charset/InputFrameRules.h"

#include "charset/CharConv.h"
#include "charset/SJisBytes.h"
#include "charset/StrUty.h"

namespace ovx {

using namespace sjis;

TVariableType VariableOfRow(int row) {
  switch (row) {
    case 1: return vtDoubleWord;
    case 2: return vtWord;
    case 3: return vtByte;
  }
  return vtUnformat;
}

int RowOfVariable(TVariableType type) {
  switch (type) {
    case vtDoubleWord: return 1;
    case vtWord: return 2;
    case vtByte: return 3;
    case vtUnformat: break;
  }
  return 0;
}

int AllowedVariableRow(int row, TDialogMode mode) {
  if (mode == dmUnformat) return 0;
  return row <= 0 ? 1 : row;
}

std::uint64_t MaximumOf(TVariableType type) {
  switch (type) {
    case vtDoubleWord: return 0xFFFFFFFFu;
    case vtWord: return 0xFFFF;
    case vtByte: return 0xFF;
    case vtUnformat: break;
  }
  return 0;
}

std::uint64_t NetValue(std::uint64_t value, TVariableType type) {
  return value & (type == vtUnformat ? 0xFFFFFFFFu : MaximumOf(type));
}

int ByteCount(TVariableType type) { return type == vtWord ? 2 : type == vtByte ? 1 : 4; }

namespace {

std::uint64_t Swapped(std::uint64_t value, int bytes) {
  std::uint64_t swapped = 0;
  for (int i = 0; i < bytes; ++i) swapped |= ((value >> (8 * i)) & 0xFF) << (8 * (bytes - 1 - i));
  return swapped;
}

}  // namespace

std::uint64_t OrderedValue(std::uint64_t value, TVariableType type, TByteOrder order) {
  const std::uint64_t net = NetValue(value, type);
  if (order != boBigEndian || (type != vtDoubleWord && type != vtWord)) return net;
  return Swapped(net, ByteCount(type));
}

std::vector<std::uint8_t> IntegerBytes(std::uint64_t value, TVariableType type, TByteOrder order) {
  const std::uint64_t ordered = OrderedValue(value, type, order);
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < ByteCount(type); ++i) bytes.push_back(static_cast<std::uint8_t>(ordered >> (8 * i)));
  return bytes;
}

std::uint64_t CapturedValue(std::uint64_t captured, TVariableType type, TByteOrder order) {
  if (type == vtUnformat) return captured;
  const std::uint64_t net = captured & MaximumOf(type);
  if (order != boBigEndian || type == vtByte) return net;
  return Swapped(net, ByteCount(type));
}

TVariableType NextWidth(TVariableType type, bool pageUp) {
  switch (type) {
    case vtByte: return pageUp ? vtWord : vtDoubleWord;
    case vtWord: return pageUp ? vtDoubleWord : vtByte;
    case vtDoubleWord: return pageUp ? vtByte : vtWord;
    case vtUnformat: break;
  }
  return vtUnformat;
}

TAddressMode AddressAfterSign(TAddressMode current, char sign) {
  const TAddressMode chosen = sign == '+' ? amForward : sign == '-' ? amBackward : current;
  return chosen == current && chosen != amAbsolute && (sign == '+' || sign == '-') ? amAbsolute : chosen;
}

namespace {

constexpr int kTrailsPerLead = 188;
// Refused characters named in the message; more are summed up as "…".
constexpr std::size_t kNamedCharacters = 16;  // 0x40..0x7E and 0x80..0xFC

int CellIndex(unsigned code) {
  const unsigned trail = code & 0xFF;
  return static_cast<int>(((code >> 8) & 0xFF) * kTrailsPerLead + trail - 0x40 - (trail >= 0x80 ? 1 : 0));
}

std::uint16_t CodeOfCell(int index) {
  const unsigned lead = static_cast<unsigned>(index / kTrailsPerLead);
  unsigned trail = static_cast<unsigned>(index % kTrailsPerLead) + 0x40;
  if (trail >= 0x7F) ++trail;
  return static_cast<std::uint16_t>((lead << 8) | trail);
}

bool IsSurrogatePair(std::u16string_view text, std::size_t i) {
  return text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
         text[i + 1] <= 0xDFFF;
}

// The code page's form, else the JIS table's code of a single code unit as Shift-JIS.
std::string SJisFormOf(std::u16string_view character, TSJisForm form) {
  std::string sjis = form(character);
  if (!sjis.empty() || character.size() != 1) return sjis;
  const TCharCode code = UnicodeToSJis(character[0]);
  if (code == 0) return sjis;
  if (HighByte(code) != 0) sjis += static_cast<char>(HighByte(code));
  sjis += static_cast<char>(LowByte(code));
  return sjis;
}

// The form as JIS and EUC-jp carry it: a byte below 0x80 or a half-width katakana, or a pair whose
// lead byte the JIS rows reach; empty when there is none.
std::string JisCarried(std::string sjis) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(sjis[i]); };
  if (sjis.size() == 1) return byte(0) < 0x80 || IsHanKana(byte(0)) ? sjis : std::string();
  if (sjis.size() != 2) return {};
  const std::uint16_t code = NecEquivalentOfIbm(static_cast<std::uint16_t>(byte(0) << 8 | byte(1)));
  if (!IsSJisChar(code)) return {};
  return {static_cast<char>(HighByte(code)), static_cast<char>(LowByte(code))};
}

void AppendUnit(std::string& out, char16_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>(unit >> 8);
}

}  // namespace

std::uint16_t NecEquivalentOfIbm(std::uint16_t sjis) {
  static constexpr struct { std::uint16_t ibm, nec; } kSymbols[] = {
      {0xFA58, 0x878A},  // ㈱
      {0xFA59, 0x8782},  // №
      {0xFA5A, 0x8784},  // ℡
      {0xFA5B, 0x81E6},  // ∵
  };
  if (sjis < 0xFA40 || sjis > 0xFC4B || !IsTrailByte(sjis & 0xFF)) return sjis;
  // The 360 kanji keep their order in the NEC-selected rows, from 0xED40 on.
  if (sjis >= 0xFA5C) return CodeOfCell(CellIndex(0xED40) + CellIndex(sjis) - CellIndex(0xFA5C));
  if (sjis <= 0xFA49) return static_cast<std::uint16_t>(0xEEEF + (sjis - 0xFA40));  // ⅰ..ⅹ
  if (sjis <= 0xFA53) return static_cast<std::uint16_t>(0x8754 + (sjis - 0xFA4A));  // Ⅰ..Ⅹ
  if (sjis <= 0xFA57) return static_cast<std::uint16_t>(0xEEF9 + (sjis - 0xFA54));  // ￢ ￤ ＇ ＂
  for (const auto& s : kSymbols)
    if (s.ibm == sjis) return s.nec;
  return sjis;
}

std::string PlatformSJisForm(std::u16string_view character) {
  if (character.size() == 1 && character[0] < 0x80) return std::string(1, static_cast<char>(character[0]));
  std::string sjis = Utf16ToSJis(character);
  if (SJisToUtf16(sjis) != character) sjis.clear();
  return sjis;
}

TStringInput StringInputBytes(std::u16string_view typed, TNewLineCode newLine, TStringSet set, TSJisForm form) {
  TStringInput result;
  std::size_t refused = 0;
  std::string sjis;  // the Shift-JIS text that JIS and EUC-jp are made of, so ｶﾞ still combines
  std::string& out = set == ssUnicode ? result.bytes : sjis;
  out.reserve(typed.size() * 2);
  for (std::size_t i = 0; i < typed.size(); ++i) {
    std::u16string_view character = typed.substr(i, IsSurrogatePair(typed, i) ? 2 : 1);
    if (newLine != nlCrLf && typed[i] == u'\r' && i + 1 < typed.size() && typed[i + 1] == u'\n') {
      character = typed.substr(newLine == nlCr ? i : i + 1, 1);
      ++i;
    }
    i += character.size() - 1;
    std::string code = SJisFormOf(character, form);
    if (set == ssUnicode) {
      // A character of the JIS table goes through it; any other is written as typed.
      TCharCode unit = 0;
      if (character.size() == 1 && UnicodeToJis(character[0]) != 0 && !code.empty()) {
        const auto b = [&](std::size_t k) { return static_cast<unsigned char>(code[k]); };
        unit = SJisToUnicode(static_cast<TCharCode>(code.size() == 1 ? b(0) : b(0) << 8 | b(1)));
      }
      if (unit != 0) AppendUnit(out, unit);
      else for (char16_t u : character) AppendUnit(out, u);
      continue;
    }
    if (set != ssSJis) code = JisCarried(std::move(code));
    if (code.empty()) {
      // Each refused character is kept once, and only as many as the message names (and one more).
      if (refused <= kNamedCharacters && result.unrepresentable.find(character) == std::u16string::npos) {
        result.unrepresentable += character;
        ++refused;
      }
      continue;
    }
    out += code;
  }
  if (!result.unrepresentable.empty()) return {{}, std::move(result.unrepresentable)};
  switch (set) {
    case ssJis: result.bytes = SJisStrToJis(sjis); break;
    case ssEuc: result.bytes = SJisStrToEuc(sjis); break;
    case ssSJis: result.bytes = std::move(sjis); break;
    case ssUnicode: break;
  }
  return result;
}

std::string UnrepresentableMessage(TStringSet set, std::u16string_view characters) {
  static const char* const kSetNames[] = {"Shift-JIS", "JIS", "EUC-jp", "Unicode"};
  std::u16string named;
  std::size_t i = 0;
  for (std::size_t count = 0; i < characters.size() && count < kNamedCharacters; ++count) {
    const std::size_t n = IsSurrogatePair(characters, i) ? 2 : 1;
    named += u"「";
    named += characters.substr(i, n);
    named += u"」";
    i += n;
  }
  if (i < characters.size()) named += u"…";
  return std::string(kSetNames[set]) + " で表せない文字が含まれています.\r\n" + Utf16ToUtf8(named);
}

std::vector<std::uint8_t> DataBlock(TDataPage page, const TDataPageValues& values) {
  switch (page) {
    case dpInteger: return IntegerBytes(values.integer, values.width, values.order);
    case dpString: return std::vector<std::uint8_t>(values.string.begin(), values.string.end());
    case dpCharacter:
      if (values.character < 0) return {};  // no row picked
      return {static_cast<std::uint8_t>(values.character)};
    case dpBinary: return values.binary;
    case dpNull: break;
  }
  return {};
}

}  // namespace ovx
