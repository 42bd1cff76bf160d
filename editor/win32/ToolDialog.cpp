#include "editor/win32/ToolDialog.h"

#include "editor/win32/EditorWindow.h"
#include "shell/LongPath.h"
#include "shell/win32/Help.h"
#include "shell/win32/SettingsPlatform.h"
#include "shell/win32/Win32UserPrompt.h"
#include "shell/win32/WindowDpi.h"

namespace ovx {

namespace {

// Marks the windows of this class among the dialogs of the process.
const wchar_t kToolDialogProperty[] = L"OvnxToolDialog";

constexpr int kButtonWidth = 80, kButtonHeight = 26, kMargin = 8;

}  // namespace

TToolDialog::TToolDialog(const wchar_t* caption, DWORD helpContext, SIZE designClient)
    : caption_(caption), helpContext_(helpContext), design_(designClient) {}

TToolDialog::~TToolDialog() {
  if (font_) DeleteObject(font_);
}

HWND TToolDialog::Create(TToolDialog* dialog, HWND owner) {
  // An empty template: the controls are made in Build at the window's DPI.
  struct alignas(4) TTemplate {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
  } tmpl = {};
  tmpl.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
  tmpl.header.dwExtendedStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
  HWND hwnd = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &tmpl.header, owner, Procedure,
                                         reinterpret_cast<LPARAM>(dialog));
  if (!hwnd) delete dialog;
  return hwnd;
}

TToolDialog* TToolDialog::FromHandle(HWND hwnd) {
  return reinterpret_cast<TToolDialog*>(GetPropW(hwnd, kToolDialogProperty));
}

INT_PTR CALLBACK TToolDialog::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TToolDialog*>(lp);
    SetPropW(hwnd, kToolDialogProperty, self);
    self->hwnd_ = hwnd;
  }
  TToolDialog* self = FromHandle(hwnd);
  if (!self) return FALSE;
  if (msg == WM_NCDESTROY) {
    RemovePropW(hwnd, kToolDialogProperty);
    self->hwnd_ = nullptr;
    delete self;
    return FALSE;
  }
  return self->HandleMessage(msg, wp, lp);
}

INT_PTR TToolDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: {
      dpi_ = WindowDpi(GetWindow(hwnd_, GW_OWNER));
      font_ = CreateUiFont(dpi_);
      SetWindowTextW(hwnd_, caption_);
      SetWindowContextHelpId(hwnd_, helpContext_);
      RECT frame = {0, 0, Scaled(design_.cx), Scaled(design_.cy)};
      AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
      SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      firstFocus_ = Build();
      return FALSE;
    }
    case WM_SHOWWINDOW:
      // The first show hands the focus to the control named for it, once the dialog is active.
      if (wp && firstFocus_) {
        PostMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(firstFocus_), TRUE);
        firstFocus_ = nullptr;
      }
      return FALSE;
    case WM_COMMAND:
    case WM_CLOSE:
      // Disabled while its editor window waits: nothing it would do may happen behind the wait.
      if (!IsWindowEnabled(hwnd_)) {
        ProgramBeep();
        return TRUE;
      }
      if (msg == WM_CLOSE) {
        DestroyWindow(hwnd_);
        return TRUE;
      }
      if (LOWORD(wp) == kRunId && HIWORD(wp) == BN_CLICKED) {
        Run();
        return TRUE;
      }
      if (LOWORD(wp) == kCloseId) {
        DestroyWindow(hwnd_);
        return TRUE;
      }
      return Command(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)) ? TRUE : FALSE;

    case WM_HELP:
      // F1: the dialog's help; a box about it is a wait of the editor window that owns the dialog.
      if (TOvnxBinaryFormWClass* window = TOvnxBinaryFormWClass::FromHandle(GetWindow(hwnd_, GW_OWNER)))
        ShowHelp(hwnd_, ExpandLongPathName(ExecutableFolder()) + "OVX.HLP", static_cast<int>(helpContext_),
                 window->WindowPrompt());
      return TRUE;

    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return TRUE;
  }
  return FALSE;
}

void TToolDialog::OnDpiChanged(int dpi, const RECT& suggested) { ApplyNewDpi(hwnd_, dpi, suggested, dpi_, font_); }

HWND TToolDialog::AddControl(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int id, int x,
                             int y, int width, int height) {
  HWND control = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, Scaled(x), Scaled(y),
                                 Scaled(width), Scaled(height), hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

void TToolDialog::AddButtons(const wchar_t* runText) {
  const int top = design_.cy - kMargin - kButtonHeight;
  const int closeLeft = design_.cx - kMargin - kButtonWidth;
  AddControl(L"BUTTON", runText, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, kRunId, closeLeft - kMargin - kButtonWidth, top,
             kButtonWidth, kButtonHeight);
  AddControl(L"BUTTON", L"閉じる(&C)", BS_PUSHBUTTON | WS_TABSTOP, 0, kCloseId, closeLeft, top, kButtonWidth,
             kButtonHeight);
}

bool IsToolDialogMessage(MSG& msg) {
  if (!msg.hwnd) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  return root && TToolDialog::FromHandle(root) && IsDialogMessageW(root, &msg);
}

}  // namespace ovx
