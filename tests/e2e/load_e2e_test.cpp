// A long load as the user meets it: the file's first rows are on screen while the rest loads, the
// window answers meanwhile but takes no edit before the document is in, and closing it ends the
// load at once. Reads are slowed down (OVX_READ_PAUSE_MS) so that no case passes by luck.
#include <cwchar>
#include <string>

#include "editor/MenuItems.h"
#include "editor/win32/InformationPanel.h"
#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

constexpr std::size_t kSize = 16u << 20;  // eight slabs: nine reads
constexpr std::size_t kSlab = 2u << 20;
const std::wstring kLoading = L"読み込み実行中...";

class TSlowReads {
 public:
  explicit TSlowReads(const wchar_t* ms) { SetEnvironmentVariableW(L"OVX_READ_PAUSE_MS", ms); }
  ~TSlowReads() { SetEnvironmentVariableW(L"OVX_READ_PAUSE_MS", nullptr); }
};

// Known first and last 4 KiB, zeros between.
std::string KnownEnds() {
  std::string bytes(kSize, '\0');
  for (std::size_t i = 0; i < 4096; ++i) {
    bytes[i] = static_cast<char>(i * 7 + 1);
    bytes[kSize - 4096 + i] = static_cast<char>(i * 13 + 5);
  }
  return bytes;
}

// The information panel's hexadecimal text of a value, compared without regard to case.
std::wstring HexLabel(HWND window, TInformationBox box) {
  std::wstring text = InformationLabel(window, TInformationPanel::HexLabelId(box));
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

std::wstring Hex(std::uint32_t value) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%08xh", value);
  return text;
}

std::uint32_t LittleEndianAt(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return v;
}

// The window of the file once the first slab is on screen, while the load still runs.
HWND WaitForFirstPart(const std::wstring& path) {
  HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(path));
  if (!window || !WaitUntil([&] { return HexLabel(window, ibFileSize) == Hex(kSlab); })) return nullptr;
  return window;
}

class LoadE2e : public EditorTest {};

TEST_F(LoadE2e, TheFirstRowsShowWhileTheRestLoadsAndTypingWaitsForTheEnd) {
  const std::string bytes = KnownEnds();
  const std::wstring path = MakeFile(L"long load.bin", bytes);
  TSlowReads slow(L"300");
  StartEditor(L"\"" + path + L"\"");
  HWND window = WaitForFirstPart(path);
  ASSERT_NE(window, nullptr) << "the first part of the file was not shown";
  EXPECT_EQ(HexLabel(window, ibDWord), Hex(LittleEndianAt(bytes, 0)));
  Screenshot(L"load-first-part");
  // Keys typed now reach a window whose document is not in yet: they change nothing.
  ASSERT_TRUE(TypeKeys(window, L"ff"));
  ASSERT_EQ(StatusPanelText(window, kProgressPanel), kLoading) << "the load ended before the keys were tested";

  ASSERT_TRUE(WaitForLoadEnd(window));
  EXPECT_EQ(HexLabel(window, ibFileSize), Hex(kSize));
  EXPECT_NE(StatusPanelText(window, 0), L"変更");
  EXPECT_EQ(HexLabel(window, ibDWord), Hex(LittleEndianAt(bytes, 0)));
  ASSERT_TRUE(PressShortcut(window, VK_END, MOD_CONTROL));
  ASSERT_TRUE(WaitForCaretAddress(window, kSize));
  ASSERT_TRUE(TypeKeys(window, L"{Left}{Left}{Left}{Left}"));
  ASSERT_TRUE(WaitForCaretAddress(window, kSize - 4));
  EXPECT_EQ(HexLabel(window, ibDWord), Hex(LittleEndianAt(bytes, kSize - 4)));
  // Once the document is in, typing edits it.
  ASSERT_TRUE(TypeKeys(window, L"ff"));
  EXPECT_TRUE(WaitUntil([&] { return StatusPanelText(window, 0) == L"変更"; }));
}

// Another window's dialog opened during a load runs its own loop inside the load's pump, and that
// loop hands on what is queued for the loading window: keys reaching its view still change nothing.
TEST_F(LoadE2e, KeysHandedOnByAnotherWindowsDialogDoNotEditADocumentStillLoading) {
  const std::string bytes = KnownEnds();
  const std::wstring path = MakeFile(L"long load under a dialog.bin", bytes);
  TSlowReads slow(L"300");
  StartEditor();
  HWND other = WaitForWindow(L"TOvnxBinaryFormWClass", L"(新規) - Orvanta");
  ASSERT_NE(other, nullptr);
  StartLauncher(L"\"" + path + L"\"");
  HWND loading = WaitForFirstPart(path);
  ASSERT_NE(loading, nullptr);
  const std::optional<TCaretPosition> caret = CaretPosition(loading);
  ASSERT_TRUE(caret);
  PostMenuCommand(other, MenuIdOf(miMM_Version));
  HWND dialog = WaitForWindow(L"#32770", L"バージョン情報");
  ASSERT_NE(dialog, nullptr);
  for (wchar_t c : std::wstring(L"ff")) PostMessageW(caret->view, WM_CHAR, c, 1);
  Sleep(500);
  EXPECT_NE(StatusPanelText(loading, 0), L"変更");
  ASSERT_EQ(StatusPanelText(loading, kProgressPanel), kLoading) << "the load ended under the dialog";
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitForLoadEnd(loading, 30000));
  EXPECT_NE(StatusPanelText(loading, 0), L"変更");
  EXPECT_EQ(HexLabel(loading, ibDWord), Hex(LittleEndianAt(bytes, 0)));
}

TEST_F(LoadE2e, ClosingTheWindowEndsTheLoadAtOnceAndLeavesTheFileAsItWas) {
  const std::string bytes = KnownEnds();
  const std::wstring path = MakeFile(L"closed while loading.bin", bytes);
  const std::uint64_t stamp = FileStamp(path);
  TSlowReads slow(L"600");  // the rest of the load would take another 4.8 s
  TProcess editor = StartEditor(L"\"" + path + L"\"");
  HWND window = WaitForFirstPart(path);
  ASSERT_NE(window, nullptr) << "the first part of the file was not shown";
  CloseEditorWindow(window);
  EXPECT_TRUE(WaitForExit(editor, 2500)) << "the process did not end soon after its only window was closed";
  EXPECT_TRUE(WaitUntil([] { return EditorProcesses().empty(); }));
  EXPECT_EQ(FileStamp(path), stamp);
  EXPECT_EQ(ReadWholeFile(path), bytes);
}

}  // namespace
}  // namespace ovx::e2e
