// The system's message box as the program's prompt shows it: a line of text without blanks is
// never broken inside a word for want of room.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "charset/StrUty.h"
#include "shell/win32/Win32UserPrompt.h"

namespace ovx {
namespace {

struct TSeen {
  int fieldWidth = -1, lineWidth = -1;
  RECT box = {};
};
TSeen seen;

// Once the box stands: its text field's width and the width its first line needs in its font.
void CALLBACK MeasureAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowW(L"#32770", L"情報");
  if (!box) return;
  KillTimer(nullptr, timer);
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[16] = {}, text[256] = {};
    GetClassNameW(child, name, 16);
    if (lstrcmpiW(name, L"Static") != 0 || GetWindowTextW(child, text, 256) == 0) continue;
    RECT field = {}, line = {};
    GetClientRect(child, &field);
    HDC dc = GetDC(child);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
    DrawTextW(dc, text, static_cast<int>(wcscspn(text, L"\r")), &line, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(child, dc);
    seen.fieldWidth = field.right;
    seen.lineWidth = line.right;
  }
  GetWindowRect(box, &seen.box);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(UserPromptBox, ALongLineWithoutBlanksHasRoomInTheBoxAsFarAsTheScreenGoes) {
  const std::string notice = "指定ファイルの拡張子は閲覧専用に設定されています.";
  for (int repeat : {1, 4}) {
    std::string line;
    for (int i = 0; i < repeat; ++i) line += notice;
    seen = {};
    SetTimer(nullptr, 0, 50, MeasureAndClose);
    TWin32UserPrompt prompt;
    prompt.MessageDlg(line + "\r\n閲覧モードで開きます.", mtInformation, mbOK);
    ASSERT_GT(seen.lineWidth, 0) << repeat;
    RECT area = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_GE(seen.box.left, area.left) << repeat;
    EXPECT_LE(seen.box.right, area.right) << repeat;
    if (seen.lineWidth < (area.right - area.left) / 2) EXPECT_GE(seen.fieldWidth, seen.lineWidth) << repeat;
  }
}

}  // namespace
}  // namespace ovx
