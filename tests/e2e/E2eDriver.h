// End-to-end driver: starts the program from a scratch copy of the build and works it from
// outside, as a user would — windows, keys, message boxes, files, registry, screenshots.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
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
// The window's rectangle in screen co-ordinates.
RECT WindowRect(HWND window);
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
// Ends every process of ours (windows closed first, the rest terminated).
void StopEditors();
// Closes a window as its close box does.
void CloseEditorWindow(HWND hwnd);

// ---- keyboard ----
// Types into the focused control of the window: characters as WM_CHAR, "{Enter}", "{Esc}", "{Tab}",
// "{Back}", "{Del}", "{Left}", "{Right}", "{Up}", "{Down}", "{Home}", "{End}", "{F1}".."{F12}" as keys.
void PressKeys(HWND window, const std::wstring& keys);
// The same keys through the real input queue of the foreground window (made so first), in
// order with the keys of PressShortcut: characters as Unicode input, named keys as keys.
bool TypeKeys(HWND window, const std::wstring& keys);
// A key with modifiers through the real input queue (accelerators, menus): the window is made
// the foreground window first. Modifiers: MOD_CONTROL, MOD_SHIFT, MOD_ALT.
bool PressShortcut(HWND window, WORD virtualKey, UINT modifiers = 0);

// A key through the real input queue to whatever has the keyboard now (an open menu, a
// message box), without touching the foreground window.
bool TypeKey(WORD virtualKey, UINT modifiers = 0);
// Waits until the window's thread runs a menu (a popup menu or the menu bar) and shows it.
HWND WaitForOpenMenu(HWND window, DWORD ms = 3000);
// Presses (down = true) or releases a key through the real input queue.
bool HoldKey(WORD virtualKey, bool down);

// ---- controls ----
// A control's text (up to 255 characters); empty when its program does not answer within a second.
std::wstring TextOf(HWND control);
// Typed keys arrive after posted messages: true once the control shows the text (up to ms).
bool Shows(HWND control, const std::wstring& text, DWORD ms = 3000);
// Text of a panel of the window's status bar; a busy program is given up to a minute to answer,
// and one that never does reads as "(no answer)", not as an empty panel.
std::wstring ReadStatusPanel(HWND window, int panel);
// The same without the tabs that centre or right-align a panel's text.
std::wstring StatusPanelText(HWND window, int panel);
// Texts of the function-key buttons (BUTTON children, left to right).
std::vector<std::wstring> FunctionKeyCaptions(HWND window);
// Posts a menu command (WM_COMMAND with the item's id); posted so that a dialog the
// command opens does not block the driver.
void PostMenuCommand(HWND window, int menuId);
// Types a file name into an open or save dialog and confirms it.
bool ConfirmFileDialog(HWND dialog, const std::wstring& path);

// ---- the binary view, read from what it shows ----
// Cell size of the view font ("ＭＳ ゴシック", 14 pixels at 96 DPI), measured on "W" as the view does.
struct TCellSize {
  int cw = 0, ch = 0;
};
TCellSize ViewCellSize();
struct TCaretPosition {
  HWND view = nullptr;      // the window that holds the caret
  RECT caret = {};          // the system caret, in the view's client co-ordinates
  std::int64_t address = 0; // (top row + caret row) x 16 + column
  std::int64_t topRow = 0;
  int row = 0, column = 0;
  bool lowNibble = false;
  bool charArea = false;
};
// The caret as the focused view of the editor window shows it: its row, column and nibble from
// the system caret rectangle, the top row from the address column on the screen (another
// process's scroll bar cannot be read under Wine). The first call for a view learns the digit
// pictures from its address column, so it must come while the view shows its first rows.
std::optional<TCaretPosition> CaretPosition(HWND editorWindow);
std::optional<std::int64_t> CaretAddress(HWND editorWindow);
// Waits until the caret address is the given one; false after the time limit.
bool WaitForCaretAddress(HWND editorWindow, std::int64_t address, DWORD ms = kWaitMs);
// Waits until the caret has the insert mode's shape, the bottom third of a cell.
bool WaitForInsertCaret(HWND editorWindow, DWORD ms = 3000);

// Opens the file in a fresh editor process (through OVX.EXE when byLauncher) and waits until its
// window is in front and its view holds the caret at 0; null when that does not happen. A file
// opened before comes back with its caret where it was left: caretToTop sends it to the top first
// (Ctrl+Home), for cases that reopen one file.
HWND OpenFileWindow(const std::wstring& path, DWORD ms = kWaitMs, bool byLauncher = false, bool caretToTop = false);
// The status bar panel of the document's progress text ("読み込み実行中...", "書き込み中...").
constexpr int kProgressPanel = 7;
// Waits until the window's load, if one runs, has ended: the window answers and its progress
// panel is empty.
bool WaitForLoadEnd(HWND window, DWORD ms = kWaitMs);
// The caption of an editor window holding the file.
std::wstring EditorCaptionFor(const std::wstring& path);
// The whole document as the view copies it: select all, copy, read the private block.
std::optional<std::string> CopyAllBytes(HWND editorWindow);

// ---- the information panel ----
// The information panel of an editor window, or none.
HWND InformationPanelOf(HWND window);
// A label of the window's information panel by its control id (another process's static text).
std::wstring InformationLabel(HWND window, int id);

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

// ---- clipboard ----
// The bytes of the private clipboard format "Ovnx Clipboard Format" (after its 4-byte length);
// none when the clipboard holds no such block or the length does not fit the block.
std::optional<std::string> ReadClipboardBlock();
// Places plain text (CF_TEXT) alone on the clipboard.
bool PutClipboardText(const std::string& text);
bool EmptyTheClipboard();

// ---- files ----
// A file of the given size whose content is all zero but for `tail`, its last bytes, without
// writing the zeros (sparse).
std::wstring MakeSizedFile(const std::wstring& name, std::uint64_t size, const std::string& tail = {});
// The file's last write time, 0 when it cannot be read.
std::uint64_t FileStamp(const std::wstring& path);
bool FileExists(const std::wstring& path);

// ---- timing ----
// `runs` times: `prepare`, then the time from `act` until `reached` returns (each waits itself and
// says whether it got there). The times in ms, sorted; none when a run did not get there.
std::vector<double> TimeRuns(int runs, const std::function<bool()>& prepare, const std::function<void()>& act,
                             const std::function<bool()>& reached);

// ---- registry (HKEY_CURRENT_USER) ----
bool WriteRegistryDword(const std::wstring& path, const std::wstring& name, DWORD value);
bool WriteRegistryString(const std::wstring& path, const std::wstring& name, const std::wstring& value);
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

// An end-to-end test that hears the program's beeps, through the file it names in OVX_BEEP_LOG.
class BeepingEditorTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    log_ = DataFolder() + L"beeps.log";
    SetEnvironmentVariableW(L"OVX_BEEP_LOG", log_.c_str());
  }
  void TearDown() override {
    EditorTest::TearDown();
    SetEnvironmentVariableW(L"OVX_BEEP_LOG", nullptr);
  }
  size_t Beeps() const { return ReadWholeFile(log_).size() / 6; }  // "beep\r\n" each
  std::wstring log_;
};

}  // namespace ovx::e2e
