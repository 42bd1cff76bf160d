// Help of the program: which page of the manual serves a help context, and which help a request
// goes to. The old help file "OVX.HLP", where it stands beside the program, is called as always;
// otherwise the manual (the folder "help" beside the program) opens at the context's page.
#pragma once

#include <functional>
#include <span>
#include <string>

namespace ovx {

// Help contexts and their pages, one line each. Contents is the manual's contents page.
#define OVX_HELP_TOPICS(X)                 \
  X(hcContents, 0, "index.html")           \
  X(hcIntInput, 15, "input.html")          \
  X(hcStrInput, 16, "input.html")          \
  X(hcCharInput, 17, "input.html")         \
  X(hcSearch, 18, "search.html")           \
  X(hcReplace, 19, "search.html")          \
  X(hcBitRotate, 153, "input.html")        \
  X(hcByteRotate, 154, "input.html")       \
  X(hcShortcut, 156, "launcher.html")      \
  X(hcRelativeJump, 158, "jump.html")      \
  X(hcFiler, 163, "filer.html")            \
  X(hcOptionGlobal, 192, "options.html")   \
  X(hcOptionEdit, 193, "options.html")     \
  X(hcOptionView, 194, "options.html")     \
  X(hcOptionWindow, 195, "options.html")   \
  X(hcOptionColor, 196, "options.html")    \
  X(hcOptionKey, 197, "keys.html")

enum THelpContext : int {
#define OVX_HELP_ENUM(name, number, page) name = number,
  OVX_HELP_TOPICS(OVX_HELP_ENUM)
#undef OVX_HELP_ENUM
};

struct THelpTopic {
  int context;
  const char* page;  // file name inside the manual's folder
};

// Every help context the program's windows carry, with its page.
std::span<const THelpTopic> HelpTopics();

// The page of a context; the contents page for a context that has none of its own.
const char* HelpPage(int context);

// Where a request for help goes.
struct THelpRequest {
  enum TKind { hkHelpFile, hkManualPage, hkMissing } kind;
  std::string path;  // the help file, the manual's page, or the page that is not there
  int context;       // 0: the contents
};

// programFolder ends in "\"; exists tells whether a file is there.
THelpRequest ResolveHelp(const std::string& programFolder, int context,
                         const std::function<bool(const std::string&)>& exists);

// The message for a manual page that is not there.
std::string HelpMissingText(const std::string& path);

}  // namespace ovx
