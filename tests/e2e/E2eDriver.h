// End-to-end driver: starts the program from a scratch copy of the build and works it from
// outside, as a user would — windows, keys, message boxes, files, registry, screenshots.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ovx::e2e {

constexpr DWORD kWaitMs = 10000;  // the longest any single effect may take before a test fails

// ---- the scratch copy of the build ----
// Folder holding OVXMAIN.EXE and OVX.EXE (with a trailing backslash).
const std::wstring& ProgramFolder();
// Folder for the test's data files, emptied before each test (with a trailing backslash).
const std::wstring& DataFolder();
// Writes a file into the data folder (or at a full path) and returns its full path.
std::wstring MakeFile(const std::wstring& name, const std::string& bytes = "data");
// The long path form of a path, as the program shows file names.
// The bytes of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);
std::wstring LongPath(const std::wstring& path);
std::wstring ShortPath(const std::wstring& path);

// ---- processes ----
struct TProcess {
  HANDLE handle = nullptr;
  DWORD id = 0;
};
// Starts OVXMAIN.EXE (or OVX.EXE) from the program folder with the given argument text.
TProcess StartEditor(const std::wstring& arguments = L"");
TProcess StartLauncher(const std::wstring& arguments = L"", const std::wstring& folder = L"");
bool WaitForExit(const TProcess& process, DWORD ms = kWaitMs);
// Ids of the running OVXMAIN.EXE processes started from the program folder.
std::vector<DWORD> EditorProcesses();
// The mutex that marks a running editor process exists.
bool EditorRunning();

// ---- windows ----
bool WaitUntil(const std::function<bool()>& condition, DWORD ms = kWaitMs);
// First visible top-level window of the class (any when empty) with the caption (any when empty).
HWND FindTopWindow(const std::wstring& className, const std::wstring& caption = L"", DWORD processId = 0);
HWND WaitForWindow(const std::wstring& className, const std::wstring& caption = L"", DWORD ms = kWaitMs);
// Visible editor windows, topmost first.
std::vector<HWND> EditorWindows();
std::vector<std::wstring> EditorCaptions();
bool WaitForEditorWindowCount(size_t count, DWORD ms = kWaitMs);
HWND MainProcessWindow();
std::wstring Caption(HWND hwnd);
std::wstring ClassOf(HWND hwnd);
DWORD ProcessOf(HWND hwnd);
// Closes a window as its close box does.
void CloseEditorWindow(HWND hwnd);

// ---- keyboard ----
// Types into the focused control of the window: characters as WM_CHAR, "{Enter}", "{Esc}", "{Tab}",
// "{Back}", "{Del}", "{Left}", "{Right}", "{Up}", "{Down}", "{Home}", "{End}", "{F1}".."{F12}" as keys.
void PressKeys(HWND window, const std::wstring& keys);
// A key with modifiers through the real input queue (accelerators, menus): the window is made
// the foreground window first. Modifiers: MOD_CONTROL, MOD_SHIFT, MOD_ALT.
bool PressShortcut(HWND window, WORD virtualKey, UINT modifiers = 0);

// ---- controls ----
// Text of a panel of the window's status bar.
std::wstring ReadStatusPanel(HWND window, int panel);

// ---- message boxes and dialogs (class #32770) ----
struct TMessageBox {
  HWND hwnd = nullptr;
  std::wstring caption;
  std::wstring text;
  std::vector<std::wstring> buttons;
};
TMessageBox ReadMessageBox(HWND box);
// The first visible dialog, of a process when given, with the caption when given.
std::optional<TMessageBox> WaitForMessageBox(const std::wstring& caption = L"", DWORD processId = 0,
                                             DWORD ms = kWaitMs);
// Presses the button whose text (without "&") begins with `button`.
bool AnswerMessageBox(HWND box, const std::wstring& button);

// ---- registry (HKEY_CURRENT_USER) ----
bool RegistryKeyExists(const std::wstring& path);
std::optional<DWORD> ReadRegistryDword(const std::wstring& path, const std::wstring& name);
std::optional<std::wstring> ReadRegistryString(const std::wstring& path, const std::wstring& name);
int RegistryValueCount(const std::wstring& path);  // -1 when the key is missing

// ---- screenshots ----
// Saves the whole screen as <results>\screenshots\<name>.bmp; returns the path.
std::wstring Screenshot(const std::wstring& name);

// The settings root of the program under HKEY_CURRENT_USER.
extern const wchar_t kSettingsRoot[];

// Base of every end-to-end test: a clean registry key, no "_profile", an empty data folder and
// no editor process before; no process of ours left after.
class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Call in SetUp of a test that wants the very first run (no settings key at all).
  bool firstRun_ = false;
};

}  // namespace ovx::e2e
