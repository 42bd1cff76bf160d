#include "filer/FilerText.h"

#include <cstdint>
#include <memory>

namespace ovx {

std::string NormalizeFilerText(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size() + sjis.size() / 16 + 2);
  std::size_t start = 0;
  while (start < sjis.size()) {
    std::size_t brk = start;
    while (brk < sjis.size() && sjis[brk] != '\r' && sjis[brk] != '\n') ++brk;
    if (brk == sjis.size()) {
      out.append(sjis.substr(start));
      break;
    }
    out.append(sjis.substr(start, brk - start));
    out += "\r\n";
    start = brk + 1;
    if (sjis[brk] == '\r' && start < sjis.size() && sjis[start] == '\n') ++start;
  }
  out += "\r\n";
  return out;
}

int LoadFilerText(const std::string& fileName, TFileSystem& fs, std::string& sjis) {
  sjis.clear();
  std::unique_ptr<TFile> file;
  if (int rc = fs.OpenRead(fileName, file)) return rc;
  std::string raw;
  char buffer[65536];
  for (;;) {
    std::size_t got = 0;
    if (int rc = file->Read(buffer, sizeof buffer, got)) return rc;
    raw.append(buffer, got);
    if (got < sizeof buffer) break;
  }
  file->Close();
  sjis = NormalizeFilerText(raw);
  return 0;
}

static bool IsSJisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

std::string SJisUpperCase(std::string_view sjis) {
  std::string out(sjis);
  for (std::size_t i = 0; i < out.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (IsSJisLeadByte(c)) {
      ++i;  // the trail byte belongs to the character
    } else if (c >= 'a' && c <= 'z') {
      out[i] = static_cast<char>(c - 'a' + 'A');
    }
  }
  return out;
}

std::string_view TrimBlanks(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
  return text.substr(begin, end - begin);
}

}  // namespace ovx
