// The key table: 97 named keys, the virtual-key codes that produce them, and
// the shift state codes with their value-name prefixes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ovx {

// Key indexes 0 to 96; -1 is no key.
constexpr int NoKey = -1;
constexpr int KeyCount = 97;
enum : int {
  kiDigit0 = 0,       // "{0}" .. "{9}" = 0 .. 9
  kiA = 10,           // "{A}" .. "{Z}" = 10 .. 35
  kiZ = 35,
  kiMinus = 36,       // "{-}" "{^}" "{\}" "{@}" "{[}" "{]}" "{;}" "{:}" "{,}" "{/}" "{.}"
  kiComma = 44,
  kiSlash = 45,
  kiPeriod = 46,
  kiF1 = 47,          // "{F1}" .. "{F15}" = 47 .. 61
  kiF12 = 58,
  kiEnter = 62,
  kiEsc, kiTab, kiInsert, kiDelete, kiBackSpace, kiPageUp, kiPageDown,
  kiHome, kiEnd, kiUp, kiDown, kiLeft, kiRight, kiPause, kiSpace,
  kiNumPad0 = 78,     // "{0(NumPad)}" .. "{9(NumPad)}" = 78 .. 87
  kiNumPadMultiply = 88, kiNumPadAdd, kiNumPadSubtract, kiNumPadDecimal, kiNumPadDivide,
  kiNumPadEnter, kiNumPadEqual, kiNumPadComma, kiApplication,
};

// The keys a custom key map keeps in the registry: those the options dialog lets a user bind,
// "{0}" to "{Space}" and "{Application}" (the keypad keys are not among them).
constexpr bool IsStoredKey(int keyIndex) {
  return (keyIndex >= 0 && keyIndex <= kiSpace) || keyIndex == kiApplication;
}

// Windows virtual-key codes used by the key table, named here so that the
// core needs no system header.
enum : int {
  vkBack = 0x08, vkTab = 0x09, vkReturn = 0x0D, vkShift = 0x10, vkControl = 0x11, vkMenu = 0x12,
  vkEscape = 0x1B, vkSpace = 0x20, vkPrior = 0x21, vkNext = 0x22, vkEnd = 0x23, vkHome = 0x24,
  vkLeft = 0x25, vkUp = 0x26, vkRight = 0x27, vkDown = 0x28, vkInsert = 0x2D, vkDelete = 0x2E,
  vk0 = 0x30, vkA = 0x41, vkApps = 0x5D, vkNumPad0 = 0x60, vkMultiply = 0x6A, vkAdd = 0x6B,
  vkSeparator = 0x6C, vkSubtract = 0x6D, vkDecimal = 0x6E, vkDivide = 0x6F, vkF1 = 0x70,
  vkOemNecEqual = 0x92, vkOem1 = 0xBA, vkOemPlus = 0xBB, vkOemComma = 0xBC, vkOemMinus = 0xBD,
  vkOemPeriod = 0xBE, vkOem2 = 0xBF, vkOem3 = 0xC0, vkOem4 = 0xDB, vkOem5 = 0xDC, vkOem6 = 0xDD,
  vkOem7 = 0xDE,
};

// The key name in braces for 0 to 96, an empty text otherwise.
std::string KeyNameFromIndex(int keyIndex);
// The index of the key name equal to the text regardless of letter case; the
// empty name and any other text give -1.
int KeyIndexFromName(std::string_view name);

// The 256-entry table from virtual-key code to key index (-1 where no key).
// Code 0x0D gives "{Enter}"; the keypad Enter needs the extended-key flag,
// see KeyIndexFromVirtualKey.
int KeyIndexFromVirtualKeyTable(int virtualKey);
// The key index of a pressed key: 0x0D with the extended-key flag is
// "{Enter(NumPad)}"; codes outside 0 to 255 give -1.
int KeyIndexFromVirtualKey(std::int64_t virtualKey, bool extendedKey);
// The lowest virtual-key code whose table entry is the key index; -1
// for "{Pause}", for "{Enter(NumPad)}" (0x0D is "{Enter}" in the table) and
// for out-of-range indexes.
int VirtualKeyFromKeyIndex(int keyIndex);

// Shift state codes 0 to 7: bit 0 Shift, bit 1 Ctrl, bit 2 Alt. Code 8
// ("Over+") is a prefix only and never addresses a key map entry.
enum : int { ssShift = 1, ssCtrl = 2, ssAlt = 4, ShiftStateCount = 8, ssOver = 8 };

// The value-name prefix of codes 0 to 8 ("", "Shift+", ... "Over+"); empty
// for any other code.
std::string ShiftPrefixFromCode(int code);
// The code of the prefix equal to the text regardless of case; 0 for a text
// that matches no prefix.
int ShiftCodeFromPrefix(std::string_view prefix);

// The shift state code from the states the system reports for Shift, Ctrl
// and Alt; a key counts as down when the high bit of its state is set.
int ShiftStateCodeFromKeyStates(std::int16_t shift, std::int16_t control, std::int16_t alt);

// A shift state code and a key index.
struct TKeyStroke {
  int shiftState = 0;
  int keyIndex = NoKey;
};
// A registry value name of a key binding: shift prefix followed by key name,
// "Ctrl+{A}". Parsing splits before the first "{": a prefix that matches none
// counts as no shift, so the shift state may be 0 to 8 ("Over+"), and the key
// index is -1 when the rest names no key.
std::string KeyValueName(int shiftState, int keyIndex);
TKeyStroke KeyFromValueName(std::string_view name);

// wParam and lParam are the values of a WM_KEYDOWN/WM_SYSKEYDOWN message.
// The message carries Alt only (bit 29 of the key data); Shift and Ctrl come
// from heldShiftState, the keyboard state at the time of the message (its Alt
// bit is ignored). Bit 24 of the key data is the extended-key flag.
TKeyStroke KeyMessageToKey(std::uint64_t wParam, std::int64_t lParam, int heldShiftState);

// True for the keyboard of the Japanese PC-98 kind: keyboard type 7 and a
// subtype whose high byte has any of the bits 0x0D.
bool IsPC98KeyboardType(int keyboardType, int keyboardSubtype);

}  // namespace ovx
