#include "editor/FileStamp.h"

#include <sys/stat.h>
#include <unistd.h>

#include <limits>

#include "editor/ViewOnlyRule.h"

namespace ovx {

std::int32_t FileAgeOf(const std::string& name) {
  struct stat st {};
  if (stat(name.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  // Seconds since 1970 fit 31 bits until 2038; later stamps stay at the largest value.
  if (st.st_mtime < 0) return 0;
  if (st.st_mtime > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(st.st_mtime);
}

int FileAttributesOf(const std::string& name) {
  struct stat st {};
  if (stat(name.c_str(), &st) != 0) return -1;
  int attributes = 0;
  if (S_ISDIR(st.st_mode)) attributes |= faDirectory;
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) attributes |= faReadOnly;
  return attributes;
}

}  // namespace ovx
