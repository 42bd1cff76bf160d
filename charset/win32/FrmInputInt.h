// TFrmInputInt: an integer in binary, decimal and hexadecimal at once, with its width, the largest
// value of the width, the net value, byte order (integer mode) or address mode (address mode), and
// the capture of the value under the caret. The integer input, search, replace and address jump
// dialogs embed it.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "charset/InputFrameRules.h"
#include "charset/win32/EditInt.h"
#include "charset/win32/FramePanel.h"

namespace ovx {

class TFrmInputInt final : public TFramePanel {
 public:
  // Control ids inside the frame.
  enum : int { idVariable = 101, idAddress, idByteOrder, idEditBin, idEditDec, idEditHex, idMaxDec, idMaxHex,
               idEditOut, idCapture };

  bool Create(HWND parent, int x, int y, HFONT font, int dpi);
  SIZE DesignSize() const override { return {420, 156}; }

  TDialogMode DialogMode() const { return mode_; }
  void SetDialogMode(TDialogMode mode);
  TVariableType VariableType() const { return editBin_.VariableType(); }
  // Sets the controls' type, selects its row quietly, shows its maximum, recomputes the net value.
  void SetVariableType(TVariableType type);
  TVariableType IntWidth() const { return VariableOfRow(SelectedRow(variable_)); }
  // As if the user chose the type's row.
  void SetIntWidth(TVariableType type);
  TByteOrder ByteOrder() const { return static_cast<TByteOrder>(SelectedRow(byteOrder_)); }
  void SetByteOrder(TByteOrder order) { SelectRow(byteOrder_, order); }
  TAddressMode AddressMode() const { return static_cast<TAddressMode>(SelectedRow(address_)); }
  void SetAddressMode(TAddressMode mode) { SelectRow(address_, mode); }
  void SetCapturedValue(std::uint64_t value) { captured_ = value; }

  // The value cut to the width.
  std::uint64_t NetValue() const { return net_; }
  // The net value, in memory order for big-endian.
  std::uint64_t Value() const;
  // The bytes to store for the width and byte order.
  std::vector<std::uint8_t> Bytes() const { return IntegerBytes(net_, IntWidth(), ByteOrder()); }
  void SetValue(std::uint64_t value);
  // Focus to the binary, decimal or hexadecimal field (0, 1, 2).
  void FocusField(int radix);
  // The field that has the focus (0, 1, 2), or -1.
  int FocusedField() const;

  // The controls, for hosts (the address dialog writes its own maximum) and tests.
  TEditInt& EditBin() { return editBin_; }
  TEditInt& EditDec() { return editDec_; }
  TEditInt& EditHex() { return editHex_; }
  TEditInt& MaxDec() { return maxDec_; }
  TEditInt& MaxHex() { return maxHex_; }
  TEditInt& EditOut() { return editOut_; }
  HWND Variable() const { return variable_; }
  HWND ByteOrderList() const { return byteOrder_; }
  // The number field the user was in last: 0 binary, 1 decimal, 2 hexadecimal; -1 before any.
  int LastRadix() const { return lastRadix_; }
  HWND AddressList() const { return address_; }
  HWND CaptureButton() const { return capture_; }

 private:
  void Command(int id, int code, HWND control) override;
  void VariableChange();
  void EditChange(TEditInt& changed, std::uint64_t value);
  void OtherKey(TEditInt& sender, const MSG& key);
  void OtherKeyPress(wchar_t c);
  void CaptureClick();
  void ShowNetValue();

  TDialogMode mode_ = dmInteger;
  std::uint64_t net_ = 0;
  std::uint64_t captured_ = 0;
  HWND variable_ = nullptr, address_ = nullptr, byteOrder_ = nullptr, capture_ = nullptr;
  TEditInt editBin_, editDec_, editHex_, maxDec_, maxHex_, editOut_;
  int lastRadix_ = -1;
};

}  // namespace ovx
