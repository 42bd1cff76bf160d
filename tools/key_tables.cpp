// Writes the manual's key tables (help/keys.html) from the command list and the two built-in key
// templates, so the manual shows the bindings the program has: one HTML table per command group,
// a row per command, the keys of "Windows 版標準" and "MS-DOS 版標準" side by side.
// Also writes every page's navigation from the one list of pages, the contents page's <ul>, so a
// page missing from the contents cannot be packed.
// Usage: ovx_key_tables CONTENTS PAGE OUT   (copies PAGE to OUT with a link to every page of
// CONTENTS' list after its <header> line and the tables at "<!--KEY-TABLES-->", where it has one)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

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

std::string ReadText(const char* path, bool& ok) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  ok = static_cast<bool>(in);
  return text.str();
}

// The pages of the contents page's list, in its order: (file, title) of each <li><a href="…">…</a>.
std::vector<std::pair<std::string, std::string>> ContentsList(const std::string& contents) {
  std::vector<std::pair<std::string, std::string>> pages;
  const std::size_t begin = contents.find("<ul>"), end = contents.find("</ul>", begin);
  const std::string open = "<li><a href=\"";
  for (std::size_t at = contents.find(open, begin); at < end; at = contents.find(open, at)) {
    at += open.size();
    const std::size_t quote = contents.find('"', at), close = contents.find("</a>", quote);
    pages.emplace_back(contents.substr(at, quote - at), contents.substr(quote + 2, close - quote - 2));
  }
  return pages;
}

// A line of links to the contents and every page; the page shown is not a link.
std::string Navigation(const std::vector<std::pair<std::string, std::string>>& pages, const std::string& shown) {
  auto all = pages;
  all.insert(all.begin(), {"index.html", "目次"});
  std::string nav = "<nav class=\"pages\">";
  for (const auto& [file, title] : all) {
    nav += file == shown ? "<strong>" + title + "</strong>" : "<a href=\"" + file + "\">" + title + "</a>";
    nav += "\n";
  }
  return nav + "</nav>\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: ovx_key_tables CONTENTS PAGE OUT\n";
    return 2;
  }
  bool ok = false;
  const auto pages = ContentsList(ReadText(argv[1], ok));
  if (!ok || pages.empty()) {
    std::cerr << argv[1] << ": no list of pages\n";
    return 1;
  }
  std::string text = ReadText(argv[2], ok);
  const std::string name = std::filesystem::path(argv[2]).filename().string();
  bool listed = name == "index.html";
  for (const auto& page : pages) listed = listed || page.first == name;
  const std::string header = "</header>\n";
  const std::size_t headerEnd = text.find(header);
  if (!ok || !listed || headerEnd == std::string::npos) {
    std::cerr << argv[2] << (listed ? ": no <header>" : ": not in the contents' list") << "\n";
    return 1;
  }
  const std::string marker = "<!--KEY-TABLES-->";
  if (const std::size_t at = text.find(marker); at != std::string::npos) text.replace(at, marker.size(), Tables());
  text.insert(headerEnd + header.size(), Navigation(pages, name));
  std::ofstream out(argv[3], std::ios::binary);
  out << text;
  return out ? 0 : 1;
}
