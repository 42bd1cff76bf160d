// The value rules of the typed input frames: the width list of the integer frame (type, largest
// value, net value), byte order, what a capture takes per width, the width and address cycling
// of the integer controls' spare keys, the bytes of a string, and the data block of a page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "charset/EditIntCore.h"

namespace ovx {

enum TDialogMode : std::uint8_t { dmUnformat = 0, dmInteger = 1 };
enum TByteOrder : std::uint8_t { boLittleEndian = 0, boBigEndian = 1 };
// The rows of the address list of the address mode.
enum TAddressMode : std::uint8_t { amAbsolute = 0, amForward = 1, amBackward = 2 };

// Rows of the width list: 無定型(32bit), DoubleWord(32bit), Word(16bit), Byte(8bit).
TVariableType VariableOfRow(int row);
int RowOfVariable(TVariableType type);
// The row a choice ends on: the address mode keeps only 無定型, the integer mode never has it.
int AllowedVariableRow(int row, TDialogMode mode);
// Largest value of the width (0 for 無定型) and the value cut to it (無定型: the low 32 bits).
std::uint64_t MaximumOf(TVariableType type);
std::uint64_t NetValue(std::uint64_t value, TVariableType type);
// Bytes the width writes: 4, 4, 2, 1.
int ByteCount(TVariableType type);
// The net value with its bytes in memory order for big-endian (DoubleWord: four reversed, Word: two
// swapped); its low bytes, least significant first, are the bytes to store.
std::uint64_t OrderedValue(std::uint64_t value, TVariableType type, TByteOrder order);
// The ByteCount bytes to store.
std::vector<std::uint8_t> IntegerBytes(std::uint64_t value, TVariableType type, TByteOrder order);
// What the capture button puts into the controls from the little-endian value under the caret.
std::uint64_t CapturedValue(std::uint64_t captured, TVariableType type, TByteOrder order);
// Page Up: Byte → Word → DoubleWord → Byte; Page Down the other way; 無定型 stays.
TVariableType NextWidth(TVariableType type, bool pageUp);
// "+" and "-": relative forward or backward, or back to absolute when already chosen.
TAddressMode AddressAfterSign(TAddressMode current, char sign);

// String frame lists.
enum TNewLineCode : std::uint8_t { nlCrLf = 0, nlCr = 1, nlLf = 2 };
enum TStringSet : std::uint8_t { ssSJis = 0, ssJis = 1, ssEuc = 2, ssUnicode = 3 };

// The largest text the string frame takes, in UTF-16 code units: the bytes it writes (at most five
// a unit, in JIS, where every character switches between one- and two-byte mode) stay within the
// view's 32-bit count of bytes.
inline constexpr int kStringInputLimit = 0x7FFFFFFF / 5 - 3;

// How code page 932 writes one typed character (a code unit or a surrogate pair): its bytes, empty
// when it has no code of its own for it (a guess, '?' or nothing).
using TSJisForm = std::string (*)(std::u16string_view character);
// The platform's code page 932 (the core's own tables natively), checked by converting back.
std::string PlatformSJisForm(std::u16string_view character);

struct TStringInput {
  std::string bytes;             // what the frame writes; empty when a character was refused
  std::u16string unrepresentable;  // the typed characters the set has no code for, each once
};

// The typed text (UTF-16) as the bytes of the set, CR LF pairs first made CR or LF.
// Shift-JIS, JIS and EUC-jp take each character's code page 932 form (or, where the code page has
// none, the JIS X 0208 / 0201 code of the character); an IBM extension character becomes its NEC
// equivalent in JIS and EUC-jp, whose codes have no room for the IBM rows. A character a set
// cannot carry is refused, and then nothing is written. Unicode writes a character the JIS table
// knows by the table (so 0x5C gives U+00A5 and 0x7E gives U+203E) and any other as it was typed.
TStringInput StringInputBytes(std::u16string_view typed, TNewLineCode newLine, TStringSet set,
                              TSJisForm form = PlatformSJisForm);
// "JIS で表せない文字が含まれています." and the refused characters (UTF-8).
std::string UnrepresentableMessage(TStringSet set, std::u16string_view characters);
// The Shift-JIS code an IBM extension (0xFA40..0xFC4B) stands for in the NEC rows (the NEC-selected
// rows 89..92, row 13, or JIS X 0208 for ∵); any other code comes back unchanged.
std::uint16_t NecEquivalentOfIbm(std::uint16_t sjis);

// The pages of the data frame, in tab order, and what each yields as a data block.
enum TDataPage : std::uint8_t { dpInteger = 0, dpString = 1, dpCharacter = 2, dpBinary = 3, dpNull = 4 };
struct TDataPageValues {
  std::uint64_t integer = 0;  // the integer frame's value (before byte order)
  TVariableType width = vtDoubleWord;
  TByteOrder order = boLittleEndian;
  std::string string;         // the string frame's bytes
  int character = 0;          // the picked code, -1 for none (an empty block)
  std::vector<std::uint8_t> binary;  // the embedded editor's document
};
// The data block of the page: the bytes (none for an empty block).
std::vector<std::uint8_t> DataBlock(TDataPage page, const TDataPageValues& values);

}  // namespace ovx
