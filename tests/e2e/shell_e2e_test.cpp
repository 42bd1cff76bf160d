// The application shell seen from outside: program entry, the instance protocol, the launcher,
// shutdown and the notification icon.
#include <algorithm>

#include "app/TrayMenuIds.h"
#include "app/win32/AppResources.h"
#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

const std::wstring kUnnamedCaption = L"(新規) - Orvanta";

std::wstring CaptionFor(const std::wstring& path) { return LongPath(path) + L" - Orvanta"; }

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

bool Contains(const std::vector<std::wstring>& list, const std::wstring& item) {
  for (const auto& s : list)
    if (s == item) return true;
  return false;
}

// Asks the main process window to open a file, as a second start does; the answer it gives.
LRESULT SendOpenRequest(HWND main, const std::wstring& path) {
  int n = WideCharToMultiByte(CP_ACP, 0, path.c_str(), static_cast<int>(path.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(n, '\0');
  WideCharToMultiByte(CP_ACP, 0, path.c_str(), static_cast<int>(path.size()), bytes.data(), n, nullptr, nullptr);
  COPYDATASTRUCT data = {0, static_cast<DWORD>(bytes.size()), bytes.data()};
  return SendMessageW(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

// The one editor process: starts it without arguments and waits for its window.
HWND StartWithOneWindow() {
  StartEditor();
  return WaitForWindow(L"TOvnxBinaryFormWClass", kUnnamedCaption);
}

// A later start: the launcher, or a second start of the editor.
TProcess StartSender(bool byLauncher, const std::wstring& arguments) {
  return byLauncher ? StartLauncher(arguments) : StartEditor(arguments);
}

using ShellStart = EditorTest;

TEST_F(ShellStart, NoArgumentsOpensOneUnnamedWindow) {
  TProcess editor = StartEditor();
  HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", kUnnamedCaption);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(EditorCaptions(), std::vector<std::wstring>{kUnnamedCaption});
  EXPECT_EQ(ProcessOf(window), editor.id);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr) << "an editor window has its own taskbar button";
  EXPECT_TRUE(EditorRunning());

  HWND main = MainProcessWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(ProcessOf(main), editor.id);
  EXPECT_FALSE(IsWindowVisible(main));
  EXPECT_TRUE(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  Screenshot(L"shell-first-window");
}

TEST_F(ShellStart, SameFileTwiceInOtherCaseAndShortFormOpensOneWindow) {
  std::wstring file = MakeFile(L"Long File Name.bin");
  std::wstring shortForm = ShortPath(file);
  std::wstring upper = file;
  for (wchar_t& c : upper) c = static_cast<wchar_t>(towupper(c));
  StartEditor(Quoted(file) + L" " + Quoted(upper) + L" " + shortForm);
  ASSERT_TRUE(WaitForWindow(L"TOvnxBinaryFormWClass", CaptionFor(file)));
  // Give a wrongly opened second window the time to appear.
  EXPECT_FALSE(WaitUntil([] { return EditorWindows().size() > 1; }, 500));
  EXPECT_EQ(EditorCaptions(), std::vector<std::wstring>{CaptionFor(file)});
}

TEST_F(ShellStart, OnlyOptionsEndsWithoutWindow) {
  TProcess editor = StartEditor(L"-a /b");
  DWORD start = GetTickCount();
  ASSERT_TRUE(WaitForExit(editor, 3000));
  // Process start-up under Wine on a busy machine included.
  EXPECT_LT(GetTickCount() - start, 2500u);
  EXPECT_TRUE(EditorWindows().empty());
  EXPECT_FALSE(EditorRunning());
}

TEST_F(ShellStart, ClosingTheLastWindowEndsProcessAndMutex) {
  TProcess editor = StartEditor();
  HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", kUnnamedCaption);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(PressShortcut(window, VK_F4, MOD_ALT));  // the close box's command
  DWORD start = GetTickCount();
  ASSERT_TRUE(WaitForExit(editor, 3000));
  // About a second: one or two 200 ms checks and the save, on a machine that may be busy.
  EXPECT_LT(GetTickCount() - start, 1500u);
  EXPECT_FALSE(EditorRunning());
  EXPECT_EQ(MainProcessWindow(), nullptr);
}

TEST_F(ShellStart, RequestWhileShuttingDownKeepsTheProcess) {
  TProcess editor = StartEditor();
  HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", kUnnamedCaption);
  HWND main = MainProcessWindow();
  ASSERT_TRUE(window && main);
  SendMessageW(window, WM_CLOSE, 0, 0);
  // Within the 200 ms shutdown check, as a second start would send it.
  HWND fresh = reinterpret_cast<HWND>(SendMessageW(main, WM_USER, 0, 0));
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(ProcessOf(fresh), editor.id);
  EXPECT_FALSE(WaitForExit(editor, 600)) << "the process ended although a window was open";
  EXPECT_EQ(EditorCaptions(), std::vector<std::wstring>{kUnnamedCaption});
}

TEST_F(ShellStart, CloseMessageToTheMainWindowEndsTheProcess) {
  TProcess editor = StartEditor();
  ASSERT_NE(WaitForWindow(L"TOvnxBinaryFormWClass", kUnnamedCaption), nullptr);
  HWND main = MainProcessWindow();
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitForExit(editor, 3000)) << "the process outlived its main window";
  EXPECT_FALSE(EditorRunning());
  // The next start becomes the editor process instead of waiting for a window that is gone.
  TProcess next = StartEditor();
  HWND fresh = WaitForWindow(L"TOvnxBinaryFormWClass", kUnnamedCaption);
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(ProcessOf(fresh), next.id);
  EXPECT_EQ(FindTopWindow(L"#32770"), nullptr) << "a message box appeared";
}

TEST_F(ShellStart, CloseMessageToTheMainWindowAsksForChanges) {
  std::wstring file = MakeFile(L"kept changes.dat", "OLD!");
  HWND window = OpenFileWindow(file);
  ASSERT_NE(window, nullptr);
  TypeKeys(window, L"41");
  ASSERT_TRUE(WaitUntil([window] { return StatusPanelText(window, 0) == L"変更"; }, 3000));
  PostMessageW(MainProcessWindow(), WM_CLOSE, 0, 0);
  auto question = WaitForMessageBox(L"確認", ProcessOf(window));
  ASSERT_TRUE(question) << "the changes were not asked about";
  EXPECT_EQ(question->text, LongPath(file) + L" は更新されています.\r\n閉じる前に保存しますか？");
  PostMessageW(GetDlgItem(question->hwnd, IDCANCEL), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question->hwnd); }));
  // Cancelled: the window, the main process window and the process stay.
  EXPECT_FALSE(WaitUntil([] { return !EditorRunning(); }, 600));
  EXPECT_TRUE(IsWindow(window));
  EXPECT_NE(MainProcessWindow(), nullptr);
  EXPECT_EQ(ReadWholeFile(file), "OLD!");
}

TEST_F(ShellStart, RequestsWhileStartingAreAllServed) {
  // Files with a view-only extension: each opening shows a notice, and requests arrive meanwhile.
  std::wstring first = MakeFile(L"first.sys"), second = MakeFile(L"second.sys"), third = MakeFile(L"third.bin");
  TProcess editor = StartEditor(Quoted(first));
  auto notice = WaitForMessageBox(L"情報", editor.id);
  ASSERT_TRUE(notice);
  EXPECT_EQ(SendOpenRequest(MainProcessWindow(), second), 1) << "start-up keeps the request for later";
  ASSERT_TRUE(AnswerMessageBox(notice->hwnd, L"OK"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(notice->hwnd); }));
  // The kept request is being served now: its notice is up while the third request arrives.
  auto secondNotice = WaitForMessageBox(L"情報", editor.id);
  ASSERT_TRUE(secondNotice);
  EXPECT_EQ(SendOpenRequest(MainProcessWindow(), third), 1);
  ASSERT_TRUE(AnswerMessageBox(secondNotice->hwnd, L"OK"));
  ASSERT_TRUE(WaitForWindow(L"TOvnxBinaryFormWClass", CaptionFor(third)))
      << "a request that arrived while the kept ones were served was lost";
  std::vector<std::wstring> captions = EditorCaptions();
  EXPECT_EQ(captions.size(), 3u);
  for (const auto& f : {first, second}) EXPECT_TRUE(Contains(captions, CaptionFor(f))) << "no window for " << f;
}

using ShellSecondStart = EditorTest;

TEST_F(ShellSecondStart, ThreeFilesOpenInArgumentOrder) {
  HWND first = StartWithOneWindow();
  ASSERT_NE(first, nullptr);
  DWORD editorId = ProcessOf(first);
  std::wstring a = MakeFile(L"a.bin"), b = MakeFile(L"b with space.bin"), c = MakeFile(L"データ.bin");
  TProcess second = StartEditor(Quoted(a) + L" " + Quoted(b) + L" " + Quoted(c));
  ASSERT_TRUE(WaitForExit(second));
  ASSERT_TRUE(WaitForEditorWindowCount(4));
  // The files open after the sender has gone, in order: the last one's name comes last.
  ASSERT_TRUE(WaitForWindow(L"TOvnxBinaryFormWClass", CaptionFor(c)));
  // Every file got its window. The stacking order is not compared: under load Wine may
  // leave an earlier window above a later one although each came to the front in turn.
  std::vector<std::wstring> captions = EditorCaptions();
  std::vector<std::wstring> expected{CaptionFor(c), CaptionFor(b), CaptionFor(a), kUnnamedCaption};
  std::sort(captions.begin(), captions.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(captions, expected);
  for (HWND w : EditorWindows()) EXPECT_EQ(ProcessOf(w), editorId);
  EXPECT_EQ(EditorProcesses().size(), 1u);

  // A file already open only comes to the front.
  TProcess again = StartEditor(Quoted(a));
  ASSERT_TRUE(WaitForExit(again));
  HWND aWindow = FindTopWindow(L"TOvnxBinaryFormWClass", CaptionFor(a));
  EXPECT_TRUE(WaitUntil([aWindow] { return GetForegroundWindow() == aWindow; }, 3000));
  EXPECT_EQ(EditorWindows().size(), 4u);

  // Only options: nothing is sent.
  TProcess options = StartEditor(L"-x /y");
  ASSERT_TRUE(WaitForExit(options));
  EXPECT_FALSE(WaitUntil([] { return EditorWindows().size() != 4; }, 300));
}

TEST_F(ShellSecondStart, NoArgumentsOpensANewWindowInFront) {
  HWND first = StartWithOneWindow();
  ASSERT_NE(first, nullptr);
  TProcess second = StartEditor();
  ASSERT_TRUE(WaitForExit(second));
  ASSERT_TRUE(WaitForEditorWindowCount(2));
  HWND fresh = EditorWindows()[0];
  EXPECT_NE(fresh, first);
  EXPECT_TRUE(WaitUntil([fresh] { return GetForegroundWindow() == fresh; }, 3000));
  EXPECT_EQ(ProcessOf(fresh), ProcessOf(first));
}

TEST_F(ShellSecondStart, ModalDialogRefusesNewWindows) {
  HWND first = StartWithOneWindow();
  ASSERT_NE(first, nullptr);
  DWORD editorId = ProcessOf(first);
  PostMessageW(MainProcessWindow(), WM_COMMAND, IDM_TRAY_OPEN, 0);  // the icon menu's 開く
  auto dialog = WaitForMessageBox(L"開く", editorId);
  ASSERT_TRUE(dialog);
  Screenshot(L"shell-open-dialog");

  std::wstring file = MakeFile(L"refused.bin");
  TProcess second = StartEditor(Quoted(file));
  ASSERT_TRUE(WaitForExit(second));
  TProcess third = StartEditor();
  ASSERT_TRUE(WaitForExit(third));
  EXPECT_EQ(EditorWindows().size(), 1u);

  PostMessageW(dialog->hwnd, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog->hwnd); }));
  // Nothing was kept for later either.
  EXPECT_FALSE(WaitUntil([] { return EditorWindows().size() != 1; }, 500));
}

TEST_F(ShellSecondStart, MutexWithoutMainWindowIsAFatalError) {
  HANDLE fake = CreateMutexW(nullptr, FALSE, L"Orvanta Mutex");
  ASSERT_NE(fake, nullptr);
  TProcess second = StartEditor();
  auto box = WaitForMessageBox(L"Orvanta Fatal Error !!", second.id, 15000);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text,
            L"既に起動している Orvanta のウィンドウハンドルの取得に失敗しました.\r\n"
            L"何らかの理由でウィンドウが正常に生成されていない可能性があります.");
  AnswerMessageBox(box->hwnd, L"OK");
  EXPECT_TRUE(WaitForExit(second));
  EXPECT_TRUE(EditorWindows().empty());
  CloseHandle(fake);
}

TEST_F(ShellSecondStart, FileNamesInAnyScriptReachTheRunningEditorWhole) {
  HWND first = StartWithOneWindow();
  ASSERT_NE(first, nullptr);
  // Code page 932 carries the first name and neither of the others; 1252 carries only "café".
  std::vector<std::wstring> expected{kUnnamedCaption};
  for (const wchar_t* stem : {L"日本語の名前", L"café", L"한글ü"}) {
    for (bool byLauncher : {true, false}) {
      std::wstring file = MakeFile(std::wstring(stem) + (byLauncher ? L" by launcher.bin" : L" by second start.bin"));
      ASSERT_TRUE(WaitForExit(StartSender(byLauncher, Quoted(file))));
      EXPECT_TRUE(WaitForWindow(L"TOvnxBinaryFormWClass", CaptionFor(file))) << file;
      expected.push_back(CaptionFor(file));
    }
  }
  Screenshot(L"shell-file-names-in-any-script");
  // No window of a garbled name, and no empty one beside the first.
  std::vector<std::wstring> captions = EditorCaptions();
  std::sort(captions.begin(), captions.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(captions, expected);
  EXPECT_EQ(EditorProcesses().size(), 1u);
}

TEST_F(ShellSecondStart, AnEditorThatEndsWhileItsWindowIsSoughtLeavesThePlaceToTheSender) {
  for (bool byLauncher : {true, false}) {
    // An ending editor destroys its window first and releases the mutex last.
    HANDLE ending = CreateMutexW(nullptr, FALSE, L"Orvanta Mutex");
    ASSERT_NE(ending, nullptr);
    std::wstring file = MakeFile(byLauncher ? L"after the launcher.bin" : L"after a second start.bin");
    TProcess sender = StartSender(byLauncher, Quoted(file));
    EXPECT_FALSE(WaitForExit(sender, 1000)) << "the sender waits for the window while the mutex lives";
    CloseHandle(ending);
    HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", CaptionFor(file));
    EXPECT_NE(window, nullptr) << file;
    EXPECT_EQ(FindTopWindow(L"#32770", L"Orvanta Fatal Error !!"), nullptr);
    EXPECT_EQ(EditorProcesses().size(), 1u);
    StopEditors();
    ASSERT_TRUE(WaitUntil([] { return !EditorRunning(); }, 3000));
  }
}

using ShellLauncher = EditorTest;

TEST_F(ShellLauncher, StartsTheEditorWhenNoneRuns) {
  TProcess launcher = StartLauncher();
  ASSERT_TRUE(WaitForExit(launcher));
  HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", kUnnamedCaption);
  ASSERT_NE(window, nullptr);
  EXPECT_NE(ProcessOf(window), launcher.id);
  EXPECT_EQ(EditorProcesses().size(), 1u);
  EXPECT_EQ(EditorCaptions().size(), 1u);
}

TEST_F(ShellLauncher, FileNameWithSpaceArrivesWhole) {
  std::wstring file = MakeFile(L"name with spaces.bin");
  TProcess launcher = StartLauncher(Quoted(file));
  ASSERT_TRUE(WaitForExit(launcher));
  ASSERT_TRUE(WaitForWindow(L"TOvnxBinaryFormWClass", CaptionFor(file)));
  EXPECT_EQ(EditorCaptions(), std::vector<std::wstring>{CaptionFor(file)});
}

TEST_F(ShellLauncher, ForwardsToTheRunningEditor) {
  HWND first = StartWithOneWindow();
  ASSERT_NE(first, nullptr);
  std::wstring file = MakeFile(L"forwarded file.bin");
  TProcess launcher = StartLauncher(Quoted(file) + L" -opt");
  ASSERT_TRUE(WaitForExit(launcher));
  HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", CaptionFor(file));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ProcessOf(window), ProcessOf(first));
  EXPECT_TRUE(WaitUntil([window] { return GetForegroundWindow() == window; }, 3000));
  EXPECT_EQ(EditorProcesses().size(), 1u);
  EXPECT_EQ(EditorWindows().size(), 2u);
}

TEST_F(ShellLauncher, MissingEditorIsReported) {
  std::wstring folder = DataFolder() + L"launcher only\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW((ProgramFolder() + L"OVX.EXE").c_str(), (folder + L"OVX.EXE").c_str(), FALSE));
  TProcess launcher = StartLauncher(L"", folder);
  auto box = WaitForMessageBox(L"Orvel for Windows エラー", launcher.id);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"OVXMAIN.EXE が見付かりません.\r\nOVXMAIN.EXE は OVX.EXE と同じフォルダに入れて下さい.");
  EXPECT_EQ(box->buttons, std::vector<std::wstring>{L"OK"});
  Screenshot(L"shell-launcher-missing-editor");
  ASSERT_TRUE(AnswerMessageBox(box->hwnd, L"OK"));
  EXPECT_TRUE(WaitForExit(launcher));
  EXPECT_TRUE(EditorWindows().empty());
  EXPECT_FALSE(EditorRunning());
}

TEST_F(ShellLauncher, TwentyStartsAtOnceMakeOneProcessAndTwentyWindows) {
  std::vector<std::wstring> expected;
  std::vector<std::wstring> files;
  for (int i = 0; i < 20; ++i) {
    files.push_back(MakeFile(L"many " + std::to_wstring(i) + L".bin"));
    expected.push_back(CaptionFor(files.back()));
  }
  std::vector<TProcess> launchers;
  for (const auto& f : files) launchers.push_back(StartLauncher(Quoted(f)));
  for (const auto& l : launchers) EXPECT_TRUE(WaitForExit(l, 30000));
  // A window stands unnamed for a moment before its file is in: all names, not only all windows.
  ASSERT_TRUE(WaitUntil(
      [&] {
        std::vector<std::wstring> captions = EditorCaptions();
        return std::all_of(expected.begin(), expected.end(), [&](const auto& e) { return Contains(captions, e); });
      },
      30000))
      << EditorWindows().size();
  EXPECT_FALSE(WaitUntil([] { return EditorWindows().size() > 20; }, 300));
  std::vector<std::wstring> captions = EditorCaptions();
  for (const auto& e : expected) EXPECT_TRUE(Contains(captions, e)) << "missing window";
  EXPECT_EQ(EditorProcesses().size(), 1u);
  EXPECT_EQ(FindTopWindow(L"#32770"), nullptr) << "a message box appeared";
  Screenshot(L"shell-twenty-windows");
}

// Starts OVX.EXE or OVXMAIN.EXE of the program folder in another current folder.
TProcess StartIn(const std::wstring& program, const std::wstring& arguments, const std::wstring& folder) {
  std::wstring line = Quoted(ProgramFolder() + program) + L" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  TProcess process;
  if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info)) {
    CloseHandle(info.hThread);
    process = {info.hProcess, info.dwProcessId};
  }
  return process;
}

// A folder "work" to start senders in and a folder "files" beside it, both in the data folder.
std::wstring MakeFolders() {
  CreateDirectoryW((DataFolder() + L"work").c_str(), nullptr);
  CreateDirectoryW((DataFolder() + L"files").c_str(), nullptr);
  return DataFolder() + L"files\\";
}

TEST_F(ShellLauncher, RelativeNamesAreTakenInTheSendersFolder) {
  const std::wstring files = MakeFolders();
  struct Case {
    const wchar_t* program;
    bool editorRuns;  // started in the data folder, where "..\\files" names nothing
  } cases[] = {{L"OVX.EXE", false}, {L"OVX.EXE", true}, {L"OVXMAIN.EXE", true}};
  int n = 0;
  for (const Case& c : cases) {
    if (c.editorRuns) ASSERT_NE(StartWithOneWindow(), nullptr);
    const std::wstring stem = L"ls " + std::to_wstring(++n);
    std::wstring a = MakeFile(files + stem + L".bin"), b = MakeFile(files + stem + L".bmp");
    TProcess sender = StartIn(c.program, Quoted(L"..\\files\\" + stem + L".bin") + L" " +
                                             Quoted(L"..\\files\\..\\files\\" + stem + L".bmp"),
                              DataFolder() + L"work");
    ASSERT_TRUE(WaitForExit(sender)) << c.program;
    EXPECT_TRUE(WaitForWindow(L"TOvnxBinaryFormWClass", CaptionFor(b))) << c.program << c.editorRuns;
    std::vector<std::wstring> captions = EditorCaptions(), expected{CaptionFor(a), CaptionFor(b)};
    if (c.editorRuns) expected.push_back(kUnnamedCaption);
    std::sort(captions.begin(), captions.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(captions, expected) << c.program << c.editorRuns;
    StopEditors();
    ASSERT_TRUE(WaitUntil([] { return !EditorRunning(); }, 3000));
  }
}

TEST_F(ShellLauncher, AMissingNameIsReportedAndOpensNoWindow) {
  const std::wstring gone = MakeFolders() + L"gone.bin";
  for (bool editorRuns : {false, true}) {
    if (editorRuns) ASSERT_NE(StartWithOneWindow(), nullptr);
    TProcess launcher = StartIn(L"OVX.EXE", L"..\\files\\gone.bin", DataFolder() + L"work");
    ASSERT_TRUE(WaitForExit(launcher));
    auto box = WaitForMessageBox(L"警告");
    ASSERT_TRUE(box) << editorRuns;
    EXPECT_EQ(box->text, gone + L" が見付かりません.");
    EXPECT_EQ(box->buttons, std::vector<std::wstring>{L"OK"});
    if (editorRuns) Screenshot(L"shell-missing-file");
    DWORD editor = ProcessOf(box->hwnd);
    ASSERT_TRUE(AnswerMessageBox(box->hwnd, L"OK"));
    if (editorRuns) {
      EXPECT_FALSE(WaitUntil([] { return EditorWindows().size() != 1; }, 500));
      EXPECT_EQ(EditorCaptions(), std::vector<std::wstring>{kUnnamedCaption});
    } else {
      // Nothing to show: the process that started for the name ends.
      EXPECT_TRUE(WaitUntil([] { return !EditorRunning(); }, 3000));
      EXPECT_TRUE(EditorWindows().empty());
    }
    EXPECT_EQ(EditorProcesses().size(), editorRuns ? 1u : 0u) << editor;
    StopEditors();
    ASSERT_TRUE(WaitUntil([] { return !EditorRunning(); }, 3000));
  }
}

TEST_F(ShellLauncher, EndsWhileTheEditorShowsABoxAndTheNextNameWaitsForIt) {
  HWND first = StartWithOneWindow();
  ASSERT_NE(first, nullptr);
  std::wstring tool = MakeFile(L"tool.exe"), after = MakeFile(L"after.bin");
  TProcess launcher = StartLauncher(Quoted(tool) + L" " + Quoted(after));
  auto notice = WaitForMessageBox(L"情報", ProcessOf(first));
  ASSERT_TRUE(notice);
  EXPECT_TRUE(WaitForExit(launcher, 5000)) << "the launcher waits on the editor's box";
  EXPECT_TRUE(IsWindow(notice->hwnd));
  Screenshot(L"shell-view-only-notice");
  ASSERT_TRUE(AnswerMessageBox(notice->hwnd, L"OK"));
  // The second name, handed over while the box stood, opens after it.
  EXPECT_TRUE(WaitForWindow(L"TOvnxBinaryFormWClass", CaptionFor(after)));
  EXPECT_TRUE(FindTopWindow(L"TOvnxBinaryFormWClass", CaptionFor(tool)));
  EXPECT_EQ(EditorWindows().size(), 3u);
}

// A main process window of an editor that has begun to end: it refuses every request with 0.
int refusals = 0;
LRESULT CALLBACK EndingEditorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COPYDATA || msg == WM_USER) {
    ++refusals;
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

TEST_F(ShellLauncher, ARefusedHandOverStartsTheEditorOnceTheEndingOneHasGone) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = EndingEditorProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TOvnxMainProcessWClass";
  RegisterClassW(&wc);
  for (bool byLauncher : {true, false}) {
    refusals = 0;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Orvanta Mutex");
    HWND ending = CreateWindowExW(0, wc.lpszClassName, L"Orvanta Shadow Window", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(mutex && ending);
    std::wstring a = MakeFile(byLauncher ? L"refused by launcher.bin" : L"refused by second start.bin");
    std::wstring b = MakeFile(byLauncher ? L"next by launcher.bin" : L"next by second start.bin");
    TProcess sender = StartSender(byLauncher, Quoted(a) + L" " + Quoted(b));
    ASSERT_TRUE(WaitUntil([] {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      return refusals > 0;
    }));
    // The ending process goes: window first, mutex last.
    DestroyWindow(ending);
    CloseHandle(mutex);
    EXPECT_TRUE(WaitForWindow(L"TOvnxBinaryFormWClass", CaptionFor(a))) << "the refused name was lost";
    EXPECT_TRUE(WaitForWindow(L"TOvnxBinaryFormWClass", CaptionFor(b)));
    EXPECT_EQ(refusals, 1) << "names went on to a process that had refused one";
    EXPECT_EQ(EditorProcesses().size(), 1u);
    StopEditors();
    ASSERT_TRUE(WaitUntil([] { return !EditorRunning(); }, 3000));
  }
  UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

using ShellTrayIcon = EditorTest;

TEST_F(ShellTrayIcon, DoubleClickOpensANewWindow) {
  HWND first = StartWithOneWindow();
  ASSERT_NE(first, nullptr);
  PostMessageW(MainProcessWindow(), WM_USER + 1, 1, WM_LBUTTONDBLCLK);
  ASSERT_TRUE(WaitForEditorWindowCount(2));
  EXPECT_EQ(EditorCaptions(), (std::vector<std::wstring>{kUnnamedCaption, kUnnamedCaption}));
}

TEST_F(ShellTrayIcon, RightClickShowsThePopupMenu) {
  HWND first = StartWithOneWindow();
  ASSERT_NE(first, nullptr);
  Screenshot(L"shell-notification-area");
  SetCursorPos(600, 420);  // the menu opens at the cursor
  PostMessageW(MainProcessWindow(), WM_USER + 1, 1, WM_RBUTTONDOWN);
  HWND menu = WaitForWindow(L"#32768");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(ProcessOf(menu), ProcessOf(first));
  Screenshot(L"shell-tray-menu");
  PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntil([] { return FindTopWindow(L"#32768") == nullptr; }, 3000));
}

TEST_F(ShellTrayIcon, WindowItemNineActivatesTheNinthWindow) {
  HWND first = StartWithOneWindow();
  ASSERT_NE(first, nullptr);
  std::wstring args;
  std::vector<std::wstring> files;
  for (int i = 2; i <= 10; ++i) {
    files.push_back(MakeFile(L"w" + std::to_wstring(i) + L".bin"));
    args += Quoted(files.back()) + L" ";
  }
  ASSERT_TRUE(WaitForExit(StartEditor(args)));
  ASSERT_TRUE(WaitForEditorWindowCount(10));
  // List order: the unnamed window, then w2 .. w10; the ninth is w9.
  PostMessageW(MainProcessWindow(), WM_COMMAND, kTrayWindowFirstId + 8, 0);
  HWND ninth = FindTopWindow(L"TOvnxBinaryFormWClass", CaptionFor(files[7]));
  ASSERT_NE(ninth, nullptr);
  EXPECT_TRUE(WaitUntil([ninth] { return GetForegroundWindow() == ninth; }, 3000));
}

TEST_F(ShellTrayIcon, MissingHistoryFileIsReportedAndRemoved) {
  HWND first = StartWithOneWindow();
  ASSERT_NE(first, nullptr);
  std::wstring file = MakeFile(L"vanishing.bin");
  ASSERT_TRUE(WaitForExit(StartEditor(Quoted(file))));
  HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", CaptionFor(file));
  ASSERT_NE(window, nullptr);
  CloseEditorWindow(window);
  ASSERT_TRUE(WaitForEditorWindowCount(1));
  ASSERT_TRUE(DeleteFileW(file.c_str()));

  PostMessageW(MainProcessWindow(), WM_COMMAND, kTrayHistoryFirstId, 0);
  auto box = WaitForMessageBox(L"警告", ProcessOf(first));
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, LongPath(DataFolder()) + L"vanishing.bin が見付かりません.\r\nファイル履歴から削除します.");
  Screenshot(L"shell-missing-history-file");
  ASSERT_TRUE(AnswerMessageBox(box->hwnd, L"OK"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box->hwnd); }));
  // The entry is gone: the same item now does nothing.
  PostMessageW(MainProcessWindow(), WM_COMMAND, kTrayHistoryFirstId, 0);
  EXPECT_FALSE(WaitForMessageBox(L"警告", ProcessOf(first), 500));
  EXPECT_EQ(EditorWindows().size(), 1u);
}

}  // namespace
}  // namespace ovx::e2e
