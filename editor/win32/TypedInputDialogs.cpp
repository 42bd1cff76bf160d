#include "editor/win32/TypedInputDialogs.h"

#include <optional>
#include <string>
#include <vector>

#include "charset/StrUty.h"
#include "charset/win32/FrmInputChar.h"
#include "charset/win32/FrmInputInt.h"
#include "charset/win32/FrmInputStr.h"
#include "charset/win32/RightEdit.h"
#include "editor/TypedInput.h"
#include "editor/win32/EditorWindow.h"
#include "editor/win32/StringRefusal.h"
#include "editor/win32/ToolDialog.h"
#include "shell/win32/Win32UserPrompt.h"
#include "view/win32/BEditor.h"

namespace ovx {

namespace {

// Dialogs that write at the window's caret.
class TTypedDialog : public TToolDialog {
 protected:
  TTypedDialog(TOvnxBinaryFormWClass& window, const wchar_t* caption, DWORD helpContext, SIZE client)
      : TToolDialog(caption, helpContext, client), window_(window) {}
  TBinaryViewCore& View() { return window_.Editor().Core(); }
  void Write(const std::vector<std::uint8_t>& bytes) {
    WriteTypedBytes(View(), bytes);
    window_.Editor().Repaint();
  }
  TOvnxBinaryFormWClass& window_;
};

// 整数型定型入力: the integer frame in integer mode, taking the value under the caret.
class TDlgIntInput final : public TTypedDialog, public TCaptureReceiver {
 public:
  explicit TDlgIntInput(TOvnxBinaryFormWClass& window)
      : TTypedDialog(window, L"整数型定型入力", 15, {428, 202}) {}
  ~TDlgIntInput() override { window_.CaptureFeed().Remove(this); }

  void TakeCaptureValues(const TCaptureValues& values) override { frame_.SetCapturedValue(values.value); }

 private:
  HWND Build() override {
    if (!frame_.Create(Handle(), 4, 4, Font(), Dpi())) return nullptr;
    AddButtons(L"入力");
    const TWindowSettingsState& s = window_.State().settings;
    frame_.SetDialogMode(dmInteger);
    frame_.SetIntWidth(static_cast<TVariableType>(s.lastIntWidth));
    frame_.SetByteOrder(s.infoByteOrder == 1 ? boBigEndian : boLittleEndian);
    TakeCaptureValues(window_.CaptureFeed().Last());
    window_.CaptureFeed().Add(this);
    TEditInt& first = s.focusRadix == 0 ? frame_.EditBin() : s.focusRadix == 2 ? frame_.EditHex() : frame_.EditDec();
    return first.Handle();
  }
  void Run() override {
    Write(frame_.Bytes());
    window_.SetLastIntWidth(static_cast<std::uint8_t>(frame_.IntWidth()));
    window_.SetIntegerChoices(frame_.LastRadix(), frame_.ByteOrder() == boBigEndian);
  }

  TFrmInputInt frame_;
};

// 文字列型定型入力. A text the chosen set cannot carry is named in a box and nothing is written;
// the text stays for correction, its first refused character selected.
class TDlgStrInput final : public TTypedDialog {
 public:
  explicit TDlgStrInput(TOvnxBinaryFormWClass& window)
      : TTypedDialog(window, L"文字列型定型入力", 16, {428, 214}),
        prompt_(window.ProgramPrompt(), window.WaitSite()) {}

 private:
  HWND Build() override {
    if (!frame_.Create(Handle(), 4, 4, Font(), Dpi())) return nullptr;
    prompt_.SetOwner(Handle());
    frame_.OnTextCut = [this] {
      prompt_.MessageDlgBeep("文字数が上限を超えています.\r\n文字列の一部は入力されませんでした.", mtWarning, mbOK);
    };
    AddButtons(L"入力");
    return frame_.EditBox();
  }
  void Run() override {
    const std::optional<TStringInput> input = CarriedStringInput(frame_, prompt_);
    if (input) Write(std::vector<std::uint8_t>(input->bytes.begin(), input->bytes.end()));
  }

  TFrmInputStr frame_;
  TWindowUserPrompt prompt_;
};

// キャラクタ型定型入力: one byte, the code of the picked row; a double click runs it too.
class TDlgCharInput final : public TTypedDialog {
 public:
  explicit TDlgCharInput(TOvnxBinaryFormWClass& window)
      : TTypedDialog(window, L"キャラクタ型定型入力", 17, {428, 298}) {}

 private:
  HWND Build() override {
    if (!frame_.Create(Handle(), 4, 4, Font(), Dpi())) return nullptr;
    frame_.OnPick = [this] { Run(); };
    AddButtons(L"入力");
    return frame_.SelChar().Handle();
  }
  void Run() override {
    const int code = frame_.SelChar().Selected();
    // Without a picked row the table only takes the focus.
    if (code < 0) {
      SetFocus(frame_.SelChar().Handle());
      return;
    }
    Write({static_cast<std::uint8_t>(code)});
  }

  TFrmInputChar frame_;
};

// n ビットローテート and n バイトローテート: the amount, the direction, and 実行 as often as wanted.
class TDlgRotate final : public TTypedDialog {
 public:
  enum : int { idNumeric = 301, idBits, idRight, idLeft };

  TDlgRotate(TOvnxBinaryFormWClass& window, bool bytes)
      : TTypedDialog(window, bytes ? L"n バイトローテート" : L"n ビットローテート", bytes ? 154 : 153, {236, 116}),
        bytes_(bytes) {}

 private:
  HWND Build() override {
    AddControl(L"STATIC", bytes_ ? L"バイト数(&B)" : L"ビット数(&B)", SS_LEFT, 0, idNumeric, 12, 15, 72, 16);
    bits_ = CreateEditEx(Handle(), idBits, {Scaled(88), Scaled(12), Scaled(224), Scaled(34)}, L"0", Font());
    SetWindowSubclass(bits_, DigitsOnly, 0, 0);
    right_ = AddControl(L"BUTTON", L"右方向(&R)", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 0, idRight, 12, 46, 100,
                        20);
    AddControl(L"BUTTON", L"左方向(&L)", BS_AUTORADIOBUTTON, 0, idLeft, 124, 46, 100, 20);
    SendMessageW(right_, BM_SETCHECK, BST_CHECKED, 0);
    AddButtons(L"実行");
    return bits_;
  }
  void Run() override {
    // The whole text, however long: leading zeros do not change the amount.
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(bits_)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(bits_, text.data(), static_cast<int>(text.size()))));
    const bool left = SendMessageW(right_, BM_GETCHECK, 0, 0) != BST_CHECKED;
    RunRotate(View(), bytes_, left, RotateAmount(WideToUtf8(text)));
    window_.Editor().Repaint();
  }
  // Typed characters other than digits and control keys are dropped.
  static LRESULT CALLBACK DigitsOnly(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == WM_CHAR && !RotateEditAccepts(static_cast<wchar_t>(wp))) return 0;
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, DigitsOnly, 0);
    return DefSubclassProc(hwnd, msg, wp, lp);
  }

  bool bytes_;
  HWND bits_ = nullptr, right_ = nullptr;
};

}  // namespace

HWND CreateTypedInputDialog(TOvnxBinaryFormWClass& window, TToolWindowKind kind) {
  TToolDialog* dialog = nullptr;
  switch (kind) {
    case twInputInt: dialog = new TDlgIntInput(window); break;
    case twInputStr: dialog = new TDlgStrInput(window); break;
    case twInputChar: dialog = new TDlgCharInput(window); break;
    case twBitRoll: dialog = new TDlgRotate(window, false); break;
    case twByteRoll: dialog = new TDlgRotate(window, true); break;
    default: return nullptr;
  }
  return TToolDialog::Create(dialog, window.Handle());
}

}  // namespace ovx
