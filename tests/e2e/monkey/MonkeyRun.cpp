#include "tests/e2e/monkey/MonkeyRun.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "tests/e2e/E2eDriver.h"
#include "tests/e2e/monkey/MonkeyActions.h"
#include "tests/e2e/monkey/MonkeyOracles.h"

namespace ovx::e2e::monkey {
namespace {

constexpr int kUndoCheckEvery = 40;      // actions between two full undos
constexpr DWORD kDisabledLimitMs = 5000; // a window disabled longer without a wait is a failure
constexpr int kSaveLagActions = 3;       // a save may land this many actions after its command

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string HexOf(const std::string& bytes) {
  std::string out;
  char two[4];
  for (size_t i = 0; i < bytes.size() && i < 48; ++i) {
    std::snprintf(two, sizeof two, "%02X", static_cast<unsigned char>(bytes[i]));
    out += two;
  }
  return out + (bytes.size() > 48 ? "..." : "") + " (" + std::to_string(bytes.size()) + " bytes)";
}

// The class of the control that has the keyboard in the window's thread.
std::string FocusClass(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return "?";
  return info.hwndFocus ? Utf8(ClassOf(info.hwndFocus)) : std::string("none");
}

std::wstring Stamp() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  wchar_t text[32];
  swprintf(text, 32, L"%04u%02u%02u-%02u%02u%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
  return text;
}

std::wstring ExeFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// A 7 x 5 bitmap of 24 bits, so that the bitmap template has something to read.
std::string SmallBitmap() {
  std::string bytes(54 + 5 * 24, '\0');
  auto put32 = [&bytes](size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, static_cast<std::uint32_t>(bytes.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, 7);
  put32(22, 5);
  bytes[26] = 1;
  bytes[28] = 24;
  return bytes;
}

// Three small files (the DLL opens view-only by its extension), the shipped templates beside
// the program, and a history budget that holds every edit of the run.
void PrepareSession(std::uint64_t seed) {
  StopEditors();
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((DataFolder() + L"*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      const std::wstring path = DataFolder() + found.cFileName;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  std::mt19937_64 random(seed);
  std::string plain(48, '\0');
  for (char& c : plain) c = static_cast<char>(random());
  MakeFile(kSessionFiles[0], plain);
  MakeFile(kSessionFiles[1], SmallBitmap());
  MakeFile(kSessionFiles[2], "MZ view-only library....");

  const std::wstring filer = ProgramFolder() + L"filer\\";
  CreateDirectoryW(filer.c_str(), nullptr);
  find = FindFirstFileW((ExeFolder() + L"filer\\*.OVXF").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      CopyFileW((ExeFolder() + L"filer\\" + found.cFileName).c_str(), (filer + found.cFileName).c_str(), FALSE);
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  const std::wstring config = std::wstring(kSettingsRoot) + L"\\Config";
  WriteRegistryDword(config, L"OpeningDlg", 0);
  WriteRegistryDword(config, L"UndoBuffer", 65536);  // KB
  // Both rules of the history at a save are run: odd seeds clear it, even seeds keep it.
  WriteRegistryDword(config, L"UndoFlushWithSaved", seed & 1 ? 1 : 0);
}

std::vector<TAction> ReadScript(const std::wstring& path) {
  std::vector<TAction> script;
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    TAction action;
    if (ParseAction(line, action)) script.push_back(action);
  }
  return script;
}

}  // namespace

TMonkeyResult RunMonkey(const TMonkeyOptions& options) {
  TMonkeyResult result;
  PrepareSession(options.seed);
  const std::wstring out = options.outFolder;
  CreateDirectoryW(out.c_str(), nullptr);
  const std::wstring trace = out + L"trace-seed" + std::to_wstring(options.seed) + L".log";
  DeleteFileW(trace.c_str());
  SetEnvironmentVariableW(L"OVX_TRACE", trace.c_str());

  const bool replaying = !options.replay.empty();
  const std::vector<TAction> script = replaying ? ReadScript(options.replay) : std::vector<TAction>{};
  TMonkeyHands hands(options.seed);
  TDiskWatch disk;
  disk.Reset();
  TUndoLedger ledger;
  TDisabledWatch disabled;
  std::vector<std::string> log;
  HANDLE process = nullptr;
  DWORD processId = 0;
  int lastMaySave = -100, lastMayClose = -100, sinceCheck = 0;
  const DWORD start = GetTickCount();
  std::string failure;
  size_t next = 0;
  int last = 0;  // the index of the last action

  for (int i = 0; failure.empty(); last = i++) {
    if (replaying ? next >= script.size()
                  : (options.actions && result.actions >= options.actions) ||
                        (options.seconds && GetTickCount() - start >= static_cast<DWORD>(options.seconds) * 1000))
      break;
    TWorld world = Observe();
    TAction action;
    if (replaying)
      action = script[next++];
    else if (sinceCheck >= kUndoCheckEvery && Quiet(world) && !world.editors.empty())
      action = TAction{"undocheck", L"", {}};
    else
      action = hands.Choose(world);
    log.push_back(FormatAction(action));
    const size_t editorsBefore = world.editors.size();

    if (action.verb == "undocheck") {
      if (Quiet(world)) failure = ledger.Check(world, std::min(600, 4 * sinceCheck + 10), result.undoChecks);
      sinceCheck = 0;
    } else {
      const TEffects effects = hands.Perform(action, world);
      ++result.actions;
      ++sinceCheck;
      if (action.verb == "start") ++result.starts;
      if (effects.maySave) lastMaySave = i;
      if (effects.mayClose) lastMayClose = i;
      if (effects.mayFlush) ledger.ForgetAll();
      if (effects.maySave) Sleep(250);  // a save of a few bytes is done by then
    }

    // 1. The process lives, and answers, until the monkey closed its last window.
    if (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(process, &code);
      if (code != 0 || i - lastMayClose > 2) {
        char text[160];
        std::snprintf(text, sizeof text, "the program ended with exit code 0x%08lX, not after a close",
                      static_cast<unsigned long>(code));
        failure = text;
      }
      CloseHandle(process);
      process = nullptr;
      processId = 0;
    }
    world = Observe();
    if (world.process && world.process != processId) {
      if (process) CloseHandle(process);
      process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, world.process);
      processId = world.process;
    }
    if (failure.empty() && MainProcessWindow()) {
      DWORD_PTR ignored = 0;
      if (!SendMessageTimeoutW(MainProcessWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored) &&
          IsWindow(MainProcessWindow()))
        failure = "the program did not answer for 10 s";
    }

    // 3. Files change only under a save, and then hold what a window holds.
    const auto changes = disk.Changes();
    for (const auto& [path, bytes] : changes) {
      if (!failure.empty()) break;
      if (i - lastMaySave > kSaveLagActions) {
        failure = Utf8(path) + " changed on disk with no save run";
      } else if (bytes.empty() && !FileExists(path)) {
        failure = Utf8(path) + " went from the disk";
      } else if (i == lastMaySave && Quiet(world) && !world.editors.empty() && world.editors.size() >= editorsBefore) {
        ++result.saveChecks;
        bool held = false;
        std::string seen;
        for (HWND h : world.editors) {
          const std::optional<std::string> shown = WindowBytes(h);
          held = held || shown.value_or(std::string()) == bytes;
          seen += "\n  " + Utf8(EditorName(h)) + ": " + (shown ? HexOf(*shown) : std::string("(no copy)")) +
                  (IsIconic(h) ? " minimized" : "") + (IsWindowEnabled(h) ? "" : " disabled") +
                  (GetForegroundWindow() == h ? " in front" : " not in front") + ", focus " + FocusClass(h);
        }
        if (!held) failure = Utf8(path) + " holds " + HexOf(bytes) + " after the save, which no window holds:" + seen;
      }
    }

    // 2. No window stays disabled without a wait of its own.
    if (failure.empty()) failure = disabled.Check(world, kDisabledLimitMs);

    // 4. (bookkeeping) where each window's history may begin.
    ledger.Follow(world, disk);
    if (action.verb != "keys") ledger.AddFileBytes(world, disk);
  }

  if (failure.empty()) {
    TWorld world = Observe();
    if (Quiet(world) && !world.editors.empty()) {
      log.push_back("undocheck\t");
      failure = ledger.Check(world, std::min(600, 4 * sinceCheck + 10), result.undoChecks);
    }
  }
  if (failure.empty()) {
    // A save the last actions started (save all and close waiting on a save-as dialog) may
    // still finish while the windows close; otherwise closing them with No saves nothing.
    const bool savePending = last - lastMaySave <= kSaveLagActions || !Quiet(Observe());
    disk.Changes();
    StopEditors();  // every question answered No or Cancel
    const auto changes = disk.Changes();
    if (!changes.empty() && !savePending)
      failure = Utf8(changes.begin()->first) + " changed while the windows closed without saving";
  }

  result.seconds = (GetTickCount() - start) / 1000.0;
  if (!failure.empty()) {
    result.ok = false;
    result.failure = failure;
    const std::wstring name = L"monkey-seed" + std::to_wstring(options.seed) + L"-" + Stamp();
    const std::wstring shot = Screenshot(name);
    CopyFileW(shot.c_str(), (out + name + L".bmp").c_str(), FALSE);
    result.script = out + name + L".replay";
    std::ofstream file(std::filesystem::path(result.script), std::ios::binary);
    file << "# seed " << options.seed << "\n# failure: ";
    for (char c : failure) file << (c == '\n' ? std::string("\n# ") : std::string(1, c));
    file << "\n# " << result.actions << " actions; replay: scripts/monkey --replay THIS_FILE\n";
    for (const std::string& line : log) file << line << "\n";
    file.close();
    StopEditors();  // the trace is written out as the program ends
    MoveFileExW(trace.c_str(), (out + name + L".trace").c_str(), MOVEFILE_REPLACE_EXISTING);
  } else {
    StopEditors();
    DeleteFileW(trace.c_str());
  }
  SetEnvironmentVariableW(L"OVX_TRACE", nullptr);
  if (process) CloseHandle(process);
  return result;
}

}  // namespace ovx::e2e::monkey
