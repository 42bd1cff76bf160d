// The view's clipboard on the real platform: the private block and plain text.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <thread>
#include <vector>

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

// The data of one format as the clipboard lends it.
std::vector<std::uint8_t> Read(bool (TWin32ViewClipboard::*reader)(const TClipboardRead&), TWin32ViewClipboard& c) {
  std::vector<std::uint8_t> out;
  const bool ok = (c.*reader)([&](const std::uint8_t* data, std::size_t size) { out.assign(data, data + size); });
  EXPECT_TRUE(ok);
  return out;
}

// Places the bytes as the private block, written straight into the clipboard's memory.
TClipboardPut Put(TWin32ViewClipboard& c, const std::vector<std::uint8_t>& block) {
  return c.PutPrivate(block.size(), [&](std::uint8_t* p) { std::memcpy(p, block.data(), block.size()); });
}

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
  ASSERT_EQ(Put(clipboard, block), cpPlaced);
  EXPECT_TRUE(clipboard.HasPrivate());
  EXPECT_EQ(TWin32ViewClipboard::PrivateFormat(), RegisterClipboardFormatW(L"Ovnx Clipboard Format"));
  const std::vector<std::uint8_t> back = Read(&TWin32ViewClipboard::ReadPrivate, clipboard);
  ASSERT_GE(back.size(), block.size());  // the system may round the block up
  EXPECT_EQ(std::vector<std::uint8_t>(back.begin(), back.begin() + 7), block);
}

TEST(ViewClipboardWin32, PlainTextUpToTheFirstNul) {
  ClipboardOwner owner;
  TWin32ViewClipboard clipboard(owner.Handle());
  PutText(owner.Handle(), "AB\0C", 5);
  EXPECT_FALSE(clipboard.HasPrivate());
  EXPECT_TRUE(clipboard.HasText());
  const std::vector<std::uint8_t> text = Read(&TWin32ViewClipboard::ReadText, clipboard);
  const TClipboardBytes bytes = ClipboardTextBytes(text.data(), text.size());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data), bytes.count), "AB");
}

// A block too large for memory is never half made: the clipboard keeps what it held.
TEST(ViewClipboardWin32, BlockWithoutMemoryLeavesTheClipboardAsItWas) {
  ClipboardOwner owner;
  TWin32ViewClipboard clipboard(owner.Handle());
  PutText(owner.Handle(), "kept", 5);
  bool filled = false;
  const SIZE_T huge = std::numeric_limits<SIZE_T>::max() - 0xFFFF;
  EXPECT_EQ(clipboard.PutPrivate(huge, [&](std::uint8_t*) { filled = true; }), cpOutOfMemory);
  EXPECT_FALSE(filled);
  EXPECT_FALSE(clipboard.HasPrivate());
  const std::vector<std::uint8_t> text = Read(&TWin32ViewClipboard::ReadText, clipboard);
  EXPECT_EQ(std::string(text.begin(), text.begin() + 4), "kept");
}

// A paste that runs out of memory while it reads the clipboard's data leaves the clipboard
// closed for every other program.
TEST(ViewClipboardWin32, ReaderThatRunsOutOfMemoryLeavesTheClipboardClosed) {
  ClipboardOwner owner;
  TWin32ViewClipboard clipboard(owner.Handle());
  ASSERT_EQ(Put(clipboard, {1, 0, 0, 0, 0x7E}), cpPlaced);
  EXPECT_THROW(clipboard.ReadPrivate([](const std::uint8_t*, std::size_t) { throw std::bad_alloc(); }),
               std::bad_alloc);
  ClipboardOwner other;
  ASSERT_TRUE(OpenClipboard(other.Handle()));
  CloseClipboard();
  EXPECT_EQ(Read(&TWin32ViewClipboard::ReadPrivate, clipboard).at(4), 0x7E);
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
  EXPECT_EQ(Put(clipboard, {1, 0, 0, 0, 0x7E}), cpPlaced);
  holder.join();
  CloseHandle(opened);
  const std::vector<std::uint8_t> back = Read(&TWin32ViewClipboard::ReadPrivate, clipboard);
  ASSERT_GE(back.size(), 5u);
  EXPECT_EQ(back[4], 0x7E);
}

}  // namespace
}  // namespace ovx
