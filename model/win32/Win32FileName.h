// The form in which a file name is given to the Win32 file functions.
#pragma once

#include <string>

namespace ovx {

// The UTF-16 form of a UTF-8 file name. A name too long for the plain form (MAX_PATH characters
// or more; a temporary or backup name is longer than its target's) becomes the "\\?\" form of
// its full path, which the file functions take up to 32767 characters long.
std::wstring Win32FileName(const std::string& utf8);

}  // namespace ovx
