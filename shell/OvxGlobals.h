// The command table: every command's id, keyword, short name and description,
// and the grouped command list shown by the options dialog.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ovx {

// A command id; ids below 90000 belong to the binary view, ids from 90000 up
// to the editor window.
using TCommandId = std::int32_t;
constexpr TCommandId NoCommand = -1;
constexpr TCommandId FirstWindowCommand = 90000;

// cmUP = 10001, cmDELETE = 15005, ... one constant per keyword.
enum : TCommandId {
#define OVX_COMMAND(keyword, id, name, description) cm##keyword = id,
#include "shell/Commands.inc"
#undef OVX_COMMAND
};

struct TCommandInfo {
  TCommandId id;
  const char* keyword;      // ASCII, as stored in the registry
  const char* name;         // short name: function-key label (UTF-8)
  const char* description;  // options dialog and user menus (UTF-8)
};

// All 137 commands in command-list order (the unlisted WEBPAGE last).
const std::vector<TCommandInfo>& CommandTable();

// Empty text for an id that is not in the table.
std::string CommandKeyword(TCommandId id);
std::string CommandName(TCommandId id);
std::string CommandDescription(TCommandId id);
// The id of the first keyword equal to the text regardless of letter case, or -1.
TCommandId CommandFromKeyword(std::string_view keyword);

// One group of the command list: its caption (without the leading ".") and
// the ids of its commands in list order.
struct TCommandGroup {
  std::string caption;
  std::vector<TCommandId> commands;
};

// Parses command-list text: a line beginning with "." opens a group, any other
// non-empty line is a keyword. Keywords that name no command are skipped, as
// are keywords before the first caption. Accepts LF and CRLF line ends and a
// UTF-8 byte order mark.
std::vector<TCommandGroup> ParseCommandList(std::string_view text);

// The text of the command list as built into the program (UTF-8); the same
// bytes are the resource "IDM_CMDLIST" of ovxmain.exe.
std::string_view BuiltInCommandListText();
// ParseCommandList(BuiltInCommandListText()), built once.
const std::vector<TCommandGroup>& CommandList();

}  // namespace ovx
