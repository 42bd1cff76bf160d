// The settings record of the process, its colours and the per-file window profile.
// One record is held by the main process window; editor windows get copies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "shell/KeyMap.h"

namespace ovx {

// A colour is 0x00BBGGRR, or 0xFF0000nn for the system colour with index nn.
constexpr std::uint32_t SystemColor(std::uint32_t index) { return 0xFF000000u | index; }

// The fifteen view colours, in their stored order.
struct TColorSettings {
  std::uint32_t NormalFont = SystemColor(8);              // window text
  std::uint32_t NormalBG = SystemColor(5);                // window background
  std::uint32_t DifferenceFont = 0x00FF00FF;              // magenta
  std::uint32_t DifferenceBG = SystemColor(5);
  std::uint32_t DifferenceBiggerFont = 0x000000FF;        // red
  std::uint32_t DifferenceBiggerBG = SystemColor(5);
  std::uint32_t DifferenceSmallerFont = 0x00FF0000;       // blue
  std::uint32_t DifferenceSmallerBG = SystemColor(5);
  std::uint32_t OverFont = SystemColor(0x11);             // grey text
  std::uint32_t OverBG = SystemColor(5);
  std::uint32_t SelectFont = SystemColor(0x0E);           // highlighted text
  std::uint32_t SelectBG = SystemColor(0x0D);             // highlight
  std::uint32_t EofFont = 0x00000000;                     // black
  std::uint32_t EofBG = 0x00FFFF00;                       // aqua
  std::uint32_t CaretMarker = 0x00008000;                 // green line of the caret marker

  bool operator==(const TColorSettings&) const = default;
};

// Value names of the colours in the Color key, with the member each one stores.
struct TColorRole {
  const char* Name;
  std::uint32_t TColorSettings::*Member;
};
constexpr std::size_t ColorRoleCount = 15;
extern const TColorRole ColorRoles[ColorRoleCount];

// Window and view position of one file, 32 bytes as stored in the profile file.
struct TWindowProfile {
  std::int32_t Left = 0;          // window left
  std::int32_t Top = 0;           // window top
  std::int32_t ClientWidth = 0;
  std::int32_t ClientHeight = 0;
  std::int32_t TopRow = 0;        // first row shown
  std::int32_t CaretRow = 0;      // relative to TopRow
  std::int32_t CaretColumn = 0;   // 0 to 15
  std::uint8_t CaretDigit = 0;    // 1 on the second hex digit
  std::uint8_t CaretArea = 0;     // 0 hexadecimal, 1 characters
  std::uint8_t Padding[2] = {0, 0};

  bool operator==(const TWindowProfile& o) const {
    return Left == o.Left && Top == o.Top && ClientWidth == o.ClientWidth &&
           ClientHeight == o.ClientHeight && TopRow == o.TopRow && CaretRow == o.CaretRow &&
           CaretColumn == o.CaretColumn && CaretDigit == o.CaretDigit && CaretArea == o.CaretArea;
  }
};
static_assert(sizeof(TWindowProfile) == 32);
static_assert(offsetof(TWindowProfile, TopRow) == 16);
static_assert(offsetof(TWindowProfile, CaretDigit) == 28);
static_assert(offsetof(TWindowProfile, CaretArea) == 29);

// Key templates by KeyAssignType.
enum TKeyAssignType : std::uint8_t { katWindows = 0, katMsDos = 1, katCustom = 2 };

// Every user setting. Member initializers are the built-in defaults, except the key map,
// which DefaultEnvironmentSettings fills with the Windows standard template.
struct TEnvironmentSettings {
  bool NewWindow = false;  // set while the record is applied to a window being created
  TColorSettings Colors;
  TKeyMap KeyMap{};

  // ViewItem
  bool ToolBar = true;
  bool FunctionBar = true;
  bool StatusBar = true;
  bool InformationPanel = true;
  bool CompareArrow = true;
  bool CompareColor = true;
  bool CaretMarker = true;

  // Config
  bool OpeningDlg = true;
  std::int32_t FontHeight = 14;
  std::string ViewModeExt = "sys;exe;com;dll;vxd";
  bool MakeBackFile = true;
  std::uint8_t InputMode = 0;      // 0 overwrite, 1 insert
  std::uint8_t CharaSet = 1;       // TCharaSet: 0 ASCII .. 4 Unicode
  std::uint8_t CheckSum = 0;       // 0 simple, 1 ASCII form
  std::uint8_t IntWidth = 2;       // 1 = 8, 2 = 16, 3 = 32 bits
  std::uint8_t IntCardinal = 1;    // 0 base 2, 1 base 10, 2 base 16
  std::uint8_t ByteOrder = 0;      // 0 little, 1 big endian
  bool ExpandTenKey = true;
  std::int32_t UndoBuffer = 128;   // KB
  bool UndoPacked = false;
  bool UndoFlushWithSaved = true;
  bool UndoOverflowSound = true;
  std::uint8_t KeyAssignType = katWindows;
  bool DialogFlattery = true;
  bool DialogAutoHidden = true;
  bool NewWindowMoveCenter = true;
  bool ProfileWindowLoad = true;
  bool ProfilePositionLoad = true;
  bool ProfileNotExistToCenter = true;
  std::int32_t ProfileMax = 100;

  bool operator==(const TEnvironmentSettings&) const = default;
};

// A record with every field at its default and the Windows standard key map.
TEnvironmentSettings DefaultEnvironmentSettings();

// How one stored value of the Config or ViewItem key maps onto the record.
// Exactly one of the member pointers is set. Bytes carry their valid range;
// integers their smallest accepted value.
struct TSettingValue {
  const char* Name;
  bool TEnvironmentSettings::*Bool;
  std::uint8_t TEnvironmentSettings::*Byte;
  std::int32_t TEnvironmentSettings::*Int;
  std::string TEnvironmentSettings::*Text;
  std::int32_t Min;
  std::int32_t Max;
};
constexpr std::size_t ConfigValueCount = 23;
constexpr std::size_t ViewItemValueCount = 7;
extern const TSettingValue ConfigValues[ConfigValueCount];      // in stored order
extern const TSettingValue ViewItemValues[ViewItemValueCount];  // in stored order

}  // namespace ovx
