#include "charset/win32/FrmInputStr.h"

#include "charset/StrUty.h"

namespace ovx {

bool TFrmInputStr::Create(HWND parent, int x, int y, HFONT font, int dpi) {
  if (!CreatePanel(parent, x, y, font, dpi)) return false;
  editBox_ = AddControl(L"EDIT", L"", ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                        WS_EX_CLIENTEDGE, idEditBox, 8, 8, 404, 118);
  // The edit's own limit (30,000 characters) would cut a longer paste short.
  if (editBox_) SendMessageW(editBox_, EM_SETLIMITTEXT, kStringInputLimit, 0);
  AddLabel(L"改行コード(&L)", 8, 141, 86);
  newLineCode_ = AddList(idNewLineCode, {L"標準(CR+LF)", L"MACファイル(CR)", L"UNIXファイル(LF)"}, 96, 138, 122);
  AddLabel(L"文字コード(&S)", 226, 141, 82);
  charaSet_ = AddList(idCharaSet, {L"Shift-JIS", L"JIS", L"EUC-jp", L"Unicode"}, 310, 138, 102);
  return editBox_ && newLineCode_ && charaSet_;
}

std::u16string TFrmInputStr::Text() const {
  const int length = GetWindowTextLengthW(editBox_);
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(editBox_, reinterpret_cast<wchar_t*>(text.data()), length + 1)));
  return text;
}

TStringInput TFrmInputStr::Input() const {
  return StringInputBytes(Text(), static_cast<TNewLineCode>(SelectedRow(newLineCode_)), ChosenSet());
}

std::string TFrmInputStr::Bytes() const { return Input().bytes; }

void TFrmInputStr::SelectFirstOf(std::u16string_view characters) {
  SetFocus(editBox_);
  if (characters.empty()) return;
  const std::u16string text = Text();
  const size_t n = characters[0] >= 0xD800 && characters[0] <= 0xDBFF && characters.size() > 1 ? 2 : 1;
  const size_t at = text.find(characters.substr(0, n));
  if (at == std::u16string::npos) return;
  SendMessageW(editBox_, EM_SETSEL, at, at + n);
  SendMessageW(editBox_, EM_SCROLLCARET, 0, 0);
}

void TFrmInputStr::Command(int id, int code, HWND) {
  if (id != idEditBox || (code != EN_MAXTEXT && code != EN_ERRSPACE)) return;
  if (OnTextCut) OnTextCut();
  else MessageBeep(MB_ICONWARNING);
}

}  // namespace ovx
