#include "editor/LumpSetting.h"

namespace ovx {

const std::array<TLumpRow, LumpRowCount>& LumpRows() {
  static const std::array<TLumpRow, LumpRowCount> rows = {{
      {"入力モード", 2, {"挿入", "上書き"}, {"InputMode_Insert", "InputMode_Overwrite"}},
      {"チェックサム形式", 2, {"単純サム", "アスキー形式サム"}, {"CheckSum_Simple", "CheckSum_Ascii"}},
      {"バイトオーダー", 2, {"リトルエンディアン", "ビッグエンディアン"}, {"ByteOrder_Little", "ByteOrder_Big"}},
      {"文字コード", 5, {"ASCII", "Shift-JIS", "JIS", "EUC-jp", "Unicode"},
       {"CharaSet_Ascii", "CharaSet_SJis", "CharaSet_Jis", "CharaSet_Euc", "CharaSet_Unicode"}},
      {"拡張テンキー", 2, {"利用する", "利用しない"}, {"ExpandTenKey_Yes", "ExpandTenKey_No"}},
      {"ツールバー", 2, {"表示する", "表示しない"}, {"ToolBar_Yes", "ToolBar_No"}},
      {"ファンクションバー", 2, {"表示する", "表示しない"}, {"FunctionBar_Yes", "FunctionBar_No"}},
      {"ステータスバー", 2, {"表示する", "表示しない"}, {"StatusBar_Yes", "StatusBar_No"}},
      {"情報パネル", 2, {"表示する", "表示しない"}, {"InformationPanel_Yes", "InformationPanel_No"}},
      {"大小比較マーク", 2, {"表示する", "表示しない"}, {"Compare_Yes", "Compare_No"}},
      {"大小比較色分け", 2, {"する", "しない"}, {"CompareColor_Yes", "CompareColor_No"}},
      {"キャレットマーカ", 2, {"表示する", "表示しない"}, {"CaretMarker_Yes", "CaretMarker_No"}},
      {"アンドゥ一連動作", 2, {"まとめる", "まとめない"}, {"UndoPacked_Yes", "UndoPacked_No"}},
      {"保存時アンドゥ", 2, {"クリアする", "クリアしない"}, {"UndoFlush_Yes", "UndoFlush_No"}},
      {"アンドゥオーバーフロー", 2, {"警告する", "警告しない"}, {"UndoWarning_Yes", "UndoWarning_No"}},
  }};
  return rows;
}

namespace {

// The yes/no rows after the character sets, in row order: button 0 is "yes".
bool* Switch(TLumpSettings& s, int row) {
  bool* switches[] = {&s.expandTenKey, &s.toolBar,      &s.functionBar, &s.statusBar,  &s.informationPanel,
                      &s.compareMarks, &s.compareColors, &s.caretMarker, &s.undoPacked, &s.undoFlush,
                      &s.undoWarning};
  return row >= 4 && row < LumpRowCount ? switches[row - 4] : nullptr;
}

}  // namespace

int LumpOption(const TLumpSettings& s, int row) {
  switch (row) {
    case 0: return s.viewOnly ? -1 : (s.insert ? 0 : 1);
    case 1: return s.checkSum ? 1 : 0;
    case 2: return s.byteOrder ? 1 : 0;
    case 3: return s.charaSet;
    default: {
      const bool* on = Switch(const_cast<TLumpSettings&>(s), row);
      return on && *on ? 0 : 1;
    }
  }
}

void SetLumpOption(TLumpSettings& s, int row, int option) {
  switch (row) {
    case 0:
      if (!s.viewOnly) s.insert = option == 0;
      break;
    case 1: s.checkSum = option == 1 ? 1 : 0; break;
    case 2: s.byteOrder = option == 1 ? 1 : 0; break;
    case 3: s.charaSet = static_cast<std::uint8_t>(option >= 0 && option <= 4 ? option : 1); break;
    default:
      if (bool* on = Switch(s, row)) *on = option == 0;
      break;
  }
}

}  // namespace ovx
