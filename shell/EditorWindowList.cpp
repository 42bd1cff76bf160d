#include "shell/EditorWindowList.h"

namespace ovx {

std::string LowerAscii(const std::string& text) {
  std::string result = text;
  for (char& c : result)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return result;
}

}  // namespace ovx
