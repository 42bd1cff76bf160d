#include "filer/FilerCommands.h"

#include <algorithm>
#include <iterator>

namespace ovx {

namespace {

constexpr unsigned E = 1u << fsEdit, I = 1u << fsInitialize, F = 1u << fsFinalize, C = 1u << fsCommon;

// Sorted by name for the binary search below.
constexpr TFilerCommand kCommands[] = {
    {"BIGENDIAN", "", E | I | F | C},
    {"CLEAR", "III", I | F},
    {"COMMAND", "", E | I | F | C},
    {"COMMON", "S", E | I | F | C},
    {"COPY", "III", I | F},
    {"DISABLE", "", E | C},
    {"EDITBIT", "SII", E | C},
    {"EDITINTEGER", "SIIII", E | C},
    {"EDITSELECT", "SIIS*", E | C},
    {"EDITSTRING", "SIII", E | C},
    {"ENABLE", "", E | C},
    {"FINALIZE", "", E | I | F},
    {"HORIZONTALRULE", "", E | C},
    {"INCLUDECOMMON", "S", E},
    {"INDENT", "S", E | C},
    {"INITIALIZE", "", E | I | F},
    {"LABEL", "S", E | C},
    {"LITTLEENDIAN", "", E | I | F | C},
    {"MARGIN", "S", E | C},
    {"MESSAGE", "SS*", E | C},
    {"PAGE", "S", E | C},
    {"SEGMENT", "I", E | I | F | C},
    {"TITLE", "S", E | I | F | C},
    {"WRITEBIT", "III", I | F},
    {"WRITECRC32", "III", I | F},
    {"WRITEINTEGER", "III", I | F},
    {"WRITEPATTERNBIN", "IIS", I | F},
    {"WRITEPATTERNHEX", "IIS", I | F},
    {"WRITESTRING", "IISI", I | F},
};

}  // namespace

const TFilerCommand* FindFilerCommand(std::string_view upperName) {
  auto it = std::lower_bound(std::begin(kCommands), std::end(kCommands), upperName,
                             [](const TFilerCommand& c, std::string_view n) { return c.name < n; });
  if (it == std::end(kCommands) || it->name != upperName) return nullptr;
  return &*it;
}

bool SignatureRepeats(std::string_view signature) { return !signature.empty() && signature.back() == '*'; }

std::size_t SignatureLetters(std::string_view signature) {
  return SignatureRepeats(signature) ? signature.size() - 1 : signature.size();
}

char SignatureKindAt(std::string_view signature, std::size_t position) {
  std::size_t letters = SignatureLetters(signature);
  if (position < letters) return signature[position];
  if (SignatureRepeats(signature) && letters > 0) return signature[letters - 1];
  return 0;
}

}  // namespace ovx
