// The launcher: hands its command line to the running editor process, or starts the editor
// from its own folder with the same arguments, file names made full paths first. It never waits
// for the editor's boxes: the editor answers a hand-over at once and opens the files after.
#include <windows.h>

#include <string>
#include <vector>

#include "launcher/LaunchCommandLine.h"
#include "shell/win32/InstanceConnection.h"

namespace {

std::wstring OwnPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

bool FileExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The arguments that name files: a running editor is not sent the options.
std::vector<std::wstring> FileNames(const std::vector<std::wstring>& args) {
  std::vector<std::wstring> names;
  for (const std::wstring& arg : args)
    if (!ovx::launcher::IsOption(arg)) names.push_back(arg);
  return names;
}

// How long an editor process that has begun to end may take to go before a refused hand-over
// is given up.
const DWORD kEditorEndWaitMs = 60000;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  std::vector<std::wstring> args = ovx::launcher::SplitArguments(std::wstring(GetCommandLineW()));
  // The names are this launcher's, relative to its current folder, which the editor does not share.
  for (std::wstring& arg : args)
    if (!ovx::launcher::IsOption(arg)) arg = ovx::FullPathName(arg);

  while (ovx::IsRunning()) {
    HWND mainWindow = nullptr;
    switch (ovx::FindMainProcessWindow(mainWindow)) {
      case ovx::TEditorSearch::Found: {
        std::vector<std::wstring> names = FileNames(args);
        if (ovx::ForwardCommandLine(mainWindow, !args.empty(), names)) return 0;
        // The editor has begun to end: what it did not take goes to the next one.
        args = names;
        if (!ovx::WaitForEditorEnd(kEditorEndWaitMs)) return 0;
        continue;
      }
      case ovx::TEditorSearch::Failed:
        return 0;
      case ovx::TEditorSearch::Ended:
        break;  // the editor ended meanwhile: start a new one for these arguments
    }
    break;
  }

  std::wstring editor = ovx::launcher::EditorPathBeside(OwnPath());
  if (!FileExists(editor))
    MessageBoxW(nullptr,
                L"OVXMAIN.EXE が見付かりません.\r\nOVXMAIN.EXE は OVX.EXE と同じフォルダに入れて下さい.",
                L"Orvel for Windows エラー", MB_ICONEXCLAMATION | MB_OK);

  std::wstring commandLine = ovx::launcher::EditorCommandLine(editor, args);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  return 0;
}
