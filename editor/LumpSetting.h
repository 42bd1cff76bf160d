// 動作モード一括設定: the operation modes and display switches of one window as the rows of a
// panel of radio buttons, and which button of each row stands for which state.
#pragma once

#include <array>
#include <cstdint>

namespace ovx {

struct TLumpSettings {
  bool viewOnly = false;        // the input mode row is disabled and left alone
  bool insert = false;          // input mode: insert, else overwrite
  std::uint8_t checkSum = 0;    // 0 simple, 1 ASCII form
  std::uint8_t byteOrder = 0;   // 0 little endian, 1 big endian
  std::uint8_t charaSet = 1;    // TCharaSet
  bool expandTenKey = false;
  bool toolBar = true, functionBar = true, statusBar = true, informationPanel = true;
  bool compareMarks = true, compareColors = true, caretMarker = true;
  bool undoPacked = false, undoFlush = true, undoWarning = true;
  bool operator==(const TLumpSettings&) const = default;
};

struct TLumpRow {
  const char* label;
  int options;                   // 2, or 5 for the character sets
  std::array<const char*, 5> captions;
  std::array<const char*, 5> names;
};

constexpr int LumpRowCount = 15;
constexpr int LumpInputModeRow = 0;
const std::array<TLumpRow, LumpRowCount>& LumpRows();

// The checked button of a row; -1 for none (the input mode row of a view-only window).
int LumpOption(const TLumpSettings& s, int row);
// The state a checked button stands for.
void SetLumpOption(TLumpSettings& s, int row, int option);

}  // namespace ovx
