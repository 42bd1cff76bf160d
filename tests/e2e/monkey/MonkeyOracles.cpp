#include "tests/e2e/monkey/MonkeyOracles.h"

#include <cstdio>
#include <cwctype>
#include <vector>

#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e::monkey {
namespace {

std::wstring Lower(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

bool EndsWith(const std::wstring& s, const wchar_t* tail) {
  const size_t n = wcslen(tail);
  return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

// Files a save writes on its way (temporary files, backups) and the text outputs are not watched.
bool Watched(const std::wstring& name) {
  const std::wstring lower = Lower(name);
  return !EndsWith(lower, L".tmp") && !EndsWith(lower, L".bak") && !EndsWith(lower, L".txt") &&
         !EndsWith(lower, L".log");
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char two[4];
  for (size_t i = 0; i < bytes.size() && i < 48; ++i) {
    std::snprintf(two, sizeof two, "%02X", static_cast<unsigned char>(bytes[i]));
    out += two;
  }
  if (bytes.size() > 48) out += "...";
  return out + " (" + std::to_string(bytes.size()) + " bytes)";
}

std::string Narrow(const std::wstring& s) {
  if (s.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
  return out;
}

HWND RootOwner(HWND window) {
  HWND root = window;
  for (HWND owner = GetWindow(root, GW_OWNER); owner; owner = GetWindow(root, GW_OWNER)) root = owner;
  return root;
}

}  // namespace

std::optional<std::string> WindowBytes(HWND editor) {
  std::optional<std::string> block;
  if (!EmptyTheClipboard()) return block;
  if (!PressShortcut(editor, 'A', MOD_CONTROL) || !PressShortcut(editor, 'C', MOD_CONTROL)) return block;
  WaitUntil([&] { return (block = ReadClipboardBlock()).has_value(); }, 1500);
  return block;
}

std::wstring WindowFile(HWND editor) {
  std::wstring caption = Caption(editor);
  const wchar_t tail[] = L" - Orvanta";
  if (!EndsWith(caption, tail)) return {};
  caption.resize(caption.size() - wcslen(tail));
  return caption.find(L'\\') == std::wstring::npos ? std::wstring() : caption;
}

void TDiskWatch::Reset() {
  files_.clear();
  Changes();
}

std::map<std::wstring, std::string> TDiskWatch::Changes() {
  std::map<std::wstring, std::string> now;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((DataFolder() + L"*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY || !Watched(found.cFileName)) continue;
      const std::wstring path = Lower(DataFolder() + found.cFileName);
      now[path] = ReadWholeFile(DataFolder() + found.cFileName);
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  std::map<std::wstring, std::string> changes;
  for (const auto& [path, bytes] : now) {
    auto before = files_.find(path);
    if (before == files_.end() || before->second != bytes) changes[path] = bytes;
  }
  for (const auto& [path, bytes] : files_)
    if (!now.count(path)) changes[path] = std::string();
  files_ = std::move(now);
  return changes;
}

std::string TDiskWatch::Bytes(const std::wstring& path) const {
  auto it = files_.find(Lower(path));
  return it == files_.end() ? std::string() : it->second;
}

void TUndoLedger::Follow(const TWorld& world, const TDiskWatch& disk) {
  std::map<HWND, TEntry> kept;
  for (HWND h : world.editors) {
    auto it = windows_.find(h);
    if (it != windows_.end()) {
      kept[h] = it->second;
    } else {
      TEntry entry;
      entry.starts.insert(disk.Bytes(WindowFile(h)));
      kept[h] = entry;
    }
  }
  windows_ = std::move(kept);
}

void TUndoLedger::AddFileBytes(const TWorld& world, const TDiskWatch& disk) {
  for (HWND h : world.editors) {
    const std::wstring file = WindowFile(h);
    if (!file.empty()) windows_[h].starts.insert(disk.Bytes(file));
  }
}

void TUndoLedger::ForgetAll() {
  for (auto& [h, entry] : windows_) entry.unknown = true;
}

namespace {

// Ctrl+Z `steps` times through the input queue of the window, made the foreground window first.
bool PressUndo(HWND window, int steps) {
  SetForegroundWindow(window);
  if (!WaitUntil([window] { return GetForegroundWindow() == window; }, 2000)) return false;
  std::vector<INPUT> keys;
  auto key = [&keys](WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    keys.push_back(in);
  };
  key(VK_CONTROL, false);
  for (int i = 0; i < steps; ++i) {
    key('Z', false);
    key('Z', true);
  }
  key(VK_CONTROL, true);
  return SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) == keys.size();
}

}  // namespace

std::string TUndoLedger::Check(const TWorld& world, int steps, int& checked) {
  for (HWND h : world.editors) {
    if (!IsWindow(h) || !IsWindowEnabled(h)) continue;
    // Rounds of undo until the bytes stand still: an action may have made several steps.
    std::optional<std::string> bytes, before;
    int round = 0;
    for (; round < 4; ++round) {
      if (!PressUndo(h, steps)) break;
      before = bytes;
      bytes = WindowBytes(h);
      if (!bytes || (before && *before == *bytes)) break;
    }
    // A question that came up meanwhile took the keys: nothing is known then.
    if (!bytes || !Quiet(Observe())) continue;
    TEntry& entry = windows_[h];
    ++checked;
    if (round == 4)
      return "undoing in " + Narrow(EditorName(h)) + " never came to an end: after " + std::to_string(4 * steps) +
             " undos it still changed, to " + Hex(*bytes);
    if (!entry.unknown && !entry.starts.count(*bytes)) {
      std::string failure = "undoing everything in " + Narrow(EditorName(h)) + " gave " + Hex(*bytes) +
                            ", which is no start of its history; the starts:";
      for (const std::string& s : entry.starts) failure += "\n  " + Hex(s);
      return failure;
    }
    entry.starts = {*bytes};
    entry.unknown = false;
  }
  return {};
}

std::string TDisabledWatch::Check(const TWorld& world, DWORD limitMs) {
  std::vector<HWND> all = world.editors;
  all.insert(all.end(), world.others.begin(), world.others.end());
  const DWORD now = GetTickCount();
  std::map<HWND, DWORD> still;
  for (HWND h : all) {
    if (IsWindowEnabled(h)) continue;
    bool explained = world.menu != nullptr;
    const HWND root = RootOwner(h);
    for (HWND x : world.others) {
      if (x == h || !IsWindowEnabled(x)) continue;
      const HWND xr = RootOwner(x);
      if (xr == root || ClassOf(xr) != L"TOvnxBinaryFormWClass") explained = true;
    }
    if (explained) continue;
    auto it = since_.find(h);
    const DWORD since = it == since_.end() ? now : it->second;
    still[h] = since;
    if (now - since > limitMs)
      return "the window \"" + Narrow(Caption(h)) + "\" (" + Narrow(ClassOf(h)) + ") stayed disabled for " +
             std::to_string((now - since) / 1000) + " s with no wait of its own open";
  }
  since_ = std::move(still);
  return {};
}

}  // namespace ovx::e2e::monkey
