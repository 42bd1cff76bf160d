// Conversions at the Win32 boundary: the core's UTF-8 texts to UTF-16 and back, and the
// system's ANSI code page (Shift-JIS on Japanese systems) where bytes cross a boundary.
#pragma once

#include <string>

namespace ovx {

std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const std::wstring& wide);
std::wstring AnsiToWide(const std::string& ansi);
std::string WideToAnsi(const std::wstring& wide);

}  // namespace ovx
