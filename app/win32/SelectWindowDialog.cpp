#include "app/win32/SelectWindowDialog.h"

#include "charset/StrUty.h"

namespace ovx {

namespace {
const int kList = 101;
}  // namespace

TDlgSelectWindow::TDlgSelectWindow(std::vector<std::string> lines, const std::wstring& caption, HWND reference)
    : TCodeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME, {400, 184},
                  caption.empty() ? L"編集ファイルの選択" : caption),
      lines_(std::move(lines)),
      reference_(reference) {}

std::optional<int> TDlgSelectWindow::Choose(HINSTANCE instance, HWND owner) {
  if (RunModal(instance, owner) != IDOK || chosen_ < 0) return std::nullopt;
  return chosen_;
}

void TDlgSelectWindow::OnCreate() {
  HWND list = AddControl(L"LISTBOX", L"", WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                         8, 8, 384, 136, kList);
  AddControl(L"BUTTON", L"決定", WS_TABSTOP | BS_DEFPUSHBUTTON, 232, 152, 75, 25, IDOK);
  AddControl(L"BUTTON", L"キャンセル", WS_TABSTOP | BS_PUSHBUTTON, 317, 152, 75, 25, IDCANCEL);
  for (const std::string& line : lines_) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(line).c_str()));
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  PlaceOver(reference_);
}

int TDlgSelectWindow::SelectedLine() const {
  const LRESULT line = SendMessageW(Item(kList), LB_GETCURSEL, 0, 0);
  return line == LB_ERR ? -1 : static_cast<int>(line);
}

void TDlgSelectWindow::OnCommand(int id, int code, HWND) {
  switch (id) {
    case IDOK:
      chosen_ = SelectedLine();
      End(IDOK);
      break;
    case IDCANCEL:
      End(IDCANCEL);
      break;
    case kList:
      if (code == LBN_DBLCLK && SelectedLine() >= 0) {
        chosen_ = SelectedLine();
        End(IDOK);
      }
      break;
    default:
      break;
  }
}

}  // namespace ovx
