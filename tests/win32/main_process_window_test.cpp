// The main process window in the test process: how its message loop comes to an end.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/win32/MainProcessWindow.h"
#include "charset/StrUty.h"
#include "shell/win32/SettingsPlatform.h"

namespace ovx {
namespace {

const wchar_t kSettingsRoot[] = L"Software\\Brightmoor\\Orvanta";

// A value the set-up does not write: only a save puts it there.
bool SettingsSaved() {
  DWORD value = 0, size = sizeof value;
  return RegGetValueW(HKEY_CURRENT_USER, (std::wstring(kSettingsRoot) + L"\\Config").c_str(), L"ProfileMax",
                      RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS;
}

// Serves the thread's messages as the program's loop does until the loop would end (WM_QUIT);
// false when that does not happen within the time.
bool RunUntilQuit(DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return true;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (GetTickCount() - start >= ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
}

// The settings and the profile file the window saves are removed before and after.
class MainProcessWindowEnd : public ::testing::Test {
 protected:
  // A settings root without the opening screen: not the first run, so no dialog waits for an answer.
  void SetUp() override {
    Clean();
    const DWORD off = 0;
    RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(kSettingsRoot) + L"\\Config").c_str(), L"OpeningDlg", REG_DWORD,
                    &off, sizeof off);
  }
  void TearDown() override {
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    Clean();
  }
  static void Clean() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsRoot);
    DeleteFileW(Utf8ToWide(ExecutableFolder() + "_profile").c_str());
  }
};

TEST_F(MainProcessWindowEnd, RequestsServedAfterTheSettingsWereSavedOpenNothing) {
  TMainProcessWindow main;
  ASSERT_TRUE(main.Create(GetModuleHandleW(nullptr), {"ovxmain"}));
  ASSERT_EQ(main.EditorWindowCount(), 1);
  SendMessageW(main.EditorWindowAt(0)->Handle(), WM_CLOSE, 0, 0);
  ASSERT_EQ(main.EditorWindowCount(), 0);
  // The shutdown check saves the settings and ends the loop; requests of other starts that
  // arrive now are still served by the loop before it sees its end.
  ASSERT_TRUE(RunUntilQuit(5000));
  ASSERT_TRUE(SettingsSaved());
  EXPECT_EQ(SendMessageW(main.Handle(), WM_USER, 0, 0), 0);
  std::string name = "late request.bin";
  COPYDATASTRUCT data = {0, static_cast<DWORD>(name.size()), name.data()};
  EXPECT_EQ(SendMessageW(main.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0);
  EXPECT_EQ(main.EditorWindowCount(), 0) << "a window opened that dies with the loop";
}

TEST_F(MainProcessWindowEnd, DestroyedWhileRunningEndsTheLoopAndSaves) {
  TMainProcessWindow main;
  ASSERT_TRUE(main.Create(GetModuleHandleW(nullptr), {"ovxmain"}));
  ASSERT_EQ(main.EditorWindowCount(), 1);
  DestroyWindow(main.Handle());
  EXPECT_TRUE(RunUntilQuit(2000)) << "the loop runs on without its window";
  EXPECT_TRUE(SettingsSaved());
}

}  // namespace
}  // namespace ovx
