#include "shell/LongPath.h"

#include <windows.h>

#include "charset/StrUty.h"

namespace ovx {
namespace {

// Components that name no entry of their own are kept as written.
bool IsPlaceholder(const std::string& part) { return part.empty() || part == "." || part == ".."; }

}  // namespace

std::string ExpandLongPathName(const std::string& path) {
  if (path.empty()) return path;
  TPathParts parts = SplitPathName(path);
  std::vector<std::string>& components = parts.components;
  bool folder = false;
  for (std::size_t i = components.size(); i-- > 0;) {
    if (IsPlaceholder(components[i])) {
      if (i + 1 == components.size()) folder = true;
      continue;
    }
    // A wildcard would let the lookup find some other entry.
    if (components[i].find_first_of("*?") != std::string::npos) return path;
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(Utf8ToWide(JoinPathName(parts, i + 1)).c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return path;
    FindClose(h);
    components[i] = WideToUtf8(found.cFileName);
    if (i + 1 == components.size()) folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
  std::string result = JoinPathName(parts, components.size());
  if (components.empty() || (components.size() == 1 && components[0].empty())) {
    // A drive or share alone (or the root of the current drive).
    DWORD attributes = GetFileAttributesW(Utf8ToWide(result + '\\').c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return path;
    folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
  if (folder && (result.empty() || result.back() != '\\')) result += '\\';
  return result;
}

}  // namespace ovx
