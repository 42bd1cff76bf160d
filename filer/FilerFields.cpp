#include "filer/FilerFields.h"

#include <algorithm>
#include <charconv>

#include "charset/StrUty.h"

namespace ovx {

TFilerFieldValue InitialFilerFieldValue(const TFilerField& field) {
  TFilerFieldValue value;
  value.selected = field.items.empty() ? -1 : 0;
  return value;
}

bool FilerFieldInRange(const TFilerField& field, std::int32_t documentSize) {
  if (field.width < 1) return false;
  const std::int64_t last = std::int64_t{field.address} + (field.kind == fcBit ? 0 : field.width - 1);
  return field.address >= 0 && last < documentSize;
}

std::int32_t FilerIntegerOfBytes(const std::uint8_t* bytes, int width, bool bigEndian) {
  std::uint32_t value = 0;
  for (int i = 0; i < width; ++i) {
    const int from = bigEndian ? i : width - 1 - i;
    value = (value << 8) | bytes[from];
  }
  return static_cast<std::int32_t>(value);
}

void FilerBytesOfInteger(std::int32_t value, int width, bool bigEndian, std::uint8_t* bytes) {
  std::uint32_t v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < width; ++i, v >>= 8) bytes[bigEndian ? width - 1 - i : i] = static_cast<std::uint8_t>(v);
}

std::int32_t ClampSpinValue(std::int32_t value, std::int32_t minimum, std::int32_t maximum) {
  if (minimum == maximum) return value;
  return std::clamp(value, minimum, maximum);
}

// The typed text as a message quotes it: at most 40 bytes, never cutting a UTF-8 character.
static std::string Quoted(std::string_view utf8) {
  std::size_t length = std::min<std::size_t>(utf8.size(), 40);
  while (length < utf8.size() && length > 0 && (static_cast<std::uint8_t>(utf8[length]) & 0xC0) == 0x80) --length;
  return " \"" + std::string(utf8.substr(0, length)) + (length < utf8.size() ? "…\"" : "\"");
}

std::string FilerIntegerOfText(std::string_view text, const TFilerField& field, std::int32_t& value) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::int64_t typed = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, typed);
  const std::int64_t bits = 8 * std::int64_t{field.width};
  const std::int64_t lowest = -(std::int64_t{1} << (bits - 1));
  const std::int64_t highest = field.width >= 4 ? INT32_MAX : (std::int64_t{1} << bits) - 1;
  if (text.empty() || ptr != end || (ec != std::errc() && ec != std::errc::result_out_of_range))
    return "整数値を入力して下さい." + Quoted(text);
  if (ec == std::errc::result_out_of_range || typed < lowest || typed > highest) {
    return std::to_string(field.width) + " バイトのフィールドには " + std::to_string(lowest) + " ～ " +
           std::to_string(highest) + " の整数値を入力して下さい." + Quoted(text);
  }
  value = ClampSpinValue(static_cast<std::int32_t>(typed), field.minimum, field.maximum);
  return {};
}

std::string FilerStringProblem(std::string_view utf8, const TFilerField& field) {
  const std::string sjis = Utf8ToSJis(utf8);
  if (SJisToUtf8(sjis) != utf8) return "シフト JIS で表せない文字が含まれています.";
  if (sjis.size() > static_cast<std::size_t>(field.width))
    return "文字列が長すぎます. このフィールドには " + std::to_string(field.width) + " バイトまで書き込めます.";
  return {};
}

int SelectIndexOfValue(const std::vector<TFilerSelectItem>& items, std::int32_t value, int current) {
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].value == value) current = static_cast<int>(i);
  return current;
}

static bool IsLeadByte(std::uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF); }
static bool IsTrailByte(std::uint8_t b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

std::string FilerStringText(const std::uint8_t* bytes, int length) {
  std::string sjis;
  for (int i = 0; i < length; ++i) {
    const std::uint8_t b = bytes[i];
    if (IsLeadByte(b) && i + 1 < length && IsTrailByte(bytes[i + 1])) {
      sjis.push_back(static_cast<char>(b));
      sjis.push_back(static_cast<char>(bytes[++i]));
    } else if ((b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF)) {
      sjis.push_back(static_cast<char>(b));
    } else {
      sjis.push_back(' ');
    }
  }
  while (!sjis.empty() && static_cast<std::uint8_t>(sjis.back()) <= 0x20) sjis.pop_back();
  return SJisToUtf8(sjis);
}

std::vector<std::uint8_t> FilerStringBytes(std::string_view utf8, int length, std::uint8_t pad) {
  const std::string sjis = Utf8ToSJis(utf8);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length), pad);
  std::size_t fits = 0;
  while (fits < sjis.size()) {
    const auto lead = static_cast<std::uint8_t>(sjis[fits]);
    const bool doubleByte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    const std::size_t next = fits + (doubleByte ? 2 : 1);
    if (next > bytes.size()) break;
    fits = next;
  }
  std::copy_n(sjis.begin(), std::min(fits, sjis.size()), bytes.begin());
  return bytes;
}

void ReadFilerField(const TFilerField& field, TFilerFieldValue& value, const TFilerTarget& target) {
  value.changed = false;
  if (!FilerFieldInRange(field, target.Size())) {
    value.enabled = value.jumpEnabled = false;
    return;
  }
  value.jumpEnabled = true;
  value.enabled = field.editable && !target.ViewOnly();
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(field.width));
  target.ReadData(bytes.data(), field.address, field.width);
  switch (field.kind) {
    case fcInteger:
      value.integer =
          ClampSpinValue(FilerIntegerOfBytes(bytes.data(), field.width, field.bigEndian), field.minimum, field.maximum);
      break;
    case fcSelect:
      value.selected =
          SelectIndexOfValue(field.items, FilerIntegerOfBytes(bytes.data(), field.width, field.bigEndian), value.selected);
      break;
    case fcString:
      value.text = FilerStringText(bytes.data(), field.width);
      break;
    default:
      value.checked = (bytes[0] >> field.bit) & 1;
      break;
  }
}

void WriteFilerField(const TFilerField& field, const TFilerFieldValue& value, TFilerTarget& target) {
  if (!value.changed || !value.enabled || !FilerFieldInRange(field, target.Size())) return;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(field.width));
  switch (field.kind) {
    case fcInteger:
      FilerBytesOfInteger(value.integer, field.width, field.bigEndian, bytes.data());
      break;
    case fcSelect: {
      const bool chosen = value.selected >= 0 && value.selected < static_cast<int>(field.items.size());
      if (!chosen) return;
      FilerBytesOfInteger(field.items[value.selected].value, field.width, field.bigEndian, bytes.data());
      break;
    }
    case fcString:
      bytes = FilerStringBytes(value.text, field.width, field.pad);
      break;
    default: {
      target.ReadData(bytes.data(), field.address, 1);
      const std::uint8_t mask = static_cast<std::uint8_t>(1u << field.bit);
      bytes[0] = value.checked ? (bytes[0] | mask) : (bytes[0] & ~mask);
      break;
    }
  }
  PatchChangedBytes(target, bytes.data(), field.address, field.width);
}

}  // namespace ovx
