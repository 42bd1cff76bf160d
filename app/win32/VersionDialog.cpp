#include "app/win32/VersionDialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include "OvxVersion.h"
#include "app/JpegPicture.h"
#include "app/win32/AppResources.h"
#include "shell/ShellTexts.h"

namespace ovx {

namespace {

constexpr int kWidth = 408, kHeight = 312;
constexpr int kPanelHeight = 264;  // the picture panel; below it the addresses on black
constexpr int kVersionLabel = 101, kWebPageLink = 102, kMailLink = 103;
const wchar_t kVersionText[] = L"Version " OVX_VERSION_TEXT;

bool IsLink(int id) { return id == kWebPageLink || id == kMailLink; }

}  // namespace

TDlgVersion::TDlgVersion(bool openingScreen)
    : TCodeDialog(WS_POPUP, WS_EX_TOPMOST, {kWidth, kHeight}, L"バージョン情報"),
      openingScreen_(openingScreen) {}

TDlgVersion::~TDlgVersion() {
  if (Handle() && !Modal()) DestroyWindow(Handle());
  if (picture_) DeleteObject(picture_);
  if (linkFont_) DeleteObject(linkFont_);
}

// The picture resource decoded into a bitmap; a resource that does not decode leaves none.
void TDlgVersion::LoadPicture() {
  HRSRC found = FindResourceW(Instance(), MAKEINTRESOURCEW(IDR_PRODUCT_PICTURE), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(Instance(), found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return;
  std::optional<TRgbPicture> decoded =
      DecodeJpeg(static_cast<const std::uint8_t*>(bytes), SizeofResource(Instance(), found));
  if (!decoded) return;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = decoded->width;
  info.bmiHeader.biHeight = -decoded->height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  picture_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!picture_) return;
  auto* out = static_cast<std::uint8_t*>(pixels);
  const size_t count = static_cast<size_t>(decoded->width) * decoded->height;
  for (size_t i = 0; i < count; ++i) {
    out[i * 4] = decoded->bgr[i * 3];
    out[i * 4 + 1] = decoded->bgr[i * 3 + 1];
    out[i * 4 + 2] = decoded->bgr[i * 3 + 2];
    out[i * 4 + 3] = 0;
  }
}

void TDlgVersion::AddLink(int id, const std::wstring& text, const wchar_t* hint, int y) {
  HWND link = AddControl(L"STATIC", text, SS_LEFT | SS_NOTIFY, 96, y, 300, 18, id);
  SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_), FALSE);
  TOOLINFOW tool = {};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(link);
  tool.lpszText = const_cast<wchar_t*>(hint);
  SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TDlgVersion::OnCreate() {
  LoadPicture();
  LOGFONTW font = {};
  GetObjectW(Font(), sizeof font, &font);
  font.lfUnderline = TRUE;
  linkFont_ = CreateFontIndirectW(&font);
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, Instance(), nullptr);

  // The version in the picture's top right corner, its text ending 16 pixels from the edge.
  AddControl(L"STATIC", kVersionText, SS_RIGHT, kWidth - 16 - 120, 10, 120, 18, kVersionLabel);
  HWND close = AddControl(L"BUTTON", L"閉じる(&C)", WS_TABSTOP | BS_DEFPUSHBUTTON, kWidth - 16 - 84,
                          kPanelHeight - 12 - 26, 84, 26, IDOK);
  if (openingScreen_) ShowWindow(close, SW_HIDE);
  AddControl(L"STATIC", L"Web Page :", SS_LEFT, 12, kPanelHeight + 6, 80, 18, -1);
  AddControl(L"STATIC", L"E-mail :", SS_LEFT, 12, kPanelHeight + 26, 80, 18, -1);
  AddLink(kWebPageLink, kMakerWebPage, L"作者のウェブページを開きます", kPanelHeight + 6);
  AddLink(kMailLink, kMakerMailAddress, L"作者にメールを送ります", kPanelHeight + 26);

  // Centred on the screen.
  RECT r = {};
  GetWindowRect(Handle(), &r);
  SetWindowPos(Handle(), HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2, 0, 0, SWP_NOSIZE);
}

void TDlgVersion::OnCommand(int id, int code, HWND) {
  if (id == IDOK || id == IDCANCEL) {
    if (!openingScreen_) End(id);
    return;
  }
  if (IsLink(id) && code == STN_CLICKED) {
    const std::wstring target = id == kWebPageLink ? std::wstring(kMakerWebPage)
                                                   : L"mailto:" + std::wstring(kMakerMailAddress);
    ShellExecuteW(Handle(), L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
}

void TDlgVersion::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Handle(), &ps);
  RECT all = {0, 0, Scaled(kWidth), Scaled(kHeight)};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (picture_) {
    BITMAP info = {};
    GetObjectW(picture_, sizeof info, &info);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, picture_);
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 0, 0, Scaled(kWidth), Scaled(kPanelHeight), source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  }
  EndPaint(Handle(), &ps);
}

bool TDlgVersion::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  switch (msg) {
    case WM_PAINT:
      Paint();
      result = TRUE;
      return true;
    case WM_ERASEBKGND:
      result = TRUE;  // Paint covers every pixel
      return true;
    case WM_CTLCOLORSTATIC: {
      // White text straight on the picture or on the black strip.
      HDC dc = reinterpret_cast<HDC>(wp);
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lp));
      SetTextColor(dc, IsLink(id) ? RGB(120, 180, 255) : RGB(255, 255, 255));
      SetBkMode(dc, TRANSPARENT);
      result = reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
      return true;
    }
    case WM_SETCURSOR:
      if (IsLink(GetDlgCtrlID(reinterpret_cast<HWND>(wp)))) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
        result = TRUE;
        return true;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace ovx
