// アドレスジャンプ: the integer frame in address mode. Its bound fields show the last byte's address
// and its capture button takes the caret address, both fed by the window on every caret move and
// status update; ジャンプ leaves the dialog open for the next jump.
#include "charset/win32/FrmInputInt.h"
#include "editor/JumpAddress.h"
#include "editor/win32/EditorWindow.h"
#include "editor/win32/JumpTools.h"
#include "editor/win32/ToolDialog.h"

namespace ovx {

namespace {

class TDlgAddressJump final : public TToolDialog, public TCaptureReceiver {
 public:
  explicit TDlgAddressJump(TOvnxBinaryFormWClass& window)
      : TToolDialog(L"アドレスジャンプ", hcIntInput, {428, 202}), window_(window) {}
  ~TDlgAddressJump() override { window_.CaptureFeed().Remove(this); }

  void TakeCaptureValues(const TCaptureValues& values) override {
    frame_.SetCapturedValue(static_cast<std::uint64_t>(values.address));
    const auto last = static_cast<std::uint64_t>(LastByteAddress(values.size));
    frame_.MaxDec().SetValue(last);
    frame_.MaxHex().SetValue(last);
  }

 private:
  HWND Build() override {
    if (!frame_.Create(Handle(), 4, 4, Font(), Dpi())) return nullptr;
    AddButtons(L"ジャンプ");
    // The address mode shows its own bound: set after the mode, which shows the width's.
    frame_.SetDialogMode(dmUnformat);
    frame_.SetAddressMode(amAbsolute);
    SetWindowTextW(frame_.CaptureButton(), L"現在アドレス取込(&G)");
    TakeCaptureValues(window_.CaptureFeed().Last());
    window_.CaptureFeed().Add(this);
    const std::uint8_t radix = window_.State().settings.focusRadix;
    TEditInt& first = radix == 0 ? frame_.EditBin() : radix == 2 ? frame_.EditHex() : frame_.EditDec();
    return first.Handle();
  }
  void Run() override { window_.AddressJump(frame_.AddressMode(), frame_.NetValue()); }

  TOvnxBinaryFormWClass& window_;
  TFrmInputInt frame_;
};

}  // namespace

HWND CreateAddressJumpDialog(TOvnxBinaryFormWClass& window) {
  return TToolDialog::Create(new TDlgAddressJump(window), window.Handle());
}

}  // namespace ovx
