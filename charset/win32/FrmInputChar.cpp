#include "charset/win32/FrmInputChar.h"

namespace ovx {

bool TFrmInputChar::Create(HWND parent, int x, int y, HFONT font, int dpi) {
  if (!CreatePanel(parent, x, y, font, dpi)) return false;
  AddLabel(L"コード(&S)", 8, 11, 60);
  charaSet_ = AddList(idCharaSet, {L"ASCII コード (7bit)", L"JIS X 0201 (8bit)", L"JIS X 0201 NEC 拡張 (8bit)"}, 72,
                      8, 220);
  if (!charaSet_ || !selChar_.Create(Handle(), idSelChar, Bounds(8, 40, 404, 208), dpi)) return false;
  CharaSetChange();
  return true;
}

void TFrmInputChar::CharaSetChange() { selChar_.SetAsciiCharaSet(static_cast<TAsciiSet>(SelectedRow(charaSet_))); }

void TFrmInputChar::Command(int id, int code, HWND) {
  if (id == idCharaSet && code == CBN_SELCHANGE) CharaSetChange();
  if (id == idSelChar && code == LBN_DBLCLK && OnPick) OnPick();
}

}  // namespace ovx
