#include "shell/SettingsStore.h"

#include <cstdio>
#include <vector>

#include "charset/StrUty.h"
#include "model/FileSystem.h"
#include "model/UserPrompt.h"
#include "shell/ProfileFile.h"
#include "shell/SettingsRegistry.h"

namespace ovx {

TSettingsStore::TSettingsStore(TSettingsPlatform platform)
    : platform_(std::move(platform)), settings_(DefaultEnvironmentSettings()) {}

std::string TSettingsStore::ProfileFilePath() const { return platform_.ProgramFolder + ProfileFileName; }

std::string TSettingsStore::LongName(const std::string& name) const {
  return platform_.LongPathName ? platform_.LongPathName(name) : name;
}

void TSettingsStore::LoadSettings() {
  history_.Clear();
  profiles_.Clear();
  settings_ = DefaultEnvironmentSettings();
  LoadProfileFile();

  TKeyValueStore& store = *platform_.Registry;
  std::string base = SettingsRootKey;
  if (store.KeyExists(OldSettingsRootKey)) {
    base = OldSettingsRootKey;
  } else if (!store.KeyExists(SettingsRootKey) && platform_.FirstRun) {
    platform_.FirstRun();
  }
  ReadRegistrySettings(store, base, settings_, history_);
}

void TSettingsStore::LoadProfileFile() {
  std::string image;
  std::vector<TProfileRecord> records;
  if (!platform_.Files->Exists(ProfileFilePath())) return;
  // An unreadable or damaged file is ignored: the next save replaces it.
  if (ReadWholeFile(*platform_.Files, ProfileFilePath(), image) != 0) return;
  DecodeProfileFile(image, records);
  for (const auto& r : records) profiles_.Append(SJisToUtf8(r.NameBytes), r.Profile);
}

bool TSettingsStore::SaveProfileFile() {
  std::vector<TProfileRecord> records;
  records.reserve(profiles_.Count());
  for (const auto& e : profiles_.Entries()) records.push_back({Utf8ToSJis(e.Name), e.Profile});
  return WriteWholeFile(*platform_.Files, ProfileFilePath(), EncodeProfileFile(records)) == 0;
}

void TSettingsStore::SaveSettings() {
  if (!SaveProfileFile()) platform_.Prompt->ShowFailure(SettingsFailureCaption, ProfileSaveFailedText, true);

  TRegistryFailure failure;
  if (!WriteRegistrySettings(*platform_.Registry, settings_, history_, LongName(platform_.ProgramFolder), failure))
    platform_.Prompt->ShowFailure(SettingsFailureCaption,
                                  RegistryFailureText(failure.KeyPath, failure.Address, failure.Message), false);
}

void TSettingsStore::AddHistory(const std::string& name) { history_.Add(LongName(name)); }

void TSettingsStore::StoreProfile(const std::string& name, const TWindowProfile& profile) {
  std::size_t max = settings_.ProfileMax > 0 ? static_cast<std::size_t>(settings_.ProfileMax) : 0;
  profiles_.Store(LongName(name), profile, max);
}

bool TSettingsStore::LookupProfile(const std::string& name, TWindowProfile& profile) {
  return profiles_.Lookup(LongName(name), profile);
}

std::string RegistryFailureText(const std::string& keyPath, std::uintptr_t address, const std::string& message) {
  char hex[32];
  std::snprintf(hex, sizeof hex, "%8.8llx", static_cast<unsigned long long>(address));
  return "レジストリキー " + keyPath + " 書き込み中に例外が発生しました\r\nアドレス 0x" + hex + "\r\nメッセージ " + message;
}

}  // namespace ovx
