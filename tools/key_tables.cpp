// Writes the manual's key tables (help/keys.html) from the command list and the two built-in key
// templates, so the manual shows the bindings the program has: one HTML table per command group,
// a row per command, the keys of "Windows 版標準" and "MS-DOS 版標準" side by side.
// Usage: ovx_key_tables PAGE OUT   (copies PAGE to OUT with the tables at "<!--KEY-TABLES-->")
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "shell/KeyMap.h"

using namespace ovx;

namespace {

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else out += c;
  }
  return out;
}

// "Ctrl+{A}" is shown as "Ctrl+A".
std::string KeyText(int shiftState, int keyIndex) {
  std::string name = KeyValueName(shiftState, keyIndex);
  const std::size_t open = name.find('{');
  if (open != std::string::npos && name.back() == '}') name = name.substr(0, open) + name.substr(open + 1, name.size() - open - 2);
  return name;
}

std::string KeysOf(const TKeyMap& map, TCommandId id) {
  std::string keys;
  for (int shift = 0; shift < ShiftStateCount; ++shift)
    for (int key = 0; key < KeyCount; ++key)
      if (KeyMapEntry(map, shift, key) == id) keys += (keys.empty() ? "" : ", ") + Escaped(KeyText(shift, key));
  for (int key = kiA; key <= kiZ; ++key)
    if (UserMenuEntry(map, 0, key) == id)
      keys += (keys.empty() ? "" : ", ") + std::string("ユーザーメニュー1 の ") + static_cast<char>('A' + key - kiA);
  return keys;
}

std::string Tables() {
  TKeyMap windows{}, msDos{};
  WindowsStandardKeyMap(windows);
  MsDosStandardKeyMap(msDos);
  std::ostringstream out;
  for (const TCommandGroup& group : CommandList()) {
    out << "<h3>" << Escaped(group.caption) << "</h3>\n<table class=\"keys\">\n"
        << "<tr><th>コマンド</th><th>機能</th><th>Windows 版標準</th><th>MS-DOS 版標準</th></tr>\n";
    for (TCommandId id : group.commands)
      out << "<tr><td><code>" << CommandKeyword(id) << "</code></td><td>" << Escaped(CommandDescription(id))
          << "</td><td>" << KeysOf(windows, id) << "</td><td>" << KeysOf(msDos, id) << "</td></tr>\n";
    out << "</table>\n";
  }
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: ovx_key_tables PAGE OUT\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::stringstream page;
  page << in.rdbuf();
  std::string text = page.str();
  const std::string marker = "<!--KEY-TABLES-->";
  const std::size_t at = text.find(marker);
  if (!in || at == std::string::npos) {
    std::cerr << argv[1] << ": no " << marker << "\n";
    return 1;
  }
  text.replace(at, marker.size(), Tables());
  std::ofstream out(argv[2], std::ios::binary);
  out << text;
  return out ? 0 : 1;
}
