// What must hold after every monkey action: files change only under a save and then hold a
// window's bytes, no window stays disabled without a wait of its own, and undoing everything
// brings a window back to where its history began.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <set>
#include <string>

#include "tests/e2e/monkey/MonkeyWorld.h"

namespace ovx::e2e::monkey {

// The whole document of an editor window as it copies it; none when the copy did not come
// (an empty document copies nothing).
std::optional<std::string> WindowBytes(HWND editor);
// The full path of the file an editor window holds; empty for an unnamed window.
std::wstring WindowFile(HWND editor);

// The files of the data folder as last seen (text outputs, backups and temporary files aside).
class TDiskWatch {
 public:
  void Reset();
  // The files that changed since the last look, and what they hold now (empty when removed).
  std::map<std::wstring, std::string> Changes();
  std::string Bytes(const std::wstring& path) const;

 private:
  std::map<std::wstring, std::string> files_;
};

// Where each window's edit history may begin: its bytes at first sight, its file's bytes after
// anything that may load or save it, the bytes the last full undo gave.
class TUndoLedger {
 public:
  // Windows that came get their file's bytes; gone windows are dropped.
  void Follow(const TWorld& world, const TDiskWatch& disk);
  void AddFileBytes(const TWorld& world, const TDiskWatch& disk);
  void ForgetAll();  // a history may have been cleared where the monkey could not see the bytes
  // Undoes `steps` times in every window and compares; the failure, or empty.
  std::string Check(const TWorld& world, int steps, int& checked);

 private:
  struct TEntry {
    std::set<std::string> starts;
    bool unknown = false;
  };
  std::map<HWND, TEntry> windows_;
};

// Disabled windows without a wait of their own, and since when.
class TDisabledWatch {
 public:
  // The failure once a window stays disabled past the limit, or empty.
  std::string Check(const TWorld& world, DWORD limitMs);
  void Reset() { since_.clear(); }

 private:
  std::map<HWND, DWORD> since_;
};

}  // namespace ovx::e2e::monkey
