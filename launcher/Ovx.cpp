// The launcher: starts the editor process from its own folder with the same arguments.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring editor(path, n);
  editor = editor.substr(0, editor.find_last_of(L'\\') + 1) + L"OVXMAIN.EXE";

  // Everything after the program name of our own command line goes to the editor.
  std::wstring line = GetCommandLineW();
  size_t i = 0;
  if (!line.empty() && line[0] == L'"') {
    i = line.find(L'"', 1);
    i = (i == std::wstring::npos) ? line.size() : i + 1;
  } else {
    while (i < line.size() && line[i] != L' ' && line[i] != L'\t') ++i;
  }
  std::wstring command = L"\"" + editor + L"\"" + line.substr(i);

  STARTUPINFOW si = {sizeof si};
  PROCESS_INFORMATION pi;
  if (!CreateProcessW(editor.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return 1;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return 0;
}
