#include "shell/win32/Win32UserPrompt.h"

#include <algorithm>
#include <optional>
#include <vector>

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

// Button sets no standard box offers (中止 alone; 中止 and 再試行, with or without はい; OK, はい or
// 無視 with 中止) are shown in a standard box of as many buttons, captioned anew as it first
// activates; its answers are mapped back. Esc and the close box answer as the box's Cancel
// button does, and in a box of one button as that button.
struct TButtonCaption {
  int id;
  const wchar_t* text;
  TModalResult result;
};
struct TRecaptionedBox {
  UINT style = 0;
  std::vector<TButtonCaption> buttons;
};

std::optional<TRecaptionedBox> RecaptionedBoxOf(unsigned b) {
  // Without these a box of 中止 alone, or of 中止 with はい or 無視, came up with the three buttons
  // 中止, 再試行 and 無視, which answered what the caller never asked.
  if (b == mbAbort) return TRecaptionedBox{MB_OK, {{IDOK, L"中止(&A)", mrAbort}}};
  if (b == (mbYes | mbAbort))
    return TRecaptionedBox{MB_OKCANCEL, {{IDOK, L"はい(&Y)", mrYes}, {IDCANCEL, L"中止(&A)", mrAbort}}};
  if (b == (mbAbort | mbIgnore))
    return TRecaptionedBox{MB_OKCANCEL, {{IDOK, L"中止(&A)", mrAbort}, {IDCANCEL, L"無視(&I)", mrIgnore}}};
  if ((b & mbOK) && (b & mbAbort) && !(b & (mbRetry | mbIgnore | mbCancel)))
    return TRecaptionedBox{MB_OKCANCEL, {{IDOK, L"OK", mrOk}, {IDCANCEL, L"中止(&A)", mrAbort}}};
  if (!(b & mbAbort) || !(b & mbRetry)) return std::nullopt;
  if (b & mbYes)
    return TRecaptionedBox{MB_ABORTRETRYIGNORE,
                           {{IDABORT, L"はい(&Y)", mrYes}, {IDRETRY, L"中止(&A)", mrAbort}, {IDIGNORE, L"再試行(&R)", mrRetry}}};
  return TRecaptionedBox{MB_YESNO, {{IDYES, L"中止(&A)", mrAbort}, {IDNO, L"再試行(&R)", mrRetry}}};
}

// What a box gets as it first activates: new captions for its buttons, and a place above a
// topmost window (the opening screen; the system's box ignores MB_TOPMOST under Wine).
struct TFirstActivation {
  const TRecaptionedBox* recaption = nullptr;
  bool topmost = false;
};
thread_local const TFirstActivation* firstActivation = nullptr;
thread_local HHOOK activationHook = nullptr;

bool IsStatic(HWND control) {
  wchar_t name[16] = {};
  return GetClassNameW(control, name, 16) && lstrcmpiW(name, L"Static") == 0;
}

bool IsIcon(HWND control) { return IsStatic(control) && (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON; }

// The text field of a box: its static control that shows text, not the icon.
HWND BoxTextField(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsStatic(child) && !IsIcon(child) && GetWindowTextLengthW(child) > 0) return child;
  return nullptr;
}

// The system's box gives its text a field of its own width and breaks a longer line wherever it
// runs out of room, inside a word when the line has no blank ("されてい" / "ます."). The field
// and the box grow to the widest line instead (as far as the work area allows), the buttons keep
// their place in the middle and the box its centre.
void WidenForLongestLine(HWND box) {
  HWND field = BoxTextField(box);
  if (!field) return;
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
  HDC dc = GetDC(field);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0)));
  RECT needed = {};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(field, dc);
  RECT fieldRect = {}, frame = {};
  GetWindowRect(field, &fieldRect);
  GetWindowRect(box, &frame);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(box, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& area = monitor.rcWork;
  const int room = (area.right - area.left) - (frame.right - frame.left);
  const int grow = std::min<int>(needed.right + 2 - (fieldRect.right - fieldRect.left), room);
  if (grow <= 0) return;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r = {};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
    if (child == field)
      SetWindowPos(child, nullptr, 0, 0, r.right - r.left + grow, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    else if (!IsIcon(child))  // the buttons move with the middle; the icon left of the text stays
      SetWindowPos(child, nullptr, r.left + grow / 2, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const int left = std::clamp<int>(frame.left - grow / 2, area.left, area.right - (frame.right - frame.left + grow));
  SetWindowPos(box, nullptr, left, frame.top, frame.right - frame.left + grow, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK OnFirstActivation(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE && firstActivation) {
    const HWND box = reinterpret_cast<HWND>(wp);
    WidenForLongestLine(box);
    if (firstActivation->recaption)
      for (const TButtonCaption& c : firstActivation->recaption->buttons) SetDlgItemTextW(box, c.id, c.text);
    if (firstActivation->topmost)
      SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    firstActivation = nullptr;
  }
  return CallNextHookEx(activationHook, code, wp, lp);
}

// The system's box, with what it needs done as it first activates.
int ShowBox(HWND owner, const std::wstring& text, const wchar_t* caption, UINT style, const TFirstActivation& first) {
  // Every box is hooked (its text may need a wider field); a box shown while another waits
  // hooks its own and leaves the other's as it was.
  const TFirstActivation* const outerFirst = firstActivation;
  const HHOOK outerHook = activationHook;
  firstActivation = &first;
  const HHOOK hook = SetWindowsHookExW(WH_CBT, OnFirstActivation, nullptr, GetCurrentThreadId());
  activationHook = hook;
  const int id = MessageBoxW(owner, text.c_str(), caption, style | (first.topmost ? MB_TOPMOST : 0));
  if (hook) UnhookWindowsHookEx(hook);
  activationHook = outerHook;
  firstActivation = outerFirst;
  return id;
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
  const std::optional<TRecaptionedBox> recaptioned = RecaptionedBoxOf(buttons);
  const int id = ShowBox(OwnerForBox(), Utf8ToWide(text), TitleOf(kind),
                         IconOf(kind) | (recaptioned ? recaptioned->style : ButtonsOf(buttons)) | MB_SETFOREGROUND,
                         {recaptioned ? &*recaptioned : nullptr, topmost_});
  if (recaptioned) {
    for (const TButtonCaption& c : recaptioned->buttons)
      if (c.id == id) return c.result;
    // Esc in a box of one button (the system answers IDCANCEL there under Wine).
    return recaptioned->buttons.size() == 1 ? recaptioned->buttons.front().result : mrNone;
  }
  return ResultOf(id);
}

void TWin32UserPrompt::ShowFailure(const std::string& caption, const std::string& text, bool ownerless) {
  MessageBeep(MB_OK);
  TModalScope modal;
  ShowBox(ownerless ? nullptr : applicationWindow_, Utf8ToWide(text), Utf8ToWide(caption).c_str(), MB_OK,
          {nullptr, topmost_});
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

void ProgramBeep() {
  MessageBeep(MB_OK);
  NoteBeep();
}

void TWin32UserPrompt::Beep() { ProgramBeep(); }

template <typename Ask>
TModalResult TWindowUserPrompt::AskAsOwner(Ask&& ask) {
  // Another window's question may come up while this one waits: each keeps its own owner.
  TWaitScope wait(&waits_, wkQuestion, owner_);
  const HWND outer = windowAsking;
  windowAsking = owner_;
  const TModalResult answer = ask();
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
