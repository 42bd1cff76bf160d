#include "shell/RegistryStore.h"

#include <windows.h>

#include "charset/StrUty.h"
#include "shell/win32/SystemErrorText.h"

#include <vector>

namespace ovx {
namespace {

// The registry takes paths relative to the root without a leading "\".
std::wstring KeyPath(const std::string& path) {
  std::size_t start = path.find_first_not_of('\\');
  return start == std::string::npos ? std::wstring() : Utf8ToWide(path.substr(start));
}

class TRegistryKey final : public TStoreKey {
 public:
  explicit TRegistryKey(HKEY key) : key_(key) {}
  ~TRegistryKey() override { RegCloseKey(key_); }

  TStoreValueType ValueType(const std::string& name) override {
    DWORD type = 0;
    if (RegQueryValueExW(key_, Utf8ToWide(name).c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) return svNone;
    return type == REG_DWORD ? svDword : type == REG_SZ ? svString : svOther;
  }

  int ReadDword(const std::string& name, std::uint32_t& value) override {
    DWORD type = 0, data = 0, size = sizeof data;
    LONG rc = RegQueryValueExW(key_, Utf8ToWide(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    if (rc != ERROR_SUCCESS) return static_cast<int>(rc);
    if (type != REG_DWORD || size != sizeof data) return ERROR_INVALID_DATATYPE;
    value = data;
    return 0;
  }

  int ReadString(const std::string& name, std::string& value) override {
    const std::wstring wname = Utf8ToWide(name);
    for (int attempt = 0; attempt < 3; ++attempt) {  // the value may grow between the two queries
      DWORD type = 0, size = 0;
      LONG rc = RegQueryValueExW(key_, wname.c_str(), nullptr, &type, nullptr, &size);
      if (rc != ERROR_SUCCESS) return static_cast<int>(rc);
      if (type != REG_SZ) return ERROR_INVALID_DATATYPE;
      std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
      DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
      rc = RegQueryValueExW(key_, wname.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got);
      if (rc == ERROR_MORE_DATA) continue;
      if (rc != ERROR_SUCCESS) return static_cast<int>(rc);
      if (type != REG_SZ) return ERROR_INVALID_DATATYPE;
      std::size_t length = got / sizeof(wchar_t);
      while (length > 0 && buffer[length - 1] == L'\0') --length;  // stored with or without terminator
      value = WideToUtf8(std::wstring_view(buffer.data(), length));
      return 0;
    }
    return ERROR_MORE_DATA;
  }

  int WriteDword(const std::string& name, std::uint32_t value) override {
    DWORD data = value;
    return static_cast<int>(
        RegSetValueExW(key_, Utf8ToWide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data));
  }

  int WriteString(const std::string& name, const std::string& value) override {
    std::wstring data = Utf8ToWide(value);
    return static_cast<int>(RegSetValueExW(key_, Utf8ToWide(name).c_str(), 0, REG_SZ,
                                           reinterpret_cast<const BYTE*>(data.c_str()),
                                           static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))));
  }

  int ValueNames(std::vector<std::string>& names) override {
    names.clear();
    DWORD count = 0, longest = 0;
    LONG rc = RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest, nullptr,
                               nullptr, nullptr);
    if (rc != ERROR_SUCCESS) return static_cast<int>(rc);
    std::vector<wchar_t> name(longest + 2);
    for (DWORD i = 0; i < count; ++i) {
      DWORD length = static_cast<DWORD>(name.size());
      rc = RegEnumValueW(key_, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
      if (rc == ERROR_NO_MORE_ITEMS) break;
      if (rc != ERROR_SUCCESS) return static_cast<int>(rc);
      names.push_back(WideToUtf8(std::wstring_view(name.data(), length)));
    }
    return 0;
  }

 private:
  HKEY key_;
};

class TRegistryStore final : public TKeyValueStore {
 public:
  bool KeyExists(const std::string& path) override {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  int OpenKey(const std::string& path, std::unique_ptr<TStoreKey>& out) override {
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(path).c_str(), 0, KEY_READ, &key);
    if (rc != ERROR_SUCCESS) return static_cast<int>(rc);
    out = std::make_unique<TRegistryKey>(key);
    return 0;
  }

  int CreateKey(const std::string& path, std::unique_ptr<TStoreKey>& out) override {
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) return static_cast<int>(rc);
    out = std::make_unique<TRegistryKey>(key);
    return 0;
  }

  int DeleteKeyTree(const std::string& path) override {
    const std::wstring wpath = KeyPath(path);
    if (wpath.empty()) return ERROR_ACCESS_DENIED;  // never the whole root
    LONG rc = RegDeleteTreeW(HKEY_CURRENT_USER, wpath.c_str());
    if (rc != ERROR_SUCCESS) return static_cast<int>(rc);
    // The key itself, where the tree deletion left it empty but present.
    rc = RegDeleteKeyW(HKEY_CURRENT_USER, wpath.c_str());
    return rc == ERROR_FILE_NOT_FOUND ? 0 : static_cast<int>(rc);
  }

  std::string ErrorText(int code) override { return SystemErrorText(code); }
};

}  // namespace

std::unique_ptr<TKeyValueStore> CreateRegistryStore() { return std::make_unique<TRegistryStore>(); }

}  // namespace ovx
