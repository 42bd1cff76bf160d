// The registry part of the settings: the tree under a base key, read and written
// through a key/value store.
#pragma once

#include <cstdint>
#include <string>

#include "shell/KeyValueStore.h"
#include "shell/Settings.h"
#include "shell/SettingsLists.h"

namespace ovx {

inline constexpr char SettingsRootKey[] = "\\Software\\Brightmoor\\Orvanta";
inline constexpr char OldSettingsRootKey[] = "\\Software\\Quennetsoft\\Orvel";
inline constexpr int StoredHistoryCount = 10;

// The path of user menu n (0 to 4) below a base key: base + "\Key\UserMenu{n}".
std::string UserMenuKeyPath(const std::string& base, int userMenu);

// Reads Config, Color, ViewItem, History and (for KeyAssignType 2) the key map from the
// base key into a record that holds the defaults. Missing keys and values keep the
// defaults; values of the wrong type or out of range are skipped.
void ReadRegistrySettings(TKeyValueStore& store, const std::string& base, TEnvironmentSettings& settings,
                          THistoryList& history);

// What went wrong while writing the tree.
struct TRegistryFailure {
  std::string KeyPath;          // the key being written
  std::uintptr_t Address = 0;   // where in the program the failing call returned
  std::string Message;          // the store's text for the error
};

// Deletes the old product root and the settings root, then writes the whole tree from
// scratch. Stops at the first failing step and describes it in `failure`.
bool WriteRegistrySettings(TKeyValueStore& store, const TEnvironmentSettings& settings, const THistoryList& history,
                           const std::string& installFolder, TRegistryFailure& failure);

}  // namespace ovx
