// The two facts about a file on disk that the editor window asks for: its modification
// stamp (compared with the stamp taken at load to offer 最新の情報に更新) and its attributes
// (read-only and system files open view-only; see ViewOnlyRule.h for the bits).
#pragma once

#include <cstdint>
#include <string>

namespace ovx {

// A stamp that grows with the modification time; -1 when the file cannot be read.
// On Windows it is the packed local date and time (date in the high 16 bits).
std::int32_t FileAgeOf(const std::string& name);

// The attribute bits (faReadOnly, faSysFile, faDirectory, ...), -1 when the file is missing.
int FileAttributesOf(const std::string& name);

// True when a file, not a folder, stands at the name.
bool IsFileOnDisk(const std::string& name);

}  // namespace ovx
