#include "editor/win32/EditorWindow.h"

#include <windows.h>

#include <commdlg.h>

#include <vector>

#include "charset/StrUty.h"
#include "shell/ShellTexts.h"

namespace ovx {

const wchar_t TOvnxBinaryFormWClass::kClassName[] = L"TOvnxBinaryFormWClass";

namespace {

const DWORD kStyle = WS_OVERLAPPEDWINDOW;
const DWORD kExStyle = WS_EX_ACCEPTFILES;

// The file's modification stamp as a packed local date and time; -1 when it cannot be read.
std::int32_t FileAgeOf(const std::string& name) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(Utf8ToWide(name).c_str(), GetFileExInfoStandard, &data)) return -1;
  FILETIME local;
  WORD date = 0, time = 0;
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &date, &time))
    return -1;
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(date) << 16) | time);
}

bool IsExistingFile(const std::string& name) {
  DWORD attributes = GetFileAttributesW(Utf8ToWide(name).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool TOvnxBinaryFormWClass::RegisterWindowClass(HINSTANCE instance, HICON icon, HICON smallIcon) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hIconSm = smallIcon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc) != 0;
}

TOvnxBinaryFormWClass* TOvnxBinaryFormWClass::FromHandle(HWND hwnd) {
  wchar_t name[64];
  if (!hwnd || !GetClassNameW(hwnd, name, 64) || wcscmp(name, kClassName) != 0) return nullptr;
  return reinterpret_cast<TOvnxBinaryFormWClass*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

TOvnxBinaryFormWClass::TOvnxBinaryFormWClass(TEditorWindowHost& host) : host_(host) {}

bool TOvnxBinaryFormWClass::FormCreate(HINSTANCE instance) {
  creating_ = true;
  RECT frame = {0, 0, kDefaultClientWidth, kDefaultClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  std::wstring caption = Utf8ToWide(EditorWindowCaption("", host_.ApplicationTitle()));
  // Desktop as parent and no owner window: every editor window has its own taskbar button.
  hwnd_ = CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, this);
  creating_ = false;
  return hwnd_ != nullptr;
}

void TOvnxBinaryFormWClass::SetFileName(const std::string& name) {
  fileName_ = name;
  SetWindowTextW(hwnd_, Utf8ToWide(EditorWindowCaption(name, host_.ApplicationTitle())).c_str());
  if (!name.empty()) host_.AddHistory(name);
  if (!creating_) host_.UpdateWindowMenus();
}

void TOvnxBinaryFormWClass::LoadIntoWindow(const std::string& requested) {
  std::string name = host_.LongPathName(requested);
  if (IsExistingFile(name)) {
    SetFileName(name);
    int error = document_.LoadFromFile(name);
    if (error != 0)
      host_.Prompt().MessageDlgBeep(name + " の読み込みに失敗しました.", mtError, mbOK);
    fileAge_ = FileAgeOf(name);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
  host_.DocumentFileChanged(*this, name);
}

void TOvnxBinaryFormWClass::ShowAndRepaint() {
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
}

void TOvnxBinaryFormWClass::BringToFront() {
  if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  SetForegroundWindow(hwnd_);
}

void TOvnxBinaryFormWClass::SetClientSize(int width, int height) {
  RECT frame = {0, 0, width, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), GetMenu(hwnd_) != nullptr,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TOvnxBinaryFormWClass::ClientSize(int& width, int& height) const {
  RECT client = {};
  GetClientRect(hwnd_, &client);
  width = client.right;
  height = client.bottom;
}

void TOvnxBinaryFormWClass::RunCloseCommand() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

void TOvnxBinaryFormWClass::RunSaveCommand() {
  if (!Modified() || viewOnly_) return;
  std::string name = fileName_;
  if (name.empty()) {
    if (!AskSaveName(name)) return;
    name = host_.LongPathName(name);
    SetFileName(name);
    host_.DocumentFileChanged(*this, name);
  }
  SaveTo(name);
}

bool TOvnxBinaryFormWClass::SaveTo(const std::string& name) {
  int error = document_.SaveToFile(name);
  if (error != 0) {
    host_.Prompt().MessageDlgBeep(name + " の書き込みに失敗しました.", mtError, mbOK);
    return false;
  }
  document_.SetModified(0);
  return true;
}

bool TOvnxBinaryFormWClass::AskSaveName(std::string& name) {
  std::vector<wchar_t> buffer(MAX_PATH * 4, L'\0');
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = hwnd_;
  ofn.lpstrFilter = L"全てのファイル (*.*)\0*.*\0";
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrTitle = L"保存";
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER;
  host_.SetDialogOpen(true);
  BOOL ok = GetSaveFileNameW(&ofn);
  host_.SetDialogOpen(false);
  if (!ok) return false;
  name = WideToUtf8(buffer.data());
  return true;
}

bool TOvnxBinaryFormWClass::QuerySaveOnClose() {
  if (!Modified()) return true;
  TModalResult answer = host_.Prompt().MessageDlgBeep(
      WindowEntryText(fileName_) + " は更新されています.\r\n閉じる前に保存しますか？", mtConfirmation,
      mbYes | mbNo | mbCancel);
  if (answer == mrNo) return true;
  if (answer != mrYes) return false;
  std::string name = fileName_;
  if (name.empty()) {
    if (!AskSaveName(name)) return false;
    SetFileName(name);
  }
  return SaveTo(name);
}

bool TOvnxBinaryFormWClass::FormCloseQuery() {
  if (!QuerySaveOnClose()) return false;
  host_.DocumentGoingAway(*this);
  return true;
}

// The next window below this one that can take the focus: visible, enabled, not minimised,
// and none of the process's hidden windows.
void TOvnxBinaryFormWClass::ActivateNextWindowBelow() {
  for (HWND w = GetWindow(hwnd_, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == GetDesktopWindow() || !IsWindowVisible(w) || !IsWindowEnabled(w) || IsIconic(w)) continue;
    if (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) continue;
    SetForegroundWindow(w);
    return;
  }
}

void TOvnxBinaryFormWClass::FormClose() {
  document_.OnChange = nullptr;
  document_.OnProgress = nullptr;
  host_.EditorWindowClosed(*this);
  DestroyWindow(hwnd_);
}

LRESULT CALLBACK TOvnxBinaryFormWClass::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<TOvnxBinaryFormWClass*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TOvnxBinaryFormWClass*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    delete self;  // the window is freed on close
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  return self->HandleMessage(msg, wp, lp);
}

LRESULT TOvnxBinaryFormWClass::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      if (FormCloseQuery()) {
        ActivateNextWindowBelow();
        FormClose();
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) host_.HideInactiveDialogs(hwnd_);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace ovx
