#include "shell/SettingsLists.h"

#include <algorithm>
#include <cstdint>

namespace ovx {
namespace {

// Decodes one UTF-8 sequence at `i`; returns its length, 0 when it is not one
// (such bytes are kept as they are).
std::size_t DecodeUtf8(const std::string& s, std::size_t i, std::uint32_t& cp) {
  auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char c = b(i);
  std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
  for (std::size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  return n;
}

void EncodeUtf8(std::uint32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::uint32_t UpperCodePoint(std::uint32_t cp) {
  if (cp >= 'a' && cp <= 'z') return cp - 0x20;
  if (cp >= 0xFF41 && cp <= 0xFF5A) return cp - 0x20;                  // full-width a-z
  if (cp >= 0x03B1 && cp <= 0x03C9 && cp != 0x03C2) return cp - 0x20;  // Greek
  if (cp >= 0x0430 && cp <= 0x044F) return cp - 0x20;                  // Cyrillic
  if (cp == 0x0451) return 0x0401;                                      // ё
  return cp;
}

}  // namespace

std::string UpperCaseFileName(const std::string& name) {
  std::string out;
  out.reserve(name.size());
  for (std::size_t i = 0; i < name.size();) {
    std::uint32_t cp = 0;
    std::size_t n = DecodeUtf8(name, i, cp);
    if (n == 0) {
      out += name[i++];
      continue;
    }
    EncodeUtf8(UpperCodePoint(cp), out);
    i += n;
  }
  return out;
}

bool SameFileName(const std::string& a, const std::string& b) {
  return UpperCaseFileName(a) == UpperCaseFileName(b);
}

std::string THistoryList::Entry(std::size_t index) const { return index < names_.size() ? names_[index] : std::string(); }

void THistoryList::Add(const std::string& longName) {
  const std::string key = UpperCaseFileName(longName);
  auto it = std::find_if(names_.begin(), names_.end(), [&](const auto& n) { return UpperCaseFileName(n) == key; });
  if (it != names_.end()) {
    std::rotate(names_.begin(), it, it + 1);
  } else {
    names_.insert(names_.begin(), longName);
  }
}

void THistoryList::Delete(std::size_t index) {
  if (index < names_.size()) names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(index));
}

void TProfileList::Store(const std::string& longName, const TWindowProfile& profile, std::size_t maxCount) {
  const std::string key = UpperCaseFileName(longName);
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return UpperCaseFileName(e.Name) == key; });
  if (it != entries_.end()) {
    it->Profile = profile;
    std::rotate(entries_.begin(), it, it + 1);
    return;
  }
  entries_.insert(entries_.begin(), TProfileEntry{longName, profile});
  while (entries_.size() > maxCount) entries_.pop_back();
}

bool TProfileList::Lookup(const std::string& longName, TWindowProfile& profile) {
  const std::string key = UpperCaseFileName(longName);
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return UpperCaseFileName(e.Name) == key; });
  if (it == entries_.end()) return false;
  profile = it->Profile;
  std::rotate(entries_.begin(), it, it + 1);
  return true;
}

}  // namespace ovx
