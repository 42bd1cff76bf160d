// The editor control on the real platform: a TBEditor in a top-level window of the test
// process, driven with window messages; the painting checked pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/KeyMap.h"
#include "tests/win32/window_picture.h"
#include "shell/Settings.h"
#include "view/win32/BEditor.h"
#include "view/win32/BinaryView.h"
#include "view/win32/FooterView.h"
#include "view/win32/HeaderView.h"
#include "view/win32/Win32ViewClipboard.h"

namespace ovx {
namespace {

class TViewTestPrompt : public TUserPrompt {
 public:
  int boxes = 0;
  std::string lastText;
  TModalResult MessageDlgBeep(const std::string& text, TMsgDlgType, unsigned) override {
    ++boxes;
    lastText = text;
    return mrOk;
  }
  void ShowFailure(const std::string&, const std::string& text, bool) override {
    ++boxes;
    lastText = text;
  }
  void Beep() override {}
};

// Writes width × height pixels of dc from (x, y) as a 32-bit BMP file.
void SaveBmp(HDC source, int x, int y, int width, int height, const std::string& name) {
  HDC dc = CreateCompatibleDC(source);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();
  const DWORD imageSize = static_cast<DWORD>(width * height * 4);
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
  fh.bfSize = fh.bfOffBits + imageSize;
  if (FILE* f = std::fopen((name + ".bmp").c_str(), "wb")) {
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f);
    std::fwrite(bits, imageSize, 1, f);
    std::fclose(f);
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

bool PicturesWanted() { return std::getenv("OVX_VIEW_SHOTS") != nullptr; }

// Writes the whole control (strips and view) as a BMP when OVX_VIEW_SHOTS is set, for a
// person to look at.
void SaveControlPicture(TBEditor& editor, const char* name) {
  if (!PicturesWanted()) return;
  RECT client{};
  GetClientRect(editor.Handle(), &client);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  for (HWND child = GetWindow(editor.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, editor.Handle(), reinterpret_cast<POINT*>(&r), 2);
    SetViewportOrgEx(dc, r.left, r.top, nullptr);
    SendMessageW(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  }
  SetViewportOrgEx(dc, 0, 0, nullptr);
  SaveBmp(dc, 0, 0, client.right, client.bottom, name);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

// Handles pending messages until the condition holds or about two seconds have passed.
template <typename Condition>
bool PumpUntil(Condition condition) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > 2000) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (!condition()) Sleep(5);
  }
  return true;
}

std::vector<std::uint8_t> Bytes(const TMemoryModule& module) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(module.Size()));
  if (!out.empty()) module.ReadData(out.data(), 0, module.Size());
  return out;
}

std::wstring MenuText(HMENU menu, int position) {
  wchar_t text[256] = {};
  GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
  return text;
}

bool MenuEnabled(HMENU menu, int position) {
  return !(GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
}

class ViewEditorTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 720, kHeight = 420;

  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OvxViewTestHost";
    RegisterClassW(&wc);  // fails harmlessly when already registered
    host_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"OvxViewTestHost", L"view test", WS_POPUP | WS_VISIBLE, 0, 0,
                            kWidth + 40, kHeight + 40, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(host_, nullptr);
    NewEditor();
  }

  // A fresh editor control with an empty document in the host window.
  void NewEditor() {
    editor_.reset();
    editor_ = std::make_unique<TBEditor>(prompt_);
    ASSERT_TRUE(editor_->Create(host_, {0, 0, kWidth, kHeight}));
    editor_->SetEnvironment(DefaultEnvironmentSettings());
  }

  void TearDown() override {
    editor_.reset();
    if (host_) DestroyWindow(host_);
  }

  HWND View() const { return editor_->ViewHandle(); }
  TBinaryViewCore& Core() { return editor_->Core(); }
  const TViewGeometry& Geometry() const { return editor_->View().Geometry(); }

  void Fill(std::int32_t n, std::uint8_t (*value)(std::int32_t) = [](std::int32_t i) {
    return static_cast<std::uint8_t>(i);
  }) {
    std::vector<std::uint8_t> data(static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i) data[static_cast<std::size_t>(i)] = value(i);
    ASSERT_TRUE(Core().Module().InsertData(data.data(), 0, n));
  }
  void Key(UINT vk) {
    SendMessageW(View(), WM_KEYDOWN, vk, 1);
    SendMessageW(View(), WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
  }
  void Type(const wchar_t* text) {
    for (const wchar_t* c = text; *c; ++c) SendMessageW(View(), WM_CHAR, *c, 1);
  }
  SCROLLINFO Scroll() const {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_POS;
    GetScrollInfo(View(), SB_VERT, &si);
    return si;
  }
  // A pixel of the cell margin (not under any glyph) of hex cell column j in visible row r.
  POINT HexMargin(int r, int j) const {
    const TViewGeometry& g = Geometry();
    return {g.HexLeft() + j * g.hexCellWidth + g.hexCellWidth - 1, g.RowTop(r) + 1};
  }
  // Makes the view's client height a whole number of rows and a half.
  void LeaveAPartialRow() {
    const TViewGeometry& g = Geometry();
    RECT view{};
    GetClientRect(View(), &view);
    const int wanted = 5 * g.rowHeight + g.rowHeight / 2;
    editor_->SetBounds({0, 0, kWidth, kHeight - (view.bottom - wanted)});
  }

  TViewTestPrompt prompt_;
  HWND host_ = nullptr;
  std::unique_ptr<TBEditor> editor_;
};

TEST_F(ViewEditorTest, ControlStacksItsThreeChildrenWithASunkenEdge) {
  EXPECT_TRUE(GetWindowLongPtrW(editor_->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(GetWindowLongPtrW(View(), GWL_STYLE) & WS_VSCROLL);
  RECT header{}, view{}, footer{};
  HWND children[3] = {};
  int n = 0;
  for (HWND c = GetWindow(editor_->Handle(), GW_CHILD); c && n < 3; c = GetWindow(c, GW_HWNDNEXT)) children[n++] = c;
  ASSERT_EQ(n, 3);
  for (HWND c : children) {
    wchar_t name[64] = {};
    GetClassNameW(c, name, 64);
    RECT r{};
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, editor_->Handle(), reinterpret_cast<POINT*>(&r), 2);
    if (std::wstring(name) == L"THeaderView") header = r;
    if (std::wstring(name) == L"TFooterView") footer = r;
    if (c == View()) view = r;
  }
  RECT client{};
  GetClientRect(editor_->Handle(), &client);
  EXPECT_EQ(header.top, 0);
  EXPECT_EQ(header.bottom - header.top, 16);  // font 14: caption strip 14 + 2
  EXPECT_EQ(view.top, header.bottom);
  EXPECT_EQ(footer.top, view.bottom);
  EXPECT_EQ(footer.bottom - footer.top, 18);  // sum strip 14 + 4
  EXPECT_EQ(footer.bottom, client.bottom);
}

TEST_F(ViewEditorTest, ArrowKeysReachTheCore) {
  Fill(100);
  Key(VK_RIGHT);
  EXPECT_EQ(Core().CaretAddress(), 1);
  Key(VK_DOWN);
  EXPECT_EQ(Core().CaretAddress(), 17);
  Key(VK_LEFT);
  EXPECT_EQ(Core().CaretAddress(), 16);
  EXPECT_EQ(SendMessageW(View(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
}

TEST_F(ViewEditorTest, AltKeysGoToTheSystemNotTheKeyMap) {
  Fill(100);
  SendMessageW(View(), WM_SYSKEYDOWN, VK_RIGHT, static_cast<LPARAM>(1 | (1 << 29)));
  EXPECT_EQ(Core().CaretAddress(), 0);
}

TEST_F(ViewEditorTest, HexDigitsOverwriteAndInsert) {
  Fill(4, [](std::int32_t) -> std::uint8_t { return 0; });
  Type(L"41");
  EXPECT_EQ(Bytes(Core().Module()), (std::vector<std::uint8_t>{0x41, 0, 0, 0}));
  EXPECT_EQ(Core().CaretAddress(), 1);
  Core().SetInputMode(imInsert);
  Type(L"7F");
  EXPECT_EQ(Bytes(Core().Module()), (std::vector<std::uint8_t>{0x41, 0x7F, 0, 0, 0}));
}

TEST_F(ViewEditorTest, QueuedCharactersAreTakenTogetherAsShiftJis) {
  Core().SetInputMode(imInsert);
  Core().ExecuteCommand(cmINPUTAREA);
  ASSERT_EQ(Core().InputArea(), iaChar);
  // Posted characters wait in the queue; the first one handled collects the others.
  PostMessageW(View(), WM_CHAR, L'A', 1);
  PostMessageW(View(), WM_IME_CHAR, 0x3042, 1);  // あ, as the input method delivers it
  PostMessageW(View(), WM_CHAR, 0x0D, 1);    // dropped: a control character
  PostMessageW(View(), WM_CHAR, L'z', 1);
  ASSERT_TRUE(PumpUntil([&] { return Core().Module().Size() >= 4; }));
  EXPECT_EQ(Bytes(Core().Module()), (std::vector<std::uint8_t>{0x41, 0x82, 0xA0, 0x7A}));
}

// 300 double-byte characters waiting at once are 600 Shift-JIS bytes: the first round takes
// what fits in one entry, the rest stays queued for the next round and nothing is lost.
TEST_F(ViewEditorTest, QueuedCharactersBeyondOneEntryStayQueuedForTheNext) {
  Core().SetInputMode(imInsert);
  Core().ExecuteCommand(cmINPUTAREA);
  for (int i = 0; i < 300; ++i) PostMessageW(View(), WM_IME_CHAR, 0x3042, 1);
  ASSERT_TRUE(PumpUntil([&] { return Core().Module().Size() >= 600; })) << Core().Module().Size();
  const std::vector<std::uint8_t> bytes = Bytes(Core().Module());
  ASSERT_EQ(bytes.size(), 600u);
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    EXPECT_EQ(bytes[i], 0x82) << i;
    EXPECT_EQ(bytes[i + 1], 0xA0) << i;
  }
}

TEST_F(ViewEditorTest, JisViewTypesEscapeSequences) {
  Core().SetInputMode(imInsert);
  Core().ExecuteCommand(cmINPUTAREA);
  editor_->SetCharaSet(csJis);
  Type(L"\u3042");
  EXPECT_EQ(Bytes(Core().Module()), (std::vector<std::uint8_t>{0x1B, 0x24, 0x42, 0x24, 0x22, 0x1B, 0x28, 0x4A}));
}

TEST_F(ViewEditorTest, ScrollRangeFollowsTheSizeAndThePositionTheTopRow) {
  EXPECT_EQ(Scroll().nMax, 1);  // an empty document still has a range of one
  Fill(1000);
  EXPECT_EQ(Scroll().nMin, 0);
  EXPECT_EQ(Scroll().nMax, 62);
  EXPECT_EQ(Scroll().nPos, 0);
  const int rows = Geometry().visibleRows;
  ASSERT_GT(rows, 2);
  for (int i = 0; i < rows; ++i) Key(VK_DOWN);
  EXPECT_EQ(Core().TopRow(), 1);
  EXPECT_EQ(Scroll().nPos, 1);
  SendMessageW(View(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(Core().TopRow(), 2);
  EXPECT_EQ(Scroll().nPos, 2);
  SendMessageW(View(), WM_VSCROLL, SB_LINEUP, 0);
  SendMessageW(View(), WM_VSCROLL, SB_LINEUP, 0);
  SendMessageW(View(), WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(Scroll().nPos, 0);
}

// Counts the frame paints of a window whose procedure it stands in front of.
WNDPROC g_viewProcedure = nullptr;
int g_framePaints = 0;
LRESULT CALLBACK CountFramePaints(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCPAINT) ++g_framePaints;
  return CallWindowProcW(g_viewProcedure, hwnd, message, wParam, lParam);
}

// The bar is redrawn after the pending messages, and only when its scroll box moved: in a long
// document one row moves it by less than a pixel.
TEST_F(ViewEditorTest, ScrollBarIsRedrawnOnceThePendingMessagesAreHandledWhenItsBoxMoved) {
  struct Case {
    std::int32_t size;
    int request;
    bool redrawn;
  };
  const Case cases[] = {{1000, SB_LINEDOWN, true}, {16 * 70000, SB_LINEDOWN, false}, {16 * 70000, SB_BOTTOM, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.size) + " bytes, request " + std::to_string(c.request));
    NewEditor();
    Fill(c.size);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    g_viewProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(View(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountFramePaints)));
    g_framePaints = 0;
    SendMessageW(View(), WM_VSCROLL, c.request, 0);
    EXPECT_EQ(Scroll().nPos, Core().TopRow());  // the position is there at once
    EXPECT_GT(Scroll().nPos, 0);
    if (c.redrawn) {
      EXPECT_TRUE(PumpUntil([] { return g_framePaints > 0; }));  // the picture follows
    } else {
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      EXPECT_EQ(g_framePaints, 0);
    }
    SetWindowLongPtrW(View(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_viewProcedure));
  }
}

TEST_F(ViewEditorTest, ScrollPositionBeyondSixteenBits) {
  Fill(16 * 70000 + 5, [](std::int32_t) -> std::uint8_t { return 0x11; });
  EXPECT_EQ(Scroll().nMax, 70000);
  SendMessageW(View(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(Core().CaretAddress(), Core().Module().Size());
  EXPECT_GT(Scroll().nPos, 65535);
  EXPECT_EQ(Scroll().nPos, Core().TopRow());
  // The thumb: the message's 16-bit position is cut short, the scroll bar's own is whole.
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_POS;
  si.nPos = 66000;
  SetScrollInfo(View(), SB_VERT, &si, FALSE);
  SendMessageW(View(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(66000 & 0xFFFF)), 0);
  EXPECT_EQ(Core().TopRow(), 66000);
}

TEST_F(ViewEditorTest, ViewItemsHideTheStripsAndShrinkTheOptimalHeight) {
  const int full = editor_->OptimalClientHeight();
  EXPECT_EQ(full, 2 * GetSystemMetrics(SM_CXEDGE) + 16 * Geometry().rowHeight + 16 + 18);
  HWND header = FindWindowExW(editor_->Handle(), nullptr, L"THeaderView", nullptr);
  HWND footer = FindWindowExW(editor_->Handle(), nullptr, L"TFooterView", nullptr);
  ASSERT_TRUE(IsWindowVisible(header));
  ASSERT_TRUE(IsWindowVisible(footer));
  editor_->SetViewItems(TViewItems::All().With(bvHeader, false).With(bvVSum, false));
  EXPECT_FALSE(IsWindowVisible(header));
  EXPECT_FALSE(IsWindowVisible(footer));
  EXPECT_EQ(editor_->OptimalClientHeight(), full - 16 - 18);
  RECT view{}, client{};
  GetClientRect(View(), &view);
  GetClientRect(editor_->Handle(), &client);
  EXPECT_EQ(view.bottom, client.bottom);  // the view takes the strips' room
}

TEST_F(ViewEditorTest, HidingColumnsNarrowsTheViewAndMovesTheCaretOutOfTheCharacters) {
  const int width = editor_->OptimalClientWidth();
  const TViewGeometry before = Geometry();
  Core().ExecuteCommand(cmINPUTAREA);
  ASSERT_EQ(Core().InputArea(), iaChar);
  editor_->SetViewItems(TViewItems::All().With(bvAscii, false).With(bvHSum, false));
  EXPECT_EQ(Core().InputArea(), iaHex);
  EXPECT_EQ(editor_->OptimalClientWidth(), width - (before.cw * 17 + 4) - (before.cw * 3 + 4));
  SaveControlPicture(*editor_, "view_no_sums_no_characters");
}

TEST_F(ViewEditorTest, FontHeightChangesTheGeometryAndTheStrips) {
  const TViewGeometry small = Geometry();
  editor_->SetFontHeight(20);
  EXPECT_EQ(editor_->FontHeight(), 20);
  const TViewGeometry large = Geometry();
  EXPECT_GT(large.ch, small.ch);
  EXPECT_GT(large.cw, small.cw);
  EXPECT_EQ(large.rowHeight, large.ch + 4);
  EXPECT_EQ(large.hexCellWidth, large.cw * 3 + 4);
  RECT view{};
  GetClientRect(View(), &view);
  EXPECT_EQ(large.visibleRows, view.bottom / large.rowHeight);
  HWND header = FindWindowExW(editor_->Handle(), nullptr, L"THeaderView", nullptr);
  RECT r{};
  GetClientRect(header, &r);
  EXPECT_EQ(r.bottom, 22);
  SaveControlPicture(*editor_, "view_font_20");
  // The environment's font size takes effect the same way.
  TEnvironmentSettings settings = DefaultEnvironmentSettings();
  settings.FontHeight = 12;
  editor_->SetEnvironment(settings);
  EXPECT_EQ(editor_->FontHeight(), 12);
  EXPECT_LT(Geometry().ch, small.ch);
}

TEST_F(ViewEditorTest, EmptyDocumentPaintsEofThenDashesAndHatchesBelowTheRows) {
  LeaveAPartialRow();
  const TViewGeometry& g = Geometry();
  ASSERT_EQ(g.visibleRows, 5);
  TWindowPicture picture(View());
  const TColorSettings colors;
  const POINT eof = HexMargin(0, 0);
  EXPECT_EQ(picture.Pixel(eof.x, eof.y), colors.EofBG);
  const POINT dashes = HexMargin(0, 1);
  EXPECT_EQ(picture.Pixel(dashes.x, dashes.y), GetSysColor(COLOR_WINDOW));
  // The hatch: black lines and background between them below the last whole row.
  int black = 0, other = 0;
  for (int y = g.RowTop(5) + 1; y < picture.Height() - 1; ++y)
    for (int x = g.HexLeft() + 2; x < g.HexLeft() + 30; ++x) (picture.Pixel(x, y) == RGB(0, 0, 0) ? black : other)++;
  EXPECT_GT(black, 10);
  EXPECT_GT(other, 10);
  // No hatch over the rows themselves.
  const POINT normal = HexMargin(4, 5);
  EXPECT_EQ(picture.Pixel(normal.x, normal.y), GetSysColor(COLOR_WINDOW));
  SaveControlPicture(*editor_, "view_empty");
}

TEST_F(ViewEditorTest, SelectionIsPaintedInTheSelectColours) {
  Fill(64);
  Core().SetCaret(2, 0);
  Core().ExecuteCommand(cmSELECT);
  for (int i = 0; i < 3; ++i) Core().ExecuteCommand(cmRIGHT);
  ASSERT_EQ(Core().GetSelection().start, 2);
  ASSERT_EQ(Core().GetSelection().end, 5);
  TWindowPicture picture(View());
  const TViewGeometry& g = Geometry();
  const COLORREF select = GetSysColor(COLOR_HIGHLIGHT);
  for (int j : {2, 3, 4}) {
    const POINT p = HexMargin(0, j);
    EXPECT_EQ(picture.Pixel(p.x, p.y), select) << "hex cell " << j;
    EXPECT_EQ(picture.Pixel(g.CharLeft() + j * g.cw, g.RowTop(0) + 1), select) << "character cell " << j;
  }
  for (int j : {1, 5}) {
    const POINT p = HexMargin(0, j);
    EXPECT_EQ(picture.Pixel(p.x, p.y), GetSysColor(COLOR_WINDOW)) << "hex cell " << j;
  }
  SaveControlPicture(*editor_, "view_selection");
}

TEST_F(ViewEditorTest, CaretMarkerIsDrawnInTheOtherAreaInItsColour) {
  Fill(64);
  Core().SetCaret(16 + 3, 0);  // row 1, column 3, hex area
  const TViewGeometry& g = Geometry();
  const TCaretMarkerShape m = CaretMarker(g, 1, 3, iaHex);
  ASSERT_FALSE(m.empty);
  const COLORREF marker = TColorSettings{}.CaretMarker;
  {
    TWindowPicture picture(View());
    EXPECT_EQ(picture.Pixel((m.rowLineLeft + m.rowLineRight) / 2, m.rowLineY), marker);
    EXPECT_EQ(picture.Pixel(m.columnLineX, g.RowTop(3) + 1), marker);  // the line runs over all rows
    EXPECT_NE(picture.Pixel(m.columnLineX - 3, g.RowTop(3) + 1), marker);
    SaveControlPicture(*editor_, "view_caret_marker");
  }
  editor_->SetCaretMarker(false);
  TWindowPicture off(View());
  EXPECT_NE(off.Pixel((m.rowLineLeft + m.rowLineRight) / 2, m.rowLineY), marker);
}

// Pixels of a cell's text area that differ from its background colour.
int InkIn(const TWindowPicture& picture, int left, int top, int width, int height, COLORREF background) {
  int ink = 0;
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x) ink += picture.Pixel(x, y) != background;
  return ink;
}

TEST_F(ViewEditorTest, DoubleByteCharacterStraddlingARowEndTakesTheSeventeenthCell) {
  // Row 0: fifteen letters, then the lead byte of あ; row 1 starts with its trail byte.
  const std::vector<std::uint8_t> data = {'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A',
                                          'A', 'A', 'A', 0x82, 0xA0, 'B', 'C', 0x8A, 0xBF, 0x8E, 0x9A, 'D'};
  ASSERT_TRUE(Core().Module().InsertData(data.data(), 0, static_cast<std::int32_t>(data.size())));
  // Select the trail byte alone: the second half of the glyph takes the select colours.
  Core().SetCaret(16, 0);
  Core().ExecuteCommand(cmSELECT);
  Core().ExecuteCommand(cmRIGHT);
  ASSERT_EQ(Core().GetSelection().start, 16);
  ASSERT_EQ(Core().GetSelection().end, 17);
  editor_->SetCaretMarker(false);
  const TViewGeometry& g = Geometry();
  TWindowPicture picture(View());
  const COLORREF normal = GetSysColor(COLOR_WINDOW), select = GetSysColor(COLOR_HIGHLIGHT);
  const int top0 = g.RowTop(0), top1 = g.RowTop(1);
  const int cell15 = g.CharLeft() + 15 * g.cw, cell16 = g.CharLeft() + 16 * g.cw;
  EXPECT_EQ(picture.Pixel(cell15, top0 + 1), normal);
  EXPECT_EQ(picture.Pixel(cell16, top0 + 1), select);  // the 17th cell in the trail byte's colours
  EXPECT_GT(InkIn(picture, cell15, top0 + 2, g.cw, g.ch, normal), 3);  // left half of あ
  EXPECT_GT(InkIn(picture, cell16, top0 + 2, g.cw, g.ch, select), 3);  // right half of あ
  // The next row's first cell stays empty in the normal colours, even though its byte is selected.
  EXPECT_EQ(InkIn(picture, g.CharLeft(), top1, g.cw, g.rowHeight, normal), 0);
  EXPECT_GT(InkIn(picture, g.CharLeft() + g.cw, top1 + 2, g.cw, g.ch, normal), 3);  // "B"
  SaveControlPicture(*editor_, "view_sjis_row_end");
}

TEST_F(ViewEditorTest, EachCharacterSetNamesItsColumnAndDrawsItsCode) {
  // あ in each character set's own code, one row each.
  const std::vector<std::vector<std::uint8_t>> rows = {
      {'a', 's', 'c', 'i', 'i', ' ', 0x82, 0xA0, 0xB1},
      {'s', 'j', 'i', 's', ' ', 0x82, 0xA0, 0x8A, 0xBF},
      {'j', 'i', 's', ' ', 0x1B, 0x24, 0x42, 0x24, 0x22, 0x1B, 0x28, 0x42},
      {'e', 'u', 'c', ' ', 0xA4, 0xA2, 0xB4, 0xC1},
      {'u', 0, 'n', 0, 'i', 0, ' ', 0, 0x42, 0x30, 0x22, 0x6F},
  };
  std::vector<std::uint8_t> data;
  for (const auto& row : rows) {
    std::vector<std::uint8_t> padded = row;
    padded.resize(16, ' ');
    if (&row == &rows.back()) padded.resize(12);
    data.insert(data.end(), padded.begin(), padded.end());
  }
  ASSERT_TRUE(Core().Module().InsertData(data.data(), 0, static_cast<std::int32_t>(data.size())));
  HWND headerWindow = FindWindowExW(editor_->Handle(), nullptr, L"THeaderView", nullptr);
  auto* header = reinterpret_cast<THeaderView*>(GetWindowLongPtrW(headerWindow, GWLP_USERDATA));
  ASSERT_NE(header, nullptr);
  const TViewGeometry& g = Geometry();
  std::vector<std::vector<COLORREF>> captions;
  for (TCharaSet set : {csAscii, csSJis, csJis, csEuc, csUnicode}) {
    editor_->SetCharaSet(set);
    EXPECT_EQ(header->CharaSet(), set);
    TWindowPicture view(View());  // a paint hands the set to the caption strip
    TWindowPicture strip(headerWindow);
    // The caption of the character column, as pixels: each set's name differs.
    std::vector<COLORREF> caption;
    for (int y = 0; y < strip.Height(); ++y)
      for (int x = g.CharColumnLeft(); x < g.CharColumnLeft() + g.charColumnWidth; ++x) caption.push_back(strip.Pixel(x, y));
    for (const auto& before : captions) EXPECT_NE(before, caption) << "set " << int(set);
    captions.push_back(caption);
    SaveControlPicture(*editor_, ("view_charset_" + std::to_string(static_cast<int>(set))).c_str());
  }
}

TEST_F(ViewEditorTest, HighlightRangeIsDrawnBold) {
  Fill(32, [](std::int32_t) -> std::uint8_t { return 0x88; });
  Core().SetCaret(20, 0);
  Core().SetHighlight(0, 2);
  TWindowPicture picture(View());
  const TViewGeometry& g = Geometry();
  const COLORREF normal = GetSysColor(COLOR_WINDOW);
  auto hexInk = [&](int j) {
    return InkIn(picture, g.HexLeft() + j * g.hexCellWidth + 2, g.RowTop(0) + 2, 2 * g.cw, g.ch, normal);
  };
  EXPECT_GT(hexInk(0), hexInk(2));
  EXPECT_GT(hexInk(1), hexInk(2));
  EXPECT_EQ(hexInk(2), hexInk(3));
}

TEST_F(ViewEditorTest, ComparisonColoursAndMarksFollowTheirSwitches) {
  TEnvironmentSettings settings = DefaultEnvironmentSettings();
  settings.Colors.DifferenceBiggerBG = RGB(250, 200, 0);
  settings.Colors.DifferenceBG = RGB(0, 160, 250);
  editor_->SetEnvironment(settings);
  Fill(32);
  // The partner's bytes at odd addresses are smaller than the view's own.
  TMemoryModule partner;
  std::vector<std::uint8_t> theirs(32);
  for (int i = 0; i < 32; ++i) theirs[i] = static_cast<std::uint8_t>(i % 2 ? i - 1 : i);
  ASSERT_TRUE(partner.InsertData(theirs.data(), 0, 32));
  ASSERT_TRUE(Core().CompareWithModule(partner));
  const TViewGeometry& g = Geometry();
  const COLORREF normal = GetSysColor(COLOR_WINDOW);
  auto markInk = [&](const TWindowPicture& picture, int j) {
    return InkIn(picture, g.HexLeft() + j * g.hexCellWidth + 2 + 2 * g.cw, g.RowTop(1) + 2, g.cw, g.ch,
                 picture.Pixel(HexMargin(1, j).x, HexMargin(1, j).y));
  };
  {
    TWindowPicture picture(View());
    EXPECT_EQ(picture.Pixel(HexMargin(1, 1).x, HexMargin(1, 1).y), RGB(250, 200, 0));
    EXPECT_EQ(picture.Pixel(HexMargin(1, 2).x, HexMargin(1, 2).y), normal);
    EXPECT_EQ(picture.Pixel(g.CharLeft() + g.cw, g.RowTop(1) + 1), RGB(250, 200, 0));
    EXPECT_GT(markInk(picture, 1), 2);
    EXPECT_EQ(markInk(picture, 2), 0);
  }
  editor_->SetCompareColors(false);
  {
    TWindowPicture picture(View());
    EXPECT_EQ(picture.Pixel(HexMargin(1, 1).x, HexMargin(1, 1).y), RGB(0, 160, 250));  // one colour for both
    EXPECT_GT(markInk(picture, 1), 2);  // the marks stay
  }
  editor_->SetCompareMarks(false);
  {
    TWindowPicture picture(View());
    EXPECT_EQ(markInk(picture, 1), 0);
  }
  Core().EndCompare();
}

TEST_F(ViewEditorTest, RowCellsShowTheCaretRowInHighlightColours) {
  Fill(64);
  Core().SetCaret(16 + 3, 0);
  TWindowPicture picture(View());
  const TViewGeometry& g = Geometry();
  // Inside the address cell's inset, left of its text.
  EXPECT_EQ(picture.Pixel(3, g.RowTop(1) + 3), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(picture.Pixel(3, g.RowTop(0) + 3), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(picture.Pixel(g.RowSumLeft() + 3, g.RowTop(1) + 3), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(ViewEditorTest, StripsFollowTheCaretColumnTheSumsAndTheCharacterSet) {
  Fill(32, [](std::int32_t i) -> std::uint8_t { return i % 16 == 0 ? 0xAB : 1; });
  Core().SetCaret(5, 0);
  TWindowPicture view(View());  // a paint hands the model to both strips
  HWND headerWindow = FindWindowExW(editor_->Handle(), nullptr, L"THeaderView", nullptr);
  HWND footerWindow = FindWindowExW(editor_->Handle(), nullptr, L"TFooterView", nullptr);
  TWindowPicture headerPicture(headerWindow);
  TWindowPicture footerPicture(footerWindow);
  const TViewGeometry& g = Geometry();
  // The caret's column is highlighted in both strips, the one beside it is not.
  const int caretCellX = g.HexLeft() + 5 * g.hexCellWidth + 3;
  const int otherCellX = g.HexLeft() + 6 * g.hexCellWidth + 3;
  EXPECT_EQ(headerPicture.Pixel(caretCellX, 3), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(headerPicture.Pixel(otherCellX, 3), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(footerPicture.Pixel(caretCellX, 3), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(footerPicture.Pixel(otherCellX, 3), GetSysColor(COLOR_BTNFACE));
  auto* footer = reinterpret_cast<TFooterView*>(GetWindowLongPtrW(footerWindow, GWLP_USERDATA));
  ASSERT_NE(footer, nullptr);
  EXPECT_EQ(std::string(footer->Sums()[0].data()), "56");  // 2 × 0xAB mod 256, lower case
  EXPECT_EQ(std::string(footer->Sums()[1].data()), "02");
  auto* headerView = reinterpret_cast<THeaderView*>(GetWindowLongPtrW(headerWindow, GWLP_USERDATA));
  ASSERT_NE(headerView, nullptr);
  editor_->SetCharaSet(csEuc);
  EXPECT_EQ(headerView->CharaSet(), csEuc);
  SaveControlPicture(*editor_, "view_strips");
}

TEST_F(ViewEditorTest, CaretTakesTheShapeOfEachInputMode) {
  Fill(64);
  SetFocus(View());
  ASSERT_EQ(GetFocus(), View());
  ASSERT_TRUE(editor_->View().HasSystemCaret());
  Core().SetCaret(16 + 2, 1);
  for (std::uint8_t mode : {imOverwrite, imInsert, imViewOnly}) {
    Core().SetInputMode(mode);
    const TCaretShape want = CaretShape(Geometry(), Core().CaretRow(), Core().CaretColumn(), true, iaHex, mode);
    POINT p{};
    ASSERT_TRUE(GetCaretPos(&p));
    EXPECT_EQ(p.x, want.x) << "mode " << int(mode);
    EXPECT_EQ(p.y, want.y) << "mode " << int(mode);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &info));
    EXPECT_EQ(info.rcCaret.right - info.rcCaret.left, want.width) << "mode " << int(mode);
    EXPECT_EQ(info.rcCaret.bottom - info.rcCaret.top, want.height) << "mode " << int(mode);
  }
  // The character area puts the caret after the row sums.
  Core().SetInputMode(imOverwrite);
  Core().ExecuteCommand(cmINPUTAREA);
  POINT p{};
  GetCaretPos(&p);
  EXPECT_EQ(p.x, Geometry().CharLeft() + 2 * Geometry().cw);
  SetFocus(nullptr);
  EXPECT_FALSE(editor_->View().HasSystemCaret());
}

TEST_F(ViewEditorTest, ContextMenuShowsShortcutsAndEnablesByState) {
  Fill(64);
  Core().SetCaret(2, 0);
  Core().ExecuteCommand(cmSELECT);
  Core().ExecuteCommand(cmRIGHT);
  Core().ExecuteCommand(cmRIGHT);
  Core().SetInputMode(imViewOnly);
  std::vector<std::wstring> texts;
  std::vector<bool> enabled;
  editor_->View().MenuTracker = [&](HMENU menu, POINT) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      texts.push_back(MenuText(menu, i));
      enabled.push_back(MenuEnabled(menu, i));
    }
    return static_cast<int>(GetMenuItemID(menu, 4));  // コピー
  };
  // Right button inside the selection keeps it.
  const POINT inside = HexMargin(0, 3);
  SendMessageW(View(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(inside.x - 4, inside.y + 4));
  ASSERT_EQ(texts.size(), 9u);
  EXPECT_EQ(texts[0].substr(0, 4), L"元に戻す");
  EXPECT_EQ(texts[4], L"コピー(&C)\tCtrl+Ins");  // named keys are searched before letters
  EXPECT_TRUE(texts[2].empty());  // separator
  const std::vector<bool> want{false, false, false, false, true, false, false, false, true};
  EXPECT_EQ(enabled, want);  // view-only: no cut, paste or delete; copy with a selection
  std::vector<std::uint8_t> block;
  TWin32ViewClipboard clipboard(View());
  ASSERT_TRUE(clipboard.ReadPrivate([&](const std::uint8_t* data, std::size_t size) { block.assign(data, data + size); }));
  ASSERT_GE(block.size(), 6u);
  EXPECT_EQ(std::vector<std::uint8_t>(block.begin(), block.begin() + 6), (std::vector<std::uint8_t>{2, 0, 0, 0, 2, 3}));
}

// The system's own popup: seen open from a timer inside its modal loop, then closed.
bool g_popupSeen = false;
void CALLBACK CloseOpenMenu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND popup = FindWindowW(L"#32768", nullptr);  // the system's popup menu window
  g_popupSeen = popup && IsWindowVisible(popup);
  KillTimer(nullptr, id);
  EndMenu();
}

TEST_F(ViewEditorTest, ContextMenuOpensAsASystemPopup) {
  Fill(64);
  g_popupSeen = false;
  SetForegroundWindow(host_);
  SetTimer(nullptr, 0, 300, &CloseOpenMenu);
  const POINT p = HexMargin(2, 4);
  SendMessageW(View(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x - 4, p.y + 4));
  EXPECT_TRUE(g_popupSeen);
  EXPECT_EQ(Core().CaretAddress(), 32 + 4);
  EXPECT_EQ(Core().Module().Size(), 64);  // closed without a choice: nothing ran
}

TEST_F(ViewEditorTest, FastMovementHandlesMessagesAndEndsOnQuit) {
  Fill(1000);
  // Three ordinary messages, then the quit: four steps down, and the quit is left for the outer loop.
  for (int i = 0; i < 3; ++i) PostMessageW(host_, WM_NULL, 0, 0);
  PostQuitMessage(7);
  Core().ExecuteCommand(cmDOWNHIGH);
  EXPECT_EQ(Core().CaretAddress(), 4 * 16);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(ViewEditorTest, MouseWheelScrollsThreeRowsPerNotch) {
  Fill(1000);
  SendMessageW(View(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(Core().TopRow(), 3);
  EXPECT_EQ(Scroll().nPos, 3);
  SendMessageW(View(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), 0);
  EXPECT_EQ(Core().TopRow(), 3);  // half a notch waits for the other half
  SendMessageW(View(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), 0);
  EXPECT_EQ(Core().TopRow(), 0);
}

TEST_F(ViewEditorTest, ContextMenuItemsCarryTheirPictures) {
  Fill(16);
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
  ASSERT_NE(images, nullptr);
  HDC screen = GetDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(ImageList_Add(images, picture, nullptr), 0);
  editor_->SetContextMenuImages(images, [](TCommandId id) { return id == cmCOPY ? 0 : -1; });
  std::vector<bool> withPicture;
  editor_->View().MenuTracker = [&](HMENU menu, POINT) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      MENUITEMINFOW mi{};
      mi.cbSize = sizeof mi;
      mi.fMask = MIIM_BITMAP;
      GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mi);
      withPicture.push_back(mi.hbmpItem != nullptr);
    }
    return 0;
  };
  Core().ExecuteCommand(cmPOPUPMENU);
  ASSERT_TRUE(PumpUntil([&] { return !withPicture.empty(); }));
  EXPECT_EQ(withPicture, (std::vector<bool>{false, false, false, false, true, false, false, false, false}));
  ImageList_Destroy(images);
  DeleteObject(picture);
}

TEST_F(ViewEditorTest, RightClickOutsideTheSelectionMovesTheCaret) {
  Fill(64);
  Core().SetCaret(2, 0);
  Core().ExecuteCommand(cmSELECT);
  Core().ExecuteCommand(cmRIGHT);
  int opened = 0;
  editor_->View().MenuTracker = [&](HMENU, POINT) {
    ++opened;
    return 0;
  };
  const POINT p = HexMargin(1, 7);
  SendMessageW(View(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x - 4, p.y + 4));
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(Core().CaretAddress(), 16 + 7);
  EXPECT_FALSE(Core().HasSelection());
}

TEST_F(ViewEditorTest, UserMenuOpensFromThePrivateMessageAndRunsTheChosenCommand) {
  Fill(64);
  TKeyMap map = Core().KeyMap();
  ASSERT_TRUE(SetUserMenuEntry(map, 1, kiA + 18, cmRIGHT));  // user menu 2, "S"
  Core().SetKeyMap(map);
  std::vector<std::wstring> texts;
  std::vector<bool> enabled, breaks;
  POINT where{};
  editor_->View().MenuTracker = [&](HMENU menu, POINT screen) {
    where = screen;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      texts.push_back(MenuText(menu, i));
      enabled.push_back(MenuEnabled(menu, i));
      breaks.push_back((GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_MENUBARBREAK) != 0);
    }
    return static_cast<int>(GetMenuItemID(menu, 18));
  };
  const POINT caret = editor_->CaretScreenPoint();
  PostMessageW(View(), TBinaryView::kMenuMessage, static_cast<WPARAM>(cmUSERMENU2), 0);
  ASSERT_TRUE(PumpUntil([&] { return !texts.empty(); }));
  ASSERT_EQ(texts.size(), 26u);
  EXPECT_EQ(texts[0], L"(未定義)");
  EXPECT_FALSE(enabled[0]);
  EXPECT_TRUE(enabled[18]);
  EXPECT_NE(texts[18].find(L"(&S)"), std::wstring::npos);
  for (int i = 0; i < 26; ++i) EXPECT_EQ(breaks[static_cast<std::size_t>(i)], i == 13) << i;
  EXPECT_EQ(where.x, caret.x);
  EXPECT_EQ(where.y, caret.y);
  EXPECT_EQ(Core().CaretAddress(), 1);  // the chosen item ran
}

TEST_F(ViewEditorTest, EscapeKeyPostsTheUserMenu) {
  int opened = 0;
  editor_->View().MenuTracker = [&](HMENU menu, POINT) {
    opened = GetMenuItemCount(menu);
    return 0;
  };
  Key(VK_ESCAPE);
  EXPECT_EQ(opened, 0);  // not inside the key handler
  ASSERT_TRUE(PumpUntil([&] { return opened != 0; }));
  EXPECT_EQ(opened, 26);
  opened = 0;
  PostMessageW(View(), TBinaryView::kMenuMessage, 0, static_cast<LPARAM>(cmUSERMENU3));
  ASSERT_TRUE(PumpUntil([&] { return opened != 0; }));
  EXPECT_EQ(opened, 26);
}

TEST_F(ViewEditorTest, EventsReachTheOwner) {
  Fill(64);
  int caretMoves = 0, stateChanges = 0, keyStates = 0;
  std::vector<TCommandId> commands;
  TBEditorEvents events;
  events.OnCaretMove = [&] { ++caretMoves; };
  events.OnStateChange = [&] { ++stateChanges; };
  events.OnKeyState = [&] { ++keyStates; };
  events.OnCommand = [&](TCommandId id) { commands.push_back(id); };
  editor_->SetEvents(events);
  TKeyMap map = Core().KeyMap();
  ASSERT_TRUE(SetKeyMapEntry(map, 0, kiF12, cmOPTION));
  Core().SetKeyMap(map);
  Key(VK_RIGHT);
  EXPECT_EQ(caretMoves, 1);
  EXPECT_EQ(keyStates, 2);  // down and up
  SetFocus(View());
  EXPECT_EQ(caretMoves, 2);
  EXPECT_EQ(keyStates, 3);
  SetFocus(nullptr);
  EXPECT_EQ(caretMoves, 3);
  EXPECT_EQ(keyStates, 4);
  Type(L"5");
  EXPECT_GE(stateChanges, 1);
  Key(VK_F12);
  EXPECT_EQ(commands, (std::vector<TCommandId>{cmOPTION}));
}

TEST_F(ViewEditorTest, MouseClickAndDragSelect) {
  Fill(64);
  const TViewGeometry& g = Geometry();
  const int y0 = g.RowTop(0) + 4, y1 = g.RowTop(1) + 4;
  const int x2 = g.HexLeft() + 2 * g.hexCellWidth + 3;
  const int x5 = g.HexLeft() + 5 * g.hexCellWidth + 3;
  SendMessageW(View(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x2, y0));
  EXPECT_EQ(Core().CaretAddress(), 2);
  EXPECT_EQ(GetCapture(), View());
  SendMessageW(View(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x5, y1));
  EXPECT_EQ(Core().CaretAddress(), 16 + 5);
  SendMessageW(View(), WM_LBUTTONUP, 0, MAKELPARAM(x5, y1));
  EXPECT_NE(GetCapture(), View());
  EXPECT_EQ(Core().GetSelection().start, 2);
  EXPECT_EQ(Core().GetSelection().end, 21);
  // A click in the character area moves the caret there.
  SendMessageW(View(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(g.CharLeft() + 7 * g.cw + 1, y0));
  SendMessageW(View(), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(Core().InputArea(), iaChar);
  EXPECT_EQ(Core().CaretAddress(), 7);
  EXPECT_FALSE(Core().HasSelection());
}

TEST_F(ViewEditorTest, DragAboveTheViewScrollsUpOneRowPerTimerTick) {
  Fill(1000);
  Core().SetCaret(40 * 16, 0);
  const std::int32_t top = Core().TopRow();
  ASSERT_GT(top, 5);
  const TViewGeometry& g = Geometry();
  SendMessageW(View(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(g.HexLeft() + 3, g.RowTop(0) + 3));
  ASSERT_EQ(Core().CaretAddress(), top * 16);
  // The captured pointer leaves the view upwards: the move itself drags nothing.
  SendMessageW(View(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(g.HexLeft() + 3, static_cast<WORD>(-30)));
  EXPECT_EQ(Core().TopRow(), top);
  SendMessageW(View(), WM_TIMER, TBinaryView::kDragTimerId, 0);
  EXPECT_EQ(Core().TopRow(), top - 1);
  SendMessageW(View(), WM_TIMER, TBinaryView::kDragTimerId, 0);
  EXPECT_EQ(Core().TopRow(), top - 2);
  EXPECT_EQ(Core().CaretAddress(), (top - 2) * 16);
  SendMessageW(View(), WM_LBUTTONUP, 0, 0);
  SendMessageW(View(), WM_TIMER, TBinaryView::kDragTimerId, 0);  // no longer dragging
  EXPECT_EQ(Core().TopRow(), top - 2);
  EXPECT_EQ(Core().GetSelection().start, (top - 2) * 16);
  EXPECT_EQ(Core().GetSelection().end, top * 16);
}

TEST_F(ViewEditorTest, EnvironmentColoursPaintTheCellsAndComeBack) {
  TEnvironmentSettings settings = DefaultEnvironmentSettings();
  settings.Colors.NormalBG = RGB(200, 10, 10);
  settings.Colors.EofBG = RGB(10, 200, 10);
  editor_->SetEnvironment(settings);
  TWindowPicture picture(View());
  const POINT eof = HexMargin(0, 0), dashes = HexMargin(0, 1);
  EXPECT_EQ(picture.Pixel(eof.x, eof.y), RGB(10, 200, 10));
  EXPECT_EQ(picture.Pixel(dashes.x, dashes.y), RGB(200, 10, 10));
  TEnvironmentSettings back;
  editor_->GetEnvironment(back);
  EXPECT_EQ(back.Colors, settings.Colors);
  EXPECT_EQ(back.KeyMap, settings.KeyMap);
}

// Every view paints through one back buffer; a row repaint must not show what another view left in it.
TEST_F(ViewEditorTest, RowRepaintAfterAnotherViewPaintedDrawsItsOwnBackground) {
  LeaveAPartialRow();
  const TViewGeometry& g = Geometry();
  TWindowPicture{View()};
  RECT bounds{};
  GetWindowRect(editor_->Handle(), &bounds);
  HWND otherHost = CreateWindowExW(WS_EX_TOOLWINDOW, L"OvxViewTestHost", L"other", WS_POPUP | WS_VISIBLE, 200, 200,
                                   kWidth + 40, kHeight + 40, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(otherHost, nullptr);
  {
    TBEditor other(prompt_);
    ASSERT_TRUE(other.Create(otherHost, {0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top}));
    TEnvironmentSettings red = DefaultEnvironmentSettings();
    red.Colors.NormalBG = RGB(200, 10, 10);
    other.SetEnvironment(red);
    TWindowPicture{other.ViewHandle()};
    Type(L"1");  // a row repaint of the first view, straight to its window
    TWindowPicture screen(View(), TWindowPicture::kFromWindow);
    int black = 0, own = 0, foreign = 0;
    for (int y = g.RowTop(5) + 1; y < screen.Height() - 1; ++y)
      for (int x = g.HexLeft() + 2; x < g.HexLeft() + 30; ++x) {
        const COLORREF c = screen.Pixel(x, y);
        (c == RGB(0, 0, 0) ? black : c == RGB(200, 10, 10) ? foreign : own)++;
      }
    EXPECT_GT(black, 10);
    EXPECT_GT(own, 10);
    EXPECT_EQ(foreign, 0);
  }
  DestroyWindow(otherHost);
}

// A row repaint keeps the rows it can and moves them on a scroll: what it leaves on the screen
// must be what a whole paint draws.
// The rows, and the strips' cells, are drawn again only where they changed: what is on screen
// after each step is what a whole paint draws.
TEST_F(ViewEditorTest, ARowRepaintShowsWhatAWholePaintShows) {
  Fill(16 * 200, [](std::int32_t i) { return static_cast<std::uint8_t>(i * 13 + i / 16); });
  const int rows = Geometry().visibleRows;
  const HWND windows[] = {View(), FindWindowExW(editor_->Handle(), nullptr, L"THeaderView", nullptr),
                          FindWindowExW(editor_->Handle(), nullptr, L"TFooterView", nullptr)};
  auto same = [&](const char* step) {
    HideCaret(View());
    for (HWND window : windows)
      EXPECT_EQ(PixelsUnlikeAWholePaint(window), 0) << step << ", window " << (window == View() ? "view" : "strip");
    ShowCaret(View());
  };
  TWindowPicture{View()};  // the whole paint the row repaints start from
  const struct {
    const char* name;
    UINT key;
    int times;
  } steps[] = {
      {"down to the last row", VK_DOWN, rows - 1}, {"down, one row scrolled", VK_DOWN, 1},
      {"down, three more", VK_DOWN, 3},            {"up to the first row", VK_UP, rows - 1},
      {"up, one row scrolled", VK_UP, 1},          {"a page down", VK_NEXT, 1},
      {"right along the row", VK_RIGHT, 5},
  };
  for (const auto& step : steps) {
    for (int i = 0; i < step.times; ++i) Key(step.key);
    same(step.name);
  }
  Type(L"7");
  same("a digit typed");
  editor_->SetCharaSet(csEuc);
  same("another character set");
}

// A key may change the document, the caret and the scroll position in turn; the rows are drawn
// once for it, and before a menu it opens waits on the user.
TEST_F(ViewEditorTest, RowsAreDrawnOncePerKeyAndBeforeAMenu) {
  Fill(16 * 200);
  TWindowPicture{View()};
  int drawn = 0;
  const auto strips = editor_->View().OnRowsPainted;
  editor_->View().OnRowsPainted = [&](const TPaintModel& model) {
    ++drawn;
    strips(model);
  };
  for (int i = 1; i < Geometry().visibleRows; ++i) Key(VK_DOWN);
  const struct {
    const char* name;
    UINT message;
    WPARAM key;
  } steps[] = {
      {"a digit typed", WM_CHAR, L'5'},
      {"down past the last row: a scroll and a caret move", WM_KEYDOWN, VK_DOWN},
      {"a page down", WM_KEYDOWN, VK_NEXT},
  };
  for (const auto& step : steps) {
    drawn = 0;
    SendMessageW(View(), step.message, step.key, 1);
    EXPECT_EQ(drawn, 1) << step.name;
  }
  int drawnWhenOpened = -1;
  editor_->View().MenuTracker = [&](HMENU, POINT) {
    drawnWhenOpened = drawn;
    return 0;
  };
  drawn = 0;
  const POINT p = HexMargin(1, 7);
  SendMessageW(View(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x - 4, p.y + 4));
  EXPECT_EQ(drawnWhenOpened, 1) << "the right click's caret move, before its menu";
  EXPECT_EQ(drawn, 1);
}

TEST_F(ViewEditorTest, LoadFileThroughTheControl) {
  char dir[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, dir);
  const std::string name = std::string(dir) + "ovx_view_load.bin";
  if (FILE* f = std::fopen(name.c_str(), "wb")) {
    const std::vector<std::uint8_t> data(1000, 0x5A);
    std::fwrite(data.data(), 1, data.size(), f);
    std::fclose(f);
  }
  ASSERT_TRUE(editor_->LoadFile(name));
  EXPECT_EQ(Core().Module().Size(), 1000);
  EXPECT_EQ(Scroll().nMax, 62);
  std::remove(name.c_str());
  EXPECT_FALSE(editor_->LoadFile(name + ".missing"));
  EXPECT_EQ(prompt_.boxes, 1);
}

}  // namespace
}  // namespace ovx
