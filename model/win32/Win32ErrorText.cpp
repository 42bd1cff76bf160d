#include "model/win32/Win32ErrorText.h"

#include <windows.h>

namespace ovx {

std::string Win32ErrorText(int code) {
  wchar_t* text = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message;
  if (n > 0 && text) {
    while (n > 0 && (text[n - 1] == L'\r' || text[n - 1] == L'\n' || text[n - 1] == L' ')) --n;
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
    if (bytes > 0) {
      message.resize(static_cast<std::size_t>(bytes));
      WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), message.data(), bytes, nullptr, nullptr);
    }
  }
  if (text) LocalFree(text);
  if (message.empty()) message = "エラー " + std::to_string(code);
  return message;
}

}  // namespace ovx
