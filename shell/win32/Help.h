// Opens help on behalf of a window, by the rule of shell/HelpTopics.h.
#pragma once

#include <windows.h>

#include <string>

#include "shell/HelpTopics.h"

namespace ovx {

class TUserPrompt;

// helpFile is "OVX.HLP" beside the program, whose folder also holds the manual's folder "help".
// Context 0 asks for the contents. A missing manual is said through prompt, and nothing else happens.
void ShowHelp(HWND owner, const std::string& helpFile, int context, TUserPrompt& prompt);

}  // namespace ovx
