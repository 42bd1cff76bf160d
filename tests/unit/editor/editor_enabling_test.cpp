// The enabling and checking rule, the tool bar rule and the command dispatch built on them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/MenuDispatch.h"

namespace ovx {
namespace {

// A named file of 100 bytes, caret in the middle, nothing else going on.
TMenuStateInput Plain() {
  TMenuStateInput in;
  in.hasFileName = true;
  in.size = 100;
  in.caretAddress = 50;
  in.fileAge = in.diskFileAge = 1000;
  return in;
}

struct TEnableCase {
  const char* what;
  std::function<void(TMenuStateInput&)> set;
  TMenuItem item;
  bool enabled;
};

TEST(EditorEnabling, ItemsFollowTheState) {
  auto viewOnly = [](TMenuStateInput& s) { s.viewOnly = true; };
  const TEnableCase cases[] = {
      {"save: not modified", [](auto&) {}, miMM_SaveFile, false},
      {"save: modified", [](auto& s) { s.modified = true; }, miMM_SaveFile, true},
      {"save: modified, view-only", [](auto& s) { s.modified = true; s.viewOnly = true; }, miMM_SaveFile, false},
      {"save all: not modified", [](auto&) {}, miMM_SaveAllFile, true},
      {"save all: view-only", viewOnly, miMM_SaveAllFile, false},
      {"save and close: view-only", viewOnly, miMM_SaveClose, false},
      {"save all and close: view-only", viewOnly, miMM_SaveAllClose, false},
      {"history: empty", [](auto&) {}, miMM_OpenHistory, false},
      {"history: one entry", [](auto& s) { s.historyCount = 1; }, miMM_OpenHistory, true},
      {"text output: empty document", [](auto& s) { s.size = 0; s.caretAddress = 0; }, miMM_TextOutPut, false},
      {"text output: data", [](auto&) {}, miMM_TextOutPut, true},
      {"cut: no selection", [](auto&) {}, miMM_Cut, false},
      {"cut: selection", [](auto& s) { s.hasSelection = true; }, miMM_Cut, true},
      {"cut: selection, view-only", [](auto& s) { s.hasSelection = true; s.viewOnly = true; }, miMM_Cut, false},
      {"delete: selection, view-only", [](auto& s) { s.hasSelection = true; s.viewOnly = true; }, miMM_Delete,
       false},
      {"copy: selection, view-only", [](auto& s) { s.hasSelection = true; s.viewOnly = true; }, miMM_Copy, true},
      {"copy: no selection", [](auto&) {}, miMM_Copy, false},
      {"paste: clipboard data", [](auto& s) { s.canPaste = true; }, miMM_Paste, true},
      {"paste: nothing to paste", [](auto&) {}, miMM_Paste, false},
      {"paste: view-only", [](auto& s) { s.canPaste = true; s.viewOnly = true; }, miMM_Paste, false},
      {"select all: empty", [](auto& s) { s.size = 0; s.caretAddress = 0; }, miMM_SelectAll, false},
      {"undo: nothing", [](auto&) {}, miMM_Undo, false},
      {"undo: can undo", [](auto& s) { s.canUndo = true; }, miMM_Undo, true},
      {"redo: can redo", [](auto& s) { s.canRedo = true; }, miMM_Redo, true},
      {"redo: can undo only", [](auto& s) { s.canUndo = true; }, miMM_Redo, false},
      {"history flush: redo only", [](auto& s) { s.canRedo = true; }, miMM_HistoryFlush, true},
      {"history flush: nothing", [](auto&) {}, miMM_HistoryFlush, false},
      {"input menu: view-only", viewOnly, miMM_Input, false},
      {"string input: view-only", viewOnly, miMM_InputStr, false},
      {"string input", [](auto&) {}, miMM_InputStr, true},
      {"bit not: empty", [](auto& s) { s.size = 0; s.caretAddress = 0; }, miMM_BitNot, false},
      {"bit not: view-only", viewOnly, miMM_BitNot, false},
      {"byte roll left", [](auto&) {}, miMM_ByteRollLeft, true},
      {"byte roll left: view-only", viewOnly, miMM_ByteRollLeft, false},
      {"increment: caret at end", [](auto& s) { s.caretAddress = 100; }, miMM_IntInc, false},
      {"increment: caret at end, selection", [](auto& s) { s.caretAddress = 100; s.hasSelection = true; },
       miMM_IntInc, true},
      {"decrement: view-only", viewOnly, miMM_IntDec, false},
      {"integer menu: caret at end", [](auto& s) { s.caretAddress = 100; }, miMM_IntOperate, false},
      {"replace: view-only", viewOnly, miMM_ReplaceData, false},
      {"search: view-only", viewOnly, miMM_SearchData, true},
      {"search next: view-only", viewOnly, miMM_SearchNext, true},
      {"n-bit rotate: view-only", viewOnly, miMM_BitRoll, true},
      {"n-byte rotate: empty", [](auto& s) { s.size = 0; s.caretAddress = 0; }, miMM_ByteRoll, true},
      {"next difference: not comparing", [](auto&) {}, miMM_CompareNext, false},
      {"previous difference: comparing", [](auto& s) { s.comparing = true; }, miMM_ComparePrev, true},
      {"file top: address 0, first nibble", [](auto& s) { s.caretAddress = 0; }, miMM_FileTop, false},
      {"file top: address 0, second nibble", [](auto& s) { s.caretAddress = 0; s.caretLowNibble = true; },
       miMM_FileTop, true},
      {"file top: address 1", [](auto& s) { s.caretAddress = 1; }, miMM_FileTop, true},
      {"file end: at the end", [](auto& s) { s.caretAddress = 100; }, miMM_FileEnd, false},
      {"file end: before the end", [](auto&) {}, miMM_FileEnd, true},
      {"address jump: empty", [](auto& s) { s.size = 0; s.caretAddress = 0; }, miMM_AddressJump, false},
      {"compare window: one window", [](auto&) {}, miMM_CompareWindow, false},
      {"compare window: two windows", [](auto& s) { s.windowCount = 2; }, miMM_CompareWindow, true},
      {"compare present: no name", [](auto& s) { s.hasFileName = false; }, miMM_ComparePresent, false},
      {"compare quit: not comparing", [](auto&) {}, miMM_CompareQuit, false},
      {"compare quit: disk state", [](auto& s) { s.compareMode = 3; }, miMM_CompareQuit, true},
      {"garbage: compact", [](auto&) {}, miMM_GarbageCollection, false},
      {"garbage: blocks to gain", [](auto& s) { s.blocksDifferFromPages = true; }, miMM_GarbageCollection, true},
      {"close: view-only", viewOnly, miMM_Close, true},
      {"option: view-only", viewOnly, miMM_Option, true},
  };
  for (const TEnableCase& c : cases) {
    TMenuStateInput in = Plain();
    c.set(in);
    EXPECT_EQ(EnableSetting(in).enabled[c.item], c.enabled) << c.what;
  }
}

struct TReloadCase {
  bool hasFileName;
  bool modified;
  std::int32_t fileAge;
  std::int32_t diskFileAge;
  bool enabled;
  const char* caption;
};

TEST(EditorEnabling, ReloadItemByNameModifiedAndStamp) {
  const TReloadCase cases[] = {
      {false, true, -1, 5000, false, "再読み込み(&R)"},   // a new document never reloads
      {true, false, 1000, 1000, false, "再読み込み(&R)"},
      {true, true, 1000, 1000, true, "再読み込み(&R)"},
      {true, false, 1000, 1001, true, "最新の情報に更新(&R)"},
      {true, true, 1000, 2000, true, "最新の情報に更新(&R)"},
      {true, false, 1000, 999, false, "再読み込み(&R)"},  // older on disk is not newer
      {true, false, 1000, -1, false, "再読み込み(&R)"},   // the file is gone
  };
  for (const TReloadCase& c : cases) {
    TMenuStateInput in = Plain();
    in.hasFileName = c.hasFileName;
    in.modified = c.modified;
    in.fileAge = c.fileAge;
    in.diskFileAge = c.diskFileAge;
    TMenuStates s = EnableSetting(in);
    EXPECT_EQ(s.enabled[miMM_Reload], c.enabled) << c.fileAge << " " << c.diskFileAge;
    EXPECT_EQ(s.caption[miMM_Reload], c.caption) << c.fileAge << " " << c.diskFileAge;
  }
}

TEST(EditorEnabling, CaptionsThatFollowTheState) {
  TMenuStateInput in = Plain();
  TMenuStates s = EnableSetting(in);
  EXPECT_EQ(s.caption[miMM_TextOutPut], "テキスト形式で出力(&T)");
  EXPECT_EQ(s.caption[miMM_ComparePresent], "ディスク上の現状と比較(&S)");
  EXPECT_EQ(s.caption[miMM_SaveFile], "上書き保存(&S)");
  in.hasSelection = true;
  in.compareMode = 3;
  s = EnableSetting(in);
  EXPECT_EQ(s.caption[miMM_TextOutPut], "選択範囲をテキスト形式で出力(&T)");
  EXPECT_EQ(s.caption[miMM_ComparePresent], "ディスク上の現状をリロード(&S)");
  in.compareMode = 2;
  EXPECT_EQ(EnableSetting(in).caption[miMM_ComparePresent], "ディスク上の現状と比較(&S)");
}

TEST(EditorEnabling, CheckMarks) {
  TMenuStateInput in = Plain();
  in.charaSet = 3;
  in.checkSumMode = 1;
  in.infoByteOrder = 1;
  in.dialogFollow = false;
  in.functionBarVisible = false;
  in.compareColors = false;
  TMenuStates s = EnableSetting(in);
  const std::pair<TMenuItem, bool> expected[] = {
      {miMM_CharaSetAscii, false}, {miMM_CharaSetSJis, false},   {miMM_CharaSetJis, false},
      {miMM_CharaSetEuc, true},    {miMM_CharaSetUnicode, false}, {miMM_CheckSumSimple, false},
      {miMM_CheckSumAscii, true},  {miMM_LittleEndian, false},   {miMM_BigEndian, true},
      {miMM_DialogFlattery, false}, {miMM_DialogAutoHidden, true}, {miMM_ViewToolBar, true},
      {miMM_ViewFunctionBar, false}, {miMM_ViewStatusBar, true},  {miMM_ViewInformationPanel, true},
      {miMM_ViewCaretMarker, true}, {miMM_ViewCompareArrow, true}, {miMM_ViewCompareColor, false},
  };
  for (auto [item, checked] : expected) EXPECT_EQ(s.checked[item], checked) << MenuItemDef(item).name;
}

TEST(EditorEnabling, ToolBar) {
  TMenuStateInput in = Plain();
  in.viewOnly = true;
  in.modified = true;
  in.hasSelection = true;
  in.canPaste = true;
  auto on = ToolBarEnabled(in);
  EXPECT_FALSE(on[tbSaveFile]);
  EXPECT_FALSE(on[tbCut]);
  EXPECT_TRUE(on[tbCopy]);
  EXPECT_FALSE(on[tbPaste]);
  EXPECT_FALSE(on[tbReplaceData]);
  EXPECT_TRUE(on[tbSearchData]);
  EXPECT_FALSE(on[tbCompareWindow]);
  EXPECT_TRUE(on[tbComparePresent]);
  EXPECT_FALSE(on[tbCompareQuit]);
  EXPECT_FALSE(on[tbCompareNext]);
  in.viewOnly = false;
  in.windowCount = 3;
  in.compareMode = 2;
  in.comparing = true;
  in.hasFileName = false;
  on = ToolBarEnabled(in);
  EXPECT_TRUE(on[tbSaveFile]);
  EXPECT_TRUE(on[tbCut]);
  EXPECT_TRUE(on[tbPaste]);
  EXPECT_TRUE(on[tbCompareWindow]);
  EXPECT_FALSE(on[tbComparePresent]);
  EXPECT_TRUE(on[tbCompareQuit]);
  EXPECT_TRUE(on[tbComparePrev]);
  // Buttons and their menu items agree wherever both have a rule.
  for (int b = 0; b < ToolButtonCount; ++b) {
    const TToolButtonDef& d = ToolButtonDef(static_cast<TToolButton>(b));
    EXPECT_EQ(on[b], EnableSetting(in).enabled[d.item]) << d.name;
    EXPECT_EQ(d.image, MenuItemDef(d.item).image) << d.name;
  }
}

// Records what DoMenuCommand asked of the window, in order.
class TRecordingSite final : public TMenuCommandSite {
 public:
  TMenuStateInput state = Plain();
  std::vector<std::string> log;
  TMenuStateInput MenuStateInput() override { return state; }
  void ApplyMenuStates(const TMenuStates& s) override {
    log.push_back(std::string("states, save ") + (s.enabled[miMM_SaveFile] ? "on" : "off"));
  }
  void PostMenuPopup(TCommandId id) override { log.push_back("popup " + std::to_string(id)); }
  void OpenMenuBar() override { log.push_back("menu bar"); }
  void ClickMenuItem(TMenuItem item) override { log.push_back(std::string("click ") + MenuItemDef(item).name); }
};

TEST(EditorDispatch, EnablingFirstThenTheItem) {
  struct TCase {
    const char* what;
    std::function<void(TMenuStateInput&)> set;
    TCommandId id;
    std::vector<std::string> log;
  };
  const TCase cases[] = {
      {"save, not modified", [](auto&) {}, cmSAVE, {"states, save off"}},
      {"save, modified", [](auto& s) { s.modified = true; }, cmSAVE, {"states, save on", "click MM_SaveFile"}},
      {"save, modified, view-only", [](auto& s) { s.modified = true; s.viewOnly = true; }, cmSAVE,
       {"states, save off"}},
      {"next difference, not comparing", [](auto&) {}, cmCOMPARENEXT, {"states, save off"}},
      {"next difference, comparing", [](auto& s) { s.comparing = true; }, cmCOMPARENEXT,
       {"states, save off", "click MM_CompareNext"}},
      {"file menu", [](auto&) {}, cmFILEMENU, {"states, save off", "popup 90000"}},
      {"file selection menu", [](auto&) {}, cmSELECTFILEMENU, {"states, save off", "popup 98001"}},
      {"menu bar", [](auto&) {}, cmMENU, {"states, save off", "menu bar"}},
      {"string input", [](auto&) {}, cmINPUTSTRING, {"states, save off", "click MM_InputStr"}},
      {"string input, view-only", [](auto& s) { s.viewOnly = true; }, cmINPUTSTRING, {"states, save off"}},
      {"a command without an item", [](auto&) {}, cmWEBPAGE, {"states, save off"}},
      {"byte order", [](auto&) {}, cmBYTEORDERBIG, {"states, save off", "click MM_BigEndian"}},
  };
  for (const TCase& c : cases) {
    TRecordingSite site;
    c.set(site.state);
    DoMenuCommand(site, c.id);
    EXPECT_EQ(site.log, c.log) << c.what;
  }
}

TEST(EditorDispatch, PopupTargets) {
  EXPECT_EQ(PopupMenuOfCommand(cmSELECTFILEMENU), miPU_SelectFileMenu);
  EXPECT_EQ(PopupMenuOfCommand(cmCHARASETMENU), miMM_CharaSet);
  EXPECT_EQ(PopupMenuOfCommand(cmHELPMENU), miMM_Help);
  EXPECT_FALSE(PopupMenuOfCommand(cmSAVE));
  EXPECT_FALSE(RefreshesStatesOnOpen(miMM_CharaSet));
  EXPECT_FALSE(RefreshesStatesOnOpen(miMM_ByteOperate));
  EXPECT_TRUE(RefreshesStatesOnOpen(miMM_IntOperate));
  EXPECT_TRUE(RefreshesStatesOnOpen(miMM_File));
  EXPECT_FALSE(RefreshesStatesOnOpen(miMM_SaveFile));
}

}  // namespace
}  // namespace ovx
