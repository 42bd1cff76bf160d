// Pictures of every window, panel, strip, tool window and dialog of the program for a person to
// look at, taken on whatever DPI the Wine prefix is set to (scripts/shots-144 runs them at 144).
// Each scene opens one thing over a fresh editor window and saves "dpi<N>-<scene>". A new
// dialog gets its own row in kScenes.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "editor/MenuItems.h"
#include "editor/win32/AllCodeSearchTool.h"
#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

// The driver sees the screen as the program does: in device pixels.
const bool kDpiAware = SetProcessDPIAware() != FALSE;

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

std::wstring BuildFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// The shipped templates beside the program copy, as the build puts them beside ovxmain.exe.
void CopyShippedTemplates() {
  const std::wstring to = ProgramFolder() + L"filer\\";
  CreateDirectoryW(to.c_str(), nullptr);
  WIN32_FIND_DATAW found = {};
  HANDLE find = FindFirstFileW((BuildFolder() + L"filer\\*.OVXF").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    CopyFileW((BuildFolder() + L"filer\\" + found.cFileName).c_str(), (to + found.cFileName).c_str(), FALSE);
  } while (FindNextFileW(find, &found));
  FindClose(find);
}

// A document with something in every column.
HWND OpenSampleWindow() {
  std::string data;
  for (int i = 0; i < 600; ++i) data += static_cast<char>(i * 7);
  data.replace(0, 16, "ABCDEFGH\x82\xA0\x82\xA2\x82\xA4xy");
  return OpenFileWindow(MakeFile(L"sample.bin", data));
}

HWND OpenByCommand(HWND window, TMenuItem item, const std::wstring& caption) {
  PostMenuCommand(window, MenuIdOf(item));
  return WaitForWindow(L"#32770", caption);
}

// A drop-down of the menu bar by its accelerator, once the window is in front (a window raised
// after the drop-down opened would cover it), and the drop-down once it holds its menu.
HWND OpenMenuBarItem(HWND window, wchar_t key) {
  SetForegroundWindow(window);
  WaitUntil([window] { return GetForegroundWindow() == window; });
  PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, key);
  HWND popup = nullptr;
  WaitUntil([&] {
    popup = FindTopWindow(L"#32768", L"", ProcessOf(window));
    return popup && SendMessageW(popup, MN_GETHMENU, 0, 0);
  });
  return popup;
}

// The rotate commands work on a selection: four bytes are selected first.
HWND OpenOverASelection(HWND window, TMenuItem item, const std::wstring& caption) {
  for (int i = 0; i < 4; ++i) PressShortcut(window, VK_RIGHT, MOD_SHIFT);
  return OpenByCommand(window, item, caption);
}

// Turns a tab control to the page as the arrow keys on its tabs do, one step at a time.
void TurnToPage(HWND dialog, int page) {
  HWND tab = FindWindowExW(dialog, nullptr, WC_TABCONTROLW, nullptr);
  auto now = [tab] { return static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0)); };
  for (int step = 0; step < 20 && now() != page; ++step) {
    const int before = now();
    PostMessageW(tab, WM_KEYDOWN, before < page ? VK_RIGHT : VK_LEFT, 0);
    WaitUntil([&] { return now() != before; }, 3000);
  }
}

struct TScene {
  const wchar_t* name;
  // Opens the scene's window over the editor window; null when it did not come.
  std::function<HWND(HWND editor)> open;
};

HWND OptionsPage(HWND editor, int page) {
  HWND dialog = OpenByCommand(editor, miMM_Option, L"環境オプション - Orvanta");
  if (dialog) TurnToPage(dialog, page);
  return dialog;
}

const TScene kScenes[] = {
    {L"editor-window", [](HWND editor) { return editor; }},
    {L"editor-comparing-disk", [](HWND editor) {
       TypeKeys(editor, L"{Home}41");
       PostMenuCommand(editor, MenuIdOf(miMM_ComparePresent));
       return editor;
     }},
    {L"integer-input", [](HWND e) { return OpenByCommand(e, miMM_InputInt, L"整数型定型入力"); }},
    {L"string-input", [](HWND e) { return OpenByCommand(e, miMM_InputStr, L"文字列型定型入力"); }},
    {L"char-input", [](HWND e) { return OpenByCommand(e, miMM_InputChar, L"キャラクタ型定型入力"); }},
    {L"bit-rotate", [](HWND e) { return OpenOverASelection(e, miMM_BitRoll, L"n ビットローテート"); }},
    {L"byte-rotate", [](HWND e) { return OpenOverASelection(e, miMM_ByteRoll, L"n バイトローテート"); }},
    {L"address-jump", [](HWND e) { return OpenByCommand(e, miMM_AddressJump, L"アドレスジャンプ"); }},
    {L"relative-jump", [](HWND e) { return OpenByCommand(e, miMM_RelativeJump, L"相対ジャンプツール"); }},
    {L"all-code-search", [](HWND e) {
       // With a list of hits: 日本 written over the start in Shift-JIS, EUC-JP, UTF-16LE and UTF-8.
       TypeKeys(e, L"{Home}93FA967BC6FCCBDCE5652C67E697A5E69CAC");
       if (!WaitUntil([e] { return CaretAddress(e) == 18; })) return HWND{};
       HWND tool = OpenByCommand(e, miMM_AllCodeSearch, L"全コード検索");
       if (!tool) return tool;
       SendMessageW(GetDlgItem(tool, acText), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"日本"));
       PostMessageW(GetDlgItem(tool, IDOK), BM_CLICK, 0, 0);
       WaitUntil([tool] { return TextOf(GetDlgItem(tool, acStatus)).find(L" 件 (") != std::wstring::npos; });
       return tool;
     }},
    {L"lump-setting", [](HWND e) { return OpenByCommand(e, miMM_LumpSetting, L"設定"); }},
    {L"file-menu", [](HWND e) { return OpenMenuBarItem(e, 'f'); }},
    {L"help-menu", [](HWND e) { return OpenMenuBarItem(e, 'h'); }},
    {L"tray-menu", [](HWND) {
       // The notification-area icon's right click (the menu opens at the cursor).
       SetCursorPos(MulDiv(600, ScreenDpi(), 96), MulDiv(420, ScreenDpi(), 96));
       PostMessageW(MainProcessWindow(), WM_USER + 1, 1, WM_RBUTTONDOWN);
       return WaitForWindow(L"#32768", L"");
     }},
    {L"info-mode-menu", [](HWND e) {
       // A click in the middle of the status bar's icon panel, which begins 236 + 2 pixels in.
       HWND bar = FindWindowExW(e, nullptr, STATUSCLASSNAMEW, nullptr);
       if (!bar) return HWND{};
       const LPARAM at = MAKELPARAM(MulDiv(244, ScreenDpi(), 96), 8);
       PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
       PostMessageW(bar, WM_LBUTTONUP, 0, at);
       return WaitForWindow(L"#32768", L"");
     }},
    {L"search", [](HWND e) { return OpenByCommand(e, miMM_SearchData, L"検索"); }},
    {L"replace", [](HWND e) { return OpenByCommand(e, miMM_ReplaceData, L"置換"); }},
    {L"filer-open", [](HWND e) { return OpenByCommand(e, miMM_Filer, L"Orvanta ファイラーを開く"); }},
    {L"filer-tool", [](HWND e) {
       HWND open = OpenByCommand(e, miMM_Filer, L"Orvanta ファイラーを開く");
       if (!open) return open;
       PressKeys(open, L"SAMPLE{Enter}");
       return WaitForWindow(L"TToolFiler", L"会員レコード - ファイラーツール");
     }},
    {L"options-1-general", [](HWND e) { return OptionsPage(e, 0); }},
    {L"options-2-edit", [](HWND e) { return OptionsPage(e, 1); }},
    {L"options-3-view", [](HWND e) { return OptionsPage(e, 2); }},
    {L"options-4-window", [](HWND e) { return OptionsPage(e, 3); }},
    {L"options-5-colour", [](HWND e) { return OptionsPage(e, 4); }},
    {L"options-6-key", [](HWND e) { return OptionsPage(e, 5); }},
    {L"window-list", [](HWND e) { return OpenByCommand(e, miMM_WindowList, L"ウィンドウ一覧"); }},
    {L"shortcut-maintenance",
     [](HWND e) { return OpenByCommand(e, miMM_ShortCutMaintenance, L"Orvanta ショートカットメンテナンス"); }},
    {L"version", [](HWND e) { return OpenByCommand(e, miMM_Version, L"バージョン情報"); }},
    {L"close-question", [](HWND e) {
       TypeKeys(e, L"{Home}41");
       if (!WaitUntil([e] { return StatusPanelText(e, 0) == L"変更"; })) return HWND{};
       CloseEditorWindow(e);
       auto box = WaitForMessageBox(L"確認", ProcessOf(e));
       return box ? box->hwnd : nullptr;
     }},
};

class DpiShots : public EditorTest, public ::testing::WithParamInterface<TScene> {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    CopyShippedTemplates();
  }
};

TEST_P(DpiShots, Scene) {
  ASSERT_TRUE(kDpiAware);
  HWND editor = OpenSampleWindow();
  ASSERT_NE(editor, nullptr);
  HWND shown = GetParam().open(editor);
  ASSERT_NE(shown, nullptr) << "the scene's window did not come";
  Screenshot(L"dpi" + std::to_wstring(ScreenDpi()) + L"-" + GetParam().name);
}

std::string SceneName(const ::testing::TestParamInfo<TScene>& info) {
  std::string name;
  for (const wchar_t* c = info.param.name; *c; ++c) name += *c == L'-' ? '_' : static_cast<char>(*c);
  return name;
}

INSTANTIATE_TEST_SUITE_P(Every, DpiShots, ::testing::ValuesIn(kScenes), SceneName);

}  // namespace
}  // namespace ovx::e2e
