#include "shell/LongPath.h"

#include <windows.h>

#include <vector>

namespace ovx {
namespace {

std::wstring Wide(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string Narrow(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

// Length of the drive part: "X:" or "\\server\share"; 0 when there is none.
std::size_t DrivePartLength(const std::wstring& p) {
  if (p.size() >= 2 && p[1] == L':') return 2;
  if (p.size() >= 2 && p[0] == L'\\' && p[1] == L'\\') {
    std::size_t server = p.find(L'\\', 2);
    if (server == std::wstring::npos) return p.size();
    std::size_t share = p.find(L'\\', server + 1);
    return share == std::wstring::npos ? p.size() : share;
  }
  return 0;
}

std::vector<std::wstring> Split(const std::wstring& s) {
  std::vector<std::wstring> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = s.find(L'\\', start);
    parts.push_back(s.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  return parts;
}

std::wstring Join(const std::wstring& drive, const std::vector<std::wstring>& parts, std::size_t count) {
  std::wstring out = drive;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) out += L'\\';
    out += parts[i];
  }
  return out;
}

// Components that name no entry of their own are kept as written.
bool IsPlaceholder(const std::wstring& part) { return part.empty() || part == L"." || part == L".."; }

}  // namespace

std::string ExpandLongPathName(const std::string& path) {
  std::wstring p = Wide(path);
  if (p.empty()) return path;
  if (p.back() == L'\\') p.pop_back();
  const std::size_t driveLength = DrivePartLength(p);
  const std::wstring drive = p.substr(0, driveLength);
  const std::wstring rest = p.substr(driveLength);

  std::vector<std::wstring> parts;
  if (!rest.empty()) parts = Split(rest);
  bool folder = false;
  for (std::size_t i = parts.size(); i-- > 0;) {
    if (IsPlaceholder(parts[i])) {
      if (i + 1 == parts.size()) folder = true;
      continue;
    }
    // A wildcard would let the lookup find some other entry.
    if (parts[i].find_first_of(L"*?") != std::wstring::npos) return path;
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(Join(drive, parts, i + 1).c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return path;
    FindClose(h);
    parts[i] = found.cFileName;
    if (i + 1 == parts.size()) folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
  std::wstring result = Join(drive, parts, parts.size());
  if (parts.empty() || (parts.size() == 1 && parts[0].empty())) {
    // A drive or share alone (or the root of the current drive).
    DWORD attributes = GetFileAttributesW((result + L'\\').c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return path;
    folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
  if (folder && (result.empty() || result.back() != L'\\')) result += L'\\';
  return Narrow(result);
}

}  // namespace ovx
