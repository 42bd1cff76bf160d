// The search and replace dialogs with a text on their string page that the chosen character set
// cannot carry: the box names the refused character, its first place in the text is selected,
// and nothing is searched, counted or replaced.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "editor/win32/DlgSearch.h"
#include "tests/win32/editor_fake_host.h"

namespace ovx {
namespace {

// Ids inside a data frame: its string page's text and character set.
constexpr int kEditBox = 201, kStringSet = 203;

// The data frame of a dialog after the one given (the first for none).
HWND FrameAfter(HWND dialog, HWND before = nullptr) {
  return FindWindowExW(dialog, before, L"TOvnxInputFrame", nullptr);
}

HWND Descendant(HWND root, int id) {
  struct TFind {
    int id;
    HWND found;
  } find{id, nullptr};
  EnumChildWindows(
      root,
      [](HWND child, LPARAM data) {
        auto& f = *reinterpret_cast<TFind*>(data);
        if (GetDlgCtrlID(child) != f.id) return TRUE;
        f.found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.found;
}

// The user opens the string page, types the text and picks the set.
void TypeOnStringPage(HWND frame, const wchar_t* text, TStringSet set) {
  HWND tabs = FindWindowExW(frame, nullptr, WC_TABCONTROLW, nullptr);
  ASSERT_NE(tabs, nullptr);
  SendMessageW(tabs, TCM_SETCURSEL, dpString, 0);
  NMHDR changed = {tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(GetParent(tabs), WM_NOTIFY, changed.idFrom, reinterpret_cast<LPARAM>(&changed));
  HWND edit = Descendant(frame, kEditBox), list = Descendant(frame, kStringSet);
  ASSERT_NE(edit, nullptr);
  ASSERT_NE(list, nullptr);
  SetWindowTextW(edit, text);
  SendMessageW(list, CB_SETCURSEL, set, 0);
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(kStringSet, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void Press(HWND dialog, int id) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
  DWORD from = 0, to = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  return {from, to};
}

class SearchRefusal : public ::testing::Test {
 protected:
  void SetUp() override {
    w = host.Create();
    ASSERT_NE(w, nullptr);
    w->ShowAndRepaint();
    // "A" at 0x10: a search that dropped the refused character would go there.
    std::vector<std::uint8_t> bytes(64, 0);
    bytes[0x10] = 'A';
    w->Editor().Core().InsertBytes(bytes.data(), 0, 64);
    w->Editor().Core().SetCaret(0, 0);
  }
  std::vector<std::uint8_t> Document() {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(w->Editor().Core().Module().Size()));
    w->Editor().Core().Module().ReadData(bytes.data(), 0, static_cast<std::int32_t>(bytes.size()));
    return bytes;
  }

  test::TFakeEditorHost host;
  TOvnxBinaryFormWClass* w = nullptr;
};

const std::string kEuroRefused = "JIS で表せない文字が含まれています.\r\n「€」";

TEST_F(SearchRefusal, TheSearchDialogNamesTheCharacterAndSearchesNothing) {
  w->DoMenuCommand(cmSEARCH);
  HWND dialog = w->ToolWindows().Window(twSearch);
  ASSERT_NE(dialog, nullptr);
  HWND frame = FrameAfter(dialog);
  ASSERT_NE(frame, nullptr);
  ASSERT_NO_FATAL_FAILURE(TypeOnStringPage(frame, L"A€", ssJis));
  struct TCase {
    const char* what;
    int button;
  };
  for (const TCase& c : {TCase{"検索開始", IDOK}, TCase{"件数", idSearchCount}}) {
    host.prompt.shown.clear();
    host.prompt.answers = {mrOk};
    Press(dialog, c.button);
    EXPECT_EQ(host.prompt.Texts(), std::vector<std::string>{kEuroRefused}) << c.what;
    EXPECT_EQ(w->Editor().Core().CaretAddress(), 0) << c.what;
    EXPECT_EQ(Selection(Descendant(frame, kEditBox)), std::make_pair(DWORD{1}, DWORD{2})) << c.what;
  }
  // A text the set carries is searched as before.
  SetWindowTextW(Descendant(frame, kEditBox), L"A");
  host.prompt.shown.clear();
  Press(dialog, IDOK);
  EXPECT_TRUE(host.prompt.shown.empty());
  EXPECT_EQ(w->Editor().Core().CaretAddress(), 0x10);
}

TEST_F(SearchRefusal, TheReplaceDialogRefusesItsReplacementAndChangesNothing) {
  w->DoMenuCommand(cmREPLACE);
  HWND dialog = w->ToolWindows().Window(twReplace);
  ASSERT_NE(dialog, nullptr);
  const HWND search = FrameAfter(dialog), replacement = FrameAfter(dialog, search);
  ASSERT_NE(replacement, nullptr);
  ASSERT_NO_FATAL_FAILURE(TypeOnStringPage(search, L"A", ssSJis));
  ASSERT_NO_FATAL_FAILURE(TypeOnStringPage(replacement, L"B€", ssJis));
  const std::vector<std::uint8_t> before = Document();
  host.prompt.answers = {mrOk};
  Press(dialog, IDOK);
  EXPECT_EQ(host.prompt.Texts(), std::vector<std::string>{kEuroRefused});
  EXPECT_EQ(Document(), before);
  EXPECT_EQ(Selection(Descendant(replacement, kEditBox)), std::make_pair(DWORD{1}, DWORD{2}));
}

}  // namespace
}  // namespace ovx
