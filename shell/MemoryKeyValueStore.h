// A key/value store held in memory: the registry of the unit tests.
// It can be told to fail, to exercise the failure paths of its users.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "shell/KeyValueStore.h"

namespace ovx {

class TMemoryKeyValueStore final : public TKeyValueStore {
 public:
  // The error code every refused call returns.
  static constexpr int FailureCode = 5;

  TMemoryKeyValueStore();

  bool KeyExists(const std::string& path) override;
  int OpenKey(const std::string& path, std::unique_ptr<TStoreKey>& key) override;
  int CreateKey(const std::string& path, std::unique_ptr<TStoreKey>& key) override;
  int DeleteKeyTree(const std::string& path) override;
  std::string ErrorText(int code) override;

  // Creating, or writing into, the key at this path (or below it) fails from now on.
  void FailWritesAt(const std::string& path);
  // Stores a value of a kind the settings store never writes (binary data).
  void PutOtherValue(const std::string& path, const std::string& name);
  // The names of the direct subkeys of a key, in creation order.
  std::vector<std::string> SubkeyNames(const std::string& path);

  struct TNode;
  struct TValue;

 private:
  std::shared_ptr<TNode> Find(const std::string& path, bool create);
  bool WriteRefused(const std::shared_ptr<TNode>& node) const;

  std::shared_ptr<TNode> root_;
  std::vector<std::string> failing_;  // upper-cased paths without leading "\"
};

}  // namespace ovx
