// Command-line handling of the launcher: its own arguments and the editor's command line.
// Kept apart from the editor's code on purpose: the launcher carries its own copy.
#pragma once

#include <string>
#include <vector>

namespace ovx::launcher {

template <class Ch>
bool IsBlank(Ch c) {
  return c == Ch(' ') || c == Ch('\t');
}

// The arguments after the program name, split and unquoted as the C runtime does.
template <class Ch>
std::vector<std::basic_string<Ch>> SplitArguments(const std::basic_string<Ch>& line) {
  using S = std::basic_string<Ch>;
  std::vector<S> args;
  size_t i = 0;
  if (i < line.size() && line[i] == Ch('"')) {  // the program name knows no escapes
    size_t end = line.find(Ch('"'), 1);
    i = end == S::npos ? line.size() : end + 1;
  } else {
    while (i < line.size() && !IsBlank(line[i])) ++i;
  }
  for (;;) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    S arg;
    bool quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      if (line[i] == Ch('\\')) {
        size_t n = 0;
        while (i < line.size() && line[i] == Ch('\\')) ++n, ++i;
        bool beforeQuote = i < line.size() && line[i] == Ch('"');
        arg.append(beforeQuote ? n / 2 : n, Ch('\\'));
        if (beforeQuote && n % 2 == 1) {
          arg += Ch('"');
          ++i;
        }
      } else if (line[i] == Ch('"')) {
        ++i;
        if (quoted && i < line.size() && line[i] == Ch('"')) {
          arg += Ch('"');
          ++i;
        } else {
          quoted = !quoted;
        }
      } else {
        arg += line[i++];
      }
    }
    args.push_back(arg);
  }
  return args;
}

template <class Ch>
bool IsOption(const std::basic_string<Ch>& arg) {
  return !arg.empty() && (arg[0] == Ch('-') || arg[0] == Ch('/'));
}

// Enclosed in double quotes when it contains a space.
template <class Ch>
std::basic_string<Ch> QuoteIfSpaced(const std::basic_string<Ch>& text) {
  if (text.find(Ch(' ')) == std::basic_string<Ch>::npos) return text;
  std::basic_string<Ch> quoted(1, Ch('"'));
  quoted += text;
  quoted += Ch('"');
  return quoted;
}

// The editor's command line: its (quoted) path, then one space and each argument, options included.
template <class Ch>
std::basic_string<Ch> EditorCommandLine(const std::basic_string<Ch>& editorPath,
                                        const std::vector<std::basic_string<Ch>>& args) {
  std::basic_string<Ch> line = QuoteIfSpaced(editorPath);
  for (const auto& arg : args) {
    line += Ch(' ');
    line += QuoteIfSpaced(arg);
  }
  return line;
}

// The editor executable: the launcher's own folder (with its backslash) and "OVXMAIN.EXE".
template <class Ch>
std::basic_string<Ch> EditorPathBeside(const std::basic_string<Ch>& launcherPath) {
  size_t slash = launcherPath.find_last_of(Ch('\\'));
  std::basic_string<Ch> folder = slash == std::basic_string<Ch>::npos ? std::basic_string<Ch>()
                                                                      : launcherPath.substr(0, slash + 1);
  for (char c : std::string("OVXMAIN.EXE")) folder += Ch(c);
  return folder;
}

}  // namespace ovx::launcher
