#include "shell/KeyTable.h"

#include <algorithm>
#include <array>

#include "shell/TextCompare.h"

namespace ovx {

namespace {

struct TKeyEntry {
  const char* name;
  int virtualKey;  // -1: no virtual key produces it
};

// Indexed by key index. "{Enter(NumPad)}" shares 0x0D with "{Enter}" and is
// told apart by the extended-key flag, so the virtual-key table leaves it out.
constexpr std::array<TKeyEntry, KeyCount> KeyEntries = {{
    {"{0}", 0x30}, {"{1}", 0x31}, {"{2}", 0x32}, {"{3}", 0x33}, {"{4}", 0x34},
    {"{5}", 0x35}, {"{6}", 0x36}, {"{7}", 0x37}, {"{8}", 0x38}, {"{9}", 0x39},
    {"{A}", 0x41}, {"{B}", 0x42}, {"{C}", 0x43}, {"{D}", 0x44}, {"{E}", 0x45},
    {"{F}", 0x46}, {"{G}", 0x47}, {"{H}", 0x48}, {"{I}", 0x49}, {"{J}", 0x4A},
    {"{K}", 0x4B}, {"{L}", 0x4C}, {"{M}", 0x4D}, {"{N}", 0x4E}, {"{O}", 0x4F},
    {"{P}", 0x50}, {"{Q}", 0x51}, {"{R}", 0x52}, {"{S}", 0x53}, {"{T}", 0x54},
    {"{U}", 0x55}, {"{V}", 0x56}, {"{W}", 0x57}, {"{X}", 0x58}, {"{Y}", 0x59},
    {"{Z}", 0x5A},
    // Punctuation of the Japanese 106/109-key layout.
    {"{-}", vkOemMinus}, {"{^}", vkOem7}, {"{\\}", vkOem5}, {"{@}", vkOem3},
    {"{[}", vkOem4}, {"{]}", vkOem6}, {"{;}", vkOemPlus}, {"{:}", vkOem1},
    {"{,}", vkOemComma}, {"{/}", vkOem2}, {"{.}", vkOemPeriod},
    {"{F1}", 0x70}, {"{F2}", 0x71}, {"{F3}", 0x72}, {"{F4}", 0x73}, {"{F5}", 0x74},
    {"{F6}", 0x75}, {"{F7}", 0x76}, {"{F8}", 0x77}, {"{F9}", 0x78}, {"{F10}", 0x79},
    {"{F11}", 0x7A}, {"{F12}", 0x7B}, {"{F13}", 0x7C}, {"{F14}", 0x7D}, {"{F15}", 0x7E},
    {"{Enter}", vkReturn}, {"{Esc}", vkEscape}, {"{Tab}", vkTab}, {"{Insert}", vkInsert},
    {"{Delete}", vkDelete}, {"{BackSpace}", vkBack}, {"{PageUp}", vkPrior},
    {"{PageDown}", vkNext}, {"{Home}", vkHome}, {"{End}", vkEnd}, {"{Up}", vkUp},
    {"{Down}", vkDown}, {"{Left}", vkLeft}, {"{Right}", vkRight}, {"{Pause}", -1},
    {"{Space}", vkSpace},
    {"{0(NumPad)}", 0x60}, {"{1(NumPad)}", 0x61}, {"{2(NumPad)}", 0x62},
    {"{3(NumPad)}", 0x63}, {"{4(NumPad)}", 0x64}, {"{5(NumPad)}", 0x65},
    {"{6(NumPad)}", 0x66}, {"{7(NumPad)}", 0x67}, {"{8(NumPad)}", 0x68},
    {"{9(NumPad)}", 0x69},
    {"{*(NumPad)}", vkMultiply}, {"{+(NumPad)}", vkAdd}, {"{-(NumPad)}", vkSubtract},
    {"{.(NumPad)}", vkDecimal}, {"{/(NumPad)}", vkDivide}, {"{Enter(NumPad)}", -1},
    {"{=(NumPad)}", vkOemNecEqual}, {"{,(NumPad)}", vkSeparator}, {"{Application}", vkApps},
}};

static_assert(kiSpace == 77 && kiApplication == 96 && kiNumPadEnter == 93);

constexpr std::array<int, 256> BuildVirtualKeyTable() {
  std::array<int, 256> table{};
  for (int& entry : table) entry = NoKey;
  for (int key = 0; key < KeyCount; ++key)
    if (KeyEntries[key].virtualKey >= 0) table[KeyEntries[key].virtualKey] = key;
  return table;
}
constexpr std::array<int, 256> VirtualKeyTable = BuildVirtualKeyTable();

constexpr std::array<const char*, 9> ShiftPrefixes = {
    "", "Shift+", "Ctrl+", "Ctrl+Shift+", "Alt+", "Alt+Shift+", "Alt+Ctrl+", "Alt+Ctrl+Shift+", "Over+"};

constexpr std::int64_t ExtendedKeyFlag = std::int64_t{1} << 24;
constexpr std::int64_t AltDownFlag = std::int64_t{1} << 29;

}  // namespace

std::string KeyNameFromIndex(int keyIndex) {
  if (keyIndex < 0 || keyIndex >= KeyCount) return "";
  return KeyEntries[keyIndex].name;
}

int KeyIndexFromName(std::string_view name) {
  for (int key = 0; key < KeyCount; ++key)
    if (SameTextAscii(KeyEntries[key].name, name)) return key;
  return NoKey;
}

int KeyIndexFromVirtualKeyTable(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return NoKey;
  return VirtualKeyTable[virtualKey];
}

int KeyIndexFromVirtualKey(std::int64_t virtualKey, bool extendedKey) {
  if (virtualKey == vkReturn && extendedKey) return kiNumPadEnter;
  if (virtualKey < 0 || virtualKey > 255) return NoKey;
  return VirtualKeyTable[static_cast<int>(virtualKey)];
}

int VirtualKeyFromKeyIndex(int keyIndex) {
  if (keyIndex < 0 || keyIndex >= KeyCount) return -1;
  for (int code = 0; code < 256; ++code)
    if (VirtualKeyTable[code] == keyIndex) return code;
  return -1;
}

std::string ShiftPrefixFromCode(int code) {
  if (code < 0 || code >= static_cast<int>(ShiftPrefixes.size())) return "";
  return ShiftPrefixes[code];
}

int ShiftCodeFromPrefix(std::string_view prefix) {
  for (int code = 0; code < static_cast<int>(ShiftPrefixes.size()); ++code)
    if (SameTextAscii(ShiftPrefixes[code], prefix)) return code;
  return 0;
}

int ShiftStateCodeFromKeyStates(std::int16_t shift, std::int16_t control, std::int16_t alt) {
  return (shift < 0 ? ssShift : 0) | (control < 0 ? ssCtrl : 0) | (alt < 0 ? ssAlt : 0);
}

std::string KeyValueName(int shiftState, int keyIndex) {
  return ShiftPrefixFromCode(shiftState) + KeyNameFromIndex(keyIndex);
}

TKeyStroke KeyFromValueName(std::string_view name) {
  std::size_t brace = std::min(name.find('{'), name.size());
  return {ShiftCodeFromPrefix(name.substr(0, brace)), KeyIndexFromName(name.substr(brace))};
}

TKeyStroke KeyMessageToKey(std::uint64_t wParam, std::int64_t lParam, int heldShiftState) {
  TKeyStroke stroke;
  stroke.shiftState = (heldShiftState & (ssShift | ssCtrl)) | ((lParam & AltDownFlag) ? ssAlt : 0);
  stroke.keyIndex = wParam > 255 ? NoKey
                                 : KeyIndexFromVirtualKey(static_cast<std::int64_t>(wParam),
                                                          (lParam & ExtendedKeyFlag) != 0);
  return stroke;
}

bool IsPC98KeyboardType(int keyboardType, int keyboardSubtype) {
  return keyboardType == 7 && ((keyboardSubtype >> 8) & 0x0D) != 0;
}

}  // namespace ovx
