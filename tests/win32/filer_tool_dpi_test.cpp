// The filer tool on the real platform: a new DPI lays its pages out again in a font and at sizes
// 1.5 times as large, keeping what the user typed and the page shown.
#include "tests/win32/editor_fake_host.h"

#include "filer/win32/ToolFiler.h"

namespace ovx::test {
namespace {

HWND Descendant(HWND root, int id) {
  struct Search {
    int id;
    HWND found = nullptr;
  } search{id};
  EnumChildWindows(
      root,
      [](HWND child, LPARAM lp) {
        auto* s = reinterpret_cast<Search*>(lp);
        if (GetDlgCtrlID(child) != s->id) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int FontHeightOf(HWND control) {
  LOGFONTW font = {};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

SIZE SizeOf(HWND control) {
  RECT r = {};
  GetWindowRect(control, &r);
  return {r.right - r.left, r.bottom - r.top};
}

TEST(FilerToolDpi, ANewDpiScalesThePagesAndKeepsWhatWasTyped) {
  TFakeEditorHost host;
  TScratchFolder folder;
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  w->Editor().Core().InsertBytes(reinterpret_cast<const std::uint8_t*>("\x07\0\0\0ABCD"), 0, 8);
  const std::string path = folder.Write("dpi.OVXF",
                                        "PAGE(one)\r\nEDITINTEGER(Width, 0, 4, 0, 0)\r\nEDITSTRING(Name, 4, 4, 32)\r\n"
                                        "PAGE(two)\r\nEDITINTEGER(Other, 0, 1, 0, 0)\r\n");
  TFilerToolOwner owner;
  owner.window = w->Handle();
  owner.editor = &w->Editor();
  owner.prompt = &host.prompt;
  owner.waits = &w->WaitSite();
  owner.filerFolder = folder.Path();
  HWND tool = TToolFiler::Create(owner, path);
  ASSERT_NE(tool, nullptr);
  const int integerId = TFilerPages::ControlId(0, frEditor), stringId = TFilerPages::ControlId(1, frEditor);
  const int jumpId = TFilerPages::ControlId(0, frJump);
  for (int i = 0; i < 50 && !Descendant(tool, stringId); ++i) {
    PumpMessages();
    Sleep(10);
  }
  ASSERT_NE(Descendant(tool, stringId), nullptr) << "the template did not load";
  SetWindowTextW(Descendant(tool, stringId), L"XYZ");
  // (The integer field's edit gives room to its spin button, which follows the system's DPI.)
  const int ids[] = {stringId, jumpId};
  std::vector<SIZE> before;
  for (int id : ids) before.push_back(SizeOf(Descendant(tool, id)));
  const int fontBefore = FontHeightOf(Descendant(tool, stringId));

  RECT suggested = {10, 10, 10 + 600, 10 + 600};
  SendMessageW(tool, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  PumpMessages();
  for (size_t i = 0; i < std::size(ids); ++i) {
    HWND control = Descendant(tool, ids[i]);
    ASSERT_NE(control, nullptr) << ids[i];
    EXPECT_EQ(SizeOf(control).cx, MulDiv(before[i].cx, 3, 2)) << ids[i];
  }
  EXPECT_EQ(FontHeightOf(Descendant(tool, stringId)), MulDiv(fontBefore, 3, 2));
  wchar_t text[16] = {};
  GetWindowTextW(Descendant(tool, stringId), text, 16);
  EXPECT_STREQ(text, L"XYZ");
  wchar_t width[16] = {};
  GetWindowTextW(Descendant(tool, integerId), width, 16);
  EXPECT_STREQ(width, L"7");
  DestroyWindow(tool);
}

}  // namespace
}  // namespace ovx::test
