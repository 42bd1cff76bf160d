// The one rule that decides which menu items and tool buttons are enabled and checked,
// and the captions that change with the window's state. A key, a function-key button,
// a tool button and a menu click all pass through it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "editor/MenuItems.h"

namespace ovx {

// What the rule looks at: the window, its view and its document at one moment.
struct TMenuStateInput {
  // document and view
  bool modified = false;
  bool viewOnly = false;            // the view's input mode is 2
  std::int64_t size = 0;            // the document's size in bytes
  bool hasSelection = false;
  std::int64_t caretAddress = 0;
  bool caretLowNibble = false;      // the caret stands on the second hex digit
  bool canUndo = false;
  bool canRedo = false;
  bool canPaste = false;            // the clipboard holds data the view can paste
  bool comparing = false;           // the view shows a comparison
  bool blocksDifferFromPages = false;  // the model's BlockCount differs from its PageCount
  // window
  bool hasFileName = false;
  std::int32_t fileAge = -1;        // stamp taken when the file was loaded or reloaded
  std::int32_t diskFileAge = -1;    // the file's current stamp, -1 when it cannot be read
  int historyCount = 0;
  int windowCount = 1;
  std::uint8_t compareMode = 0;     // 0 none, 1 named file, 2 other window, 3 state on disk
  bool dialogFollow = true;
  bool dialogAutoHide = true;
  bool toolBarVisible = true;
  bool functionBarVisible = true;
  bool statusBarVisible = true;
  bool informationPanelVisible = true;
  bool caretMarker = true;
  bool compareMarks = true;
  bool compareColors = true;
  std::uint8_t checkSumMode = 0;    // 0 simple, 1 ASCII form
  std::uint8_t charaSet = 1;        // 0 ASCII .. 4 Unicode
  std::uint8_t infoByteOrder = 0;   // 0 little, 1 big endian
  std::uint8_t statusInfoMode = 0;  // 0 memory efficiency, 1 undo buffer usage
};

struct TMenuStates {
  std::array<bool, MenuItemCount> enabled{};
  std::array<bool, MenuItemCount> checked{};
  std::array<std::string_view, MenuItemCount> caption{};  // UTF-8
};

// evtEnableSetting as a function of the state.
TMenuStates EnableSetting(const TMenuStateInput& in);

// The tool bar, left to right; separators are not buttons.
enum TToolButton : int {
  tbNewFile, tbOpenFile, tbSaveFile, tbCut, tbCopy, tbPaste, tbUndo, tbRedo, tbSearchData,
  tbReplaceData, tbSearchPrev, tbSearchNext, tbAllCodeSearch, tbCompareFile, tbCompareWindow, tbComparePresent,
  tbCompareQuit, tbComparePrev, tbCompareNext, tbOption, tbOpenHelp, tbClose, ToolButtonCount
};

struct TToolButtonDef {
  TToolButton button;
  const char* name;        // "TB_SaveFile"
  const char* hint;        // UTF-8
  int image;
  TMenuItem item;          // the menu item whose handler the button runs
  bool separatorBefore;    // a separator stands left of the button
  bool dropDown;           // TB_OpenFile shows PU_History from its arrow
};
const TToolButtonDef& ToolButtonDef(TToolButton button);

// UpdateToolBar as a function of the state.
std::array<bool, ToolButtonCount> ToolBarEnabled(const TMenuStateInput& in);

}  // namespace ovx
