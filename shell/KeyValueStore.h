// A hierarchical key/value store as the settings store sees the registry.
// Key paths are relative to the store's root (HKEY_CURRENT_USER for the registry),
// written with "\" between the parts and an optional leading "\". Names are UTF-8
// and compare without regard to letter case. Every call returns 0 or an error code
// of the store (a Win32 error code for the registry).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ovx {

enum TStoreValueType : unsigned char {
  svNone,    // no value of that name
  svDword,   // REG_DWORD
  svString,  // REG_SZ
  svOther,   // any other kind of data
};

// One open key. Closed when destroyed.
class TStoreKey {
 public:
  virtual ~TStoreKey() = default;
  virtual TStoreValueType ValueType(const std::string& name) = 0;
  // Fail (and leave `value` alone) when the value is missing or of another type.
  virtual int ReadDword(const std::string& name, std::uint32_t& value) = 0;
  virtual int ReadString(const std::string& name, std::string& value) = 0;
  virtual int WriteDword(const std::string& name, std::uint32_t value) = 0;
  virtual int WriteString(const std::string& name, const std::string& value) = 0;
  // The names of all values of the key, in the store's order.
  virtual int ValueNames(std::vector<std::string>& names) = 0;
};

class TKeyValueStore {
 public:
  virtual ~TKeyValueStore() = default;
  virtual bool KeyExists(const std::string& path) = 0;
  // Opens an existing key for reading; fails when it does not exist.
  virtual int OpenKey(const std::string& path, std::unique_ptr<TStoreKey>& key) = 0;
  // Opens a key for writing, creating it and any missing parents.
  virtual int CreateKey(const std::string& path, std::unique_ptr<TStoreKey>& key) = 0;
  // Deletes a key with all its subkeys and values.
  virtual int DeleteKeyTree(const std::string& path) = 0;
  // A text for a failure code of this store, for the user.
  virtual std::string ErrorText(int code) = 0;
};

}  // namespace ovx
