#include "model/win32/Win32FileName.h"

#include <windows.h>

namespace ovx {
namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

std::wstring Win32FileName(const std::string& utf8) {
  std::wstring name = Wide(utf8);
  if (name.size() < MAX_PATH || StartsWith(name, L"\\\\?\\") || StartsWith(name, L"\\\\.\\")) return name;
  // The "\\?\" form is taken as it stands: the full path resolves relative parts and turns "/"
  // into "\" first.
  const DWORD needed = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return name;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(name.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return name;
  full.resize(length);
  if (StartsWith(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

}  // namespace ovx
