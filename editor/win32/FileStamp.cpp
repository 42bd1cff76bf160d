#include "editor/FileStamp.h"

#include <windows.h>

#include "charset/StrUty.h"

namespace ovx {

std::int32_t FileAgeOf(const std::string& name) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(Utf8ToWide(name).c_str(), GetFileExInfoStandard, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
  FILETIME local;
  WORD date = 0, time = 0;
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &date, &time))
    return -1;
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(date) << 16) | time);
}

int FileAttributesOf(const std::string& name) {
  DWORD attributes = GetFileAttributesW(Utf8ToWide(name).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return -1;
  return static_cast<int>(attributes & 0xFFFF);
}

bool IsFileOnDisk(const std::string& name) {
  const int attributes = FileAttributesOf(name);
  return attributes >= 0 && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace ovx
