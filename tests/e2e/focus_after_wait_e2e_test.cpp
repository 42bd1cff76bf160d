// A window brought to the front while its dialog stands (its taskbar button, another
// program's activation) gets its keys back in the view once the dialog ends. Found by the
// monkey: after a save-as answered so, Ctrl+A and Ctrl+C went nowhere.
#include "editor/MenuItems.h"
#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

std::wstring FocusClassOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus) return L"none";
  return ClassOf(info.hwndFocus);
}

using FocusAfterWaitE2e = EditorTest;

TEST_F(FocusAfterWaitE2e, AWindowActivatedUnderItsSaveDialogTakesKeysAfterIt) {
  const std::wstring path = MakeFile(L"kept.bin", "0123");
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  PostMenuCommand(window, MenuIdOf(miMM_SaveAnotherName));
  auto dialog = WaitForMessageBox(L"", ProcessOf(window));
  ASSERT_TRUE(dialog);
  SetForegroundWindow(window);  // the disabled window is made active under its dialog
  ASSERT_TRUE(WaitUntil([window] { return GetForegroundWindow() == window; }, 3000));
  const std::wstring saved = DataFolder() + L"saved.bin";
  ASSERT_TRUE(ConfirmFileDialog(dialog->hwnd, saved));
  ASSERT_TRUE(WaitUntil([&] { return ReadWholeFile(saved) == "0123"; }));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(window) != FALSE; }));
  EXPECT_TRUE(WaitUntil([&] { return FocusClassOf(window) == L"TBinaryView"; }, 3000)) << FocusClassOf(window);
  EXPECT_EQ(CopyAllBytes(window), std::optional<std::string>("0123"));
}

}  // namespace
}  // namespace ovx::e2e
