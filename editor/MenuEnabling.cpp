#include "editor/MenuEnabling.h"

namespace ovx {

TMenuStates EnableSetting(const TMenuStateInput& in) {
  TMenuStates s;
  for (const TMenuItemDef& d : MenuItemTable()) {
    s.enabled[d.item] = true;
    s.caption[d.item] = d.caption;
  }
  auto enable = [&s](std::initializer_list<TMenuItem> items, bool on) {
    for (TMenuItem i : items) s.enabled[i] = on;
  };
  const bool editable = !in.viewOnly;
  const bool hasData = in.size > 0;
  const bool caretBeforeEnd = in.caretAddress != in.size;

  enable({miMM_SaveFile}, in.modified && editable);
  enable({miMM_SaveAllFile, miMM_SaveClose, miMM_SaveAllClose}, editable);
  enable({miMM_OpenHistory}, in.historyCount > 0);

  s.caption[miMM_Reload] = "再読み込み(&R)";
  s.enabled[miMM_Reload] = false;
  if (in.hasFileName) {
    s.enabled[miMM_Reload] = in.modified;
    if (in.diskFileAge > in.fileAge) {
      s.caption[miMM_Reload] = "最新の情報に更新(&R)";
      s.enabled[miMM_Reload] = true;
    }
  }

  enable({miMM_TextOutPut}, hasData);
  s.caption[miMM_TextOutPut] = in.hasSelection ? "選択範囲をテキスト形式で出力(&T)" : "テキスト形式で出力(&T)";
  enable({miMM_Cut, miMM_Delete}, in.hasSelection && editable);
  enable({miMM_Copy}, in.hasSelection);
  enable({miMM_Paste}, in.canPaste && editable);
  enable({miMM_SelectAll}, hasData);
  enable({miMM_Undo}, in.canUndo);
  enable({miMM_Redo}, in.canRedo);
  enable({miMM_HistoryFlush}, in.canUndo || in.canRedo);
  enable({miMM_Input, miMM_InputInt, miMM_InputStr, miMM_InputChar}, editable);
  enable({miMM_BitNot, miMM_BitReverse, miMM_BitRollRight, miMM_BitRollLeft, miMM_ByteReverse,
          miMM_ByteRollRight, miMM_ByteRollLeft},
         hasData && editable);
  enable({miMM_IntOperate, miMM_IntInc, miMM_IntDec}, (caretBeforeEnd || in.hasSelection) && editable);
  enable({miMM_ReplaceData}, editable);
  enable({miMM_ComparePrev, miMM_CompareNext}, in.comparing);
  enable({miMM_FileTop}, in.caretAddress != 0 || in.caretLowNibble);
  enable({miMM_FileEnd}, caretBeforeEnd);
  enable({miMM_AddressJump}, hasData);
  enable({miMM_CompareWindow}, in.windowCount > 1);
  enable({miMM_ComparePresent}, in.hasFileName);
  s.caption[miMM_ComparePresent] =
      in.compareMode == 3 ? "ディスク上の現状をリロード(&S)" : "ディスク上の現状と比較(&S)";
  enable({miMM_CompareQuit}, in.compareMode != 0);
  enable({miMM_GarbageCollection}, in.blocksDifferFromPages);

  s.checked[miMM_DialogFlattery] = in.dialogFollow;
  s.checked[miMM_DialogAutoHidden] = in.dialogAutoHide;
  s.checked[miMM_ViewToolBar] = in.toolBarVisible;
  s.checked[miMM_ViewFunctionBar] = in.functionBarVisible;
  s.checked[miMM_ViewStatusBar] = in.statusBarVisible;
  s.checked[miMM_ViewInformationPanel] = in.informationPanelVisible;
  s.checked[miMM_ViewCaretMarker] = in.caretMarker;
  s.checked[miMM_ViewCompareArrow] = in.compareMarks;
  s.checked[miMM_ViewCompareColor] = in.compareColors;
  s.checked[miMM_CheckSumSimple] = in.checkSumMode == 0;
  s.checked[miMM_CheckSumAscii] = in.checkSumMode == 1;
  s.checked[miMM_LittleEndian] = in.infoByteOrder == 0;
  s.checked[miMM_BigEndian] = in.infoByteOrder == 1;
  static constexpr TMenuItem kCharaSets[] = {miMM_CharaSetAscii, miMM_CharaSetSJis, miMM_CharaSetJis,
                                             miMM_CharaSetEuc, miMM_CharaSetUnicode};
  for (int i = 0; i < 5; ++i) s.checked[kCharaSets[i]] = in.charaSet == i;
  return s;
}

namespace {

const TToolButtonDef kButtons[ToolButtonCount] = {
    {tbNewFile, "TB_NewFile", "新規作成", imNewFile, miMM_NewFile, false, false},
    {tbOpenFile, "TB_OpenFile", "開く", imOpenFile, miMM_OpenFile, false, true},
    {tbSaveFile, "TB_SaveFile", "上書き保存", imSaveFile, miMM_SaveFile, false, false},
    {tbCut, "TB_Cut", "切り取り", imCut, miMM_Cut, true, false},
    {tbCopy, "TB_Copy", "コピー", imCopy, miMM_Copy, false, false},
    {tbPaste, "TB_Paste", "張り付け", imPaste, miMM_Paste, false, false},
    {tbUndo, "TB_Undo", "元に戻す", imUndo, miMM_Undo, false, false},
    {tbRedo, "TB_Redo", "やり直し", imRedo, miMM_Redo, false, false},
    {tbSearchData, "TB_SearchData", "検索", imSearchData, miMM_SearchData, true, false},
    {tbReplaceData, "TB_ReplaceData", "置換", imReplaceData, miMM_ReplaceData, false, false},
    {tbSearchPrev, "TB_SearchPrev", "上方向へ再検索", imSearchPrev, miMM_SearchPrev, false, false},
    {tbSearchNext, "TB_SearchNext", "下方向へ再検索", imSearchNext, miMM_SearchNext, false, false},
    {tbAllCodeSearch, "TB_AllCodeSearch", "全コード検索", imAllCodeSearch, miMM_AllCodeSearch, false, false},
    {tbCompareFile, "TB_CompareFile", "指定ファイルと比較", imCompareFile, miMM_CompareFile, true, false},
    {tbCompareWindow, "TB_CompareWindow", "別ウィンドウと比較", imCompareWindow, miMM_CompareWindow, false, false},
    {tbComparePresent, "TB_ComparePresent", "ディスク上の現状と比較", imComparePresent, miMM_ComparePresent, false,
     false},
    {tbCompareQuit, "TB_CompareQuit", "比較解除", imCompareQuit, miMM_CompareQuit, false, false},
    {tbComparePrev, "TB_ComparePrev", "上方向へ相違領域検索", imComparePrev, miMM_ComparePrev, false, false},
    {tbCompareNext, "TB_CompareNext", "下方向へ相違領域検索", imCompareNext, miMM_CompareNext, false, false},
    {tbOption, "TB_Option", "オプション", imOption, miMM_Option, true, false},
    {tbOpenHelp, "TB_OpenHelp", "ヘルプ", imOpenHelp, miMM_OpenHelp, true, false},
    {tbClose, "TB_Close", "閉じる", imClose, miMM_Close, true, false},
};

}  // namespace

const TToolButtonDef& ToolButtonDef(TToolButton button) { return kButtons[button]; }

std::array<bool, ToolButtonCount> ToolBarEnabled(const TMenuStateInput& in) {
  std::array<bool, ToolButtonCount> on;
  on.fill(true);
  const bool editable = !in.viewOnly;
  on[tbSaveFile] = in.modified && editable;
  on[tbCut] = in.hasSelection && editable;
  on[tbCopy] = in.hasSelection;
  on[tbPaste] = in.canPaste && editable;
  on[tbUndo] = in.canUndo;
  on[tbRedo] = in.canRedo;
  on[tbReplaceData] = editable;
  on[tbCompareWindow] = in.windowCount > 1;
  on[tbComparePresent] = in.hasFileName;
  on[tbCompareQuit] = in.compareMode != 0;
  on[tbComparePrev] = on[tbCompareNext] = in.comparing;
  return on;
}

}  // namespace ovx
