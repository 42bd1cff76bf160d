#include "shell/LongPath.h"

namespace ovx {

// POSIX file systems keep one name per file: nothing to expand.
std::string ExpandLongPathName(const std::string& path) { return path; }

}  // namespace ovx
