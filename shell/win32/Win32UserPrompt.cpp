#include "shell/win32/Win32UserPrompt.h"

#include "charset/StrUty.h"
#include "shell/ShellTexts.h"

namespace ovx {

namespace {

int modalDepth = 0;
// The window whose prompt asks now, if any.
HWND windowAsking = nullptr;

UINT SoundOf(TMsgDlgType kind) {
  switch (kind) {
    case mtWarning: return MB_ICONEXCLAMATION;
    case mtError: return MB_ICONHAND;
    case mtInformation: return MB_ICONASTERISK;
    case mtConfirmation: return MB_ICONQUESTION;
    default: return 0xFFFFFFFF;  // simple beep
  }
}

const wchar_t* TitleOf(TMsgDlgType kind) {
  switch (kind) {
    case mtWarning: return L"警告";
    case mtError: return L"エラー";
    case mtInformation: return L"情報";
    case mtConfirmation: return L"確認";
    default: return L"Orvanta";
  }
}

UINT IconOf(TMsgDlgType kind) {
  switch (kind) {
    case mtWarning: return MB_ICONWARNING;
    case mtError: return MB_ICONERROR;
    case mtInformation: return MB_ICONINFORMATION;
    case mtConfirmation: return MB_ICONQUESTION;
    default: return 0;
  }
}

// The standard box that offers the asked buttons; OK alone when the set has no standard box.
UINT ButtonsOf(unsigned b) {
  if ((b & mbYes) && (b & mbNo)) return (b & mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
  if (b & mbAbort) return MB_ABORTRETRYIGNORE;
  if ((b & mbRetry) && (b & mbCancel)) return MB_RETRYCANCEL;
  if ((b & mbOK) && (b & mbCancel)) return MB_OKCANCEL;
  return MB_OK;
}

TModalResult ResultOf(int id) {
  switch (id) {
    case IDOK: return mrOk;
    case IDCANCEL: return mrCancel;
    case IDABORT: return mrAbort;
    case IDRETRY: return mrRetry;
    case IDIGNORE: return mrIgnore;
    case IDYES: return mrYes;
    case IDNO: return mrNo;
    default: return mrNone;
  }
}

// The box belongs to the window it is about, else to the window the user is working in,
// when it is ours.
HWND OwnerForBox() {
  if (windowAsking && IsWindow(windowAsking)) return windowAsking;
  HWND active = GetActiveWindow();
  return active && IsWindowVisible(active) ? active : nullptr;
}

}  // namespace

int ModalDepth() { return modalDepth; }
TModalScope::TModalScope() { ++modalDepth; }
TModalScope::~TModalScope() { --modalDepth; }

TModalResult TWin32UserPrompt::MessageDlgBeep(const std::string& text, TMsgDlgType kind, unsigned buttons) {
  MessageBeep(SoundOf(kind));
  return MessageDlg(text, kind, buttons);
}

TModalResult TWin32UserPrompt::MessageDlg(const std::string& text, TMsgDlgType kind, unsigned buttons) {
  TModalScope modal;
  int id = MessageBoxW(OwnerForBox(), Utf8ToWide(text).c_str(), TitleOf(kind),
                       IconOf(kind) | ButtonsOf(buttons) | MB_SETFOREGROUND);
  return ResultOf(id);
}

void TWin32UserPrompt::ShowFailure(const std::string& caption, const std::string& text, bool ownerless) {
  MessageBeep(MB_OK);
  TModalScope modal;
  MessageBoxW(ownerless ? nullptr : applicationWindow_, Utf8ToWide(text).c_str(), Utf8ToWide(caption).c_str(), MB_OK);
}

void TWin32UserPrompt::Beep() { MessageBeep(MB_OK); }

template <typename Ask>
TModalResult TWindowUserPrompt::AskAsOwner(Ask&& ask) {
  // Another window's question may come up while this one waits: each keeps its own owner.
  const HWND outer = windowAsking;
  windowAsking = owner_;
  ++asking_;
  const TModalResult answer = ask();
  --asking_;
  windowAsking = outer;
  return answer;
}

TModalResult TWindowUserPrompt::MessageDlgBeep(const std::string& text, TMsgDlgType kind, unsigned buttons) {
  return AskAsOwner([&] { return prompt_.MessageDlgBeep(text, kind, buttons); });
}

TModalResult TWindowUserPrompt::MessageDlg(const std::string& text, TMsgDlgType kind, unsigned buttons) {
  return AskAsOwner([&] { return prompt_.MessageDlg(text, kind, buttons); });
}

void TWindowUserPrompt::ShowFailure(const std::string& caption, const std::string& text, bool ownerless) {
  prompt_.ShowFailure(caption, text, ownerless);
}

void TWindowUserPrompt::Beep() { prompt_.Beep(); }

}  // namespace ovx
