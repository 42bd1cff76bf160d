// The information panel's labels after caret moves and its copy buttons, and the text output
// into a file with its error box.
#include "tests/win32/editor_fake_host.h"
#include "tests/win32/window_picture.h"

namespace ovx::test {
namespace {

std::wstring Label(const TOvnxBinaryFormWClass& w, int id) {
  return WindowText(GetDlgItem(w.Information().Handle(), id));
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "<closed>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

class EditorInformation : public ::testing::Test {
 protected:
  TFakeEditorHost host;
  TScratchFolder scratch;
};

TEST_F(EditorInformation, LabelsFollowTheCaretAndTheCopyButtonsCopyThem) {
  TOvnxBinaryFormWClass* w = host.OpenEditorWindow(scratch.Write("v.bin", std::string("\x12\x34\x56\x78\x41", 5)));
  ASSERT_NE(w, nullptr);
  TBinaryViewCore& view = w->Editor().Core();
  struct Case {
    std::int32_t caret;
    std::uint8_t order;
    const wchar_t *address, *bit, *byte, *byteDec, *word, *wordDec, *dword, *dwordDec;
  };
  const Case cases[] = {
      {0, 0, L"00000000h", L"0001,0010", L"12h", L"18", L"3412h", L"13330", L"78563412h", L"2018915346"},
      {0, 1, L"00000000h", L"0001,0010", L"12h", L"18", L"1234h", L"4660", L"12345678h", L"305419896"},
      {4, 0, L"00000004h", L"0100,0001", L"41h", L"65", L"----h", L"", L"--------h", L""},
      {5, 0, L"00000005h", L"----,----", L"--h", L"", L"----h", L"", L"--------h", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caret);
    SendMessageW(w->Handle(), WM_COMMAND, MenuIdOf(c.order ? miMM_BigEndian : miMM_LittleEndian), 0);
    view.SetCaret(c.caret, 0);
    EXPECT_EQ(Label(*w, TInformationPanel::HexLabelId(ibAddress)), c.address);
    EXPECT_EQ(Label(*w, TInformationPanel::HexLabelId(ibBit)), c.bit);
    EXPECT_EQ(Label(*w, TInformationPanel::HexLabelId(ibByte)), c.byte);
    EXPECT_EQ(Label(*w, TInformationPanel::DecLabelId(ibByte)), c.byteDec);
    EXPECT_EQ(Label(*w, TInformationPanel::HexLabelId(ibWord)), c.word);
    EXPECT_EQ(Label(*w, TInformationPanel::DecLabelId(ibWord)), c.wordDec);
    EXPECT_EQ(Label(*w, TInformationPanel::HexLabelId(ibDWord)), c.dword);
    EXPECT_EQ(Label(*w, TInformationPanel::DecLabelId(ibDWord)), c.dwordDec);
    EXPECT_EQ(Label(*w, TInformationPanel::HexLabelId(ibFileSize)), L"00000005h");
    EXPECT_EQ(w->CaptureFeed().Last().address, c.caret);
  }
  EXPECT_EQ(w->CaptureFeed().Last().value, 0u);
  // The byte button at the end copies what it shows.
  SendMessageW(GetDlgItem(w->Information().Handle(), TInformationPanel::CopyButtonId(ibByte)), BM_CLICK, 0, 0);
  EXPECT_EQ(ClipboardText(), "--h ()");
  SendMessageW(GetDlgItem(w->Information().Handle(), TInformationPanel::CopyButtonId(ibFileSize)), BM_CLICK, 0, 0);
  EXPECT_EQ(ClipboardText(), "00000005h (5)");
  // With the status bar hidden the size still follows the document.
  w->DoMenuCommand(cmVIEWSTATUSBAR);
  view.InsertBytes(reinterpret_cast<const std::uint8_t*>("xy"), 0, 2);
  EXPECT_EQ(Label(*w, TInformationPanel::DecLabelId(ibFileSize)), L"7");
}

TEST_F(EditorInformation, SelectEndingASelectionRefreshesTheRangeAndTheButtons) {
  TOvnxBinaryFormWClass* w = host.OpenEditorWindow(scratch.Write("s.bin", "abcdef"));
  ASSERT_NE(w, nullptr);
  TBinaryViewCore& view = w->Editor().Core();
  auto enabled = [&](TMenuItem item) {
    return SendMessageW(w->ToolBarHandle(), TB_ISBUTTONENABLED, MenuIdOf(item), 0) != 0;
  };
  view.ExecuteCommand(cmSELECT);
  for (int i = 0; i < 3; ++i) view.ExecuteCommand(cmRIGHT);
  ASSERT_EQ(Label(*w, TInformationPanel::HexLabelId(ibRange)), L"00000003h");
  ASSERT_TRUE(enabled(miMM_Copy));
  view.ExecuteCommand(cmSELECT);  // ends it where the caret stands
  EXPECT_EQ(Label(*w, TInformationPanel::HexLabelId(ibRange)), L"00000000h");
  EXPECT_EQ(Label(*w, TInformationPanel::DecLabelId(ibRange)), L"0");
  EXPECT_FALSE(enabled(miMM_Copy));
  EXPECT_FALSE(enabled(miMM_Cut));
}

// A caret step draws the boxes it changed at once: the panel on screen is what a whole paint of
// it draws.
TEST_F(EditorInformation, BoxesDrawnAtOnceShowWhatAWholePaintShows) {
  std::string bytes(64, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 37 + 11);
  TOvnxBinaryFormWClass* w = host.OpenEditorWindow(scratch.Write("p.bin", bytes));
  ASSERT_NE(w, nullptr);
  ShowWindow(w->Handle(), SW_SHOWNOACTIVATE);
  UpdateWindow(w->Handle());
  const HWND panel = w->Information().Handle();
  ASSERT_TRUE(IsWindowVisible(panel));
  TBinaryViewCore& view = w->Editor().Core();
  for (const std::int32_t caret : {1, 17, 40, 63, 64, 0}) {
    view.SetCaret(caret, 0);
    EXPECT_EQ(PixelsUnlikeAWholePaint(panel), 0) << "caret at " << caret;
  }
  view.SetAnchor(3);
  view.SetSelectionState(ssSticky);
  view.SetCaret(30, 0);
  EXPECT_EQ(PixelsUnlikeAWholePaint(panel), 0) << "a range";
}

TEST_F(EditorInformation, TextOutputOfASelectionAndItsErrorBox) {
  TOvnxBinaryFormWClass* w = host.OpenEditorWindow(scratch.Write("t.bin", "ABCDEFGHIJKLMNOPQR"));
  ASSERT_NE(w, nullptr);
  TBinaryViewCore& view = w->Editor().Core();
  view.SetAnchor(0x0E);
  view.SetSelectionState(ssSticky);
  view.SetCaret(0x12, 0);
  const std::string out = scratch.Path() + "dump.txt";
  scratch.Track(out);
  host.dialogAnswers = {out};
  w->DoMenuCommand(cmTEXTOUT);
  EXPECT_EQ(host.dialogTitles.back(), "テキスト形式で出力");
  const std::string expected = "[00000000] " + std::string(42, ' ') + "4f 50 |9f| " + std::string(14, ' ') +
                               "OP\r\n[00000010] 51 52 " + std::string(42, ' ') + "|a3| QR\r\n";
  EXPECT_EQ(TScratchFolder::Read(out), expected);
  EXPECT_TRUE(host.prompt.shown.empty());

  // A folder cannot be written: the error box with the system's reason.
  host.dialogAnswers = {scratch.MakeFolder("folder")};
  host.prompt.answers = {mrAbort};
  w->DoMenuCommand(cmTEXTOUT);
  ASSERT_EQ(host.prompt.shown.size(), 1u);
  const TShownBox box = host.prompt.shown[0];
  EXPECT_EQ(box.text.rfind("テキスト形式出力中に例外が発生しました.\r\n", 0), 0u);
  EXPECT_GT(box.text.size(), std::string("テキスト形式出力中に例外が発生しました.\r\n").size());
  EXPECT_EQ(box.kind, mtError);
  EXPECT_EQ(box.buttons, unsigned{mbAbort});
}

}  // namespace
}  // namespace ovx::test
