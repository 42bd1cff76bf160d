// Pictures of the binary view for a person to look at: the empty document, double-byte
// characters at a row end, the five character sets, a selection, the caret marker and the
// context menu. Each also checks what can be checked from outside.
#include "editor/MenuItems.h"
#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

using ViewE2eScreens = EditorTest;

TEST_F(ViewE2eScreens, EmptyDocumentShowsEofAndEveryMoveDoesNothing) {
  StartEditor();
  HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", L"(新規) - Orvanta");
  ASSERT_NE(window, nullptr);
  SetForegroundWindow(window);
  ASSERT_TRUE(WaitForCaretAddress(window, 0));
  TypeKeys(window, L"{Right}{Down}{End}{PgDn}");
  ASSERT_TRUE(PressShortcut(window, VK_END, MOD_CONTROL));
  EXPECT_FALSE(WaitUntil([&] { return CaretAddress(window) != 0; }, 500));
  auto p = CaretPosition(window);
  ASSERT_TRUE(p);
  EXPECT_FALSE(p->lowNibble);
  EXPECT_EQ(p->topRow, 0);
  Screenshot(L"view-empty-document");
}

TEST_F(ViewE2eScreens, ShiftJisCharacterAcrossTheRowEnd) {
  // "ABCDEFGHIJKLMNO" then あいう: あ starts in the last column of row 0.
  std::wstring path = MakeFile(L"row end.txt", "ABCDEFGHIJKLMNO\x82\xA0\x82\xA2\x82\xA4");
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  PostMenuCommand(window, MenuIdOf(miMM_CharaSetSJis));
  TypeKeys(window, L"{Down}");  // to the byte after あ, on the second row
  EXPECT_TRUE(WaitForCaretAddress(window, 16));
  Screenshot(L"view-shift-jis-row-end");
}

TEST_F(ViewE2eScreens, TheFiveCharacterSets) {
  std::string data;
  auto row = [&data](const std::string& bytes) {
    data += bytes;
    data.resize((data.size() + 31) / 32 * 32, '\0');
  };
  row("Hello, world! 01");
  row("\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x65\x83\x4C\x83\x58\x83\x67");                      // Shift-JIS
  row("\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xA5\xC6\xA5\xAD\xA5\xB9\xA5\xC8");                      // EUC-JP
  row("\x1B\x24\x42\x46\x7C\x4B\x5C\x38\x6C\x24\x4E\x25\x46\x25\x2D\x1B\x28\x42");              // JIS
  row(std::string("\x55\x00\x6E\x00\x69\x00\x63\x00\x6F\x00\x64\x00\x65\x00\x20\x00\x87\x65\x57\x5B", 20));  // UTF-16
  HWND window = OpenFileWindow(MakeFile(L"character sets.bin", data));
  ASSERT_NE(window, nullptr);
  struct Set {
    TMenuItem item;
    const wchar_t* name;
  };
  const Set sets[] = {{miMM_CharaSetAscii, L"ascii"},
                      {miMM_CharaSetSJis, L"shift-jis"},
                      {miMM_CharaSetJis, L"jis"},
                      {miMM_CharaSetEuc, L"euc-jp"},
                      {miMM_CharaSetUnicode, L"unicode"}};
  for (const Set& s : sets) {
    PostMenuCommand(window, MenuIdOf(s.item));
    Screenshot(std::wstring(L"view-charset-") + s.name);
  }
  // The character set changes what is shown, never the bytes.
  EXPECT_EQ(CopyAllBytes(window), std::optional<std::string>(data));
}

// Every byte with a glyph of its own is drawn as itself, the backtick too; only bytes without
// one (controls, 0x7F, 0x80, 0xA0, lone lead bytes, 0xFD to 0xFF) are drawn as the middle dot.
TEST_F(ViewE2eScreens, BacktickAndSymbolsAreDrawnThemselves) {
  const std::string data = std::string("`backtick` ~!@#$") + "%^&*()_+{}|[]\\;:" + "'\",.<>/?=-`\xB1\xB2\xB3" "AB" +
                           std::string("\x00\x01\x1F\x7F\x80\xA0\xFD\xFE\xFF\x81 \xE0 ```", 16);
  ASSERT_EQ(data.size(), 64u);
  HWND window = OpenFileWindow(MakeFile(L"symbols.bin", data));
  ASSERT_NE(window, nullptr);
  PostMenuCommand(window, MenuIdOf(miMM_CharaSetSJis));
  TypeKeys(window, L"{Down}{Down}{Down}{Down}");  // the caret to the end, out of the way
  EXPECT_TRUE(WaitForCaretAddress(window, 64));
  Screenshot(L"view-symbols-and-backtick");
  EXPECT_EQ(CopyAllBytes(window), std::optional<std::string>(data));
}

TEST_F(ViewE2eScreens, SelectionCaretMarkerAndContextMenu) {
  std::string data;
  for (int i = 0; i < 200; ++i) data += static_cast<char>(i);
  HWND window = OpenFileWindow(MakeFile(L"selection.bin", data));
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(PressShortcut(window, VK_DOWN, MOD_SHIFT));
  ASSERT_TRUE(PressShortcut(window, VK_RIGHT, MOD_SHIFT));
  ASSERT_TRUE(PressShortcut(window, VK_RIGHT, MOD_SHIFT));
  ASSERT_TRUE(WaitForCaretAddress(window, 18));
  Screenshot(L"view-selection");

  // The context menu at the caret, the selection kept.
  TypeKeys(window, L"{Apps}");
  HWND menu = WaitForOpenMenu(window);
  ASSERT_NE(menu, nullptr) << "no context menu";
  EXPECT_EQ(ProcessOf(menu), ProcessOf(window));
  Screenshot(L"view-context-menu");
  TypeKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([] { return FindTopWindow(L"#32768") == nullptr; }, 3000));
  EmptyTheClipboard();
  ASSERT_TRUE(PressShortcut(window, 'C', MOD_CONTROL));
  EXPECT_TRUE(WaitUntil([&] { return ReadClipboardBlock() == data.substr(0, 18); }, 3000));

  // Tab moves the caret to the characters; the marker is drawn over the hex cells.
  TypeKeys(window, L"{Left}{Tab}");
  EXPECT_TRUE(WaitUntil([&] { auto q = CaretPosition(window); return q && q->charArea && q->address == 17; }, 3000));
  Screenshot(L"view-caret-marker-in-characters");
  TypeKeys(window, L"{Tab}");
  EXPECT_TRUE(WaitUntil([&] { auto q = CaretPosition(window); return q && !q->charArea && q->address == 17; }, 3000));
  Screenshot(L"view-caret-marker-in-hex");
}

}  // namespace
}  // namespace ovx::e2e
