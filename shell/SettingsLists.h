// The file history and the window profiles: ordered lists of file names, most recent first.
// Names are UTF-8 and already in long path form; they compare without regard to letter case.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "shell/Settings.h"

namespace ovx {

// The name upper-cased as the file system compares names: ASCII, full-width Latin,
// Greek and Cyrillic letters (every letter a Shift-JIS file name can hold).
std::string UpperCaseFileName(const std::string& name);
bool SameFileName(const std::string& a, const std::string& b);

class THistoryList {
 public:
  std::size_t Count() const { return names_.size(); }
  // The name at the index, or an empty name when the index is out of range.
  std::string Entry(std::size_t index) const;
  // Moves an entry of the same name to the top, or inserts the name there. Nothing is removed.
  void Add(const std::string& longName);
  // Appends at the end (reading the stored history).
  void Append(const std::string& name) { names_.push_back(name); }
  void Delete(std::size_t index);
  void Clear() { names_.clear(); }

 private:
  std::vector<std::string> names_;
};

struct TProfileEntry {
  std::string Name;
  TWindowProfile Profile;
};

class TProfileList {
 public:
  std::size_t Count() const { return entries_.size(); }
  const TProfileEntry& At(std::size_t index) const { return entries_[index]; }
  const std::vector<TProfileEntry>& Entries() const { return entries_; }
  // Overwrites and moves to the top the entry of the same name, or inserts a new one at
  // the top and then drops entries from the end until at most `maxCount` are left.
  void Store(const std::string& longName, const TWindowProfile& profile, std::size_t maxCount);
  // Copies out the profile of the name and moves its entry to the top.
  bool Lookup(const std::string& longName, TWindowProfile& profile);
  void Append(const std::string& name, const TWindowProfile& profile) { entries_.push_back({name, profile}); }
  void Clear() { entries_.clear(); }

 private:
  std::vector<TProfileEntry> entries_;
};

}  // namespace ovx
