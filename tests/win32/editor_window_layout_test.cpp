// An editor window on the real platform: its parts and where they stand, the status bar, the
// function-key bar, the size optimisation and the one enabling rule for menus and commands.
#include "tests/win32/editor_fake_host.h"

#include "editor/FunctionBar.h"
#include "editor/ToolBarImages.h"
#include "shell/KeyTable.h"
#include "shell/win32/KeyState.h"
#include "view/win32/BinaryView.h"

namespace ovx::test {
namespace {

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

std::wstring StatusText(HWND bar, int panel) {
  wchar_t buffer[128] = {};
  SendMessageW(bar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

std::wstring MenuText(HMENU menu, TMenuItem item) {
  wchar_t buffer[256] = {};
  GetMenuStringW(menu, MenuIdOf(item), buffer, 256, MF_BYCOMMAND);
  return buffer;
}

bool Grayed(const TOvnxBinaryFormWClass& w, TMenuItem item) {
  return GetMenuState(w.Menus().ParentOf(item), MenuIdOf(item), MF_BYCOMMAND) & MF_GRAYED;
}

void OpenSubmenu(TOvnxBinaryFormWClass& w, TMenuItem head) {
  SendMessageW(w.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(w.Menus().SubmenuOf(head)), 0);
}

class EditorWindowLayout : public ::testing::Test {
 protected:
  TFakeEditorHost host;
};

TEST_F(EditorWindowLayout, PartsStandInOrderWithTheirHeights) {
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  w->SetClientSize(612, 434);
  int width = 0, height = 0;
  w->ClientSize(width, height);
  EXPECT_EQ(width, 612);
  EXPECT_EQ(height, 434);
  EXPECT_EQ(ClassOf(w->Handle()), L"TOvnxBinaryFormWClass");
  EXPECT_EQ(GetParent(w->Handle()), nullptr);
  EXPECT_EQ(GetWindow(w->Handle(), GW_OWNER), nullptr);

  RECT tool = ClientRectIn(w->ToolBarHandle(), w->Handle());
  RECT binary = ClientRectIn(w->BinaryPanel(), w->Handle());
  RECT function = ClientRectIn(w->FunctionPanel(), w->Handle());
  RECT status = ClientRectIn(w->StatusBarHandle(), w->Handle());
  RECT info = ClientRectIn(w->InformationPanel(), w->BinaryPanel());
  EXPECT_EQ(ClassOf(w->ToolBarHandle()), L"ToolbarWindow32");
  EXPECT_EQ(ClassOf(w->StatusBarHandle()), L"msctls_statusbar32");
  EXPECT_EQ(tool.top, 0);
  EXPECT_EQ(binary.top, tool.bottom);
  EXPECT_EQ(binary.bottom, function.top);
  EXPECT_EQ(function.bottom - function.top, 18);
  EXPECT_EQ(function.bottom, status.top);
  EXPECT_EQ(status.bottom - status.top, 18);
  EXPECT_EQ(status.bottom, 434);
  EXPECT_EQ(status.right - status.left, 612);
  // The information panel at the bottom of Panel_Binary, the editor control above it.
  EXPECT_EQ(info.bottom - info.top, 68);
  EXPECT_EQ(info.bottom, binary.bottom - binary.top);
  RECT editor = ClientRectIn(w->Editor().Handle(), w->BinaryPanel());
  EXPECT_EQ(editor.top, 0);
  EXPECT_EQ(editor.bottom, info.top);
  EXPECT_EQ(editor.right - editor.left, 612);

  // Hiding the information panel gives its room to the editor.
  SendMessageW(w->Handle(), WM_COMMAND, MenuIdOf(miMM_ViewInformationPanel), 0);
  EXPECT_FALSE(IsWindowVisible(w->InformationPanel()));
  editor = ClientRectIn(w->Editor().Handle(), w->BinaryPanel());
  EXPECT_EQ(editor.bottom, binary.bottom - binary.top);
  OpenSubmenu(*w, miMM_View);
  EXPECT_FALSE(GetMenuState(w->Menus().ParentOf(miMM_ViewInformationPanel), MenuIdOf(miMM_ViewInformationPanel),
                            MF_BYCOMMAND) &
               MF_CHECKED);
}

TEST_F(EditorWindowLayout, SizesFollowTheWindowsDpi) {
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  RECT suggested = {50, 40, 50 + 900, 40 + 700};
  SendMessageW(w->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT info = ClientRectIn(w->InformationPanel(), w->BinaryPanel());
  RECT function = ClientRectIn(w->FunctionPanel(), w->Handle());
  RECT status = ClientRectIn(w->StatusBarHandle(), w->Handle());
  EXPECT_EQ(info.bottom - info.top, 102);
  EXPECT_EQ(function.bottom - function.top, 27);
  EXPECT_EQ(status.bottom - status.top, 27);
  int edges[8] = {};
  SendMessageW(w->StatusBarHandle(), SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges));
  EXPECT_EQ(edges[0], 48);
  EXPECT_EQ(edges[6], 567);
  EXPECT_EQ(edges[7], 642);  // the progress panel is 50 pixels too, not the rest of the bar
}

// Where the information-mode menu opened, read while it is up and then closed.
RECT openedMenu;
void CALLBACK CloseTheMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  if (HWND menu = FindWindowW(L"#32768", nullptr); menu && IsWindowVisible(menu)) {
    GetWindowRect(menu, &openedMenu);
    KillTimer(nullptr, timer);
    EndMenu();
  }
}

TEST_F(EditorWindowLayout, AClickOnTheIconPanelOpensTheInfoModeMenuAtPanel6At144Dpi) {
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  RECT suggested = {50, 40, 50 + 900, 40 + 700};
  SendMessageW(w->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT icon = {}, info = {};
  SendMessageW(w->StatusBarHandle(), SB_GETRECT, 5, reinterpret_cast<LPARAM>(&icon));
  SendMessageW(w->StatusBarHandle(), SB_GETRECT, 6, reinterpret_cast<LPARAM>(&info));
  NMMOUSE click = {};
  click.hdr = {w->StatusBarHandle(), 0, static_cast<UINT>(NM_CLICK)};
  click.pt = {(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
  openedMenu = {};
  SetTimer(nullptr, 0, 50, CloseTheMenu);
  SendMessageW(w->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
  POINT panel6 = {info.left, 0};
  ClientToScreen(w->StatusBarHandle(), &panel6);
  EXPECT_NE(openedMenu.right, 0) << "no menu opened";
  EXPECT_NEAR(openedMenu.left, panel6.x, 3);
}

// A new DPI lays the information panel out again at 1.5 times (the insets inside the sunken
// boxes stay as thin as the edges), the values it shows kept, and draws the view in a font 1.5
// times as high.
TEST_F(EditorWindowLayout, ANewDpiScalesTheInformationPanelAndTheViewFont) {
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  w->Editor().Core().InsertBytes(reinterpret_cast<const std::uint8_t*>("ABCDE"), 0, 5);
  w->Editor().Core().SetCaret(1, 0);
  w->Editor().Core().SetCaret(0, 0);
  HWND panel = GetWindow(w->InformationPanel(), GW_CHILD);
  ASSERT_NE(panel, nullptr);
  const int ids[] = {TInformationPanel::HexLabelId(ibAddress), TInformationPanel::DecLabelId(ibDWord),
                     TInformationPanel::CopyButtonId(ibFileSize), TInformationPanel::HexLabelId(ibBit)};
  std::vector<RECT> before;
  std::vector<std::wstring> texts;
  for (int id : ids) {
    HWND part = GetDlgItem(panel, id);
    ASSERT_NE(part, nullptr) << id;
    before.push_back(ClientRectIn(part, panel));
    wchar_t text[64] = {};
    GetWindowTextW(part, text, 64);
    texts.push_back(text);
  }
  EXPECT_EQ(texts[1], L"1145258561");
  const int cellHeight = w->Editor().View().Geometry().ch;

  RECT suggested = {50, 40, 50 + 900, 40 + 700};
  SendMessageW(w->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  panel = GetWindow(w->InformationPanel(), GW_CHILD);
  for (size_t i = 0; i < std::size(ids); ++i) {
    HWND part = GetDlgItem(panel, ids[i]);
    ASSERT_NE(part, nullptr) << ids[i];
    const RECT r = ClientRectIn(part, panel);
    EXPECT_NEAR(r.left, MulDiv(before[i].left, 3, 2), 2) << ids[i];
    EXPECT_NEAR(r.top, MulDiv(before[i].top, 3, 2), 2) << ids[i];
    EXPECT_NEAR(r.right - r.left, MulDiv(before[i].right - before[i].left, 3, 2), 2) << ids[i];
    EXPECT_NEAR(r.bottom - r.top, MulDiv(before[i].bottom - before[i].top, 3, 2), 2) << ids[i];
    wchar_t text[64] = {};
    GetWindowTextW(part, text, 64);
    EXPECT_EQ(texts[i], text) << ids[i];
  }
  // Font heights round to whole pixels: at least 1.4 times.
  EXPECT_GE(w->Editor().View().Geometry().ch * 10, cellHeight * 14);
  EXPECT_EQ(w->Editor().FontHeight(), 14) << "the setting stays the 96-DPI height";
}

TEST_F(EditorWindowLayout, StatusBarPanelsDesignTextsAndState) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 100, nullptr, nullptr, nullptr, nullptr);
  TEditorStatusBar fresh;
  ASSERT_TRUE(fresh.Create(parent, nullptr));
  const wchar_t* design[] = {L"変更", L"上書", L"サム", L"拡張", L"比較", L"", L"メモリ状況", L""};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(StatusText(fresh.Handle(), i), design[i]) << i;
  int edges[8] = {};
  ASSERT_EQ(SendMessageW(fresh.Handle(), SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)), 8);
  EXPECT_EQ(edges[0], 32);
  EXPECT_EQ(edges[4], 236);
  EXPECT_EQ(edges[6], 378);
  DestroyWindow(parent);

  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  HWND bar = w->StatusBarHandle();
  EXPECT_EQ(StatusText(bar, 0), L"");
  EXPECT_EQ(StatusText(bar, 1), L"上書");
  EXPECT_EQ(StatusText(bar, 2), L"単純");
  EXPECT_EQ(StatusText(bar, 3), L"拡張");
  EXPECT_EQ(StatusText(bar, 4), L"");
  EXPECT_EQ(StatusText(bar, 6), L"ﾒﾓﾘ利用効率 100%");
  // An edit marks the document modified; the checksum item changes panel 2.
  w->Editor().Core().InsertBytes(reinterpret_cast<const std::uint8_t*>("AB"), 0, 2);
  EXPECT_EQ(StatusText(bar, 0), L"変更");
  SendMessageW(w->Handle(), WM_COMMAND, MenuIdOf(miMM_CheckSumAscii), 0);
  EXPECT_EQ(StatusText(bar, 2), L"ASC");
  SendMessageW(w->Handle(), WM_COMMAND, MenuIdOf(miPU_UndoRate), 0);
  EXPECT_EQ(StatusText(bar, 6).rfind(L"ｱﾝﾄﾞｩﾊﾞｯﾌｧ利用率 ", 0), 0u);
  // The document's progress text goes to the last panel.
  w->Document().OnProgress(w->Document(), "読み込み実行中...");
  EXPECT_EQ(StatusText(bar, 7), L"読み込み実行中...");
}

TEST_F(EditorWindowLayout, FunctionBarButtonsAndCaptionsPerShiftState) {
  TKeyMap& map = host.MutableSettings().KeyMap;
  ClearKeyMap(map);
  SetKeyMapEntry(map, 0, kiF1, cmSAVE);
  SetKeyMapEntry(map, ssShift, kiF1, cmOPEN);
  SetKeyMapEntry(map, ssCtrl, kiF1 + 2, cmSELECTALL);
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  const TFunctionKeyBar& keys = w->FunctionKeys();
  const int count = FunctionBarButtonCount(FunctionKeyCount());
  ASSERT_EQ(keys.Count(), count);
  // Real buttons of Panel_Function, in order, filling it as the layout says.
  RECT panel = {};
  GetClientRect(w->FunctionPanel(), &panel);
  std::vector<TButtonSpan> spans = FunctionBarLayout(count, panel.right);
  HWND child = GetWindow(w->FunctionPanel(), GW_CHILD);
  for (int i = 0; i < count; ++i, child = GetWindow(child, GW_HWNDNEXT)) {
    ASSERT_EQ(child, keys.Button(i));
    EXPECT_EQ(ClassOf(child), L"Button");
    RECT r = ClientRectIn(child, w->FunctionPanel());
    EXPECT_EQ(r.left, spans[i].left) << i;
    EXPECT_EQ(r.right - r.left, spans[i].width) << i;
    EXPECT_EQ(r.bottom - r.top, 18) << i;
  }
  EXPECT_EQ(WindowText(keys.Button(0)), L"保存");
  EXPECT_EQ(WindowText(keys.Button(1)), L"");

  BYTE keyState[256] = {};
  GetKeyboardState(keyState);
  keyState[VK_SHIFT] = 0x80;
  SetKeyboardState(keyState);
  w->RefreshFunctionBar(false);
  EXPECT_EQ(WindowText(keys.Button(0)), L"開く");
  keyState[VK_SHIFT] = 0;
  keyState[VK_CONTROL] = 0x80;
  SetKeyboardState(keyState);
  w->RefreshFunctionBar(false);
  EXPECT_EQ(WindowText(keys.Button(0)), L"");
  EXPECT_EQ(WindowText(keys.Button(2)), L"全選択");
  // A click with Ctrl held runs the Ctrl binding: select all.
  w->Editor().Core().InsertBytes(reinterpret_cast<const std::uint8_t*>("ABCD"), 0, 4);
  SendMessageW(keys.Button(2), BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_TRUE(w->Editor().Core().HasSelection());
  keyState[VK_CONTROL] = 0;
  SetKeyboardState(keyState);
  w->RefreshFunctionBar(false);
  EXPECT_EQ(WindowText(keys.Button(0)), L"保存");
}

TEST_F(EditorWindowLayout, SizeOptimisationFitsTheEditorAndFillsTheHeight) {
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  SetWindowPos(w->Handle(), nullptr, 40, 30, 700, 500, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(w->SizeMode(), smNone);  // a resize of its own ends the optimisation
  SendMessageW(w->Handle(), WM_COMMAND, MenuIdOf(miMM_WindowSizeOptimize), 0);
  EXPECT_EQ(w->SizeMode(), smFit);
  // Showing the window reports its size again without ending the optimisation.
  ShowWindow(w->Handle(), SW_SHOWNOACTIVATE);
  EXPECT_EQ(w->SizeMode(), smFit);
  RECT frame = {}, editor = {};
  GetWindowRect(w->Handle(), &frame);
  GetWindowRect(w->Editor().Handle(), &editor);
  EXPECT_EQ(frame.left, 40);
  EXPECT_EQ(frame.top, 30);
  EXPECT_EQ(editor.right - editor.left, w->Editor().OptimalClientWidth());
  EXPECT_EQ(editor.bottom - editor.top, w->Editor().OptimalClientHeight());
  const int fittedWidth = frame.right - frame.left;

  // In mode 1 hiding the tool bar fits the window again.
  SendMessageW(w->Handle(), WM_COMMAND, MenuIdOf(miMM_ViewToolBar), 0);
  GetWindowRect(w->Editor().Handle(), &editor);
  EXPECT_EQ(editor.bottom - editor.top, w->Editor().OptimalClientHeight());

  w->OptimizeWindowSize(smFullHeight);
  EXPECT_EQ(w->SizeMode(), smFullHeight);
  RECT area = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  GetWindowRect(w->Handle(), &frame);
  EXPECT_EQ(frame.left, 40);
  EXPECT_EQ(frame.top, area.top);
  EXPECT_EQ(frame.bottom, area.bottom);
  EXPECT_EQ(frame.right - frame.left, fittedWidth);
}

TEST_F(EditorWindowLayout, ALargerFontWidensAWindowSizedByItsProfileToItsRows) {
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  SetWindowPos(w->Handle(), nullptr, 40, 30, 700, 500, SWP_NOZORDER | SWP_NOACTIVATE);
  // The profile's client size: just the rows' width at the present font.
  int width = 0, height = 0;
  w->ClientSize(width, height);
  RECT editor = {};
  GetWindowRect(w->Editor().Handle(), &editor);
  w->SetClientSize(width - (editor.right - editor.left) + w->Editor().OptimalClientWidth(), 400);
  ASSERT_EQ(w->SizeMode(), smNone);
  RECT before = {};
  GetWindowRect(w->Handle(), &before);

  host.MutableSettings().FontHeight = 20;
  w->ApplySettings(host.Settings());
  GetWindowRect(w->Editor().Handle(), &editor);
  EXPECT_GE(editor.right - editor.left, w->Editor().OptimalClientWidth()) << "the character column is cut off";
  RECT after = {};
  GetWindowRect(w->Handle(), &after);
  EXPECT_GT(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top) << "the height is the profile's";
  EXPECT_EQ(w->SizeMode(), smNone);
}

TEST_F(EditorWindowLayout, MenusEnableOnOpenAndCommandsObeyTheRule) {
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  OpenSubmenu(*w, miMM_File);
  EXPECT_TRUE(Grayed(*w, miMM_SaveFile));
  EXPECT_TRUE(Grayed(*w, miMM_Reload));
  EXPECT_TRUE(Grayed(*w, miMM_TextOutPut));
  HMENU file = w->Menus().SubmenuOf(miMM_File);
  EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_GRAYED);  // ファイル履歴から開く without entries
  host.history = {"C:\\x.bin"};
  OpenSubmenu(*w, miMM_File);
  EXPECT_FALSE(GetMenuState(file, 2, MF_BYPOSITION) & MF_GRAYED);
  // 上書き保存 of an unmodified document: the command does nothing, no dialog opens.
  w->DoMenuCommand(cmSAVE);
  SendMessageW(w->Handle(), WM_COMMAND, MenuIdOf(miMM_SaveFile), 0);
  EXPECT_TRUE(host.dialogTitles.empty());

  w->Editor().Core().InsertBytes(reinterpret_cast<const std::uint8_t*>("AB"), 0, 2);
  OpenSubmenu(*w, miMM_File);
  EXPECT_FALSE(Grayed(*w, miMM_SaveFile));
  EXPECT_FALSE(Grayed(*w, miMM_TextOutPut));
  OpenSubmenu(*w, miMM_Edit);
  EXPECT_FALSE(Grayed(*w, miMM_Undo));
  EXPECT_TRUE(Grayed(*w, miMM_Redo));
  EXPECT_TRUE(Grayed(*w, miMM_Copy));
  // Now the key reaches the item: the save dialog asks for a name (cancelled here).
  w->DoMenuCommand(cmSAVE);
  EXPECT_EQ(host.dialogTitles, std::vector<std::string>{"保存"});
  // A command without a menu item does nothing; the tool bar follows the same rule.
  EXPECT_TRUE(SendMessageW(w->ToolBarHandle(), TB_ISBUTTONENABLED, MenuIdOf(miMM_SaveFile), 0));
  EXPECT_FALSE(SendMessageW(w->ToolBarHandle(), TB_ISBUTTONENABLED, MenuIdOf(miMM_Copy), 0));
  EXPECT_FALSE(SendMessageW(w->ToolBarHandle(), TB_ISBUTTONENABLED, MenuIdOf(miMM_CompareWindow), 0));
}

TEST_F(EditorWindowLayout, WindowEntriesAndRadioItems) {
  for (int i = 0; i < 10; ++i) ASSERT_NE(host.Create(), nullptr);
  host.UpdateWindowMenus();
  TOvnxBinaryFormWClass* w = host.windows[1];
  // The first window was alone when made; the rebuild enabled its button for the others.
  EXPECT_TRUE(SendMessageW(host.windows[0]->ToolBarHandle(), TB_ISBUTTONENABLED, MenuIdOf(miMM_CompareWindow), 0));
  HMENU window = w->Menus().SubmenuOf(miMM_Window);
  ASSERT_EQ(GetMenuItemCount(window), 6 + 10);
  wchar_t text[64] = {};
  GetMenuStringW(window, 3, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&2: (新規)");
  EXPECT_TRUE(GetMenuState(window, 3, MF_BYPOSITION) & MF_CHECKED);
  GetMenuStringW(window, 11, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"& : more...");
  // The character set items are a radio group following the view.
  SendMessageW(w->Handle(), WM_COMMAND, MenuIdOf(miMM_CharaSetEuc), 0);
  EXPECT_EQ(w->Editor().Core().CharaSet(), csEuc);
  OpenSubmenu(*w, miMM_View);
  HMENU chara = w->Menus().SubmenuOf(miMM_CharaSet);
  EXPECT_TRUE(GetMenuState(chara, MenuIdOf(miMM_CharaSetEuc), MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(chara, MenuIdOf(miMM_CharaSetSJis), MF_BYCOMMAND) & MF_CHECKED);
  SendMessageW(w->Handle(), WM_COMMAND, MenuIdOf(miMM_BigEndian), 0);
  EXPECT_EQ(w->State().settings.infoByteOrder, 1);
  EXPECT_TRUE(GetMenuState(w->Menus().ParentOf(miMM_BigEndian), MenuIdOf(miMM_BigEndian), MF_BYCOMMAND) & MF_CHECKED);
  // Changing the options later keeps the window's byte order.
  w->ApplySettings(host.Settings());
  EXPECT_EQ(w->State().settings.infoByteOrder, 1);
  EXPECT_EQ(MenuText(w->Menus().ParentOf(miMM_SaveFile), miMM_SaveFile).find(L"上書き保存(&S)"), 0u);
}

TEST_F(EditorWindowLayout, GarbageCollectionReportsThroughTheStatusBarFigures) {
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  std::vector<std::uint8_t> bytes(8192, 0x5A);
  w->Editor().Core().InsertBytes(bytes.data(), 0, 8192);
  w->Editor().Core().InsertBytes(bytes.data(), 100, 1);
  OpenSubmenu(*w, miMM_Tool);
  ASSERT_FALSE(Grayed(*w, miMM_GarbageCollection));
  host.prompt.answers.push_back(mrYes);
  w->DoMenuCommand(cmGARBAGE);
  ASSERT_EQ(host.prompt.shown.size(), 1u);
  EXPECT_EQ(host.prompt.shown[0].text.rfind("現在のメモリ利用効率は ", 0), 0u);
  EXPECT_EQ(StatusText(w->StatusBarHandle(), 6), L"ﾒﾓﾘ利用効率 66%");
  OpenSubmenu(*w, miMM_Tool);
  EXPECT_TRUE(Grayed(*w, miMM_GarbageCollection));
}

TEST_F(EditorWindowLayout, ToolButtonHintsAndPictures) {
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  // 22 buttons and 6 separators, left to right.
  EXPECT_EQ(SendMessageW(w->ToolBarHandle(), TB_BUTTONCOUNT, 0, 0), 28);
  struct Case {
    TMenuItem item;
    const wchar_t* hint;
    int image;
  };
  const Case cases[] = {{miMM_SaveFile, L"上書き保存", imSaveFile},
                        {miMM_ComparePresent, L"ディスク上の現状と比較", imComparePresent},
                        {miMM_AllCodeSearch, L"全コード検索", imAllCodeSearch},
                        {miMM_Close, L"閉じる", imClose}};
  for (const Case& c : cases) {
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = w->ToolBarHandle();
    info.hdr.idFrom = MenuIdOf(c.item);
    info.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(w->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, c.hint);
    TBBUTTONINFOW button = {};
    button.cbSize = sizeof button;
    button.dwMask = TBIF_IMAGE;
    SendMessageW(w->ToolBarHandle(), TB_GETBUTTONINFOW, MenuIdOf(c.item), reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(button.iImage, c.image);
  }
  // A click on the all-code button opens its tool.
  RECT r = {};
  ASSERT_TRUE(SendMessageW(w->ToolBarHandle(), TB_GETRECT, MenuIdOf(miMM_AllCodeSearch), reinterpret_cast<LPARAM>(&r)));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  ASSERT_EQ(w->ToolWindows().Window(twAllCodeSearch), nullptr);
  SendMessageW(w->ToolBarHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(w->ToolBarHandle(), WM_LBUTTONUP, 0, at);
  HWND tool = w->ToolWindows().Window(twAllCodeSearch);
  ASSERT_NE(tool, nullptr);
  EXPECT_EQ(GetWindow(tool, GW_OWNER), w->Handle());
}

// Neither the old help file nor the manual: one box names the missing contents page, and the
// window goes on.
TEST_F(EditorWindowLayout, HelpWithoutTheManualSaysWhichPageIsMissing) {
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  host.prompt.answers = {mrOk};
  w->DoMenuCommand(cmHELP);
  EXPECT_TRUE(IsWindow(w->Handle()));
  EXPECT_EQ(host.prompt.Texts(), (std::vector<std::string>{"C:\\no-such-folder\\help\\index.html が見付かりません."}));
}

}  // namespace
}  // namespace ovx::test
