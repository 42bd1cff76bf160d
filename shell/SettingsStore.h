// The settings store of the main process window: the settings record, the file history
// and the window profiles, read once at start-up and written once at the end.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "shell/KeyValueStore.h"
#include "shell/Settings.h"
#include "shell/SettingsLists.h"

namespace ovx {

class TFileSystem;
class TUserPrompt;

// What the store needs from the platform.
struct TSettingsPlatform {
  TFileSystem* Files = nullptr;
  TKeyValueStore* Registry = nullptr;
  TUserPrompt* Prompt = nullptr;
  // The folder of the executable, UTF-8, ending in the path separator.
  std::string ProgramFolder;
  // The long path form of a file name (ExpandLongPathName); names stay as given when unset.
  std::function<std::string(const std::string&)> LongPathName;
  // Called at the first run (no settings key at all), before anything is read:
  // shows the shortcut maintenance dialog.
  std::function<void()> FirstRun;
};

class TSettingsStore {
 public:
  explicit TSettingsStore(TSettingsPlatform platform);

  // Defaults, then the profile file, then the registry.
  void LoadSettings();
  // The profile file, then the registry tree. Failures are reported to the user;
  // a failed profile file does not stop the registry part.
  void SaveSettings();

  TEnvironmentSettings& Settings() { return settings_; }
  THistoryList& History() { return history_; }
  TProfileList& Profiles() { return profiles_; }

  void AddHistory(const std::string& name);
  void StoreProfile(const std::string& name, const TWindowProfile& profile);
  bool LookupProfile(const std::string& name, TWindowProfile& profile);

  // "_profile" in the folder of the executable.
  std::string ProfileFilePath() const;

 private:
  std::string LongName(const std::string& name) const;
  void LoadProfileFile();
  bool SaveProfileFile();

  TSettingsPlatform platform_;
  TEnvironmentSettings settings_;
  THistoryList history_;
  TProfileList profiles_;
};

// Texts of the failure reports.
inline constexpr char SettingsFailureCaption[] = "Orvanta Exception Error !!";
inline constexpr char ProfileSaveFailedText[] = "プロファイルの保存に失敗しました.";
// The report of a failed registry write: key path, code address, message.
std::string RegistryFailureText(const std::string& keyPath, std::uintptr_t address, const std::string& message);

}  // namespace ovx
