#include "tests/e2e/E2eDriver.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwctype>

#include "view/ViewGeometry.h"

namespace ovx::e2e {

const wchar_t kSettingsRoot[] = L"Software\\Brightmoor\\Orvanta";

namespace {

const wchar_t kOldSettingsRoot[] = L"Software\\Quennetsoft\\Orvel";
const wchar_t kEditorClass[] = L"TOvnxBinaryFormWClass";

std::wstring ModuleFolder() {
  wchar_t path[MAX_PATH * 2];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  std::wstring p(path, n);
  return p.substr(0, p.find_last_of(L'\\') + 1);
}

std::wstring ScratchRoot() {
  static const std::wstring root = [] {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring r = LongPath(temp) + L"ovx-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(r.c_str(), nullptr);
    return r;
  }();
  return root;
}

void DeleteTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    std::wstring full = folder + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      DeleteTree(full + L"\\");
      RemoveDirectoryW(full.c_str());
    } else {
      SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(full.c_str());
    }
  } while (FindNextFileW(find, &found));
  FindClose(find);
}

std::wstring ImagePath(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return {};
  wchar_t path[MAX_PATH * 2];
  DWORD n = MAX_PATH * 2;
  std::wstring result;
  if (QueryFullProcessImageNameW(process, 0, path, &n)) result.assign(path, n);
  CloseHandle(process);
  return result;
}

std::wstring Lower(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

// Processes whose executable lies under the scratch root.
std::vector<DWORD> ScratchProcesses() {
  std::vector<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  std::wstring root = Lower(ScratchRoot());
  for (BOOL ok = Process32FirstW(snapshot, &entry); ok; ok = Process32NextW(snapshot, &entry)) {
    std::wstring image = Lower(ImagePath(entry.th32ProcessID));
    if (!image.empty() && image.compare(0, root.size(), root) == 0) ids.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return ids;
}

TProcess Start(const std::wstring& exe, const std::wstring& arguments) {
  std::wstring line = L"\"" + exe + L"\"";
  if (!arguments.empty()) line += L" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  TProcess result;
  // A start can fail for a moment while the previous test's processes are still going away:
  // it is tried again for up to two seconds, and a start that never works says why.
  const DWORD until = GetTickCount() + 2000;
  DWORD error = 0;
  for (;;) {
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, DataFolder().c_str(), &startup,
                       &info)) {
      CloseHandle(info.hThread);
      result.handle = info.hProcess;
      result.id = info.dwProcessId;
      return result;
    }
    error = GetLastError();
    if (static_cast<LONG>(until - GetTickCount()) <= 0) break;
    Sleep(50);
  }
  std::fprintf(stderr, "could not start %ls (error %lu)\n", line.c_str(), static_cast<unsigned long>(error));
  return result;
}

struct ChildSearch {
  std::vector<HWND> found;
};

std::vector<HWND> Children(HWND parent) {
  ChildSearch search;
  EnumChildWindows(
      parent,
      [](HWND hwnd, LPARAM lp) -> BOOL {
        reinterpret_cast<ChildSearch*>(lp)->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> TopWindows() {
  ChildSearch search;
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        reinterpret_cast<ChildSearch*>(lp)->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WithoutMnemonic(const std::wstring& text) {
  std::wstring result;
  for (wchar_t c : text)
    if (c != L'&') result += c;
  return result;
}

void ResetRegistry(bool firstRun) {
  RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsRoot);
  RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsRoot);
  RegDeleteTreeW(HKEY_CURRENT_USER, kOldSettingsRoot);
  RegDeleteKeyW(HKEY_CURRENT_USER, kOldSettingsRoot);
  if (!firstRun) {
    // An existing (empty) root: not the first run, so no first-run dialog stands in the way.
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsRoot, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
        ERROR_SUCCESS)
      RegCloseKey(key);
    // No opening screen: it would hold every start for a second. Its own test turns it on.
    WriteRegistryDword(std::wstring(kSettingsRoot) + L"\\Config", L"OpeningDlg", 0);
  }
}

// Ends every process of ours: editor windows are closed first so the program ends normally,
// the rest is terminated.
void EndOurProcesses() {
  std::vector<DWORD> ids = ScratchProcesses();
  if (ids.empty()) return;
  // Dialogs are dismissed, and so is the question a modified window asks when it closes
  // (answered No: nothing is saved).
  auto dismissDialogs = [&ids] {
    for (HWND hwnd : TopWindows()) {
      DWORD pid = ProcessOf(hwnd);
      bool ours = false;
      for (DWORD id : ids) ours = ours || id == pid;
      if (!ours || !IsWindowVisible(hwnd) || ClassOf(hwnd) != L"#32770") continue;
      PostMessageW(hwnd, WM_COMMAND, GetDlgItem(hwnd, IDNO) ? IDNO : IDCANCEL, 0);
    }
  };
  dismissDialogs();
  for (HWND hwnd : EditorWindows()) PostMessageW(hwnd, WM_CLOSE, 0, 0);
  WaitUntil(
      [&] {
        dismissDialogs();
        return ScratchProcesses().empty();
      },
      3000);
  for (DWORD id : ScratchProcesses()) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (!process) continue;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 3000);
    CloseHandle(process);
  }
}

}  // namespace

const std::wstring& ProgramFolder() {
  static const std::wstring folder = [] {
    std::wstring f = ScratchRoot() + L"program\\";
    CreateDirectoryW(f.c_str(), nullptr);
    std::wstring build = ModuleFolder();
    CopyFileW((build + L"ovxmain.exe").c_str(), (f + L"OVXMAIN.EXE").c_str(), FALSE);
    CopyFileW((build + L"ovx.exe").c_str(), (f + L"OVX.EXE").c_str(), FALSE);
    return f;
  }();
  return folder;
}

const std::wstring& DataFolder() {
  static const std::wstring folder = [] {
    std::wstring f = ScratchRoot() + L"data\\";
    CreateDirectoryW(f.c_str(), nullptr);
    return f;
  }();
  return folder;
}

std::wstring MakeFile(const std::wstring& name, const std::string& bytes) {
  std::wstring path = name.find(L':') != std::wstring::npos ? name : DataFolder() + name;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  return path;
}

std::string ReadWholeFile(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

std::wstring LongPath(const std::wstring& path) {
  wchar_t buffer[MAX_PATH * 2];
  DWORD n = GetLongPathNameW(path.c_str(), buffer, MAX_PATH * 2);
  return n > 0 && n < MAX_PATH * 2 ? std::wstring(buffer, n) : path;
}

std::wstring ShortPath(const std::wstring& path) {
  wchar_t buffer[MAX_PATH * 2];
  DWORD n = GetShortPathNameW(path.c_str(), buffer, MAX_PATH * 2);
  return n > 0 && n < MAX_PATH * 2 ? std::wstring(buffer, n) : path;
}

TProcess StartEditor(const std::wstring& arguments) { return Start(ProgramFolder() + L"OVXMAIN.EXE", arguments); }

TProcess StartLauncher(const std::wstring& arguments, const std::wstring& folder) {
  return Start((folder.empty() ? ProgramFolder() : folder) + L"OVX.EXE", arguments);
}

bool WaitForExit(const TProcess& process, DWORD ms) {
  return process.handle && WaitForSingleObject(process.handle, ms) == WAIT_OBJECT_0;
}

std::vector<DWORD> EditorProcesses() {
  std::vector<DWORD> result;
  for (DWORD id : ScratchProcesses())
    if (Lower(ImagePath(id)).find(L"\\ovxmain.exe") != std::wstring::npos) result.push_back(id);
  return result;
}

bool EditorRunning() {
  HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"Orvanta Mutex");
  if (!mutex) return false;
  CloseHandle(mutex);
  return true;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD ms) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= ms) return false;
    Sleep(10);
  }
}

HWND FindTopWindow(const std::wstring& className, const std::wstring& caption, DWORD processId) {
  for (HWND hwnd : TopWindows()) {
    if (!IsWindowVisible(hwnd)) continue;
    if (!className.empty() && ClassOf(hwnd) != className) continue;
    if (!caption.empty() && Caption(hwnd) != caption) continue;
    if (processId && ProcessOf(hwnd) != processId) continue;
    return hwnd;
  }
  return nullptr;
}

HWND WaitForWindow(const std::wstring& className, const std::wstring& caption, DWORD ms) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopWindow(className, caption)) != nullptr; }, ms);
  return found;
}

std::vector<HWND> EditorWindows() {
  std::vector<HWND> result;
  for (HWND hwnd : TopWindows())
    if (IsWindowVisible(hwnd) && ClassOf(hwnd) == kEditorClass) result.push_back(hwnd);
  return result;
}

std::vector<std::wstring> EditorCaptions() {
  std::vector<std::wstring> captions;
  for (HWND hwnd : EditorWindows()) captions.push_back(Caption(hwnd));
  return captions;
}

bool WaitForEditorWindowCount(size_t count, DWORD ms) {
  return WaitUntil([count] { return EditorWindows().size() == count; }, ms);
}

HWND MainProcessWindow() { return FindWindowW(L"TOvnxMainProcessWClass", L"Orvanta Shadow Window"); }

std::wstring Caption(HWND hwnd) {
  wchar_t text[1024];
  // Read without sending: a hung window must not hang the driver.
  int n = InternalGetWindowText(hwnd, text, 1024);
  return std::wstring(text, n > 0 ? n : 0);
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256];
  int n = GetClassNameW(hwnd, name, 256);
  return std::wstring(name, n > 0 ? n : 0);
}

DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

void StopEditors() { EndOurProcesses(); }

void CloseEditorWindow(HWND hwnd) { PostMessageW(hwnd, WM_CLOSE, 0, 0); }

namespace {

struct NamedKey {
  const wchar_t* name;
  WORD vk;
};
const NamedKey kNamedKeys[] = {
    {L"Enter", VK_RETURN}, {L"Esc", VK_ESCAPE}, {L"Tab", VK_TAB},   {L"Back", VK_BACK}, {L"Del", VK_DELETE},
    {L"Ins", VK_INSERT},   {L"Left", VK_LEFT},  {L"Right", VK_RIGHT}, {L"Up", VK_UP},   {L"Down", VK_DOWN},
    {L"Home", VK_HOME},    {L"End", VK_END},    {L"PgUp", VK_PRIOR}, {L"PgDn", VK_NEXT},
    {L"Apps", VK_APPS},
};

WORD KeyFromName(const std::wstring& name) {
  for (const NamedKey& k : kNamedKeys)
    if (name == k.name) return k.vk;
  if (name.size() >= 2 && name[0] == L'F') {
    int n = _wtoi(name.c_str() + 1);
    if (n >= 1 && n <= 12) return static_cast<WORD>(VK_F1 + n - 1);
  }
  return 0;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (GetGUIThreadInfo(thread, &info) && info.hwndFocus) return info.hwndFocus;
  return window;
}

}  // namespace

void PressKeys(HWND window, const std::wstring& keys) {
  HWND target = FocusOf(window);
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] == L'{') {
      size_t end = keys.find(L'}', i);
      if (end != std::wstring::npos) {
        WORD vk = KeyFromName(keys.substr(i + 1, end - i - 1));
        if (vk) {
          LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
          PostMessageW(target, WM_KEYDOWN, vk, 1 | scan);
          PostMessageW(target, WM_KEYUP, vk, 1 | scan | (1LL << 30) | (1LL << 31));
          i = end;
          continue;
        }
      }
    }
    PostMessageW(target, WM_CHAR, keys[i], 1);
  }
}

bool TypeKeys(HWND window, const std::wstring& keys) {
  if (GetForegroundWindow() != window) {
    SetForegroundWindow(window);
    if (!WaitUntil([window] { return GetForegroundWindow() == window; }, 2000)) return false;
  }
  std::vector<INPUT> inputs;
  auto add = [&inputs](WORD vk, wchar_t unicode, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = unicode;
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (unicode ? KEYEVENTF_UNICODE : 0);
    inputs.push_back(in);
  };
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] == L'{') {
      size_t end = keys.find(L'}', i);
      if (end != std::wstring::npos) {
        if (WORD vk = KeyFromName(keys.substr(i + 1, end - i - 1))) {
          add(vk, 0, false);
          add(vk, 0, true);
          i = end;
          continue;
        }
      }
    }
    add(0, keys[i], false);
    add(0, keys[i], true);
  }
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool PressShortcut(HWND window, WORD virtualKey, UINT modifiers) {
  SetForegroundWindow(window);
  if (!WaitUntil([window] { return GetForegroundWindow() == window; }, 2000)) return false;
  return TypeKey(virtualKey, modifiers);
}

std::wstring TextOf(HWND control) {
  wchar_t text[256] = {};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000, &result);
  return text;
}

bool Shows(HWND control, const std::wstring& text, DWORD ms) {
  return WaitUntil([&] { return TextOf(control) == text; }, ms);
}

std::wstring ReadStatusPanel(HWND window, int panel) {
  HWND bar = nullptr;
  for (HWND child : Children(window))
    if (ClassOf(child) == STATUSCLASSNAMEW) bar = child;
  if (!bar) return {};
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(bar));
  if (!process) return {};
  const SIZE_T bytes = 4096;
  std::wstring text;
  if (void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE)) {
    // A busy program answers late: its panel is read when it answers, never guessed as empty.
    DWORD_PTR length = 0;
    bool answered = false;
    const DWORD until = GetTickCount() + 60000;
    while (!(answered = SendMessageTimeoutW(bar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(remote),
                                            SMTO_ABORTIFHUNG, 2000, &length) != 0) &&
           IsWindow(bar) && static_cast<LONG>(until - GetTickCount()) > 0)
      Sleep(10);
    std::vector<wchar_t> local(bytes / sizeof(wchar_t), L'\0');
    SIZE_T got = 0;
    if (!answered)
      text = L"(no answer)";
    else if (ReadProcessMemory(process, remote, local.data(), bytes - sizeof(wchar_t), &got))
      text = local.data();
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return text;
}

HWND InformationPanelOf(HWND window) {
  HWND panel = nullptr;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM found) {
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        if (std::wstring(name) != L"TOvnxInformationPanel") return TRUE;
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&panel));
  return panel;
}

std::wstring InformationLabel(HWND window, int id) {
  HWND panel = InformationPanelOf(window);
  return panel ? TextOf(GetDlgItem(panel, id)) : L"";
}

TMessageBox ReadMessageBox(HWND box) {
  TMessageBox result;
  result.hwnd = box;
  result.caption = Caption(box);
  for (HWND child : Children(box)) {
    std::wstring cls = Lower(ClassOf(child));
    wchar_t text[2048];
    int n = static_cast<int>(SendMessageW(child, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text)));
    std::wstring value(text, n > 0 ? n : 0);
    if (cls == L"button" && IsWindowVisible(child)) {
      result.buttons.push_back(value);
    } else if (cls == L"static" && !value.empty() && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
      if (!result.text.empty()) result.text += L"\n";
      result.text += value;
    }
  }
  return result;
}

std::optional<TMessageBox> WaitForMessageBox(const std::wstring& caption, DWORD processId, DWORD ms) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopWindow(L"#32770", caption, processId)) != nullptr; }, ms);
  if (!found) return std::nullopt;
  return ReadMessageBox(found);
}

bool AnswerMessageBox(HWND box, const std::wstring& button) {
  for (HWND child : Children(box)) {
    if (Lower(ClassOf(child)) != L"button") continue;
    wchar_t text[256];
    int n = static_cast<int>(SendMessageW(child, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text)));
    if (WithoutMnemonic(std::wstring(text, n > 0 ? n : 0)).compare(0, button.size(), button) == 0) {
      PostMessageW(child, BM_CLICK, 0, 0);
      return true;
    }
  }
  return false;
}

bool RegistryKeyExists(const std::wstring& path) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::optional<DWORD> ReadRegistryDword(const std::wstring& path, const std::wstring& name) {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

std::optional<std::wstring> ReadRegistryString(const std::wstring& path, const std::wstring& name) {
  wchar_t value[2048];
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(value);
}

int RegistryValueCount(const std::wstring& path) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
  DWORD count = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                   nullptr);
  RegCloseKey(key);
  return static_cast<int>(count);
}

namespace {

// The screen's pixels, 24 bits per pixel, bottom-up rows as a BMP file stores them.
std::vector<unsigned char> CaptureScreen(BITMAPINFOHEADER& header) {
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
  header.biSizeImage = stride * static_cast<DWORD>(height);
  std::vector<unsigned char> pixels(header.biSizeImage);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  BITMAPINFO info = {};
  info.bmiHeader = header;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  if (bits) memcpy(pixels.data(), bits, pixels.size());
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

std::wstring Screenshot(const std::wstring& name) {
  wchar_t current[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, current);
  std::wstring folder = std::wstring(current) + L"\\screenshots\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  std::wstring path = folder + name + L".bmp";

  // Windows paint after they appear: wait until two captures in a row are the same.
  BITMAPINFOHEADER header;
  std::vector<unsigned char> pixels = CaptureScreen(header);
  WaitUntil(
      [&] {
        Sleep(150);
        std::vector<unsigned char> next = CaptureScreen(header);
        bool same = next == pixels;
        pixels.swap(next);
        return same;
      },
      3000);

  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + header.biSizeImage;
  if (FILE* out = _wfopen(path.c_str(), L"wb")) {
    fwrite(&file, sizeof file, 1, out);
    fwrite(&header, sizeof header, 1, out);
    fwrite(pixels.data(), 1, pixels.size(), out);
    fclose(out);
  }
  return path;
}

bool TypeKey(WORD virtualKey, UINT modifiers) {
  std::vector<INPUT> inputs;
  auto key = [&inputs](WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(in);
  };
  if (modifiers & MOD_CONTROL) key(VK_CONTROL, false);
  if (modifiers & MOD_SHIFT) key(VK_SHIFT, false);
  if (modifiers & MOD_ALT) key(VK_MENU, false);
  key(virtualKey, false);
  key(virtualKey, true);
  if (modifiers & MOD_ALT) key(VK_MENU, true);
  if (modifiers & MOD_SHIFT) key(VK_SHIFT, true);
  if (modifiers & MOD_CONTROL) key(VK_CONTROL, true);
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

HWND WaitForOpenMenu(HWND window, DWORD ms) {
  HWND menu = nullptr;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  WaitUntil(
      [&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(thread, &info) || !(info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE))) return false;
        menu = FindTopWindow(L"#32768", L"", ProcessOf(window));
        return menu != nullptr;
      },
      ms);
  return menu;
}

bool HoldKey(WORD virtualKey, bool down) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = virtualKey;
  in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  return SendInput(1, &in, sizeof(INPUT)) == 1;
}

std::wstring StatusPanelText(HWND window, int panel) {
  std::wstring text = ReadStatusPanel(window, panel);
  std::wstring result;
  for (wchar_t c : text)
    if (c != L'\t') result += c;
  return result;
}

std::vector<std::wstring> FunctionKeyCaptions(HWND window) {
  // The function-key buttons share one parent, the bar's panel, and number 10 or 12; other
  // buttons of the window have other parents.
  std::vector<HWND> all;
  for (HWND child : Children(window))
    if (Lower(ClassOf(child)) == L"button" && IsWindowVisible(child)) all.push_back(child);
  std::vector<std::pair<LONG, HWND>> buttons;
  for (HWND candidate : all) {
    buttons.clear();
    for (HWND b : all) {
      if (GetParent(b) != GetParent(candidate)) continue;
      RECT r;
      GetWindowRect(b, &r);
      buttons.push_back({r.left, b});
    }
    if (buttons.size() == 10 || buttons.size() == 12) break;
    buttons.clear();
  }
  std::sort(buttons.begin(), buttons.end());
  std::vector<std::wstring> captions;
  for (const auto& [left, hwnd] : buttons) {
    wchar_t text[256];
    DWORD_PTR n = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &n);
    captions.emplace_back(text, static_cast<size_t>(n));
  }
  return captions;
}

void PostMenuCommand(HWND window, int menuId) { PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(menuId), 0); }

bool ConfirmFileDialog(HWND dialog, const std::wstring& path) {
  // The file name field: the combo box of the explorer-style dialog (0x47C) or the plain edit (0x480).
  HWND field = GetDlgItem(dialog, 0x47C);
  if (!field || !IsWindowVisible(field)) field = GetDlgItem(dialog, 0x480);
  if (!field) return false;
  SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  return true;
}

namespace {

// 32-bit pixels of a screen rectangle, row by row from the top.
std::vector<std::uint32_t> CaptureRect(int left, int top, int width, int height) {
  std::vector<std::uint32_t> pixels;
  if (width <= 0 || height <= 0) return pixels;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
  GdiFlush();
  if (bits) {
    pixels.resize(static_cast<size_t>(width) * height);
    memcpy(pixels.data(), bits, pixels.size() * sizeof(std::uint32_t));
    for (auto& p : pixels) p &= 0xFFFFFF;
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// The view's geometry as the control computes it from the cell size, at the screen's DPI.
using TViewLayout = TViewGeometry;
TViewLayout Layout(const TCellSize& cell) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return ComputeViewGeometry(cell.cw, cell.ch, 0, 0, TViewItems::All(), 0, dpi);
}

// Reads the addresses of the view's address column from the screen. Learns the picture of
// each hex digit from a view showing its first rows ("00000000", "00000010" ... "000000f0").
class TAddressColumnReader {
 public:
  static constexpr int kTextLeft = 6;
  static constexpr int kMaxStrayPixels = 2;
  static constexpr int kMinMargin = 3;

  bool Learned(HWND view) const { return view_ == view && learned_; }

  bool Learn(HWND view, const TViewLayout& layout, int visibleRows, int caretRow) {
    view_ = view;
    learned_ = false;
    layout_ = layout;
    if (visibleRows < 16) return false;
    std::vector<std::uint32_t> column = Capture(view, 16);
    if (column.empty()) return false;
    // The row used to place the slices: the first of rows 1 and 2 that is not the caret's.
    int reference = caretRow == 1 ? 2 : 1;
    const int slack = layout_.addressWidth - 8 * layout_.cw;
    // Where the digit cells begin: 4 pixels into the cell's 2-pixel inset (at 96 DPI) when that
    // fits what is shown, else the first place where "000000d0" reads as seven equal cells and another.
    auto fits = [&](int o) {
      offset_ = o;
      auto zero = Slice(column, reference, 7);
      bool ok = Slice(column, reference, 6) != zero;
      for (int i = 0; i < 6 && ok; ++i) ok = Slice(column, reference, i) == zero;
      return ok;
    };
    const int textLeft = layout_.Px(kTextLeft);
    int found = textLeft <= slack && fits(textLeft) ? textLeft : -1;
    for (int o = 0; o <= slack && found < 0; ++o)
      if (fits(o)) found = o;
    offset_ = found;
    if (offset_ < 0) {
      if (getenv("OVX_E2E_DEBUG")) std::printf("no place for the digit cells (cw %d)\n", layout_.cw);
      return false;
    }
    digits_.assign(16, {});
    digits_[0] = Slice(column, reference, 7);
    for (int d = 1; d < 16; ++d)
      if (d != caretRow) digits_[d] = Slice(column, d, 6);
    // Sixteen different pictures, or the column is not what was expected.
    for (int a = 0; a < 16; ++a)
      for (int b = a + 1; b < 16; ++b)
        if (!digits_[a].empty() && digits_[a] == digits_[b]) {
          if (getenv("OVX_E2E_DEBUG")) std::printf("digits %x and %x look the same\n", a, b);
          return false;
        }
    learned_ = true;
    return true;
  }

  // The address a visible row shows; none when a digit is not recognised.
  std::optional<std::int64_t> RowAddress(HWND view, int row, int rows) const {
    std::vector<std::uint32_t> column = Capture(view, rows);
    if (column.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (int i = 0; i < 8; ++i) {
      auto picture = Slice(column, row, i);
      // The nearest picture wins when it is near and clearly nearer than any other: a glyph may
      // reach a pixel into its neighbour's cell (the bar of "4" does), so exact equality is too strict.
      int best = -1, bestDiff = 0, secondDiff = 0;
      for (int d = 0; d < 16; ++d) {
        if (digits_[d].size() != picture.size()) continue;
        int diff = 0;
        for (size_t k = 0; k < picture.size(); ++k) diff += digits_[d][k] != picture[k];
        if (best < 0 || diff < bestDiff) {
          secondDiff = best < 0 ? diff + kMinMargin : bestDiff;
          best = d;
          bestDiff = diff;
        } else if (diff < secondDiff) {
          secondDiff = diff;
        }
      }
      const bool exact = best >= 0 && bestDiff == 0;
      if (!exact && (best < 0 || bestDiff > kMaxStrayPixels || secondDiff - bestDiff < kMinMargin)) {
        if (getenv("OVX_E2E_DEBUG"))
          std::printf("row %d digit %d unknown: nearest %x by %d pixels, next by %d\n", row, i, best, bestDiff, secondDiff);
        return std::nullopt;
      }
      value = value * 16 + best;
    }
    return value;
  }

 private:
  std::vector<std::uint32_t> Capture(HWND view, int rows) const {
    POINT origin = {0, 0};
    ClientToScreen(view, &origin);
    return CaptureRect(origin.x, origin.y, layout_.addressWidth, rows * layout_.rowHeight);
  }
  std::vector<std::uint32_t> Slice(const std::vector<std::uint32_t>& column, int row, int digit) const {
    std::vector<std::uint32_t> out;
    const int width = layout_.addressWidth;
    // The cell without its first pixel column, where the glyph on its left may reach in.
    const int x0 = offset_ + digit * layout_.cw;
    for (int y = row * layout_.rowHeight; y < (row + 1) * layout_.rowHeight; ++y)
      for (int x = x0 + 1; x < x0 + layout_.cw; ++x) out.push_back(column[static_cast<size_t>(y) * width + x]);
    return out;
  }

  HWND view_ = nullptr;
  bool learned_ = false;
  TViewLayout layout_ = {};
  int offset_ = -1;
  std::vector<std::vector<std::uint32_t>> digits_;
};

TAddressColumnReader& AddressReader() {
  static TAddressColumnReader reader;
  return reader;
}

}  // namespace

TCellSize ViewCellSize() {
  static const TCellSize size = [] {
    TCellSize s;
    HDC dc = GetDC(nullptr);
    // A negative height asks for the character height, as the view does, at the screen's DPI.
    HFONT font = CreateFontW(-MulDiv(14, GetDeviceCaps(dc, LOGPIXELSY), 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"ＭＳ ゴシック");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent = {};
    GetTextExtentPoint32W(dc, L"W", 1, &extent);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    s.cw = extent.cx;
    s.ch = extent.cy;
    return s;
  }();
  return size;
}

std::optional<TCaretPosition> CaretPosition(HWND editorWindow) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(editorWindow, nullptr), &info) || !info.hwndCaret) return std::nullopt;
  if (!IsChild(editorWindow, info.hwndCaret)) return std::nullopt;
  TCaretPosition p;
  p.view = info.hwndCaret;
  p.caret = info.rcCaret;
  const TViewLayout layout = Layout(ViewCellSize());
  RECT client;
  GetClientRect(p.view, &client);
  const int rows = client.bottom / layout.rowHeight;
  p.row = (p.caret.top - layout.Px(2)) / layout.rowHeight;
  if (p.caret.left >= layout.CharLeft()) {
    p.charArea = true;
    p.column = (p.caret.left - layout.CharLeft()) / layout.cw;
  } else {
    const int x = p.caret.left - layout.HexLeft() - layout.Px(2);
    p.column = x / layout.hexCellWidth;
    p.lowNibble = x % layout.hexCellWidth >= layout.cw;
  }
  if (p.row < 0 || p.row >= rows || p.column < 0 || p.column > 15) return std::nullopt;
  TAddressColumnReader& reader = AddressReader();
  if (!reader.Learned(p.view) && !reader.Learn(p.view, layout, rows, p.row)) return std::nullopt;
  // Any row but the caret's, which is drawn in the highlight colours.
  const int probe = p.row == 0 ? 1 : 0;
  std::optional<std::int64_t> shown = reader.RowAddress(p.view, probe, rows);
  if (!shown) return std::nullopt;
  p.topRow = *shown / 16 - probe;
  p.address = (p.topRow + p.row) * 16 + p.column;
  return p;
}

std::optional<std::int64_t> CaretAddress(HWND editorWindow) {
  std::optional<TCaretPosition> p = CaretPosition(editorWindow);
  if (!p) return std::nullopt;
  return p->address;
}

bool WaitForCaretAddress(HWND editorWindow, std::int64_t address, DWORD ms) {
  return WaitUntil([&] { return CaretAddress(editorWindow) == address; }, ms);
}

bool WaitForInsertCaret(HWND editorWindow, DWORD ms) {
  const TCellSize cell = ViewCellSize();
  return WaitUntil(
      [&] {
        auto p = CaretPosition(editorWindow);
        return p && p->caret.bottom - p->caret.top == cell.ch - 2 * (cell.ch / 3);
      },
      ms);
}

std::wstring EditorCaptionFor(const std::wstring& path) { return LongPath(path) + L" - Orvanta"; }

HWND OpenFileWindow(const std::wstring& path, DWORD ms, bool byLauncher, bool caretToTop) {
  const std::wstring argument = L"\"" + path + L"\"";
  if (byLauncher)
    StartLauncher(argument);
  else
    StartEditor(argument);
  HWND window = WaitForWindow(kEditorClass, EditorCaptionFor(path), ms);
  if (!window || !WaitForLoadEnd(window, ms)) return nullptr;
  SetForegroundWindow(window);
  if (!WaitUntil([window] { return GetForegroundWindow() == window; }, 3000)) return nullptr;
  if (caretToTop && !PressShortcut(window, VK_HOME, MOD_CONTROL)) return nullptr;
  if (!WaitForCaretAddress(window, 0, ms)) return nullptr;
  return window;
}

bool WaitForLoadEnd(HWND window, DWORD ms) {
  // The caption comes first and the load follows in the same message; a long load answers
  // between its slabs with "読み込み実行中..." in the progress panel, which empties at its end.
  return WaitUntil([window] {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 200, &ignored) &&
           StatusPanelText(window, kProgressPanel).empty();
  }, ms);
}

std::optional<std::string> CopyAllBytes(HWND editorWindow) {
  // Select all and copy are the same on a second try; one is made when the window was not yet
  // back in front (a tool window just closed) or the clipboard was still held.
  std::optional<std::string> block;
  for (int attempt = 0; attempt < 2 && !block; ++attempt) {
    if (!EmptyTheClipboard()) continue;
    if (!PressShortcut(editorWindow, 'A', MOD_CONTROL) || !PressShortcut(editorWindow, 'C', MOD_CONTROL)) continue;
    WaitUntil([&] { return (block = ReadClipboardBlock()).has_value(); }, 3000);
  }
  return block;
}

std::optional<std::string> ReadClipboardBlock() {
  const UINT format = RegisterClipboardFormatW(L"Ovnx Clipboard Format");
  std::optional<std::string> result;
  if (!OpenClipboard(nullptr)) return result;
  if (HANDLE data = GetClipboardData(format)) {
    const SIZE_T size = GlobalSize(data);
    if (const auto* bytes = static_cast<const unsigned char*>(GlobalLock(data))) {
      if (size >= 4) {
        const std::uint32_t n = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
        if (n <= size - 4) result = std::string(reinterpret_cast<const char*>(bytes) + 4, n);
      }
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return result;
}

bool PutClipboardText(const std::string& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  bool ok = false;
  if (block) {
    char* p = static_cast<char*>(GlobalLock(block));
    memcpy(p, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    ok = SetClipboardData(CF_TEXT, block) != nullptr;
    if (!ok) GlobalFree(block);
  }
  CloseClipboard();
  return ok;
}

RECT WindowRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

bool EmptyTheClipboard() {
  // The program may hold the clipboard open a moment longer (a paste that just ended).
  if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 3000)) return false;
  BOOL ok = EmptyClipboard();
  CloseClipboard();
  return ok;
}

std::wstring MakeSizedFile(const std::wstring& name, std::uint64_t size, const std::string& tail) {
  std::wstring path = DataFolder() + name;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE || tail.size() > size) {
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return {};
  }
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(size - tail.size());
  DWORD written = 0;  // the end is where the tail ends
  const bool ok = SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
            WriteFile(file, tail.data(), static_cast<DWORD>(tail.size()), &written, nullptr) &&
            written == tail.size() && SetEndOfFile(file);
  CloseHandle(file);
  return ok ? path : std::wstring();
}

std::vector<double> TimeRuns(int runs, const std::function<bool()>& prepare, const std::function<void()>& act,
                             const std::function<bool()>& reached) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    if (!prepare()) return {};
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    act();
    if (!reached()) return {};
    QueryPerformanceCounter(&end);
    times.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart));
  }
  std::sort(times.begin(), times.end());
  return times;
}

std::uint64_t FileStamp(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool WriteRegistryDword(const std::wstring& path, const std::wstring& name, DWORD value) {
  return RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), REG_DWORD, &value, sizeof value) ==
         ERROR_SUCCESS;
}

bool WriteRegistryString(const std::wstring& path, const std::wstring& name, const std::wstring& value) {
  return RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), REG_SZ, value.c_str(),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void EditorTest::SetUp() {
  EndOurProcesses();
  ASSERT_TRUE(WaitUntil([] { return !EditorRunning(); }, 3000)) << "an editor process runs before the test";
  ProgramFolder();
  DeleteFileW((ProgramFolder() + L"_profile").c_str());
  DeleteTree(DataFolder());
  ResetRegistry(firstRun_);
}

void EditorTest::TearDown() {
  EndOurProcesses();
  EXPECT_TRUE(ScratchProcesses().empty()) << "a process of ours outlived the test";
}

}  // namespace ovx::e2e

namespace ovx::e2e {
namespace {

// Removes the scratch copy when the run ends.
class ScratchCleanup : public ::testing::Environment {
 public:
  void TearDown() override {
    EndOurProcesses();
    DeleteTree(ScratchRoot());
    RemoveDirectoryW(ScratchRoot().c_str());
  }
};
const auto* const kScratchCleanup = ::testing::AddGlobalTestEnvironment(new ScratchCleanup);

}  // namespace
}  // namespace ovx::e2e
