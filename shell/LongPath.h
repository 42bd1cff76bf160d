// The long path form of a file name, as file names are compared, stored and shown.
#pragma once

#include <string>

namespace ovx {

// Removes a trailing "\", replaces every component, from the last to the first, by its
// long name found on disk, keeps the drive part, and appends "\" when the result is a
// folder. When any lookup fails the input comes back unchanged. UTF-8 in and out.
// Where the file system has no short names (POSIX) the name comes back as given.
std::string ExpandLongPathName(const std::string& path);

}  // namespace ovx
