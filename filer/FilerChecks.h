// Normalisation and checks of one command parameter, with the parser's messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ovx {

// The longest string a field or a string write may have, in bytes.
constexpr std::int32_t kMaxFilerStringLength = 65536;

struct TCheckedParameter {
  std::string stored;      // the text kept in the command line
  std::int32_t value = 0;  // the value of an integer parameter
};

// The message with its "%s" replaced by a Shift-JIS token converted to UTF-8.
std::string FillMessage(std::string_view message, std::string_view sjisToken);

// Each returns an empty string when the parameter is good, else the message that ends parsing.
// position counts from 1; previousValues are the integer values of the parameters before it.
std::string CheckIntegerParameter(std::string_view command, std::size_t position, std::string_view token,
                                  const std::vector<std::int32_t>& previousValues, TCheckedParameter& out);
std::string CheckStringParameter(std::string_view command, std::size_t position, std::string_view token,
                                 TCheckedParameter& out);

}  // namespace ovx
