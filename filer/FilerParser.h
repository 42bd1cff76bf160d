// The template parser: turns template text into the initialisation, edit and end lists of
// command lines ("NAME", TAB, "p1", TAB, "p2" …; integers in decimal, strings as written,
// both in the template's Shift-JIS).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/FileSystem.h"

namespace ovx {

using TFilerCommandList = std::vector<std::string>;

struct TAnalyzeError {
  bool Error = false;
  int Line = 0;         // 1-based line of the token at which the error was found
  std::string Message;  // UTF-8
};

// Parses normalised template text (see NormalizeFilerText). The lists are cleared first;
// after an error they hold what was parsed before it and must not be used.
void AnalyzeFilerText(std::string_view sjisText, TFilerCommandList& initialize, TFilerCommandList& edit,
                      TAnalyzeError& error, TFilerCommandList& finalize);

// Reads and parses a template file. A file that cannot be read is an error at line 0.
void AnalyzeFiler(const std::string& fileName, TFilerCommandList& initialize, TFilerCommandList& edit,
                  TAnalyzeError& error, TFilerCommandList& finalize, TFileSystem& fs = PlatformFileSystem());

// Copies of common blocks may add at most this much to the edit list (bytes, plus a fixed
// cost per line), so that a small template cannot demand unbounded memory.
constexpr std::size_t kMaxIncludedEditBytes = std::size_t{32} << 20;

}  // namespace ovx
