#include "shell/SettingsRegistry.h"

#include <memory>
#include <vector>

#include "shell/KeyMap.h"

namespace ovx {
namespace {

std::unique_ptr<TStoreKey> OpenIfPresent(TKeyValueStore& store, const std::string& path) {
  std::unique_ptr<TStoreKey> key;
  if (store.OpenKey(path, key) != 0) key.reset();
  return key;
}

void ReadValue(TStoreKey& key, const TSettingValue& v, TEnvironmentSettings& s) {
  if (v.Text) {
    std::string text;
    if (key.ReadString(v.Name, text) == 0) s.*v.Text = text;
    return;
  }
  std::uint32_t d = 0;
  if (key.ReadDword(v.Name, d) != 0) return;
  if (v.Bool) {
    s.*v.Bool = d != 0;
  } else if (v.Byte) {
    if (d <= 255 && static_cast<std::int32_t>(d) >= v.Min && static_cast<std::int32_t>(d) <= v.Max)
      s.*v.Byte = static_cast<std::uint8_t>(d);
  } else if (v.Int) {
    auto i = static_cast<std::int32_t>(d);
    if (i >= v.Min) s.*v.Int = i;
  }
}

void ReadValues(TKeyValueStore& store, const std::string& path, const TSettingValue* values, std::size_t count,
                TEnvironmentSettings& s) {
  auto key = OpenIfPresent(store, path);
  if (!key) return;
  for (std::size_t i = 0; i < count; ++i) ReadValue(*key, values[i], s);
}

void ReadColors(TKeyValueStore& store, const std::string& path, TColorSettings& colors) {
  auto key = OpenIfPresent(store, path);
  if (!key) return;
  for (const auto& role : ColorRoles) {
    std::uint32_t d = 0;
    if (key->ReadDword(role.Name, d) == 0) colors.*role.Member = d;
  }
}

void ReadHistory(TKeyValueStore& store, const std::string& path, THistoryList& history) {
  auto key = OpenIfPresent(store, path);
  if (!key) return;
  for (int i = 0; i < StoredHistoryCount; ++i) {
    const std::string name = "History" + std::to_string(i);
    TStoreValueType type = key->ValueType(name);
    if (type == svNone) break;
    std::string file;
    // A value of another kind, or an empty name, is passed over; the next one still counts.
    if (type == svString && key->ReadString(name, file) == 0 && !file.empty()) history.Append(file);
  }
}

// Every value of the key whose data is a string: name and data.
std::vector<std::pair<std::string, std::string>> StringValues(TKeyValueStore& store, const std::string& path) {
  std::vector<std::pair<std::string, std::string>> out;
  auto key = OpenIfPresent(store, path);
  std::vector<std::string> names;
  if (!key || key->ValueNames(names) != 0) return out;
  for (const auto& name : names) {
    std::string data;
    if (key->ReadString(name, data) == 0) out.emplace_back(name, data);
  }
  return out;
}

void ReadKeyMap(TKeyValueStore& store, const std::string& base, TKeyMap& map) {
  ClearKeyMap(map);
  for (const auto& [name, keyword] : StringValues(store, base + "\\Key")) {
    TKeyStroke k = KeyFromValueName(name);
    if (k.shiftState >= ShiftStateCount || !IsStoredKey(k.keyIndex)) continue;
    SetKeyMapEntry(map, k.shiftState, k.keyIndex, CommandFromKeyword(keyword));
  }
  for (int menu = 0; menu < UserMenuCount; ++menu) {
    for (const auto& [name, keyword] : StringValues(store, UserMenuKeyPath(base, menu))) {
      int key = KeyIndexFromName(name);
      if (key < kiA || key > kiZ) continue;
      SetUserMenuEntry(map, menu, key, CommandFromKeyword(keyword));
    }
  }
}

// Records the failure and where it was noticed (the return address is inside the step).
[[gnu::noinline]] bool Fail(TKeyValueStore& store, TRegistryFailure& failure, const std::string& path, int code) {
  failure.KeyPath = path;
  failure.Address = reinterpret_cast<std::uintptr_t>(__builtin_return_address(0));
  failure.Message = store.ErrorText(code);
  return false;
}

class TTreeWriter {
 public:
  TTreeWriter(TKeyValueStore& store, TRegistryFailure& failure) : store_(store), failure_(failure) {}

  // Creates the key and makes it the one the following writes go to.
  bool Create(const std::string& path) {
    path_ = path;
    key_.reset();
    if (int rc = store_.CreateKey(path, key_)) return Fail(store_, failure_, path_, rc);
    return true;
  }
  bool Dword(const std::string& name, std::uint32_t value) {
    if (int rc = key_->WriteDword(name, value)) return Fail(store_, failure_, path_, rc);
    return true;
  }
  bool String(const std::string& name, const std::string& value) {
    if (int rc = key_->WriteString(name, value)) return Fail(store_, failure_, path_, rc);
    return true;
  }
  bool Value(const TSettingValue& v, const TEnvironmentSettings& s) {
    if (v.Text) return String(v.Name, s.*v.Text);
    if (v.Bool) return Dword(v.Name, s.*v.Bool ? 1 : 0);
    if (v.Byte) return Dword(v.Name, s.*v.Byte);
    return Dword(v.Name, static_cast<std::uint32_t>(s.*v.Int));
  }
  bool DeleteIfPresent(const std::string& path) {
    if (!store_.KeyExists(path)) return true;
    if (int rc = store_.DeleteKeyTree(path)) return Fail(store_, failure_, path, rc);
    return true;
  }

 private:
  TKeyValueStore& store_;
  TRegistryFailure& failure_;
  std::unique_ptr<TStoreKey> key_;
  std::string path_;
};

bool WriteKeyBindings(TTreeWriter& w, const TKeyMap& map) {
  // Alt states are never written.
  for (int shift = 0; shift < ssAlt; ++shift) {
    for (int key = 0; key < KeyCount; ++key) {
      if (!IsStoredKey(key)) continue;
      std::string keyword = CommandKeyword(KeyMapEntry(map, shift, key));
      if (keyword.empty()) continue;
      if (!w.String(KeyValueName(shift, key), keyword)) return false;
    }
  }
  return true;
}

bool WriteUserMenu(TTreeWriter& w, const TKeyMap& map, int menu) {
  for (int key = kiA; key <= kiZ; ++key) {
    std::string keyword = CommandKeyword(UserMenuEntry(map, menu, key));
    if (keyword.empty()) continue;
    if (!w.String(KeyNameFromIndex(key), keyword)) return false;
  }
  return true;
}

}  // namespace

std::string UserMenuKeyPath(const std::string& base, int userMenu) {
  return base + "\\Key\\UserMenu{" + std::to_string(userMenu) + "}";
}

void ReadRegistrySettings(TKeyValueStore& store, const std::string& base, TEnvironmentSettings& settings,
                          THistoryList& history) {
  ReadValues(store, base + "\\Config", ConfigValues, ConfigValueCount, settings);
  ReadColors(store, base + "\\Color", settings.Colors);
  ReadValues(store, base + "\\ViewItem", ViewItemValues, ViewItemValueCount, settings);
  ReadHistory(store, base + "\\History", history);
  switch (settings.KeyAssignType) {
    case katWindows: WindowsStandardKeyMap(settings.KeyMap); break;
    case katMsDos: MsDosStandardKeyMap(settings.KeyMap); break;
    case katCustom: ReadKeyMap(store, base, settings.KeyMap); break;
    default: break;
  }
}

bool WriteRegistrySettings(TKeyValueStore& store, const TEnvironmentSettings& s, const THistoryList& history,
                           const std::string& installFolder, TRegistryFailure& failure) {
  TTreeWriter w(store, failure);
  const std::string root = SettingsRootKey;
  if (!w.DeleteIfPresent(OldSettingsRootKey) || !w.DeleteIfPresent(root)) return false;

  if (!w.Create(root) || !w.String("InstallFolder", installFolder)) return false;

  if (!w.Create(root + "\\Config")) return false;
  for (const auto& v : ConfigValues)
    if (!w.Value(v, s)) return false;

  if (!w.Create(root + "\\Color")) return false;
  const TColorSettings defaults;
  for (const auto& role : ColorRoles)
    if (s.Colors.*role.Member != defaults.*role.Member && !w.Dword(role.Name, s.Colors.*role.Member)) return false;

  if (!w.Create(root + "\\ViewItem")) return false;
  for (const auto& v : ViewItemValues)
    if (!w.Value(v, s)) return false;

  if (!w.Create(root + "\\History")) return false;
  for (int i = 0; i < StoredHistoryCount && static_cast<std::size_t>(i) < history.Count(); ++i)
    if (!w.String("History" + std::to_string(i), history.Entry(static_cast<std::size_t>(i)))) return false;

  const bool custom = s.KeyAssignType == katCustom;
  if (!w.Create(root + "\\Key")) return false;
  if (custom && !WriteKeyBindings(w, s.KeyMap)) return false;
  for (int menu = 0; menu < UserMenuCount; ++menu) {
    if (!w.Create(UserMenuKeyPath(root, menu))) return false;
    if (custom && !WriteUserMenu(w, s.KeyMap, menu)) return false;
  }
  return true;
}

}  // namespace ovx
