#include "tests/e2e/monkey/MonkeyWorld.h"

#include <cwctype>

#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e::monkey {
namespace {

std::wstring Lower(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

}  // namespace

std::wstring TextOfWindow(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &n))
    return {};
  return std::wstring(text, static_cast<size_t>(n));
}

TWorld Observe() {
  TWorld world;
  std::vector<DWORD> ids = EditorProcesses();
  if (ids.empty()) return world;
  world.process = ids.front();
  struct TScan {
    TWorld* world;
  } scan = {&world};
  // EnumWindows gives top-level windows topmost first.
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        TWorld& w = *reinterpret_cast<TScan*>(lp)->world;
        if (!IsWindowVisible(hwnd) || ProcessOf(hwnd) != w.process) return TRUE;
        const std::wstring cls = ClassOf(hwnd);
        if (cls == L"TOvnxBinaryFormWClass")
          w.editors.push_back(hwnd);
        else if (cls == L"#32768")
          w.menu = hwnd;
        else if (cls != L"TOvnxMainProcessWClass" && cls != L"tooltips_class32" && cls.find(L"IME") == std::wstring::npos)
          w.others.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&scan));
  HWND fg = GetForegroundWindow();
  for (HWND h : world.editors)
    if (h == fg) world.front = h;
  for (HWND h : world.others)
    if (h == fg) world.front = h;
  return world;
}

std::wstring EditorName(HWND editor) {
  std::wstring caption = Caption(editor);
  const std::wstring tail = L" - Orvanta";
  if (caption.size() > tail.size() && caption.compare(caption.size() - tail.size(), tail.size(), tail) == 0)
    caption.resize(caption.size() - tail.size());
  const size_t slash = caption.find_last_of(L'\\');
  return slash == std::wstring::npos ? caption : caption.substr(slash + 1);
}

HWND FindEditor(const TWorld& world, const std::wstring& name) {
  for (HWND h : world.editors)
    if (Lower(EditorName(h)) == Lower(name)) return h;
  return nullptr;
}

HWND FindOther(const TWorld& world, const std::wstring& caption) {
  for (HWND h : world.others)
    if (Caption(h) == caption) return h;
  return nullptr;
}

bool IsWait(HWND window) {
  if (ClassOf(window) != L"#32770" || !IsWindowEnabled(window)) return false;
  HWND owner = GetWindow(window, GW_OWNER);
  return !owner || !IsWindowEnabled(owner) || ClassOf(owner) == L"TOvnxMainProcessWClass";
}

bool IsFileDialog(HWND window) {
  if (ClassOf(window) != L"#32770") return false;
  HWND combo = GetDlgItem(window, 0x47C), edit = GetDlgItem(window, 0x480);
  return (combo && IsWindowVisible(combo)) || (edit && IsWindowVisible(edit));
}

bool Quiet(const TWorld& world) {
  if (world.menu) return false;
  for (HWND h : world.editors)
    if (!IsWindowEnabled(h)) return false;
  for (HWND h : world.others)
    if (IsWait(h)) return false;
  return true;
}

std::vector<HWND> ChildrenOf(HWND parent, const std::wstring& className) {
  struct TFind {
    std::wstring cls;
    std::vector<HWND> found;
  } find = {Lower(className), {}};
  EnumChildWindows(
      parent,
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* f = reinterpret_cast<TFind*>(lp);
        if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) && Lower(ClassOf(hwnd)) == f->cls) f->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.found;
}

}  // namespace ovx::e2e::monkey
