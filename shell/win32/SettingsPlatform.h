// The settings store's view of the Windows platform: the registry of the current user,
// the real file system, the folder of the running executable and long path names.
#pragma once

#include <functional>

#include "shell/SettingsStore.h"

namespace ovx {

class TUserPrompt;

// The folder of the running executable, UTF-8, ending in "\".
std::string ExecutableFolder();

// Everything TSettingsStore needs on Windows. The registry store lives as long as the process.
TSettingsPlatform Win32SettingsPlatform(TUserPrompt& prompt, std::function<void()> firstRun);

}  // namespace ovx
