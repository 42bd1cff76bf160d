// The menu table: captions, commands, nesting, separators and which items show shortcuts.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "editor/MenuItems.h"

namespace ovx {
namespace {

struct TExpectedItem {
  const char* name;
  const char* caption;
  TCommandId command;
};

TEST(EditorMenus, CaptionsAndCommandsOfItems) {
  const TExpectedItem cases[] = {
      {"MM_File", "ファイル(&F)", 90000},
      {"MM_OpenHistory", "ファイル履歴から開く(&P)", -1},
      {"MM_Reload", "再読み込み(&R)", -1},
      {"MM_SaveFile", "上書き保存(&S)", 90003},
      {"MM_SaveAnotherName", "別名で保存(&A)", 90005},
      {"MM_SaveReproduction", "複製を保存(&C)", 90006},
      {"MM_TextOutPut", "テキスト形式で出力(&T)", 90011},
      {"MM_SaveAllClose", "全て保存して閉じる(&W)", 90010},
      {"MM_Paste", "張り付け(&V)", 15004},
      {"MM_SelectAll", "全て選択(&A)", 14002},
      {"MM_InputInt", "整数型(&I)...", 91101},
      {"MM_BitRollRight", "右方向 1 ビットローテート(&R)", 91203},
      {"MM_ByteRoll", "n バイトローテート(&R)...", 91305},
      {"MM_IntDec", "デクリメント(&D)", 91402},
      {"MM_HistoryFlush", "作業履歴を消去(&F)", 91001},
      {"MM_SearchPrev", "上方向へ再検索(&P)", 92004},
      {"MM_CompareNext", "下方向へ相違領域検索(&C)", 92005},
      {"MM_FileTop", "ファイルの先頭(&T)", 12001},
      {"MM_CheckSumAscii", "アスキー形式サム(&A)", 93102},
      {"MM_BigEndian", "ビッグエンディアン(&B)", 93202},
      {"MM_CharaSetEuc", "EUC-jp(&E)", 93304},
      {"MM_DialogFlattery", "ダイアログを追従させる(&D)", -1},
      {"MM_ViewCaretMarker", "キャレットマーカ(&M)", 93006},
      {"MM_ViewCompareArrow", "大小比較マーク(&C)", 93005},
      {"MM_ViewCompareColor", "大小比較色分け(&L)", -1},
      {"MM_ComparePresent", "ディスク上の現状と比較(&S)", 94003},
      {"MM_WindowSizeOptimizeV", "縦幅一杯に最適化(&V)", 95004},
      {"MM_ShortCutMaintenance", "ショートカットメンテナンス(&M)...", 96003},
      {"MM_GarbageCollection", "ガーベージコレクション(&G)", 96006},
      {"MM_WebPageBM", "Brightmoor のウェブページ(&W)", 97002},
      {"MM_Version", "バージョン情報(&V)...", 97004},
      {"PU_Efficiency", "メモリ利用効率(&E)", -1},
      {"PU_UndoRate", "アンドゥバッファ利用率(&U)", -1},
      {"PU_WindowList", "ウィンドウ一覧(&L)...", -1},
  };
  for (const TExpectedItem& c : cases) {
    auto item = MenuItemByName(c.name);
    ASSERT_TRUE(item) << c.name;
    EXPECT_STREQ(MenuItemDef(*item).caption, c.caption) << c.name;
    EXPECT_EQ(MenuItemDef(*item).command, c.command) << c.name;
  }
}

// The children of one submenu head or popup, by name, in order.
std::vector<std::string> ChildrenOf(const char* head) {
  std::vector<std::string> names;
  const auto& table = MenuItemTable();
  int i = *MenuItemByName(head);
  int depth = table[i].depth;
  for (int j = i + 1; j < MenuItemCount && table[j].depth > depth; ++j)
    if (table[j].depth == depth + 1) names.push_back(table[j].name);
  return names;
}

TEST(EditorMenus, SeparatorsStandWhereTheMenusPutThem) {
  EXPECT_EQ(ChildrenOf("MM_File"),
            (std::vector<std::string>{"MM_NewFile", "MM_OpenFile", "MM_OpenHistory", "MM_Reload", "MM_FileSepa01",
                                      "MM_SaveFile", "MM_SaveAllFile", "MM_SaveAnotherName", "MM_SaveReproduction",
                                      "MM_FileSepa02", "MM_TextOutPut", "MM_FileSepa03", "MM_Close", "MM_AllClose",
                                      "MM_FileSepa04", "MM_SaveClose", "MM_SaveAllClose"}));
  EXPECT_EQ(ChildrenOf("MM_Edit"),
            (std::vector<std::string>{"MM_Undo", "MM_Redo", "MM_EditSepa01", "MM_Cut", "MM_Copy", "MM_Paste",
                                      "MM_Delete", "MM_SelectAll", "MM_EditSepa02", "MM_Input", "MM_EditSepa03",
                                      "MM_BitOperate", "MM_ByteOperate", "MM_IntOperate", "MM_EditSepa04",
                                      "MM_HistoryFlush"}));
  EXPECT_EQ(ChildrenOf("MM_Window"),
            (std::vector<std::string>{"MM_WindowNext", "MM_WindowSepa01", "MM_WindowList", "MM_WindowSepa02",
                                      "MM_WindowSizeOptimize", "MM_WindowSizeOptimizeV"}));
  EXPECT_EQ(ChildrenOf("MM_Compare"), (std::vector<std::string>{"MM_CompareFile", "MM_CompareWindow",
                                                                "MM_ComparePresent", "MM_CompareSepa01",
                                                                "MM_CompareQuit"}));
  EXPECT_EQ(ChildrenOf("MM_Help"), (std::vector<std::string>{"MM_OpenHelp", "MM_HelpSepa01", "MM_WebPageBM",
                                                             "MM_HelpSepa02", "MM_Version"}));
  EXPECT_EQ(ChildrenOf("PU_SelectFileMenu"), (std::vector<std::string>{"PU_WindowList", "PU_SelectFileSepa01",
                                                                       "PU_NewFile", "PU_OpenFile"}));
  EXPECT_EQ(ChildrenOf("MM_CharaSet").size(), 5u);
  // The menu bar heads in order.
  std::vector<std::string> heads;
  for (const TMenuItemDef& d : MenuItemTable())
    if (d.depth == 0 && IsMainMenuItem(d.item)) heads.push_back(d.name);
  EXPECT_EQ(heads, (std::vector<std::string>{"MM_File", "MM_Edit", "MM_Search", "MM_View", "MM_Compare",
                                             "MM_Window", "MM_Tool", "MM_Help"}));
}

TEST(EditorMenus, EveryCaptionCarriesItsAccelerator) {
  for (const TMenuItemDef& d : MenuItemTable()) {
    if (d.kind == mkSepa || d.kind == mkPopup) continue;
    std::string caption = d.caption;
    auto amp = caption.find("(&");
    ASSERT_NE(amp, std::string::npos) << d.name;
    EXPECT_EQ(caption[amp + 3], ')') << d.name;
  }
}

TEST(EditorMenus, OnlyTheListedItemsShowShortcuts) {
  const std::set<std::string> listed = {
      "MM_NewFile", "MM_OpenFile", "MM_SaveFile", "MM_SaveAllFile", "MM_TextOutPut", "MM_Close", "MM_AllClose",
      "MM_SaveClose", "MM_SaveAllClose", "MM_Undo", "MM_Redo", "MM_Cut", "MM_Copy", "MM_Paste", "MM_SelectAll",
      "MM_InputInt", "MM_InputStr", "MM_InputChar", "MM_BitNot", "MM_BitReverse", "MM_BitRollRight",
      "MM_BitRollLeft", "MM_BitRoll", "MM_IntInc", "MM_IntDec", "MM_SearchData", "MM_ReplaceData",
      "MM_SearchPrev", "MM_SearchNext", "MM_AllCodeSearch", "MM_ComparePrev", "MM_CompareNext", "MM_FileTop", "MM_FileEnd",
      "MM_AddressJump", "MM_ViewToolBar", "MM_ViewFunctionBar", "MM_ViewStatusBar", "MM_ViewInformationPanel",
      "MM_ViewCompareArrow", "MM_CharaSetAscii", "MM_CharaSetSJis", "MM_CharaSetJis", "MM_CharaSetEuc",
      "MM_CharaSetUnicode", "MM_CompareFile", "MM_CompareWindow", "MM_ComparePresent", "MM_CompareQuit",
      "MM_WindowNext", "MM_WindowList", "MM_WindowSizeOptimize", "MM_WindowSizeOptimizeV", "MM_Option",
      "MM_LumpSetting", "MM_ShortCutMaintenance", "MM_Filer", "MM_RelativeJump", "MM_GarbageCollection",
      "MM_OpenHelp", "MM_WebPageBM", "MM_Version"};
  std::set<std::string> shown;
  for (const TMenuItemDef& d : MenuItemTable())
    if (d.showsShortcut) shown.insert(d.name);
  EXPECT_EQ(shown, listed);
}

TEST(EditorMenus, CommandsReachMainMenuItems) {
  EXPECT_EQ(MenuItemOfCommand(cmSAVE), miMM_SaveFile);
  EXPECT_EQ(MenuItemOfCommand(cmNEW), miMM_NewFile);  // not PU_NewFile
  EXPECT_EQ(MenuItemOfCommand(cmCHARASETUNICODE), miMM_CharaSetUnicode);
  EXPECT_FALSE(MenuItemOfCommand(cmFILEMENU));  // heads open as popups instead
  EXPECT_FALSE(MenuItemOfCommand(cmWEBPAGE));
  EXPECT_FALSE(MenuItemOfCommand(NoCommand));
  // Every window command has an item, opens a menu, or is the one without an item.
  for (const TCommandInfo& c : CommandTable()) {
    if (c.id < FirstWindowCommand) continue;
    bool reached = MenuItemOfCommand(c.id) || IsSubmenuCommand(c.id) || c.id == cmMENU || c.id == cmWEBPAGE;
    EXPECT_TRUE(reached) << c.keyword;
  }
}

TEST(EditorMenus, SubmenuCommands) {
  const TCommandId submenus[] = {cmFILEMENU,     cmEDITMENU,      cmINPUTMENU,    cmBITOPEMENU,
                                 cmBYTEOPEMENU,  cmINTOPEMENU,    cmSEARCHMENU,   cmVIEWMENU,
                                 cmCHECKSUMMENU, cmBYTEORDERMENU, cmCHARASETMENU, cmCOMPAREMENU,
                                 cmWINDOWMENU,   cmTOOLMENU,      cmHELPMENU,     cmSELECTFILEMENU};
  for (TCommandId id : submenus) EXPECT_TRUE(IsSubmenuCommand(id)) << id;
  EXPECT_FALSE(IsSubmenuCommand(cmMENU));
  EXPECT_FALSE(IsSubmenuCommand(cmSAVE));
  EXPECT_FALSE(IsSubmenuCommand(cmPOPUPMENU));
  EXPECT_FALSE(IsSubmenuCommand(NoCommand));
}

TEST(EditorMenus, MenuIdsRoundTripAndStayInSixteenBits) {
  for (const TMenuItemDef& d : MenuItemTable()) {
    int id = MenuIdOf(d.item);
    EXPECT_LT(id, HistoryEntryIdBase);
    EXPECT_EQ(MenuItemOfId(id), d.item);
  }
  EXPECT_FALSE(MenuItemOfId(MenuIdBase - 1));
  EXPECT_FALSE(MenuItemOfId(MenuIdBase + MenuItemCount));
  EXPECT_EQ(HandlerItem(miPU_OpenFile), miMM_OpenFile);
  EXPECT_EQ(HandlerItem(miMM_Close), miMM_Close);
}

TEST(EditorMenus, ItemsShowTheirToolButtonsPictures) {
  EXPECT_EQ(MenuItemDef(miMM_SaveFile).image, imSaveFile);
  EXPECT_EQ(MenuItemDef(miPU_NewFile).image, MenuItemDef(miMM_NewFile).image);
  EXPECT_EQ(MenuItemDef(miMM_ComparePrev).image, imComparePrev);
  for (const TMenuItemDef& d : MenuItemTable()) EXPECT_LT(d.image, ToolBarImageCount) << d.name;
}

}  // namespace
}  // namespace ovx
