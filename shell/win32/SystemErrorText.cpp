#include "shell/win32/SystemErrorText.h"

#include <windows.h>

#include <string_view>

#include "charset/StrUty.h"

namespace ovx {

std::string SystemErrorText(int code) {
  wchar_t* text = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message;
  if (n > 0 && text) {
    while (n > 0 && (text[n - 1] == L'\r' || text[n - 1] == L'\n' || text[n - 1] == L' ')) --n;
    message = WideToUtf8(std::wstring_view(text, n));
  }
  if (text) LocalFree(text);
  if (message.empty()) message = "エラー " + std::to_string(code);
  return message;
}

}  // namespace ovx
