#include "charset/win32/FrmInputStr.h"

#include "charset/StrUty.h"

namespace ovx {

bool TFrmInputStr::Create(HWND parent, int x, int y, HFONT font, int dpi) {
  if (!CreatePanel(parent, x, y, font, dpi)) return false;
  editBox_ = AddControl(L"EDIT", L"", ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                        WS_EX_CLIENTEDGE, idEditBox, 8, 8, 404, 118);
  AddLabel(L"改行コード(&L)", 8, 141, 86);
  newLineCode_ = AddList(idNewLineCode, {L"標準(CR+LF)", L"MACファイル(CR)", L"UNIXファイル(LF)"}, 96, 138, 122);
  AddLabel(L"文字コード(&S)", 226, 141, 82);
  charaSet_ = AddList(idCharaSet, {L"Shift-JIS", L"JIS", L"EUC-jp", L"Unicode"}, 310, 138, 102);
  return editBox_ && newLineCode_ && charaSet_;
}

std::string TFrmInputStr::Bytes() const {
  const int length = GetWindowTextLengthW(editBox_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(editBox_, text.data(), length + 1)));
  return StringInputBytes(WideToSJis(text), static_cast<TNewLineCode>(SelectedRow(newLineCode_)),
                          static_cast<TStringSet>(SelectedRow(charaSet_)));
}

}  // namespace ovx
