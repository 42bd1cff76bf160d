// The program as a user gets it: the x64 archive unpacked into C:\Program Files\Orvanta of a new
// prefix, whose browser for .html is a stand-in that writes the page it was asked for into
// C:\help-request.txt. Runs only in scripts/test's clean-machine step (OVX_CLEAN_INSTALL=1).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

const wchar_t kInstalled[] = L"C:\\Program Files\\Orvanta\\";
const wchar_t kHelpRequest[] = L"C:\\help-request.txt";

class CleanInstall : public EditorTest {
 protected:
  void SetUp() override {
    if (!std::getenv("OVX_CLEAN_INSTALL")) GTEST_SKIP() << "only in the clean-machine step of scripts/test";
    firstRun_ = true;
    EditorTest::SetUp();
  }
};

TEST_F(CleanInstall, FirstRunOpensEditsSavesAndF1AsksForTheOptionsPage) {
  ASSERT_TRUE(FileExists(std::wstring(kInstalled) + L"Ovx.exe"));
  DeleteFileW(kHelpRequest);
  const std::wstring file = MakeFile(L"clean.bin", std::string("\x00\x11\x22\x33", 4));
  StartLauncher(L"\"" + file + L"\"", kInstalled);

  // The first run asks about shortcuts before anything else.
  HWND shortcuts = WaitForWindow(L"#32770", L"Orvanta ショートカットメンテナンス");
  ASSERT_NE(shortcuts, nullptr);
  HWND cancel = FindWindowExW(shortcuts, nullptr, L"Button", L"キャンセル");
  ASSERT_NE(cancel, nullptr);
  SendMessageW(cancel, BM_CLICK, 0, 0);

  HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(file));
  ASSERT_NE(window, nullptr);
  SetForegroundWindow(window);
  ASSERT_TRUE(WaitForCaretAddress(window, 0));
  ASSERT_TRUE(TypeKeys(window, L"AB"));
  ASSERT_TRUE(PressShortcut(window, 'S', MOD_CONTROL));
  EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(file) == std::string("\xAB\x11\x22\x33", 4); }))
      << "saved: " << ReadWholeFile(file).size() << " bytes";

  // Options (Ctrl+Shift+F1 in the standard keys), its first page, F1: the shell opens that page.
  ASSERT_TRUE(PressShortcut(window, VK_F1, MOD_CONTROL | MOD_SHIFT));
  HWND options = WaitForWindow(L"", L"環境オプション - Orvanta");
  ASSERT_NE(options, nullptr);
  ASSERT_TRUE(PressShortcut(options, VK_F1));
  std::string request;
  EXPECT_TRUE(WaitUntil([&] { return !(request = ReadWholeFile(kHelpRequest)).empty(); }))
      << "the stand-in browser was not started";
  EXPECT_NE(request.find("C:\\Program Files\\Orvanta\\help\\options.html"), std::string::npos) << request;
  PostMessageW(options, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([] { return !FindTopWindow(L"", L"環境オプション - Orvanta"); }));

  // A tool dialog (相対ジャンプツール, Ctrl+Shift+F6): F1 asks for its own page.
  DeleteFileW(kHelpRequest);
  ASSERT_TRUE(PressShortcut(window, VK_F6, MOD_CONTROL | MOD_SHIFT));
  HWND tool = WaitForWindow(L"", L"相対ジャンプツール");
  ASSERT_NE(tool, nullptr);
  ASSERT_TRUE(PressShortcut(tool, VK_F1));
  EXPECT_TRUE(WaitUntil([&] { return !(request = ReadWholeFile(kHelpRequest)).empty(); }))
      << "the stand-in browser was not started";
  EXPECT_NE(request.find("C:\\Program Files\\Orvanta\\help\\jump.html"), std::string::npos) << request;
}

}  // namespace
}  // namespace ovx::e2e
