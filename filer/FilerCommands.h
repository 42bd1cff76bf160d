// The commands of the template language: name, parameter signature and the sections they may appear in.
#pragma once

#include <string_view>

namespace ovx {

// The parser's sections, in the order of their numbers.
enum TFilerSection : unsigned char {
  fsEdit = 0,        // 編集部: the start of the file, or COMMAND
  fsInitialize = 1,  // 初期化部: INITIALIZE
  fsFinalize = 2,    // 終了部: FINALIZE
  fsCommon = 3,      // 共通ブロック定義部: COMMON
};

struct TFilerCommand {
  std::string_view name;       // upper case
  std::string_view signature;  // 'S' string, 'I' integer; a trailing '*' repeats the last letter
  unsigned sections;           // bit (1 << TFilerSection) set where the command is allowed
};

// The command of that upper-case name, or null.
const TFilerCommand* FindFilerCommand(std::string_view upperName);

// The number of letters in a signature, not counting '*', and whether it ends in '*'.
std::size_t SignatureLetters(std::string_view signature);
bool SignatureRepeats(std::string_view signature);
// The parameter kind ('S' or 'I') at a 0-based position, or 0 when the position lies beyond it.
char SignatureKindAt(std::string_view signature, std::size_t position);

}  // namespace ovx
