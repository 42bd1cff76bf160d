#include "shell/MemoryKeyValueStore.h"

#include <algorithm>
#include <cstdint>

namespace ovx {

struct TMemoryKeyValueStore::TValue {
  std::string Name;
  TStoreValueType Type = svNone;
  std::uint32_t Dword = 0;
  std::string Text;
};

struct TMemoryKeyValueStore::TNode {
  std::string Name;
  std::string FullPath;  // upper-cased, parts joined by "\", no leading "\"
  std::vector<std::shared_ptr<TNode>> Children;
  std::vector<TValue> Values;
  bool Deleted = false;
};

namespace {

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

bool SameName(const std::string& a, const std::string& b) { return Upper(a) == Upper(b); }

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

std::string NormalPath(const std::string& path) {
  std::string joined;
  for (const auto& p : SplitPath(path)) joined += (joined.empty() ? "" : "\\") + Upper(p);
  return joined;
}

using TNode = TMemoryKeyValueStore::TNode;
using TValue = TMemoryKeyValueStore::TValue;

class TMemoryKey final : public TStoreKey {
 public:
  TMemoryKey(std::shared_ptr<TNode> node, bool writable) : node_(std::move(node)), writable_(writable) {}

  TStoreValueType ValueType(const std::string& name) override {
    const TValue* v = Find(name);
    return v ? v->Type : svNone;
  }
  int ReadDword(const std::string& name, std::uint32_t& value) override {
    const TValue* v = Find(name);
    if (!v || v->Type != svDword) return 2;
    value = v->Dword;
    return 0;
  }
  int ReadString(const std::string& name, std::string& value) override {
    const TValue* v = Find(name);
    if (!v || v->Type != svString) return 2;
    value = v->Text;
    return 0;
  }
  int WriteDword(const std::string& name, std::uint32_t value) override {
    TValue* v = Slot(name);
    if (!v) return TMemoryKeyValueStore::FailureCode;
    v->Type = svDword;
    v->Dword = value;
    v->Text.clear();
    return 0;
  }
  int WriteString(const std::string& name, const std::string& value) override {
    TValue* v = Slot(name);
    if (!v) return TMemoryKeyValueStore::FailureCode;
    v->Type = svString;
    v->Text = value;
    return 0;
  }
  int ValueNames(std::vector<std::string>& names) override {
    names.clear();
    if (node_->Deleted) return 2;
    for (const auto& v : node_->Values) names.push_back(v.Name);
    return 0;
  }

 private:
  TValue* Find(const std::string& name) {
    if (node_->Deleted) return nullptr;
    for (auto& v : node_->Values)
      if (SameName(v.Name, name)) return &v;
    return nullptr;
  }
  TValue* Slot(const std::string& name) {
    if (!writable_ || node_->Deleted) return nullptr;
    if (TValue* v = Find(name)) return v;
    node_->Values.push_back(TValue{name, svNone, 0, {}});
    return &node_->Values.back();
  }

  std::shared_ptr<TNode> node_;
  bool writable_;
};

}  // namespace

TMemoryKeyValueStore::TMemoryKeyValueStore() : root_(std::make_shared<TNode>()) {}

std::shared_ptr<TNode> TMemoryKeyValueStore::Find(const std::string& path, bool create) {
  std::shared_ptr<TNode> node = root_;
  for (const auto& part : SplitPath(path)) {
    auto it = std::find_if(node->Children.begin(), node->Children.end(),
                           [&](const auto& c) { return SameName(c->Name, part); });
    if (it != node->Children.end()) {
      node = *it;
      continue;
    }
    if (!create) return nullptr;
    auto child = std::make_shared<TNode>();
    child->Name = part;
    child->FullPath = node->FullPath + (node->FullPath.empty() ? "" : "\\") + Upper(part);
    node->Children.push_back(child);
    node = child;
  }
  return node;
}

bool TMemoryKeyValueStore::WriteRefused(const std::shared_ptr<TNode>& node) const {
  for (const auto& f : failing_)
    if (node->FullPath == f || node->FullPath.rfind(f + "\\", 0) == 0) return true;
  return false;
}

bool TMemoryKeyValueStore::KeyExists(const std::string& path) { return Find(path, false) != nullptr; }

int TMemoryKeyValueStore::OpenKey(const std::string& path, std::unique_ptr<TStoreKey>& key) {
  auto node = Find(path, false);
  if (!node) return 2;
  key = std::make_unique<TMemoryKey>(node, !WriteRefused(node));
  return 0;
}

int TMemoryKeyValueStore::CreateKey(const std::string& path, std::unique_ptr<TStoreKey>& key) {
  std::string normal = NormalPath(path);
  for (const auto& f : failing_)
    if (normal == f || normal.rfind(f + "\\", 0) == 0) return FailureCode;
  key = std::make_unique<TMemoryKey>(Find(path, true), true);
  return 0;
}

int TMemoryKeyValueStore::DeleteKeyTree(const std::string& path) {
  auto parts = SplitPath(path);
  if (parts.empty()) return FailureCode;  // the root itself stays
  auto leaf = parts.back();
  parts.pop_back();
  std::string parentPath;
  for (const auto& p : parts) parentPath += "\\" + p;
  auto parent = Find(parentPath, false);
  if (!parent) return 2;
  auto it = std::find_if(parent->Children.begin(), parent->Children.end(),
                         [&](const auto& c) { return SameName(c->Name, leaf); });
  if (it == parent->Children.end()) return 2;
  if (WriteRefused(*it)) return FailureCode;
  // Keys still open on the deleted tree see it as gone.
  std::vector<std::shared_ptr<TNode>> stack{*it};
  while (!stack.empty()) {
    auto n = stack.back();
    stack.pop_back();
    n->Deleted = true;
    for (auto& c : n->Children) stack.push_back(c);
  }
  parent->Children.erase(it);
  return 0;
}

std::string TMemoryKeyValueStore::ErrorText(int code) {
  return code == FailureCode ? "アクセスが拒否されました。" : "キーが見つかりません。";
}

void TMemoryKeyValueStore::FailWritesAt(const std::string& path) { failing_.push_back(NormalPath(path)); }

void TMemoryKeyValueStore::PutOtherValue(const std::string& path, const std::string& name) {
  auto node = Find(path, true);
  node->Values.push_back(TValue{name, svOther, 0, {}});
}

std::vector<std::string> TMemoryKeyValueStore::SubkeyNames(const std::string& path) {
  std::vector<std::string> names;
  if (auto node = Find(path, false))
    for (const auto& c : node->Children) names.push_back(c->Name);
  return names;
}

}  // namespace ovx
