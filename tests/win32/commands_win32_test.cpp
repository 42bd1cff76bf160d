// The command list resource of ovxmain.exe and the keyboard state queries.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "shell/OvxGlobals.h"
#include "shell/win32/CommandListResource.h"
#include "shell/win32/KeyState.h"

namespace ovx {
namespace {

// ovxmain.exe is built into the folder of the test executable.
std::wstring EditorExecutablePath() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"ovxmain.exe";
}

TEST(CommandListResource, EditorProgramShipsTheCoresText) {
  HMODULE editor = LoadLibraryExW(EditorExecutablePath().c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(editor, nullptr) << "ovxmain.exe not found beside the tests";
  std::string text = LoadCommandListResource(editor);
  FreeLibrary(editor);
  EXPECT_EQ(text, BuiltInCommandListText());
  auto groups = ParseCommandList(text);
  ASSERT_FALSE(groups.empty());
  EXPECT_EQ(groups.front().caption, "カーソル移動");
}

TEST(CommandListResource, ModuleWithoutTheResourceGivesEmptyText) {
  EXPECT_EQ(LoadCommandListResource(GetModuleHandleW(nullptr)), "");
}

// Sets the thread's keyboard state: only the listed keys are down (Caps Lock toggled).
void SetKeysDown(std::initializer_list<int> keys) {
  BYTE state[256] = {};
  state[VK_CAPITAL] = 1;
  for (int key : keys) state[key] = 0x80;
  ASSERT_TRUE(SetKeyboardState(state));
}

TEST(KeyState, ShiftStateCodeFollowsTheKeyboardState) {
  struct Case {
    std::initializer_list<int> down;
    int code;
  } cases[] = {
      {{}, 0},
      {{VK_SHIFT}, 1},
      {{VK_CONTROL}, 2},
      {{VK_CONTROL, VK_SHIFT}, 3},
      {{VK_MENU}, 4},
      {{VK_MENU, VK_CONTROL, VK_SHIFT}, 7},
      {{'A', VK_CAPITAL}, 0},
  };
  for (const Case& c : cases) {
    SetKeysDown(c.down);
    EXPECT_EQ(GetShiftStateCode(), c.code);
  }
  SetKeysDown({});
}

}  // namespace
}  // namespace ovx
