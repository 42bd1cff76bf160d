#include "editor/win32/WideText.h"

#include <windows.h>

namespace ovx {

namespace {

std::wstring ToWide(UINT codePage, const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string FromWide(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string text(n, '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n, nullptr, nullptr);
  return text;
}

}  // namespace

std::wstring Utf8ToWide(const std::string& utf8) { return ToWide(CP_UTF8, utf8); }
std::string WideToUtf8(const std::wstring& wide) { return FromWide(CP_UTF8, wide); }
std::wstring AnsiToWide(const std::string& ansi) { return ToWide(CP_ACP, ansi); }
std::string WideToAnsi(const std::wstring& wide) { return FromWide(CP_ACP, wide); }

}  // namespace ovx
