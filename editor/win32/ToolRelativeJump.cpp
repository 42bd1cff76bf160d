// 相対ジャンプツール: moves the caret of its window by a fixed distance, forwards or backwards, as
// often as ジャンプ(&J) (or Enter) is pressed. The keyboard stays in the tool so that Enter repeats;
// the view is the control its window focuses whenever the window itself is activated.
#include "charset/win32/EditInt.h"
#include "charset/win32/FramePanel.h"
#include "editor/JumpAddress.h"
#include "editor/win32/EditorWindow.h"
#include "editor/win32/JumpTools.h"
#include "editor/win32/ToolDialog.h"

namespace ovx {

namespace {

class TToolRelativeJump final : public TToolDialog {
 public:
  enum : int { idAddress = rjAddress, idBin = rjBin, idHex = rjHex, idDirection = rjDirection };

  explicit TToolRelativeJump(TOvnxBinaryFormWClass& window)
      : TToolDialog(L"相対ジャンプツール", hcRelativeJump, {416, 52}), window_(window) {}

 private:
  HWND Build() override {
    AddControl(L"STATIC", L"相対アドレス(&A)", SS_LEFT, 0, -1, 4, 8, 90, 16);
    if (!address_.Create(Handle(), idAddress, {Scaled(96), Scaled(4), Scaled(236), Scaled(26)})) return nullptr;
    SendMessageW(address_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    address_.OnOtherKey = [this](TEditInt&, const MSG& key) { OtherKey(key.wParam); };
    address_.OnOtherKeyPress = [this](TEditInt&, wchar_t c) { OtherKeyPress(c); };
    const wchar_t* radixCaptions[] = {L"&Bin", L"&Dec", L"&Hex"};
    for (int r = 0; r < 3; ++r)
      AddControl(L"BUTTON", radixCaptions[r], BS_AUTORADIOBUTTON | BS_PUSHLIKE | WS_TABSTOP | (r == 0 ? WS_GROUP : 0),
                 0, idBin + r, 240 + 58 * r, 4, 56, 22);
    AddControl(L"STATIC", L"方向(&D)", SS_LEFT, 0, -1, 4, 31, 90, 16);
    direction_ = AddControl(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 0, idDirection,
                            96, 27, 150, 120);
    for (const wchar_t* entry : {L"下方向 (アドレス加算)", L"上方向 (アドレス減算)"})
      SendMessageW(direction_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    SelectRow(direction_, 0);
    AddControl(L"BUTTON", L"ジャンプ(&J)", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, kRunId, 250, 27, 78, 22);
    AddControl(L"BUTTON", L"閉じる(&C)", BS_PUSHBUTTON | WS_TABSTOP, 0, kCloseId, 332, 27, 80, 22);
    SetRadix(cnHexadecimal);
    return address_.Handle();
  }

  void Run() override { window_.RelativeJump(address_.Value(), SelectedRow(direction_) == 1); }

  bool Command(int id, int code, HWND) override {
    if (id < idBin || id > idHex || code != BN_CLICKED) return false;
    SetRadix(static_cast<TCardinalNumber>(id - idBin));
    return true;
  }

  // The speed button of the radix is down and the field shows its value in it.
  void SetRadix(TCardinalNumber radix) {
    for (int r = 0; r < 3; ++r)
      SendMessageW(GetDlgItem(Handle(), idBin + r), BM_SETCHECK, r == radix ? BST_CHECKED : BST_UNCHECKED, 0);
    address_.SetCardinalNumber(radix);
  }

  // Up and Down cycle the radix; the field keeps the focus.
  void OtherKey(WPARAM key) {
    if (key == VK_UP || key == VK_DOWN) SetRadix(RadixAfterArrow(address_.CardinalNumber(), key == VK_DOWN));
  }

  // "+" chooses adding, "-" subtracting.
  void OtherKeyPress(wchar_t c) {
    if (c == L'+') SelectRow(direction_, 0);
    if (c == L'-') SelectRow(direction_, 1);
  }

  TOvnxBinaryFormWClass& window_;
  TEditInt address_;
  HWND direction_ = nullptr;
};

}  // namespace

HWND CreateRelativeJumpTool(TOvnxBinaryFormWClass& window) {
  return TToolDialog::Create(new TToolRelativeJump(window), window.Handle());
}

}  // namespace ovx
