// The view's clipboard on the real platform: the private block and plain text.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <thread>

#include "view/win32/Win32ViewClipboard.h"

namespace ovx {
namespace {

class ClipboardOwner {
 public:
  ClipboardOwner() {
    window_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  }
  ~ClipboardOwner() { DestroyWindow(window_); }
  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

void PutText(HWND owner, const char* text, std::size_t length) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, length);
  std::memcpy(GlobalLock(memory), text, length);
  GlobalUnlock(memory);
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
}

TEST(ViewClipboardWin32, PrivateBlockRoundTrip) {
  ClipboardOwner owner;
  ASSERT_NE(owner.Handle(), nullptr);
  TWin32ViewClipboard clipboard(owner.Handle());
  const std::vector<std::uint8_t> block{3, 0, 0, 0, 0x00, 0x41, 0xFF};
  ASSERT_TRUE(clipboard.PutPrivate(block));
  EXPECT_TRUE(clipboard.HasPrivate());
  EXPECT_EQ(TWin32ViewClipboard::PrivateFormat(), RegisterClipboardFormatW(L"Ovnx Clipboard Format"));
  std::vector<std::uint8_t> back;
  ASSERT_TRUE(clipboard.GetPrivate(back));
  ASSERT_GE(back.size(), block.size());  // the system may round the block up
  EXPECT_EQ(std::vector<std::uint8_t>(back.begin(), back.begin() + 7), block);
}

TEST(ViewClipboardWin32, PlainTextUpToTheFirstNul) {
  ClipboardOwner owner;
  TWin32ViewClipboard clipboard(owner.Handle());
  PutText(owner.Handle(), "AB\0C", 5);
  EXPECT_FALSE(clipboard.HasPrivate());
  EXPECT_TRUE(clipboard.HasText());
  std::string text;
  ASSERT_TRUE(clipboard.GetText(text));
  EXPECT_EQ(text, "AB");
}

// A clipboard viewer that reads what was just put there holds the clipboard for a moment;
// a copy made meanwhile must wait for it, not fail.
TEST(ViewClipboardWin32, CopyWaitsForAnotherHolderOfTheClipboard) {
  ClipboardOwner owner;
  TWin32ViewClipboard clipboard(owner.Handle());
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([opened] {
    ClipboardOwner other;
    if (!OpenClipboard(other.Handle())) return;
    SetEvent(opened);
    Sleep(40);
    CloseClipboard();
  });
  ASSERT_EQ(WaitForSingleObject(opened, 5000), WAIT_OBJECT_0);
  EXPECT_FALSE(OpenClipboard(owner.Handle()));  // the other thread holds it now
  EXPECT_TRUE(clipboard.PutPrivate({1, 0, 0, 0, 0x7E}));
  holder.join();
  CloseHandle(opened);
  std::vector<std::uint8_t> back;
  ASSERT_TRUE(clipboard.GetPrivate(back));
  ASSERT_GE(back.size(), 5u);
  EXPECT_EQ(back[4], 0x7E);
}

}  // namespace
}  // namespace ovx
