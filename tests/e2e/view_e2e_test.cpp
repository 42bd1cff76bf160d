// The binary view seen from outside: keys move the caret and change the bytes, the clipboard
// carries the private block, key bindings come from the stored key map, and a long document
// scrolls a row per key press.
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

std::wstring SubKey(const std::wstring& name) { return std::wstring(kSettingsRoot) + L"\\" + name; }

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string s;
  for (unsigned char b : bytes) {
    if (!s.empty()) s += ' ';
    s += digits[b >> 4];
    s += digits[b & 15];
  }
  return s;
}

std::string Describe(const std::optional<TCaretPosition>& p) {
  if (!p) return "no caret";
  char text[160];
  std::snprintf(text, sizeof text, "caret (%ld,%ld)-(%ld,%ld) address %lld%s", p->caret.left, p->caret.top,
                p->caret.right, p->caret.bottom, static_cast<long long>(p->address), p->lowNibble ? " low" : "");
  return text;
}

// Saves with Ctrl+S and waits until the file holds the expected bytes.
bool SavedAs(HWND window, const std::wstring& path, const std::string& expected) {
  PressShortcut(window, 'S', MOD_CONTROL);
  return WaitUntil([&] { return ReadWholeFile(path) == expected; }, 3000);
}

using ViewE2eCaret = EditorTest;

TEST_F(ViewE2eCaret, ArrowKeysMoveTheCaretByByteAndRow) {
  HWND window = OpenFileWindow(MakeFile(L"arrows.bin", std::string(100, '\x11')));
  ASSERT_NE(window, nullptr);
  struct Step {
    const wchar_t* keys;
    std::int64_t address;
  };
  const Step steps[] = {
      {L"{Right}", 1}, {L"{Down}", 17}, {L"{Down}{Down}", 49}, {L"{Left}", 48}, {L"{Up}", 32},
      {L"{End}", 47},  // the last byte of the row
      {L"{Home}", 32}, {L"{Up}{Up}{Up}", 0},  // the third UP does nothing on the first row
      {L"{Left}", 0},                         // nor LEFT at address 0
  };
  for (const Step& s : steps) {
    TypeKeys(window, s.keys);
    EXPECT_TRUE(WaitForCaretAddress(window, s.address, 3000)) << "after " << std::string(s.keys, s.keys + wcslen(s.keys))
                                                              << " the caret is at " << CaretAddress(window).value_or(-1);
  }
}

TEST_F(ViewE2eCaret, DownIntoAShorterLastRowStopsAtTheEnd) {
  // 20 bytes: the last row holds 4 bytes; DOWN from column 10 lands on the end position.
  HWND window = OpenFileWindow(MakeFile(L"short.bin", std::string(20, 'a')));
  ASSERT_NE(window, nullptr);
  TypeKeys(window, L"{Right}{Right}{Right}{Right}{Right}{Right}{Right}{Right}{Right}{Right}");
  ASSERT_TRUE(WaitForCaretAddress(window, 10));
  TypeKeys(window, L"{Down}");
  EXPECT_TRUE(WaitForCaretAddress(window, 20));
  TypeKeys(window, L"{Down}{Right}");  // both do nothing at the end position in the last row
  EXPECT_FALSE(WaitUntil([&] { return CaretAddress(window) != 20; }, 500));
}

TEST_F(ViewE2eCaret, CaretRectangleFollowsTheInputModeAndNibble) {
  HWND window = OpenFileWindow(MakeFile(L"shape.bin", std::string(32, '\0')));
  ASSERT_NE(window, nullptr);
  const TCellSize cell = ViewCellSize();
  auto p = CaretPosition(window);
  ASSERT_TRUE(p);
  // Overwrite: a full cell, 2 pixels into the first hex cell of the first row.
  EXPECT_EQ(p->caret.right - p->caret.left, cell.cw);
  EXPECT_EQ(p->caret.bottom - p->caret.top, cell.ch);
  EXPECT_EQ(p->caret.left, cell.cw * 8 + 12 + 2);
  EXPECT_EQ(p->caret.top, 2);

  PressShortcut(window, VK_RIGHT, MOD_CONTROL);  // RIGHTEX: to the low nibble
  ASSERT_TRUE(WaitUntil([&] { auto q = CaretPosition(window); return q && q->lowNibble; }, 3000));
  EXPECT_EQ(CaretPosition(window)->caret.left, cell.cw * 8 + 12 + 2 + cell.cw);
  EXPECT_EQ(CaretAddress(window), 0);

  TypeKeys(window, L"{Ins}");  // insert mode: the bottom third of the cell
  ASSERT_TRUE(WaitForInsertCaret(window)) << Describe(CaretPosition(window));
  p = CaretPosition(window);
  EXPECT_EQ(p->caret.top, 2 + 2 * (cell.ch / 3));
  EXPECT_EQ(p->caret.right - p->caret.left, cell.cw);
}

using ViewE2eEditing = EditorTest;

TEST_F(ViewE2eEditing, HexDigitsOverwriteThenInsert) {
  std::wstring path = MakeFile(L"digits.bin", Bytes({0x00, 0x11, 0x22, 0x33}));
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  TypeKeys(window, L"4");  // high nibble of byte 0, caret to its low nibble
  EXPECT_TRUE(WaitUntil([&] { auto q = CaretPosition(window); return q && q->lowNibble && q->address == 0; }, 3000));
  TypeKeys(window, L"1");  // low nibble, caret to byte 1
  EXPECT_TRUE(WaitForCaretAddress(window, 1));
  TypeKeys(window, L"{Ins}7f");  // insert mode: 7F before the 11
  EXPECT_TRUE(WaitForCaretAddress(window, 2));
  TypeKeys(window, L"xg");  // not hex digits: ignored
  EXPECT_EQ(Hex(CopyAllBytes(window).value_or("none")), "41 7F 11 22 33");
  EXPECT_EQ(StatusPanelText(window, 1), L"挿入");
  ASSERT_TRUE(SavedAs(window, path, Bytes({0x41, 0x7F, 0x11, 0x22, 0x33}))) << Hex(ReadWholeFile(path));
}

TEST_F(ViewE2eEditing, OverwriteAtTheEndAppends) {
  std::wstring path = MakeFile(L"append.bin", Bytes({0xAA}));
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  TypeKeys(window, L"{Right}4");
  EXPECT_TRUE(WaitUntil([&] { auto q = CaretPosition(window); return q && q->lowNibble && q->address == 1; }, 3000));
  TypeKeys(window, L"1");
  EXPECT_TRUE(WaitForCaretAddress(window, 2));
  ASSERT_TRUE(SavedAs(window, path, Bytes({0xAA, 0x41}))) << Hex(ReadWholeFile(path));
}

TEST_F(ViewE2eEditing, DeleteAndBackspaceRemoveOneByteEach) {
  std::wstring path = MakeFile(L"delete.bin", Bytes({1, 2, 3, 4, 5}));
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  TypeKeys(window, L"{Right}{Del}");  // removes 02, the caret stays at 1
  ASSERT_TRUE(WaitUntil([&] { return CopyAllBytes(window) == Bytes({1, 3, 4, 5}); }, 3000));
  TypeKeys(window, L"{Home}{Right}{Right}{Back}");  // removes 03, before the caret
  EXPECT_TRUE(WaitForCaretAddress(window, 1));
  EXPECT_EQ(Hex(CopyAllBytes(window).value_or("none")), "01 04 05");
  TypeKeys(window, L"{Home}{Back}");  // nothing before address 0
  EXPECT_EQ(Hex(CopyAllBytes(window).value_or("none")), "01 04 05");
}

TEST_F(ViewE2eEditing, ShiftArrowsSelectAndCopyPutsTheLengthBlock) {
  HWND window = OpenFileWindow(MakeFile(L"copy.bin", Bytes({0x00, 0x41, 0xFF, 0x7E})));
  ASSERT_NE(window, nullptr);
  EmptyTheClipboard();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(PressShortcut(window, VK_RIGHT, MOD_SHIFT));
  ASSERT_TRUE(WaitForCaretAddress(window, 3));
  ASSERT_TRUE(PressShortcut(window, 'C', MOD_CONTROL));
  std::optional<std::string> block;
  ASSERT_TRUE(WaitUntil([&] { return (block = ReadClipboardBlock()).has_value(); }, 3000));
  EXPECT_EQ(Hex(*block), "00 41 FF");  // the byte under the caret (7E) is not selected

  // The raw clipboard block: length 3 little-endian, then the bytes, and no text form.
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(RegisterClipboardFormatW(L"Ovnx Clipboard Format"));
  ASSERT_NE(data, nullptr);
  const char* raw = static_cast<const char*>(GlobalLock(data));
  EXPECT_EQ(Hex(std::string(raw, 7)), "03 00 00 00 00 41 FF");
  GlobalUnlock(data);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  CloseClipboard();
}

TEST_F(ViewE2eEditing, CutPasteUndoRedo) {
  std::wstring path = MakeFile(L"cutpaste.bin", Bytes({1, 2, 3, 4, 5, 6}));
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  // Cut 01 02.
  ASSERT_TRUE(PressShortcut(window, VK_RIGHT, MOD_SHIFT));
  ASSERT_TRUE(PressShortcut(window, VK_RIGHT, MOD_SHIFT));
  ASSERT_TRUE(WaitForCaretAddress(window, 2));
  EmptyTheClipboard();
  ASSERT_TRUE(PressShortcut(window, 'X', MOD_CONTROL));
  ASSERT_TRUE(WaitUntil([] { return ReadClipboardBlock() == Bytes({1, 2}); }, 3000));
  EXPECT_TRUE(WaitForCaretAddress(window, 0));
  // Paste them over 06 in overwrite mode: they replace it and append one byte.
  TypeKeys(window, L"{Right}{Right}{Right}");
  ASSERT_TRUE(WaitForCaretAddress(window, 3));
  ASSERT_TRUE(PressShortcut(window, 'V', MOD_CONTROL));
  ASSERT_TRUE(WaitForCaretAddress(window, 5));
  EXPECT_EQ(Hex(CopyAllBytes(window).value_or("none")), "03 04 05 01 02");
  // Undo the paste, then the cut; redo the cut.
  ASSERT_TRUE(PressShortcut(window, 'Z', MOD_CONTROL));
  EXPECT_TRUE(WaitUntil([&] { return CopyAllBytes(window) == Bytes({3, 4, 5, 6}); }, 3000));
  ASSERT_TRUE(PressShortcut(window, 'Z', MOD_CONTROL));
  EXPECT_TRUE(WaitUntil([&] { return CopyAllBytes(window) == Bytes({1, 2, 3, 4, 5, 6}); }, 3000));
  ASSERT_TRUE(PressShortcut(window, 'Y', MOD_CONTROL));
  EXPECT_TRUE(WaitUntil([&] { return CopyAllBytes(window) == Bytes({3, 4, 5, 6}); }, 3000));
}

TEST_F(ViewE2eEditing, PasteOfPlainTextInInsertModeInsertsItsBytes) {
  HWND window = OpenFileWindow(MakeFile(L"text.bin", Bytes({0x10, 0x20})));
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(PutClipboardText("AB"));
  TypeKeys(window, L"{Right}{Ins}");
  ASSERT_TRUE(WaitForInsertCaret(window));
  ASSERT_TRUE(PressShortcut(window, 'V', MOD_CONTROL));
  EXPECT_TRUE(WaitForCaretAddress(window, 3));
  EXPECT_EQ(Hex(CopyAllBytes(window).value_or("none")), "10 41 42 20");
}

TEST_F(ViewE2eEditing, EscapeOpensUserMenuOneWhereSSaves) {
  std::wstring path = MakeFile(L"usermenu.bin", Bytes({0x00, 0x00}));
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  TypeKeys(window, L"ab");
  ASSERT_TRUE(WaitForCaretAddress(window, 1));
  TypeKeys(window, L"{Esc}");
  HWND menu = WaitForOpenMenu(window);
  ASSERT_NE(menu, nullptr) << "user menu 1 did not open";
  EXPECT_EQ(ProcessOf(menu), ProcessOf(window));
  Screenshot(L"view-user-menu-1");
  ASSERT_TRUE(TypeKey('S'));
  EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(path) == Bytes({0xAB, 0x00}); }, 3000)) << Hex(ReadWholeFile(path));
  EXPECT_TRUE(WaitUntil([] { return FindTopWindow(L"#32768") == nullptr; }, 3000));
  EXPECT_EQ(StatusPanelText(window, 0), L"");
}

using ViewE2eKeyMap = EditorTest;

TEST_F(ViewE2eKeyMap, StoredBindingsReplaceTheTemplate) {
  // Own assignments: Right moves a row down, Left jumps to the end; Down is bound to nothing.
  ASSERT_TRUE(WriteRegistryDword(SubKey(L"Config"), L"KeyAssignType", 2));
  ASSERT_TRUE(WriteRegistryString(SubKey(L"Key"), L"{Right}", L"DOWN"));
  ASSERT_TRUE(WriteRegistryString(SubKey(L"Key"), L"{Left}", L"fileend"));
  HWND window = OpenFileWindow(MakeFile(L"keymap.bin", std::string(40, '\x22')));
  ASSERT_NE(window, nullptr);
  TypeKeys(window, L"{Right}");
  EXPECT_TRUE(WaitForCaretAddress(window, 16));
  TypeKeys(window, L"{Down}");
  EXPECT_FALSE(WaitUntil([&] { return CaretAddress(window) != 16; }, 500)) << "an unbound key moved the caret";
  TypeKeys(window, L"{Left}");
  EXPECT_TRUE(WaitForCaretAddress(window, 40));
}

TEST_F(ViewE2eKeyMap, TheStandardTemplateWithoutStoredKeys) {
  HWND window = OpenFileWindow(MakeFile(L"template.bin", std::string(40, '\x22')));
  ASSERT_NE(window, nullptr);
  TypeKeys(window, L"{Right}");
  EXPECT_TRUE(WaitForCaretAddress(window, 1));
  ASSERT_TRUE(PressShortcut(window, VK_END, MOD_CONTROL));  // FILEEND
  EXPECT_TRUE(WaitForCaretAddress(window, 40));
}

using ViewE2eSpeed = EditorTest;

TEST_F(ViewE2eSpeed, HoldingDownThroughAGibibyteDocument) {
  const std::uint64_t size = 1ull << 30;
  std::wstring path = MakeSizedFile(L"one gibibyte.bin", size);
  ASSERT_FALSE(path.empty()) << "no room for a 1 GiB file";
  HWND window = OpenFileWindow(path, 120000);
  ASSERT_NE(window, nullptr) << "the 1 GiB document did not open";
  // Loaded when the end of the file can be reached; then back to the start.
  ASSERT_TRUE(PressShortcut(window, VK_END, MOD_CONTROL));
  ASSERT_TRUE(WaitForCaretAddress(window, static_cast<std::int64_t>(size), 120000)) << Describe(CaretPosition(window));
  ASSERT_TRUE(PressShortcut(window, VK_HOME, MOD_CONTROL));
  ASSERT_TRUE(WaitForCaretAddress(window, 0));

  const int steps = 500;
  std::vector<double> ms;
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  std::int64_t expected = 0;
  for (int i = 0; i < steps; ++i) {
    expected += 16;
    QueryPerformanceCounter(&start);
    TypeKeys(window, L"{Down}");
    std::optional<std::int64_t> at;
    // Poll with a 1 ms pause: a spinning driver would take a core from the program it measures.
    do {
      at = CaretAddress(window);
      QueryPerformanceCounter(&now);
      if (at != expected) Sleep(1);
    } while (at != expected && now.QuadPart - start.QuadPart < 2 * frequency.QuadPart);
    if (at != expected) Screenshot(L"view-gibibyte-step-failed");
    ASSERT_EQ(at, expected) << "step " << i;
    ms.push_back(1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
  }
  std::vector<double> sorted = ms;
  std::sort(sorted.begin(), sorted.end());
  const double median = sorted[sorted.size() / 2], worst = sorted.back();
  const double p90 = sorted[sorted.size() * 9 / 10];
  std::printf("DOWN step through 1 GiB, %d steps: median %.2f ms, 90th percentile %.2f ms, max %.2f ms\n", steps,
              median, p90, worst);
  RecordProperty("down_step_median_ms", std::to_string(median));
  RecordProperty("down_step_p90_ms", std::to_string(p90));
  RecordProperty("down_step_max_ms", std::to_string(worst));
  Screenshot(L"view-gibibyte-after-500-down");
  StopEditors();
  EXPECT_TRUE(DeleteFileW(path.c_str()));
}

}  // namespace
}  // namespace ovx::e2e
