#include "shell/ShortcutText.h"

#include <string>

namespace ovx {

namespace {

std::string KeyText(int vk) {
  if ((vk >= vk0 && vk <= vk0 + 9) || (vk >= vkA && vk <= vkA + 25)) return std::string(1, static_cast<char>(vk));
  if (vk >= vkF1 && vk <= vkF1 + 23) return "F" + std::to_string(vk - vkF1 + 1);
  if (vk >= vkNumPad0 && vk <= vkNumPad0 + 9) return "Num " + std::to_string(vk - vkNumPad0);
  switch (vk) {
    case vkBack: return "BkSp";
    case vkTab: return "Tab";
    case vkReturn: return "Enter";
    case vkEscape: return "Esc";
    case vkSpace: return "Space";
    case vkPrior: return "PgUp";
    case vkNext: return "PgDn";
    case vkEnd: return "End";
    case vkHome: return "Home";
    case vkLeft: return "Left";
    case vkUp: return "Up";
    case vkRight: return "Right";
    case vkDown: return "Down";
    case vkInsert: return "Ins";
    case vkDelete: return "Del";
    case vkApps: return "Apps";
    case vkMultiply: return "Num *";
    case vkAdd: return "Num +";
    case vkSeparator: return "Num ,";
    case vkSubtract: return "Num -";
    case vkDecimal: return "Num .";
    case vkDivide: return "Num /";
    case vkOemNecEqual: return "Num =";
    case vkOemMinus: return "-";
    case vkOem7: return "^";
    case vkOem5: return "\\";
    case vkOem3: return "@";
    case vkOem4: return "[";
    case vkOem6: return "]";
    case vkOemPlus: return ";";
    case vkOem1: return ":";
    case vkOemComma: return ",";
    case vkOem2: return "/";
    case vkOemPeriod: return ".";
    default: return "";
  }
}

}  // namespace

std::string ShortcutText(const TShortcut& shortcut) {
  std::string key = KeyText(shortcut.virtualKey);
  if (key.empty()) return "";
  std::string text;
  if (shortcut.shiftState & ssCtrl) text += "Ctrl+";
  if (shortcut.shiftState & ssShift) text += "Shift+";
  if (shortcut.shiftState & ssAlt) text += "Alt+";
  return text + key;
}

}  // namespace ovx
