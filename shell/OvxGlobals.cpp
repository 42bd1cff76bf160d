#include "shell/OvxGlobals.h"

#include "shell/CmdListText.h"
#include "shell/TextCompare.h"

namespace ovx {

namespace {

const TCommandInfo* FindCommand(TCommandId id) {
  for (const TCommandInfo& command : CommandTable())
    if (command.id == id) return &command;
  return nullptr;
}

// Cuts the next line off the front of text, without its line end.
std::string_view TakeLine(std::string_view& text) {
  std::size_t end = text.find('\n');
  std::string_view line = text.substr(0, end);
  text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace

const std::vector<TCommandInfo>& CommandTable() {
  static const std::vector<TCommandInfo> table = {
#define OVX_COMMAND(keyword, id, name, description) {id, #keyword, name, description},
#include "shell/Commands.inc"
#undef OVX_COMMAND
  };
  return table;
}

std::string CommandKeyword(TCommandId id) {
  const TCommandInfo* command = FindCommand(id);
  return command ? command->keyword : "";
}

std::string CommandName(TCommandId id) {
  const TCommandInfo* command = FindCommand(id);
  return command ? command->name : "";
}

std::string CommandDescription(TCommandId id) {
  const TCommandInfo* command = FindCommand(id);
  return command ? command->description : "";
}

TCommandId CommandFromKeyword(std::string_view keyword) {
  for (const TCommandInfo& command : CommandTable())
    if (SameTextAscii(command.keyword, keyword)) return command.id;
  return NoCommand;
}

std::vector<TCommandGroup> ParseCommandList(std::string_view text) {
  constexpr std::string_view utf8Bom = "\xEF\xBB\xBF";
  if (text.substr(0, utf8Bom.size()) == utf8Bom) text.remove_prefix(utf8Bom.size());
  std::vector<TCommandGroup> groups;
  while (!text.empty()) {
    std::string_view line = TakeLine(text);
    if (line.empty()) continue;
    if (line.front() == '.') {
      groups.push_back({std::string(line.substr(1)), {}});
      continue;
    }
    TCommandId id = CommandFromKeyword(line);
    if (id != NoCommand && !groups.empty()) groups.back().commands.push_back(id);
  }
  return groups;
}

std::string_view BuiltInCommandListText() {
  return {reinterpret_cast<const char*>(CmdListTextBytes), sizeof CmdListTextBytes};
}

const std::vector<TCommandGroup>& CommandList() {
  static const std::vector<TCommandGroup> list = ParseCommandList(BuiltInCommandListText());
  return list;
}

}  // namespace ovx
