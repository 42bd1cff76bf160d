#include "app/CommandLine.h"

namespace ovx {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One argument after the program name: backslashes are literal unless they precede a quote;
// 2n backslashes + quote give n backslashes and toggle quoting, 2n+1 give n and a literal quote;
// a doubled quote inside quotes is a literal quote.
std::string TakeArgument(const std::string& line, size_t& i) {
  std::string arg;
  bool quoted = false;
  while (i < line.size() && (quoted || !IsBlank(line[i]))) {
    if (line[i] == '\\') {
      size_t n = 0;
      while (i < line.size() && line[i] == '\\') ++n, ++i;
      if (i < line.size() && line[i] == '"') {
        arg.append(n / 2, '\\');
        if (n % 2 == 1) {
          arg += '"';
          ++i;
        }
      } else {
        arg.append(n, '\\');
      }
    } else if (line[i] == '"') {
      ++i;
      if (quoted && i < line.size() && line[i] == '"') {
        arg += '"';
        ++i;
      } else {
        quoted = !quoted;
      }
    } else {
      arg += line[i++];
    }
  }
  return arg;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& line) {
  std::vector<std::string> result;
  size_t i = 0;
  // The program name knows no escapes: quoted up to the next quote, else up to a blank.
  std::string program;
  if (i < line.size() && line[i] == '"') {
    size_t end = line.find('"', 1);
    if (end == std::string::npos) end = line.size();
    program = line.substr(1, end - 1);
    i = end < line.size() ? end + 1 : end;
  } else {
    while (i < line.size() && !IsBlank(line[i])) program += line[i++];
  }
  result.push_back(program);
  for (;;) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    result.push_back(TakeArgument(line, i));
  }
  return result;
}

bool IsOption(const std::string& argument) {
  return !argument.empty() && (argument[0] == '-' || argument[0] == '/');
}

std::vector<std::string> FileArguments(const std::vector<std::string>& arguments) {
  std::vector<std::string> files;
  for (size_t i = 1; i < arguments.size(); ++i)
    if (!IsOption(arguments[i])) files.push_back(arguments[i]);
  return files;
}

}  // namespace ovx
