#include "charset/win32/FrmInputInt.h"

namespace ovx {

bool TFrmInputInt::Create(HWND parent, int x, int y, HFONT font, int dpi) {
  if (!CreatePanel(parent, x, y, font, dpi)) return false;
  AddLabel(L"型(&V)", 8, 11, 60);
  variable_ = AddList(idVariable, {L"無定型(32bit)", L"DoubleWord(32bit)", L"Word(16bit)", L"Byte(8bit)"}, 72, 8, 130);
  AddLabel(L"設定(&O)", 214, 11, 52);
  address_ = AddList(idAddress, {L"絶対指定", L"下方向相対", L"上方向相対"}, 266, 8, 146);
  byteOrder_ = AddList(idByteOrder, {L"リトルエンディアン", L"ビッグエンディアン"}, 266, 8, 146);
  struct Field {
    const wchar_t* label;
    TEditInt& edit;
    TCardinalNumber radix;
    int id, y, width;
  };
  const Field fields[] = {{L"2 進数(&B)", editBin_, cnBinary, idEditBin, 40, 340},
                          {L"10 進数(&D)", editDec_, cnDecimal, idEditDec, 68, 160},
                          {L"16 進数(&H)", editHex_, cnHexadecimal, idEditHex, 96, 160}};
  for (const Field& f : fields) {
    AddLabel(f.label, 8, f.y + 3, 62);
    if (!f.edit.Create(Handle(), f.id, Bounds(72, f.y, f.width, 22))) return false;
    f.edit.SetCardinalNumber(f.radix);
  }
  AddLabel(L"/", 238, 71, 10);
  AddLabel(L"/", 238, 99, 10);
  AddLabel(L"正味入力", 8, 127, 62);
  if (!maxDec_.Create(Handle(), idMaxDec, Bounds(252, 68, 160, 22)) ||
      !maxHex_.Create(Handle(), idMaxHex, Bounds(252, 96, 160, 22)) ||
      !editOut_.Create(Handle(), idEditOut, Bounds(72, 124, 160, 22)))
    return false;
  maxDec_.SetCardinalNumber(cnDecimal);
  maxHex_.SetCardinalNumber(cnHexadecimal);
  editOut_.SetCardinalNumber(cnHexadecimal);
  capture_ = AddButton(idCapture, L"カーソル位置取込(&G)", 252, 122, 160, 26);
  for (TEditInt* e : {&editBin_, &editDec_, &editHex_, &maxDec_, &maxHex_, &editOut_}) {
    SendMessageW(e->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    e->SetOverflowColor(GetSysColor(COLOR_GRAYTEXT));
  }
  for (TEditInt* e : {&maxDec_, &maxHex_, &editOut_}) {
    EnableWindow(e->Handle(), FALSE);
    SetWindowLongPtrW(e->Handle(), GWL_STYLE, GetWindowLongPtrW(e->Handle(), GWL_STYLE) & ~WS_TABSTOP);
  }
  for (TEditInt* e : {&editBin_, &editDec_, &editHex_}) {
    e->OnChange = [this](TEditInt& sender, std::uint64_t value) { EditChange(sender, value); };
    e->OnOtherKey = [this](TEditInt& sender, const MSG& key) { OtherKey(sender, key); };
    e->OnOtherKeyPress = [this](TEditInt&, wchar_t c) { OtherKeyPress(c); };
    // The net value shows in decimal while the decimal field has the focus, else in hexadecimal.
    e->OnEnter = [this](TEditInt& sender) {
      editOut_.SetCardinalNumber(&sender == &editDec_ ? cnDecimal : cnHexadecimal);
      lastRadix_ = &sender == &editBin_ ? 0 : &sender == &editDec_ ? 1 : 2;
    };
  }
  SetDialogMode(dmInteger);
  return true;
}

void TFrmInputInt::SetDialogMode(TDialogMode mode) {
  mode_ = mode;
  const bool integer = mode == dmInteger;
  ShowWindow(byteOrder_, integer ? SW_SHOW : SW_HIDE);
  ShowWindow(address_, integer ? SW_HIDE : SW_SHOW);
  EnableWindow(variable_, integer);
  // The "設定(&O)" label names the control that follows it in the tab order.
  SetWindowPos(integer ? byteOrder_ : address_, GetWindow(integer ? address_ : byteOrder_, GW_HWNDPREV), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (integer) {
    if (VariableType() == vtUnformat) SetVariableType(vtDoubleWord);
  } else {
    SetVariableType(vtUnformat);
  }
}

void TFrmInputInt::SetVariableType(TVariableType type) {
  for (TEditInt* e : {&editBin_, &editDec_, &editHex_}) e->SetVariableType(type);
  SelectRow(variable_, RowOfVariable(type));
  maxDec_.SetValue(MaximumOf(type));
  maxHex_.SetValue(MaximumOf(type));
  ShowNetValue();
}

void TFrmInputInt::SetIntWidth(TVariableType type) {
  SelectRow(variable_, RowOfVariable(type));
  VariableChange();
}

void TFrmInputInt::VariableChange() {
  const int row = AllowedVariableRow(SelectedRow(variable_), mode_);
  SetVariableType(VariableOfRow(row));
}

std::uint64_t TFrmInputInt::Value() const { return OrderedValue(net_, IntWidth(), ByteOrder()); }

void TFrmInputInt::SetValue(std::uint64_t value) {
  for (TEditInt* e : {&editBin_, &editDec_, &editHex_}) e->SetValue(value);
  ShowNetValue();
}

void TFrmInputInt::ShowNetValue() {
  net_ = ovx::NetValue(editBin_.Value(), IntWidth());
  editOut_.SetValue(net_);
}

void TFrmInputInt::EditChange(TEditInt& changed, std::uint64_t value) {
  for (TEditInt* e : {&editBin_, &editDec_, &editHex_})
    if (e != &changed) e->SetValue(value);
  ShowNetValue();
}

void TFrmInputInt::OtherKey(TEditInt& sender, const MSG& key) {
  switch (key.wParam) {
    case VK_PRIOR:
    case VK_NEXT:
      if (VariableType() != vtUnformat) SetIntWidth(NextWidth(VariableType(), key.wParam == VK_PRIOR));
      break;
    case VK_UP:
      FocusField(&sender == &editBin_ ? 2 : &sender == &editHex_ ? 1 : 0);
      break;
    case VK_DOWN:
      FocusField(&sender == &editBin_ ? 1 : &sender == &editDec_ ? 2 : 0);
      break;
  }
}

void TFrmInputInt::OtherKeyPress(wchar_t c) {
  if (c == L'+' || c == L'-') SetAddressMode(AddressAfterSign(AddressMode(), static_cast<char>(c)));
}

void TFrmInputInt::CaptureClick() {
  editBin_.SetValue(CapturedValue(captured_, IntWidth(), ByteOrder()));
  EditChange(editBin_, editBin_.Value());
}

void TFrmInputInt::FocusField(int radix) {
  TEditInt& field = radix == 0 ? editBin_ : radix == 1 ? editDec_ : editHex_;
  SetFocus(field.Handle());
}

int TFrmInputInt::FocusedField() const {
  HWND focus = GetFocus();
  if (focus == editBin_.Handle()) return 0;
  if (focus == editDec_.Handle()) return 1;
  if (focus == editHex_.Handle()) return 2;
  return -1;
}

void TFrmInputInt::Command(int id, int code, HWND) {
  if (id == idVariable && code == CBN_SELCHANGE) VariableChange();
  if (id == idCapture && code == BN_CLICKED) CaptureClick();
  // The byte order changes the net value's memory order, not the value.
}

}  // namespace ovx
