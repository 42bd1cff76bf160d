// Splitting a program's command line into arguments the way the platform's C runtime does,
// and telling options from file names. Texts are UTF-8 (quotes, spaces and backslashes are ASCII,
// so splitting never cuts a multi-byte character).
#pragma once

#include <string>
#include <vector>

namespace ovx {

// The program name first, then every argument, quotes removed.
std::vector<std::string> SplitCommandLine(const std::string& line);

// An argument whose first character is "-" or "/" is an option; none is defined.
bool IsOption(const std::string& argument);

// The arguments after the program name that are not options, in order.
std::vector<std::string> FileArguments(const std::vector<std::string>& arguments);

}  // namespace ovx
