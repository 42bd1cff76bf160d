#include "editor/win32/DlgSetting.h"

#include <vector>

#include "charset/StrUty.h"
#include "shell/win32/WindowDpi.h"
#include "shell/win32/Win32UserPrompt.h"

namespace ovx {
namespace {

// Design positions at 96 DPI.
constexpr int kRowTop = 6, kRowHeight = 19, kLabelX = 12, kFirstButtonX = 164, kButtonStep = 73, kWideStep = 160;
constexpr int kOkX = 352, kCancelX = 440, kButtonY = kRowTop + LumpRowCount * kRowHeight + 6;
// The five character sets each take the room their captions need ("Shift-JIS" is the longest),
// so no caption runs into the next circle.
constexpr int kFiveSteps[5] = {66, 86, 58, 74, 80};

// Where an option's button starts and how wide it is, from the row's first button.
POINT OptionSpan(int options, int option) {
  if (options == 2) return {option * kWideStep, kWideStep - 2};
  if (options != 5) return {option * kButtonStep, kButtonStep - 2};
  int x = 0;
  for (int i = 0; i < option; ++i) x += kFiveSteps[i];
  return {x, kFiveSteps[option] - 2};
}

struct TDialogState {
  POINT topLeft;
  int dpi;
  TLumpSettings* settings;
  HFONT font = nullptr;
  int Scaled(int pixels) const { return MulDiv(pixels, dpi, 96); }
};

void Build(HWND dialog, TDialogState& s) {
  s.font = CreateUiFont(s.dpi);
  SetWindowTextW(dialog, L"設定");
  RECT frame = {0, 0, s.Scaled(TDlgSetting::kClientWidth), s.Scaled(TDlgSetting::kClientHeight)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  SetWindowPos(dialog, nullptr, s.topLeft.x, s.topLeft.y, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOZORDER);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  auto child = [&](const wchar_t* cls, const std::string& text, DWORD style, int x, int y, int w, int h, int id) {
    HWND c = CreateWindowExW(0, cls, Utf8ToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style, s.Scaled(x),
                             s.Scaled(y), s.Scaled(w), s.Scaled(h), dialog,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(s.font), FALSE);
    return c;
  };
  for (int row = 0; row < LumpRowCount; ++row) {
    const TLumpRow& r = LumpRows()[row];
    const int y = kRowTop + row * kRowHeight;
    child(L"STATIC", r.label, SS_LEFT, kLabelX, y + 2, kFirstButtonX - kLabelX - 4, 14, -1);
    const int checked = LumpOption(*s.settings, row);
    for (int option = 0; option < r.options; ++option) {
      const POINT span = OptionSpan(r.options, option);
      HWND b = child(L"BUTTON", r.captions[option], BS_AUTORADIOBUTTON | (option == 0 ? WS_GROUP | WS_TABSTOP : 0),
                     kFirstButtonX + span.x, y, span.y, 17, TDlgSetting::ButtonId(row, option));
      SendMessageW(b, BM_SETCHECK, option == checked ? BST_CHECKED : BST_UNCHECKED, 0);
      // A view-only window keeps its input mode.
      if (row == LumpInputModeRow && s.settings->viewOnly) EnableWindow(b, FALSE);
    }
  }
  child(L"BUTTON", "決定", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, kOkX, kButtonY, 80, 24, IDOK);
  child(L"BUTTON", "キャンセル", BS_PUSHBUTTON | WS_TABSTOP, kCancelX, kButtonY, 80, 24, IDCANCEL);
}

void TakeChecks(HWND dialog, TLumpSettings& settings) {
  for (int row = 0; row < LumpRowCount; ++row)
    for (int option = 0; option < LumpRows()[row].options; ++option)
      if (IsDlgButtonChecked(dialog, TDlgSetting::ButtonId(row, option)) == BST_CHECKED)
        SetLumpOption(settings, row, option);
}

INT_PTR CALLBACK Procedure(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  auto* s = reinterpret_cast<TDialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lp);
      Build(dialog, *reinterpret_cast<TDialogState*>(lp));
      return TRUE;
    case WM_DPICHANGED:
      if (s) ApplyNewDpi(dialog, HIWORD(wp), *reinterpret_cast<const RECT*>(lp), s->dpi, s->font);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
        if (LOWORD(wp) == IDOK && s) TakeChecks(dialog, *s->settings);
        EndDialog(dialog, LOWORD(wp));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

bool TDlgSetting::Run(HWND owner, POINT topLeft, int dpi, TLumpSettings& settings) {
  // An empty template: a plain dialog frame without a title bar; the rows are made at start.
  std::vector<WORD> dialogTemplate(16, 0);
  auto* t = reinterpret_cast<DLGTEMPLATE*>(dialogTemplate.data());
  t->style = WS_POPUP | WS_BORDER | DS_MODALFRAME | WS_SYSMENU;
  t->cdit = 0;
  TDialogState state{topLeft, dpi > 0 ? dpi : 96, &settings};
  TModalScope modal;
  const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t, owner, Procedure,
                                                 reinterpret_cast<LPARAM>(&state));
  if (state.font) DeleteObject(state.font);
  return answer == IDOK;
}

}  // namespace ovx
