// What the editor process keeps between runs: the registry tree and the window profiles.
#include <future>

#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

std::wstring SubKey(const std::wstring& name) { return std::wstring(kSettingsRoot) + L"\\" + name; }

struct StoredProfile {
  std::string name;  // ANSI bytes as stored
  std::int32_t left, top, clientWidth, clientHeight;
};

// Reads "_profile" beside the program; empty when it is missing or not well-formed.
std::vector<StoredProfile> ReadProfileFile() {
  std::string bytes = ReadWholeFile(ProgramFolder() + L"_profile");
  std::vector<StoredProfile> result;
  auto int32At = [&bytes](size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return static_cast<std::int32_t>(v);
  };
  if (bytes.size() < 20 || bytes.compare(0, 12, "Ovnx_Profile") != 0) return result;
  if (static_cast<size_t>(int32At(16)) != bytes.size()) return result;
  size_t at = 20;
  for (std::int32_t i = 0; i < int32At(12); ++i) {
    if (at + 4 > bytes.size()) return {};
    std::int32_t n = int32At(at);
    if (n < 0 || at + 4 + n + 32 > bytes.size()) return {};
    StoredProfile p;
    p.name = bytes.substr(at + 4, n);
    at += 4 + n;
    p.left = int32At(at);
    p.top = int32At(at + 4);
    p.clientWidth = int32At(at + 8);
    p.clientHeight = int32At(at + 12);
    result.push_back(p);
    at += 32;
  }
  return result;
}

std::string Ansi(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(n, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

std::string Int32Bytes(std::int32_t v) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
  return bytes;
}

// Writes "_profile" beside the program with the records given (view positions all 0).
void WriteProfileFile(const std::vector<StoredProfile>& records) {
  std::string body;
  for (const StoredProfile& p : records) {
    body += Int32Bytes(static_cast<std::int32_t>(p.name.size())) + p.name;
    for (std::int32_t v : {p.left, p.top, p.clientWidth, p.clientHeight}) body += Int32Bytes(v);
    body += std::string(16, '\0');
  }
  std::string whole = "Ovnx_Profile" + Int32Bytes(static_cast<std::int32_t>(records.size())) +
                      Int32Bytes(static_cast<std::int32_t>(20 + body.size())) + body;
  HANDLE file = CreateFileW((ProgramFolder() + L"_profile").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, whole.data(), static_cast<DWORD>(whole.size()), &written, nullptr);
  CloseHandle(file);
}

SIZE ClientSize(HWND window) {
  RECT r = {};
  GetClientRect(window, &r);
  return {r.right, r.bottom};
}

using ShellSettings = EditorTest;

TEST_F(ShellSettings, OnlyOptionsWritesTheFullSettingsTree) {
  ASSERT_TRUE(WaitForExit(StartEditor(L"-o")));
  EXPECT_EQ(RegistryValueCount(SubKey(L"Config")), 23);
  EXPECT_EQ(RegistryValueCount(SubKey(L"ViewItem")), 7);
  EXPECT_EQ(RegistryValueCount(SubKey(L"Color")), 0);
  EXPECT_EQ(RegistryValueCount(SubKey(L"History")), 0);
  EXPECT_EQ(RegistryValueCount(SubKey(L"Key")), 0);
  for (int n = 0; n < 5; ++n)
    EXPECT_EQ(RegistryValueCount(SubKey(L"Key\\UserMenu{" + std::to_wstring(n) + L"}")), 0) << n;
  EXPECT_EQ(ReadRegistryDword(SubKey(L"Config"), L"ProfileMax"), 100u);
  EXPECT_EQ(ReadRegistryDword(SubKey(L"Config"), L"FontHeight"), 14u);
  EXPECT_EQ(ReadRegistryString(SubKey(L"Config"), L"ViewModeExt"), L"sys;exe;com;dll;vxd");
  EXPECT_EQ(ReadRegistryString(kSettingsRoot, L"InstallFolder"), LongPath(ProgramFolder()));
  EXPECT_EQ(ReadProfileFile().size(), 0u);
}

TEST_F(ShellSettings, OpenedFilesGoToTheHistory) {
  std::wstring a = MakeFile(L"hist a.bin"), b = MakeFile(L"hist b.bin");
  TProcess editor = StartEditor(Quoted(a) + L" " + Quoted(b));
  ASSERT_TRUE(WaitForEditorWindowCount(2));
  for (HWND w : EditorWindows()) CloseEditorWindow(w);
  ASSERT_TRUE(WaitForExit(editor));
  EXPECT_EQ(ReadRegistryString(SubKey(L"History"), L"History0"), LongPath(b));
  EXPECT_EQ(ReadRegistryString(SubKey(L"History"), L"History1"), LongPath(a));
  EXPECT_EQ(RegistryValueCount(SubKey(L"History")), 2);
}

TEST_F(ShellSettings, ReopenedFileReturnsToItsPlace) {
  std::wstring file = MakeFile(L"placed.bin");
  TProcess first = StartEditor(Quoted(file));
  HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", LongPath(file) + L" - Orvanta");
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(SetWindowPos(window, nullptr, 37, 61, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE));
  RECT moved = {}, movedClient = {};
  GetWindowRect(window, &moved);
  GetClientRect(window, &movedClient);
  CloseEditorWindow(window);
  ASSERT_TRUE(WaitForExit(first));

  std::vector<StoredProfile> stored = ReadProfileFile();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].name, Ansi(LongPath(file)));
  EXPECT_EQ(stored[0].left, moved.left);
  EXPECT_EQ(stored[0].top, moved.top);
  EXPECT_EQ(stored[0].clientWidth, movedClient.right);
  EXPECT_EQ(stored[0].clientHeight, movedClient.bottom);

  StartEditor(Quoted(file));
  HWND again = WaitForWindow(L"TOvnxBinaryFormWClass", LongPath(file) + L" - Orvanta");
  ASSERT_NE(again, nullptr);
  RECT placed = {}, client = {};
  GetWindowRect(again, &placed);
  GetClientRect(again, &client);
  EXPECT_EQ(placed.left, moved.left);
  EXPECT_EQ(placed.top, moved.top);
  EXPECT_EQ(client.right, movedClient.right);
  EXPECT_EQ(client.bottom, movedClient.bottom);
  Screenshot(L"shell-profile-restored");
}

TEST_F(ShellSettings, WindowClosedMinimisedOrMaximisedReturnsToItsNormalPlace) {
  struct TCase {
    const char* what;
    int show;
    BOOL(WINAPI* inState)(HWND);
    int left, top;
  };
  const TCase cases[] = {{"minimised", SW_MINIMIZE, IsIconic, 37, 61}, {"maximised", SW_MAXIMIZE, IsZoomed, 83, 29}};
  std::wstring file = MakeFile(L"normal place.bin");
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TProcess first = StartEditor(Quoted(file));
    HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(file));
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(SetWindowPos(window, nullptr, c.left, c.top, 520, 340, SWP_NOZORDER | SWP_NOACTIVATE));
    const RECT normal = WindowRect(window);
    const SIZE normalClient = ClientSize(window);
    ShowWindowAsync(window, c.show);
    ASSERT_TRUE(WaitUntil([&] { return c.inState(window) != FALSE; }, 3000));
    CloseEditorWindow(window);
    ASSERT_TRUE(WaitForExit(first));

    std::vector<StoredProfile> stored = ReadProfileFile();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].left, normal.left);
    EXPECT_EQ(stored[0].top, normal.top);
    EXPECT_EQ(stored[0].clientWidth, normalClient.cx);
    EXPECT_EQ(stored[0].clientHeight, normalClient.cy);

    TProcess second = StartEditor(Quoted(file));
    HWND again = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(file));
    ASSERT_NE(again, nullptr);
    const RECT placed = WindowRect(again);
    EXPECT_EQ(placed.left, normal.left);
    EXPECT_EQ(placed.top, normal.top);
    EXPECT_EQ(ClientSize(again).cx, normalClient.cx);
    EXPECT_EQ(ClientSize(again).cy, normalClient.cy);
    CloseEditorWindow(again);
    ASSERT_TRUE(WaitForExit(second));
  }
}

TEST_F(ShellSettings, ProfileOffScreenComesBackInsideTheWorkArea) {
  // What a window closed while minimised used to store: the minimised place and no client area.
  std::wstring lost = MakeFile(L"lost window.bin"), fresh = MakeFile(L"fresh window.bin");
  WriteProfileFile({{Ansi(LongPath(lost)), -32000, -32000, 0, 0}});
  StartEditor(Quoted(lost) + L" " + Quoted(fresh));
  HWND lostWindow = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(lost));
  HWND freshWindow = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(fresh));
  ASSERT_TRUE(lostWindow && freshWindow);
  RECT area = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  const RECT placed = WindowRect(lostWindow);
  EXPECT_GE(placed.left, area.left);
  EXPECT_GE(placed.top, area.top);
  EXPECT_LE(placed.right, area.right);
  EXPECT_LE(placed.bottom, area.bottom);
  // No stored client area: the window keeps the size a file without a profile gets.
  EXPECT_EQ(ClientSize(lostWindow).cx, ClientSize(freshWindow).cx);
  EXPECT_EQ(ClientSize(lostWindow).cy, ClientSize(freshWindow).cy);
  Screenshot(L"shell-profile-off-screen-restored");
}

TEST_F(ShellSettings, SessionEndAsksForChangesThenSavesSettingsAndProfiles) {
  std::wstring file = MakeFile(L"session end.dat", "OLD!");
  HWND window = OpenFileWindow(file);
  ASSERT_NE(window, nullptr);
  const DWORD editorId = ProcessOf(window);
  TypeKeys(window, L"41");
  ASSERT_TRUE(WaitUntil([window] { return StatusPanelText(window, 0) == L"変更"; }, 3000));

  struct TCase {
    const char* what;
    int button;
    LRESULT expected;
  };
  const TCase cases[] = {{"cancel refuses the end", IDCANCEL, FALSE}, {"no lets it end", IDNO, TRUE}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    // The system waits for the answer; the question is answered meanwhile.
    std::future<LRESULT> answer =
        std::async(std::launch::async, [window] { return SendMessageW(window, WM_QUERYENDSESSION, 0, 0); });
    auto question = WaitForMessageBox(L"確認", editorId);
    ASSERT_TRUE(question) << "the changes were not asked about";
    EXPECT_EQ(question->text, LongPath(file) + L" は更新されています.\r\n閉じる前に保存しますか？");
    Screenshot(L"shell-session-end-question");
    PostMessageW(GetDlgItem(question->hwnd, c.button), BM_CLICK, 0, 0);
    EXPECT_EQ(answer.get(), c.expected);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question->hwnd); }));
  }
  EXPECT_EQ(ReadWholeFile(file), "OLD!");
  const RECT frame = WindowRect(window);
  const SIZE client = ClientSize(window);

  // The session ends: the process keeps what a normal end keeps.
  SendMessageW(window, WM_ENDSESSION, TRUE, 0);
  SendMessageW(MainProcessWindow(), WM_ENDSESSION, TRUE, 0);
  std::vector<StoredProfile> stored = ReadProfileFile();
  ASSERT_EQ(stored.size(), 1u) << "no profile was saved";
  EXPECT_EQ(stored[0].name, Ansi(LongPath(file)));
  EXPECT_EQ(stored[0].left, frame.left);
  EXPECT_EQ(stored[0].top, frame.top);
  EXPECT_EQ(stored[0].clientWidth, client.cx);
  EXPECT_EQ(stored[0].clientHeight, client.cy);
  EXPECT_EQ(RegistryValueCount(SubKey(L"Config")), 23);
  EXPECT_EQ(ReadRegistryString(SubKey(L"History"), L"History0"), LongPath(file));
}

TEST_F(ShellSettings, HundredAndOneProfilesDropTheFirstClosed) {
  std::vector<std::wstring> files;
  std::wstring args;
  for (int i = 0; i < 101; ++i) {
    files.push_back(MakeFile(L"p" + std::to_wstring(i) + L".bin"));
    args += Quoted(files.back()) + L" ";
  }
  TProcess editor = StartEditor(args);
  // A hundred and one windows take long on a loaded machine; the limit only bounds a failure.
  ASSERT_TRUE(WaitForEditorWindowCount(101, 180000));
  // Close in file order: p0 is closed first.
  for (const auto& f : files) CloseEditorWindow(FindTopWindow(L"TOvnxBinaryFormWClass", LongPath(f) + L" - Orvanta"));
  ASSERT_TRUE(WaitForExit(editor, 180000));
  std::vector<StoredProfile> stored = ReadProfileFile();
  ASSERT_EQ(stored.size(), 100u);
  // Most recent first: p100 at the top, p1 at the bottom, p0 gone.
  EXPECT_EQ(stored.front().name, Ansi(LongPath(files[100])));
  EXPECT_EQ(stored.back().name, Ansi(LongPath(files[1])));
  for (const auto& p : stored) EXPECT_NE(p.name, Ansi(LongPath(files[0])));
}

}  // namespace
}  // namespace ovx::e2e
