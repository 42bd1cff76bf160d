#include "shell/Settings.h"

#include <limits>

namespace ovx {

const TColorRole ColorRoles[ColorRoleCount] = {
    {"NormalFont", &TColorSettings::NormalFont},
    {"NormalBG", &TColorSettings::NormalBG},
    {"DifferenceFont", &TColorSettings::DifferenceFont},
    {"DifferenceBG", &TColorSettings::DifferenceBG},
    {"DifferenceBiggerFont", &TColorSettings::DifferenceBiggerFont},
    {"DifferenceBiggerBG", &TColorSettings::DifferenceBiggerBG},
    {"DifferenceSmallerFont", &TColorSettings::DifferenceSmallerFont},
    {"DifferenceSmallerBG", &TColorSettings::DifferenceSmallerBG},
    {"OverFont", &TColorSettings::OverFont},
    {"OverBG", &TColorSettings::OverBG},
    {"SelectFont", &TColorSettings::SelectFont},
    {"SelectBG", &TColorSettings::SelectBG},
    {"EofFont", &TColorSettings::EofFont},
    {"EofBG", &TColorSettings::EofBG},
    {"CaretMarker", &TColorSettings::CaretMarker},
};

namespace {

using E = TEnvironmentSettings;
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();

constexpr TSettingValue Bool(const char* name, bool E::*m) {
  return {name, m, nullptr, nullptr, nullptr, 0, 1};
}
constexpr TSettingValue Byte(const char* name, std::uint8_t E::*m, std::int32_t lo, std::int32_t hi) {
  return {name, nullptr, m, nullptr, nullptr, lo, hi};
}
constexpr TSettingValue Int(const char* name, std::int32_t E::*m, std::int32_t lo) {
  return {name, nullptr, nullptr, m, nullptr, lo, kIntMax};
}
constexpr TSettingValue Text(const char* name, std::string E::*m) {
  return {name, nullptr, nullptr, nullptr, m, 0, 0};
}

}  // namespace

// Enumeration bytes outside their range and integers below their floor are not taken
// from the registry: a hand-edited value must not reach code that indexes by it.
const TSettingValue ConfigValues[ConfigValueCount] = {
    Bool("OpeningDlg", &E::OpeningDlg),
    Int("FontHeight", &E::FontHeight, 1),
    Text("ViewModeExt", &E::ViewModeExt),
    Bool("MakeBackFile", &E::MakeBackFile),
    Byte("InputMode", &E::InputMode, 0, 1),
    Byte("CharaSet", &E::CharaSet, 0, 4),
    Byte("CheckSum", &E::CheckSum, 0, 1),
    Byte("IntWidth", &E::IntWidth, 1, 3),
    Byte("IntCardinal", &E::IntCardinal, 0, 2),
    Byte("ByteOrder", &E::ByteOrder, 0, 1),
    Bool("ExpandTenKey", &E::ExpandTenKey),
    Int("UndoBuffer", &E::UndoBuffer, 0),
    Bool("UndoPacked", &E::UndoPacked),
    Bool("UndoFlushWithSaved", &E::UndoFlushWithSaved),
    Bool("UndoOverflowSound", &E::UndoOverflowSound),
    Byte("KeyAssignType", &E::KeyAssignType, 0, 2),
    Bool("DialogFlattery", &E::DialogFlattery),
    Bool("DialogAutoHidden", &E::DialogAutoHidden),
    Bool("NewWindowMoveCenter", &E::NewWindowMoveCenter),
    Bool("ProfileWindowLoad", &E::ProfileWindowLoad),
    Bool("ProfilePositionLoad", &E::ProfilePositionLoad),
    Bool("ProfileNotExistToCenter", &E::ProfileNotExistToCenter),
    Int("ProfileMax", &E::ProfileMax, 1),
};

const TSettingValue ViewItemValues[ViewItemValueCount] = {
    Bool("ToolBar", &E::ToolBar),
    Bool("FunctionBar", &E::FunctionBar),
    Bool("StatusBar", &E::StatusBar),
    Bool("InformationPanel", &E::InformationPanel),
    Bool("CompareArrow", &E::CompareArrow),
    Bool("CompareColor", &E::CompareColor),
    Bool("CaretMarker", &E::CaretMarker),
};

TEnvironmentSettings DefaultEnvironmentSettings() {
  TEnvironmentSettings s;
  WindowsStandardKeyMap(s.KeyMap);
  return s;
}

}  // namespace ovx
