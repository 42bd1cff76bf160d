// The header lines of a template ("#DEFINE TITLE …", "#DEFINE AUTHOR …"), read for the
// template-open dialog. The parser itself sees them as comments.
#pragma once

#include <string>
#include <string_view>

#include "model/FileSystem.h"

namespace ovx {

struct TFilerDefine {
  std::string Title;   // UTF-8; empty when the template has no TITLE line
  std::string Author;  // UTF-8; empty when the template has no AUTHOR line
};

// Reads the header lines of normalised template text (CR LF line breaks); the last line of an item wins.
TFilerDefine ParseFilerDefine(std::string_view sjisText);

// False when the file does not exist; otherwise fills define from its header lines and returns true
// (an unreadable file leaves both items empty).
bool ReadFilerDefine(const std::string& fileName, TFilerDefine& define, TFileSystem& fs = PlatformFileSystem());

}  // namespace ovx
