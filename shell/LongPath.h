// The long path form of a file name, as file names are compared, stored and shown.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace ovx {

// Removes a trailing "\", replaces every component, from the last to the first, by its
// long name found on disk, keeps the drive part, and appends "\" when the result is a
// folder. "/" separates components like "\" and comes back as "\", except in "\\?\" paths,
// which the system takes literally. When any lookup fails the input comes back unchanged.
// UTF-8 in and out. Where the file system has no short names (POSIX) the name comes back
// as given.
std::string ExpandLongPathName(const std::string& path);

// A Windows path taken apart the way the expansion walks it.
struct TPathParts {
  // "C:", "\\server\share", "\\?\C:", "\\?\UNC\server\share", or empty.
  std::string drive;
  // What follows the drive part, split at the separators: a path from the root begins with
  // an empty component.
  std::vector<std::string> components;
  friend bool operator==(const TPathParts&, const TPathParts&) = default;
};

// Splits a path after turning "/" into "\" (outside "\\?\" paths) and removing one
// trailing separator.
TPathParts SplitPathName(const std::string& path);

// The drive part followed by the first `count` components, joined with "\".
std::string JoinPathName(const TPathParts& parts, std::size_t count);

}  // namespace ovx
