#include "app/EnvironmentForm.h"

#include <algorithm>

#include "shell/KeyTable.h"

namespace ovx {

using E = TEnvironmentSettings;
using C = TColorSettings;

const TOptionPageInfo OptionPages[OptionPageCount] = {
    {"一般", 192}, {"編集", 193}, {"表示", 194}, {"ウィンドウ", 195}, {"配色", 196}, {"キー", 197},
};

namespace {

TOptionControl List(const char* name, const char* label, std::vector<const char*> items, std::uint8_t E::*byte,
                    int base = 0) {
  TOptionControl c{opGlobal, ockList, name, label, std::move(items)};
  c.byte = byte;
  c.listBase = base;
  return c;
}

TOptionControl Check(TOptionPage page, const char* name, const char* caption, bool E::*flag) {
  TOptionControl c{page, ockCheck, name, caption, {}};
  c.flag = flag;
  return c;
}

TOptionControl Spin(TOptionPage page, const char* name, const char* label, int min, int max, std::int32_t E::*number,
                    const char* unit = nullptr) {
  TOptionControl c{page, ockSpin, name, label, {}, min, max, unit};
  c.number = number;
  return c;
}

std::vector<TOptionControl> MakeOptionControls() {
  std::vector<TOptionControl> controls = {
      List("InputMode", "*標準入力モード(&I)", {"上書き", "挿入"}, &E::InputMode),
      List("CharaSet", "*標準文字コード(&C)", {"ASCII", "Shift-JIS", "JIS", "EUC-jp", "Unicode"}, &E::CharaSet),
      List("CheckSum", "*標準サム形式(&S)", {"単純サム", "アスキー形式サム"}, &E::CheckSum),
      List("Bits", "*標準ビット数(&B)", {"8 bit", "16 bit", "32 bit"}, &E::IntWidth, 1),
      List("Number", "*標準基数(&N)", {"2 進数", "10 進数", "16 進数"}, &E::IntCardinal),
      List("ByteOrder", "*標準バイトオーダー(&O)", {"リトルエンディアン", "ビッグエンディアン"}, &E::ByteOrder),
  };
  TOptionControl viewExt{opEdit, ockEdit, "ViewExt", "*閲覧モード拡張子(&E)", {}};
  viewExt.text = &E::ViewModeExt;
  controls.push_back(viewExt);
  const TOptionControl rest[] = {
      Spin(opEdit, "UndoBuffer", "アンドゥバッファ(&U)", 0, 1024, &E::UndoBuffer, "KB"),
      Check(opEdit, "UndoPacked", "アンドゥの一連動作をまとめる(&P)", &E::UndoPacked),
      Check(opEdit, "UndoFlushWithSaved", "保存と同時にアンドゥバッファをクリア(&F)", &E::UndoFlushWithSaved),
      Check(opEdit, "ExpandTenKey", "拡張テンキーを利用する(&T)", &E::ExpandTenKey),
      Check(opEdit, "UndoOverflowSound", "アンドゥバッファオーバーフロー時に警告音を鳴らす(&O)", &E::UndoOverflowSound),
      Check(opEdit, "BackupFileMake", "保存時にバックアップファイルを作成する(&B)", &E::MakeBackFile),
      Spin(opView, "FontSize", "フォントサイズ(&H)", 10, 30, &E::FontHeight),
      Check(opView, "ToolBar", "ツールバーを表示(&T)", &E::ToolBar),
      Check(opView, "FunctionBar", "ファンクションバーを表示(&F)", &E::FunctionBar),
      Check(opView, "InformationPanel", "情報パネルを表示(&I)", &E::InformationPanel),
      Check(opView, "Compare", "比較時の大小マークを表示(&C)", &E::CompareArrow),
      Check(opView, "StatusBar", "ステータスバーを表示(&S)", &E::StatusBar),
      Check(opView, "CaretMarker", "キャレット位置のマーカの表示(&M)", &E::CaretMarker),
      Check(opView, "CompareColor", "比較時の大小を色分け表示(&L)", &E::CompareColor),
      Spin(opWindow, "ProfileMax", "プロファイル最大記憶数(&M)", 10, 200, &E::ProfileMax),
      Check(opWindow, "ProfileNotExistToCenter", "プロファイルが存在しなかった場合には画面中央に表示(&P)",
            &E::ProfileNotExistToCenter),
      Check(opWindow, "ProfilePositionLoad", "編集位置を最後に閉じた時点に復元する(&E)", &E::ProfilePositionLoad),
      Check(opWindow, "ProfileWindowLoad", "編集ウィンドウの位置を最後に閉じた時点に復元する(&W)",
            &E::ProfileWindowLoad),
      Check(opWindow, "NewWindowMoveCenter", "新規の編集ウィンドウは画面中央に表示(&C)", &E::NewWindowMoveCenter),
      Check(opWindow, "DialogFlattery", "*編集ウィンドウに追従させる(&F)", &E::DialogFlattery),
      Check(opWindow, "DialogAutoHidden", "*非アクティブな編集ウィンドウに属するダイアログを自動的に隠す(&H)",
            &E::DialogAutoHidden),
      Check(opWindow, "OpeningDialog", "オープニングダイアログを表示する(&D)", &E::OpeningDlg),
  };
  controls.insert(controls.end(), std::begin(rest), std::end(rest));
  return controls;
}

const char kStarNote[] = "先頭に * が付いている項目は次回編集ウィンドウ展開時から有効です";

}  // namespace

const std::vector<TOptionControl>& OptionControls() {
  static const std::vector<TOptionControl> controls = MakeOptionControls();
  return controls;
}

std::vector<const char*> OptionPageNotes(TOptionPage page) {
  switch (page) {
    case opGlobal:
      return {kStarNote, "既に展開されている編集ウィンドウでは現在の設定がそのまま利用されます"};
    case opEdit:
    case opWindow:
      return {kStarNote, "既に展開されている編集ウィンドウでは展開時の設定が保持されます"};
    default:
      return {};
  }
}

TOptionValue OptionValueOf(const TOptionControl& control, const TEnvironmentSettings& record) {
  if (control.flag) return {record.*control.flag ? 1 : 0, {}};
  if (control.byte) return {record.*control.byte - control.listBase, {}};
  if (control.number) return {record.*control.number, {}};
  return {0, record.*control.text};
}

void StoreOptionValue(const TOptionControl& control, const TOptionValue& value, TEnvironmentSettings& record) {
  if (control.flag) {
    record.*control.flag = value.number != 0;
  } else if (control.byte) {
    const int last = static_cast<int>(control.items.size()) - 1;
    record.*control.byte = static_cast<std::uint8_t>(std::clamp(value.number, 0, last) + control.listBase);
  } else if (control.number) {
    record.*control.number = control.kind == ockSpin ? std::clamp(value.number, control.min, control.max) : value.number;
  } else {
    record.*control.text = value.text;
  }
}

std::optional<int> SpinNumber(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') + 1 - first);
  if (text.empty() || text.size() > 9) return std::nullopt;
  int number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  return number;
}

const TColorRow ColorRows[ColorRowCount] = {
    {"標準色", "Normal", "B4", &C::NormalFont, &C::NormalBG},
    {"比較色(色分けなし)", "Difference", "B4", &C::DifferenceFont, &C::DifferenceBG},
    {"比較色(大きい)", "Bigger", "B4", &C::DifferenceBiggerFont, &C::DifferenceBiggerBG},
    {"比較色(小さい)", "Smaller", "B4", &C::DifferenceSmallerFont, &C::DifferenceSmallerBG},
    {"比較色(対象無し)", "Over", "B4", &C::OverFont, &C::OverBG},
    {"選択領域色", "Select", "B4", &C::SelectFont, &C::SelectBG},
    {"EOF 表示", "Eof", "EOF", &C::EofFont, &C::EofBG},
    {"キャレットマーカ", "CaretMarker", nullptr, &C::CaretMarker, nullptr},
};

bool FollowsNormalBackground(int row) { return row >= 1 && row <= 4; }

const std::vector<const char*> KeyShiftItems = {"なし",          "Shift",         "Ctrl",
                                                "Ctrl + Shift",  "User menu (1)", "User menu (2)",
                                                "User menu (3)", "User menu (4)", "User menu (5)"};
const std::vector<const char*> KeyTemplateItems = {"Windows 版標準", "MS-DOS 版標準", "任意"};

std::vector<std::string> KeyNamesForShiftItem(int shiftItem) {
  int first = kiA, last = kiZ;
  bool application = false;
  if (shiftItem == 0 || shiftItem == 1) {
    first = kiF1, last = kiPause, application = true;
  } else if (shiftItem == 2 || shiftItem == 3) {
    first = kiDigit0, last = kiSpace, application = true;
  }
  std::vector<std::string> names;
  for (int key = first; key <= last; ++key) names.push_back(KeyNameFromIndex(key));
  if (application) names.push_back(KeyNameFromIndex(kiApplication));
  return names;
}

TEnvironmentForm::TEnvironmentForm(const TEnvironmentSettings& record, TApply apply)
    : record_(record), apply_(std::move(apply)), changed_(OptionControls().size(), false) {
  const C& colors = record_.Colors;
  sameColor_ = colors.DifferenceBG == colors.NormalBG && colors.OverBG == colors.NormalBG;
  SetShiftItem(0);
}

void TEnvironmentForm::Changed(std::size_t control) {
  if (control >= changed_.size()) return;
  changed_[control] = true;
  applyEnabled_ = true;
}

std::vector<std::size_t> TEnvironmentForm::Apply(const TReadControl& read) {
  std::vector<std::size_t> controls;
  for (std::size_t i = 0; i < changed_.size(); ++i) {
    if (!changed_[i]) continue;
    if (const std::optional<TOptionValue> value = read(i)) StoreOptionValue(OptionControls()[i], *value, record_);
    changed_[i] = false;
    controls.push_back(i);
  }
  if (apply_) apply_(record_);
  applyEnabled_ = false;
  return controls;
}

void TEnvironmentForm::Ok(const TReadControl& read) {
  if (applyEnabled_) Apply(read);
}

void TEnvironmentForm::SetColor(std::uint32_t C::*member, std::uint32_t color) {
  record_.Colors.*member = color;
  if (member == &C::NormalBG && sameColor_)
    for (int row = 0; row < ColorRowCount; ++row)
      if (FollowsNormalBackground(row)) record_.Colors.*ColorRows[row].background = color;
  applyEnabled_ = true;
}

void TEnvironmentForm::SetSameColor(bool on) {
  sameColor_ = on;
  if (!on) return;
  SetColor(&C::NormalBG, record_.Colors.NormalBG);
}

bool TEnvironmentForm::ColorButtonEnabled(int row, bool background) const {
  if (!background) return true;
  if (row < 0 || row >= ColorRowCount || !ColorRows[row].background) return false;
  return !(sameColor_ && FollowsNormalBackground(row));
}

void TEnvironmentForm::SetTemplate(int index) {
  if (index == katWindows) WindowsStandardKeyMap(record_.KeyMap);
  if (index == katMsDos) MsDosStandardKeyMap(record_.KeyMap);
  record_.KeyAssignType = static_cast<std::uint8_t>(index);
  applyEnabled_ = true;
}

void TEnvironmentForm::SetShiftItem(int item) {
  shiftItem_ = item;
  selectedKey_ = -1;
  keyNames_ = KeyNamesForShiftItem(item);
}

void TEnvironmentForm::SelectKey(int listIndex) {
  selectedKey_ = listIndex >= 0 && listIndex < static_cast<int>(keyNames_.size()) ? listIndex : -1;
}

TCommandId* TEnvironmentForm::SelectedSlot() {
  if (selectedKey_ < 0) return nullptr;
  const int key = KeyIndexFromName(keyNames_[selectedKey_]);
  const int position = shiftItem_ < 4 ? KeyMapIndex(shiftItem_, key) : UserMenuIndex(shiftItem_ - 4, key);
  return position < 0 ? nullptr : &record_.KeyMap[position];
}

TCommandId TEnvironmentForm::SelectedEntry() const {
  TCommandId* slot = const_cast<TEnvironmentForm*>(this)->SelectedSlot();
  return slot ? *slot : NoCommand;
}

std::string TEnvironmentForm::OperateName() const {
  const TCommandId id = SelectedEntry();
  return id == NoCommand ? std::string() : CommandDescription(id);
}

bool TEnvironmentForm::Assign(TCommandId id) {
  TCommandId* slot = SelectedSlot();
  if (!slot) return false;
  *slot = id;
  SetTemplate(katCustom);
  return true;
}

bool TEnvironmentForm::ClearSelected() {
  TCommandId* slot = SelectedSlot();
  if (!slot || *slot == NoCommand) return false;
  *slot = NoCommand;
  SetTemplate(katCustom);
  return true;
}

}  // namespace ovx
