#include "editor/win32/FunctionKeyBar.h"

#include "charset/StrUty.h"
#include "editor/FunctionBar.h"

namespace ovx {

bool TFunctionKeyBar::Create(HWND panel, int count, HFONT font) {
  for (int i = 0; i < count; ++i) {
    HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0, panel,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButtonId + i)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!button) return false;
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    buttons_.push_back(button);
  }
  return true;
}

void TFunctionKeyBar::Layout(int panelWidth, int panelHeight) {
  std::vector<TButtonSpan> spans = FunctionBarLayout(Count(), panelWidth);
  for (int i = 0; i < Count(); ++i)
    MoveWindow(buttons_[i], spans[i].left, 0, spans[i].width, panelHeight, TRUE);
}

void TFunctionKeyBar::ShowCaptions(const TFunctionKeyLabels& labels, int shiftState) {
  if (shiftState < 0 || shiftState >= ShiftStateCount) return;
  for (int i = 0; i < Count() && i < MaxFunctionKeyLabels; ++i)
    SetWindowTextW(buttons_[i], Utf8ToWide(labels[shiftState][i]).c_str());
}

int TFunctionKeyBar::ButtonOfId(int id) const {
  int index = id - kFirstButtonId;
  return index >= 0 && index < Count() ? index : -1;
}

}  // namespace ovx
