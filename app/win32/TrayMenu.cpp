// The notification icon of the main process window and its popup menu.
#include <windows.h>

#include <shellapi.h>

#include "charset/StrUty.h"
#include "editor/win32/FileDialogs.h"
#include "shell/SettingsLists.h"
#include "shell/ShellTexts.h"
#include "shell/win32/Help.h"
#include "app/win32/MainProcessWindow.h"
#include "app/TrayMenuIds.h"
#include "app/win32/AppResources.h"

namespace ovx {

namespace {

const UINT kTrayIconId = 1;

void SetItemImage(HMENU menu, UINT id, HBITMAP image) {
  MENUITEMINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_BITMAP;
  info.hbmpItem = image;
  SetMenuItemInfoW(menu, id, FALSE, &info);
}

void EmptyMenu(HMENU menu) {
  while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
}

// Items for list entries of the kind (history or window); an item with index -1 is "& : more...".
void FillSubmenu(HMENU submenu, const std::vector<TSubmenuItem>& items, TTrayItemKind kind,
                 const std::vector<HBITMAP>& images) {
  EmptyMenu(submenu);
  for (const TSubmenuItem& item : items) {
    const TTrayItemRef ref = item.index >= 0 ? TTrayItemRef{kind, item.index} : TTrayItemRef{tikMoreWindows};
    std::optional<unsigned> id = TrayItemId(ref);
    if (!id) continue;  // past the last id
    std::wstring caption = Utf8ToWide(item.caption);
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
    info.wID = *id;
    info.dwTypeData = caption.data();
    info.hbmpItem = item.image >= 0 && item.image < static_cast<int>(images.size()) ? images[item.image] : nullptr;
    InsertMenuItemW(submenu, GetMenuItemCount(submenu), TRUE, &info);
  }
}

// The pictures of the menu's image list, drawn at 16 x 16.
HBITMAP DrawImage(HDC screen, int index) {
  const int s = 16;
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, s, s);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  RECT all = {0, 0, s, s};
  FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(64, 64, 64));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  auto box = [&](int l, int t, int r, int b, COLORREF fill) {
    HBRUSH brush = CreateSolidBrush(fill);
    HGDIOBJ old = SelectObject(dc, brush);
    Rectangle(dc, l, t, r, b);
    SelectObject(dc, old);
    DeleteObject(brush);
  };
  auto disc = [&](COLORREF fill) {
    HBRUSH brush = CreateSolidBrush(fill);
    HGDIOBJ old = SelectObject(dc, brush);
    Ellipse(dc, 1, 1, 15, 15);
    SelectObject(dc, old);
    DeleteObject(brush);
  };
  auto glyph = [&](const wchar_t* text, COLORREF color) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    DrawTextW(dc, text, -1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  };
  switch (index) {
    case 0:  // new: a blank page
      box(3, 1, 13, 15, RGB(255, 255, 255));
      break;
    case 1:  // open: a folder
      box(1, 4, 15, 14, RGB(240, 200, 80));
      box(1, 3, 7, 5, RGB(240, 200, 80));
      break;
    case 2:  // history: a clock
      disc(RGB(255, 255, 255));
      MoveToEx(dc, 8, 8, nullptr);
      LineTo(dc, 8, 3);
      MoveToEx(dc, 8, 8, nullptr);
      LineTo(dc, 12, 8);
      break;
    case 3:  // window: a frame with a title bar
      box(1, 2, 15, 14, RGB(255, 255, 255));
      box(1, 2, 15, 5, RGB(0, 0, 160));
      break;
    case 4:  // more: three windows
      box(1, 1, 10, 8, RGB(255, 255, 255));
      box(4, 4, 13, 11, RGB(255, 255, 255));
      box(7, 7, 15, 15, RGB(255, 255, 255));
      break;
    case 5:  // help
      disc(RGB(255, 255, 160));
      glyph(L"?", RGB(0, 0, 160));
      break;
    case 6:  // options: a gear-like wheel
      disc(RGB(192, 192, 192));
      box(6, 6, 10, 10, RGB(255, 255, 255));
      break;
    case 7:  // quit all: a red cross
      disc(RGB(220, 40, 40));
      glyph(L"x", RGB(255, 255, 255));
      break;
    case 9:  // empty, for items without a picture of their own
      break;
    default:  // version: information
      disc(RGB(40, 90, 200));
      glyph(L"i", RGB(255, 255, 255));
      break;
  }
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  SelectObject(dc, oldBitmap);
  DeleteDC(dc);
  return bitmap;
}

}  // namespace

void TMainProcessWindow::LoadMenuImages() {
  if (!menuImages_.empty()) return;
  HDC screen = GetDC(nullptr);
  for (int i = 0; i <= 9; ++i) menuImages_.push_back(DrawImage(screen, i));
  ReleaseDC(nullptr, screen);
}

void TMainProcessWindow::SetTrayIcon(bool on) {
  if (on == trayIconShown_) return;
  trayIconShown_ = on;
  NOTIFYICONDATAW data = {};
  data.cbSize = sizeof data;
  data.hWnd = hwnd_;
  data.uID = kTrayIconId;
  if (on) {
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = smallIcon_ ? smallIcon_ : LoadIconW(instance_, MAKEINTRESOURCEW(1));
    lstrcpynW(data.szTip, Utf8ToWide(title_).c_str(), 64);
    Shell_NotifyIconW(NIM_ADD, &data);
  } else {
    Shell_NotifyIconW(NIM_DELETE, &data);
  }
}

void TMainProcessWindow::OnTrayMessage(LPARAM mouse) {
  POINT at = {};
  GetCursorPos(&at);
  switch (LOWORD(mouse)) {
    case WM_LBUTTONDBLCLK:
      if (IsBusy()) {
        MessageBeep(MB_OK);
      } else if (TOvnxBinaryFormWClass* w = NewEditorWindow()) {
        w->BringToFront();
      }
      break;
    case WM_RBUTTONDOWN:
      if (IsBusy())
        MessageBeep(MB_OK);
      else
        ShowTrayMenu(at);
      break;
    default:
      break;
  }
}

void TMainProcessWindow::ShowTrayMenu(POINT at) {
  if (!trayMenu_) {
    trayMenu_ = LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_TRAY_MENU));
    if (!trayMenu_) return;
    LoadMenuImages();
    HMENU popup = GetSubMenu(trayMenu_, 0);
    const std::pair<UINT, int> images[] = {{IDM_TRAY_NEW, 0},    {IDM_TRAY_OPEN, 1},    {IDM_TRAY_HELP, 5},
                                           {IDM_TRAY_OPTION, 6}, {IDM_TRAY_ALLQUIT, 7}, {IDM_TRAY_VERSION, 8}};
    for (const auto& [id, image] : images) SetItemImage(popup, id, menuImages_[image]);
    // The submenu heads carry an empty picture like their neighbours: Wine measures an item
    // without one short of its caption, which the submenu arrow then covered.
    for (UINT position : {TRAY_POS_HISTORY, TRAY_POS_WINDOW}) {
      MENUITEMINFOW info = {};
      info.cbSize = sizeof info;
      info.fMask = MIIM_BITMAP;
      info.hbmpItem = menuImages_[9];
      SetMenuItemInfoW(popup, position, TRUE, &info);
    }
  }
  HMENU popup = GetSubMenu(trayMenu_, 0);
  RebuildHistorySubmenu(GetSubMenu(popup, TRAY_POS_HISTORY));
  RebuildWindowSubmenu(GetSubMenu(popup, TRAY_POS_WINDOW));
  EnableMenuItem(popup, TRAY_POS_HISTORY, MF_BYPOSITION | (store_->History().Count() == 0 ? MF_GRAYED : MF_ENABLED));
  EnableMenuItem(popup, TRAY_POS_WINDOW, MF_BYPOSITION | (EditorWindowCount() == 0 ? MF_GRAYED : MF_ENABLED));

  SetForegroundWindow(hwnd_);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  ReleaseCapture();
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
  // The menu closes properly on the next click elsewhere only after a message to its window.
  PostMessageW(hwnd_, WM_NULL, 0, 0);
}

void TMainProcessWindow::RebuildHistorySubmenu(HMENU submenu) {
  std::vector<std::string> names;
  for (size_t i = 0; i < store_->History().Count(); ++i) names.push_back(store_->History().Entry(i));
  FillSubmenu(submenu, HistorySubmenuItems(names), tikHistory, menuImages_);
}

void TMainProcessWindow::RebuildWindowSubmenu(HMENU submenu) {
  std::vector<std::string> names;
  for (TOvnxBinaryFormWClass* w : windows_.Items()) names.push_back(w->FileName());
  FillSubmenu(submenu, WindowSubmenuItems(names), tikWindow, menuImages_);
}

void TMainProcessWindow::OnTrayCommand(UINT id) {
  const TTrayItemRef item = TrayItemOfId(id);
  switch (item.kind) {
    case tikHistory:
      OpenHistoryEntry(item.index);
      return;
    case tikWindow:
      if (TOvnxBinaryFormWClass* w = EditorWindowAt(item.index)) w->BringToFront();
      return;
    case tikMoreWindows:
      if (TOvnxBinaryFormWClass* w = SelectEditorWindow(L"ウィンドウ一覧", nullptr)) w->BringToFront();
      return;
    case tikNone:
      break;
  }
  switch (id) {
    case IDM_TRAY_NEW:
      NewEditorWindow();
      break;
    case IDM_TRAY_OPEN:
      OpenWithDialog();
      break;
    case IDM_TRAY_HELP:
      ShowHelp(hwnd_, WideToUtf8(helpFile_), hcContents, prompt_);
      break;
    case IDM_TRAY_ALLQUIT:
      QuitAll();
      break;
    case IDM_TRAY_OPTION:
      ShowOptionsDialog();
      break;
    case IDM_TRAY_VERSION:
      ShowVersionDialog(nullptr);
      break;
    default:
      break;
  }
}

void TMainProcessWindow::OpenHistoryEntry(int index) {
  THistoryList& history = store_->History();
  if (index < 0 || index >= static_cast<int>(history.Count())) return;
  MessageBeep(MB_OK);
  std::string name = history.Entry(index);
  if (TOvnxBinaryFormWClass* w = FindEditorWindow(name)) {
    w->BringToFront();
    return;
  }
  DWORD attributes = GetFileAttributesW(Utf8ToWide(name).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    OpenEditorWindow(name);
    return;
  }
  prompt_.MessageDlgBeep(MissingHistoryFileMessage(name), mtWarning, mbOK);
  // The box let other messages run: the entry goes by its name, wherever it is now.
  RemoveHistoryEntry(name);
  UpdateWindowMenus();
}

void TMainProcessWindow::OpenWithDialog() {
  std::string name;
  // This path does not look for a window that already edits the file.
  if (RunFileDialog(hwnd_, fdOpen, "開く", name, [this](bool open) { SetDialogOpen(open); })) OpenEditorWindow(name);
}

}  // namespace ovx
