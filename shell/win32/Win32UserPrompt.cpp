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

// OK with 中止(&A): no standard box has the pair, so the OK/Cancel box shows it with its second
// button renamed, and that button (or Esc, or the close box) answers Abort.
bool IsOkAbort(unsigned b) { return (b & mbOK) && (b & mbAbort) && !(b & (mbRetry | mbIgnore | mbCancel)); }

LRESULT CALLBACK RenameCancelToAbort(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wp);
    wchar_t kind[16] = {};
    GetClassNameW(box, kind, 16);
    if (lstrcmpW(kind, L"#32770") == 0 && GetDlgItem(box, IDCANCEL)) SetDlgItemTextW(box, IDCANCEL, L"中止(&A)");
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

// The standard box that offers the asked buttons; OK alone when the set has no standard box.
UINT ButtonsOf(unsigned b) {
  if (IsOkAbort(b)) return MB_OKCANCEL;
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
  const bool okAbort = IsOkAbort(buttons);
  HHOOK rename = okAbort ? SetWindowsHookExW(WH_CBT, RenameCancelToAbort, nullptr, GetCurrentThreadId()) : nullptr;
  int id = MessageBoxW(OwnerForBox(), Utf8ToWide(text).c_str(), TitleOf(kind),
                       IconOf(kind) | ButtonsOf(buttons) | MB_SETFOREGROUND);
  if (rename) UnhookWindowsHookEx(rename);
  if (okAbort && id == IDCANCEL) return mrAbort;
  return ResultOf(id);
}

void TWin32UserPrompt::ShowFailure(const std::string& caption, const std::string& text, bool ownerless) {
  MessageBeep(MB_OK);
  TModalScope modal;
  MessageBoxW(ownerless ? nullptr : applicationWindow_, Utf8ToWide(text).c_str(), Utf8ToWide(caption).c_str(), MB_OK);
}

namespace {

// A test run that wants to hear the beeps names a file in OVX_BEEP_LOG: each beep adds a line.
void NoteBeep() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"OVX_BEEP_LOG", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, "beep\r\n", 6, &written, nullptr);
  CloseHandle(file);
}

}  // namespace

void TWin32UserPrompt::Beep() {
  MessageBeep(MB_OK);
  NoteBeep();
}

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
