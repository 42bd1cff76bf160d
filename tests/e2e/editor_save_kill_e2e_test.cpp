// The editor killed while it saves a large file, at moments spread over the length of a save: the
// file's name holds the old or the new content every time, and the next save removes the
// temporary files the killed saves left.
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <vector>

#include "editor/MenuItems.h"
#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

// Large enough that a save takes a good part of a second here.
constexpr std::uint64_t kFileSize = 64ull << 20;

// FNV-1a over the bytes of the file, its first byte taken as `firstByte` when that is given (the
// content a save of that change would write); 0 when the file cannot be read.
std::uint64_t Digest(const std::wstring& path, int firstByte = -1) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  std::vector<unsigned char> buffer(1 << 20);
  std::uint64_t hash = 14695981039346656037ull;
  bool first = true;
  DWORD got = 0;
  while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0) {
    if (first && firstByte >= 0) buffer[0] = static_cast<unsigned char>(firstByte);
    first = false;
    for (DWORD i = 0; i < got; ++i) hash = (hash ^ buffer[i]) * 1099511628211ull;
  }
  CloseHandle(file);
  return hash;
}

// The temporary files in the data folder: what a save that did not finish leaves.
std::vector<std::wstring> TemporaryFiles() {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((DataFolder() + L"*.tmp").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (FindNextFileW(find, &found));
  FindClose(find);
  return names;
}

bool Modified(HWND window) { return StatusPanelText(window, 0) == L"変更"; }

// Opens the file in a fresh editor process and types `value` over its first byte.
HWND OpenAndChangeTheFirstByte(const std::wstring& path, int value) {
  HWND window = OpenFileWindow(path);
  if (!window) return nullptr;
  wchar_t digits[3];
  std::swprintf(digits, 3, L"%02X", value);
  TypeKeys(window, digits);
  if (!WaitForCaretAddress(window, 1, 3000)) return nullptr;
  if (!WaitUntil([window] { return Modified(window); }, 3000)) return nullptr;
  return window;
}

// Saves through the menu command and returns when the save has run to its end.
bool SaveToTheEnd(HWND window) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(window, WM_COMMAND, static_cast<WPARAM>(MenuIdOf(miMM_SaveFile)), 0, SMTO_NORMAL,
                             60000, &ignored) != 0;
}

// Ends the editor process at once, as the task manager or a crash would.
void Kill(HWND window) {
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ProcessOf(window));
  ASSERT_NE(process, nullptr);
  TerminateProcess(process, 1);
  WaitForSingleObject(process, kWaitMs);
  CloseHandle(process);
}

using EditorE2eSaveKilled = EditorTest;

TEST_F(EditorE2eSaveKilled, TheNameHoldsTheOldOrTheNewContentWheneverTheSaveIsKilled) {
  const std::wstring path = MakeSizedFile(L"large.bin", kFileSize);
  ASSERT_FALSE(path.empty());
  const std::wstring backup = DataFolder() + L"large.bak";

  // A save that runs to its end tells how long one takes here.
  const std::uint64_t firstSave = Digest(path, 0x10);
  HWND window = OpenAndChangeTheFirstByte(path, 0x10);
  ASSERT_NE(window, nullptr);
  const DWORD start = GetTickCount();
  ASSERT_TRUE(SaveToTheEnd(window));
  const DWORD saveMs = GetTickCount() - start;
  ASSERT_EQ(Digest(path), firstSave);
  Kill(window);

  int interrupted = 0;  // kills that left a temporary file behind
  const int percents[] = {0, 10, 25, 40, 55, 70, 85, 100};
  for (int i = 0; i < static_cast<int>(std::size(percents)); ++i) {
    SCOPED_TRACE("killed " + std::to_string(saveMs * percents[i] / 100) + " ms after the save command");
    const int value = 0x20 + i;  // a first byte no earlier content had
    const std::uint64_t before = Digest(path), after = Digest(path, value);
    const std::size_t temporaries = TemporaryFiles().size();
    window = OpenAndChangeTheFirstByte(path, value);
    ASSERT_NE(window, nullptr);

    PostMenuCommand(window, MenuIdOf(miMM_SaveFile));
    Sleep(saveMs * percents[i] / 100);  // the moment of the kill, not a wait for an effect
    Kill(window);

    const std::uint64_t now = Digest(path);
    EXPECT_TRUE(now == before || now == after) << (now == 0 ? "the name holds no file" : "the name holds neither");
    if (TemporaryFiles().size() > temporaries) ++interrupted;
  }
  EXPECT_GT(interrupted, 0) << "no kill fell inside a save";

  // The next save runs to its end: the backup holds what the name held, and no temporary file
  // is left.
  const std::uint64_t before = Digest(path), after = Digest(path, 0x7F);
  window = OpenAndChangeTheFirstByte(path, 0x7F);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(SaveToTheEnd(window));
  EXPECT_EQ(Digest(path), after);
  EXPECT_EQ(Digest(backup), before);
  EXPECT_EQ(TemporaryFiles(), std::vector<std::wstring>{});
}

}  // namespace
}  // namespace ovx::e2e
