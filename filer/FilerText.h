// The text of a template file: Shift-JIS bytes with every line break as CR LF,
// and one CR LF appended, so that a line number is 1 + the LFs before a position.
#pragma once

#include <string>
#include <string_view>

#include "model/FileSystem.h"

namespace ovx {

// CR LF, a lone CR and a lone LF all become CR LF; one CR LF is appended.
std::string NormalizeFilerText(std::string_view sjis);

// Reads a whole template file and normalises it. Returns 0 or the platform's error code.
int LoadFilerText(const std::string& fileName, TFileSystem& fs, std::string& sjis);

// Upper-cases the ASCII letters a-z, leaving both bytes of each Shift-JIS
// double-byte character untouched (a trail byte may look like a letter).
std::string SJisUpperCase(std::string_view sjis);

// Removes bytes at or below the space from both ends.
std::string_view TrimBlanks(std::string_view text);

}  // namespace ovx
