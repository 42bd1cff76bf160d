// The wait rule on real windows: a close that reaches an editor window while it waits on a box,
// a file dialog, a modal dialog or a popup menu is kept, the window lives until the wait
// returns into it and then closes once; a window whose document a waiting window compares with
// is held the same way.
#include <functional>
#include <utility>

#include "tests/win32/editor_fake_host.h"
#include "view/win32/BinaryView.h"

namespace ovx::test {
namespace {

// The modal dialogs of the thread owned by `owner`.
struct TDialogSearch {
  HWND owner;
  HWND found;
};
BOOL CALLBACK FindOwnedDialog(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<TDialogSearch*>(lp);
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  if (IsWindowVisible(hwnd) && GetWindow(hwnd, GW_OWNER) == s->owner && lstrcmpW(name, L"#32770") == 0) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// While a modal dialog of `owner` runs its own loop: `during`, then Esc ends the dialog.
std::function<void()> duringDialog;
HWND dialogOwner = nullptr;
void CALLBACK OnDialogTimer(HWND, UINT, UINT_PTR id, DWORD) {
  TDialogSearch search = {dialogOwner, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;
  KillTimer(nullptr, id);
  if (duringDialog) std::exchange(duringDialog, nullptr)();
  PostMessageW(search.found, WM_COMMAND, IDCANCEL, 0);
}

class EditorWaits : public ::testing::Test {
 protected:
  TFakeEditorHost host;
  TScratchFolder scratch;
};

TEST_F(EditorWaits, ACloseDuringAWaitRunsOnceAfterIt) {
  struct TCase {
    const char* name;
    // Prepares the window; the close arrives at the first wait after it.
    std::function<void(TOvnxBinaryFormWClass&)> start;
  };
  const std::string missing = scratch.Path() + "missing.bin";
  const TCase cases[] = {
      {"the open dialog", [&](TOvnxBinaryFormWClass& w) {
         host.dialogAnswers = {""};
         w.DoMenuCommand(cmOPEN);
       }},
      {"a question of the window", [&](TOvnxBinaryFormWClass& w) {
         // The first wait is the file dialog: the close comes in the box after it.
         host.dialogAnswers = {missing};
         host.prompt.answers = {mrAbort};
         int waits = 0;
         host.prompt.whileShown = [&waits, keep = std::move(host.prompt.whileShown)] {
           if (++waits == 2) keep();
         };
         w.DoMenuCommand(cmCOMPAREFILE);
       }},
      {"the view's popup menu", [&](TOvnxBinaryFormWClass& w) {
         w.Editor().View().MenuTracker = [this](HMENU, POINT) {
           host.prompt.whileShown();
           return 0;
         };
         w.Editor().View().ShowContextMenu({10, 10});
       }},
      {"the batch setting dialog", [&](TOvnxBinaryFormWClass& w) {
         dialogOwner = w.Handle();
         duringDialog = host.prompt.whileShown;
         SetTimer(nullptr, 0, 20, OnDialogTimer);
         w.DoMenuCommand(cmLUMPSETTING);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TOvnxBinaryFormWClass* w = host.OpenEditorWindow(scratch.Write("a.bin", "abc"));
    ASSERT_NE(w, nullptr);
    const HWND hwnd = w->Handle();
    host.closed = 0;
    bool closedInside = false;
    host.prompt.whileShown = [&] {
      SendMessageW(hwnd, WM_CLOSE, 0, 0);
      closedInside = closedInside || !IsWindow(hwnd);
    };
    c.start(*w);
    host.prompt.whileShown = nullptr;
    EXPECT_FALSE(closedInside);
    ASSERT_TRUE(IsWindow(hwnd)) << "the window went while the wait was inside it";
    EXPECT_EQ(host.closed, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindow(hwnd)) << "the kept close never ran";
    EXPECT_EQ(host.closed, 1);
    PumpMessages();
    EXPECT_EQ(host.closed, 1);
  }
}

TEST_F(EditorWaits, APartnerOfAWaitingWindowClosesAfterTheWait) {
  TOvnxBinaryFormWClass* a = host.OpenEditorWindow(scratch.Write("a.bin", "abc"));
  TOvnxBinaryFormWClass* b = host.OpenEditorWindow(scratch.Write("b.bin", "abd"));
  ASSERT_TRUE(a && b);
  a->StartWindowCompare(*b);
  const HWND hb = b->Handle();
  bool heldDuring = false;
  host.prompt.answers = {mrOk};
  host.prompt.whileShown = [&] {
    SendMessageW(hb, WM_CLOSE, 0, 0);
    heldDuring = IsWindow(hb) && a->Editor().Core().Comparing();
  };
  // From the last difference on, COMPARENEXT says so in a box: a wait of the window.
  a->DoMenuCommand(cmCOMPARENEXT);
  a->DoMenuCommand(cmCOMPARENEXT);
  host.prompt.whileShown = nullptr;
  EXPECT_TRUE(heldDuring) << "the partner went while the comparing window waited";
  PumpMessages();
  EXPECT_FALSE(IsWindow(hb));
  EXPECT_FALSE(a->Editor().Core().Comparing());
  EXPECT_EQ(a->State().compareMode, 0);
}

}  // namespace
}  // namespace ovx::test
