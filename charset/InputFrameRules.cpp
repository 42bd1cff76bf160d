#include "charset/InputFrameRules.h"

#include "charset/CharConv.h"

namespace ovx {

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

std::string StringInputBytes(std::string_view sjis, TNewLineCode newLine, TStringSet set) {
  std::string text;
  for (size_t i = 0; i < sjis.size(); ++i) {
    if (newLine != nlCrLf && sjis[i] == '\r' && i + 1 < sjis.size() && sjis[i + 1] == '\n') {
      text += newLine == nlCr ? '\r' : '\n';
      ++i;
      continue;
    }
    text += sjis[i];
  }
  switch (set) {
    case ssJis: return SJisStrToJis(text);
    case ssEuc: return SJisStrToEuc(text);
    case ssUnicode: return SJisStrToUnicode(text);
    case ssSJis: break;
  }
  return text;
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
