#include "shell/win32/Help.h"

#include <shellapi.h>

#include "charset/StrUty.h"
#include "model/UserPrompt.h"

namespace ovx {

void ShowHelp(HWND owner, const std::string& helpFile, int context, TUserPrompt& prompt) {
  const std::string programFolder = helpFile.substr(0, helpFile.find_last_of('\\') + 1);
  const THelpRequest request = ResolveHelp(programFolder, context, [](const std::string& path) {
    return GetFileAttributesW(Utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  });
  const std::wstring path = Utf8ToWide(request.path);
  switch (request.kind) {
    case THelpRequest::hkHelpFile:
      WinHelpW(owner, path.c_str(), context ? HELP_CONTEXT : HELP_FINDER, static_cast<ULONG_PTR>(context));
      break;
    case THelpRequest::hkManualPage:
      // The shell's default browser shows the page; one it cannot start is the shell's to report.
      if (reinterpret_cast<INT_PTR>(ShellExecuteW(owner, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) <= 32)
        prompt.Beep();
      break;
    case THelpRequest::hkMissing:
      prompt.MessageDlgBeep(HelpMissingText(request.path), mtWarning, mbOK);
      break;
  }
}

}  // namespace ovx
