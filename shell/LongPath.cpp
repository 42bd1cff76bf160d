#include "shell/LongPath.h"

#include "shell/TextCompare.h"

namespace ovx {

namespace {

const std::string kVerbatimPrefix = "\\\\?\\";  // \\?\ : no "/" and no "." is interpreted
const std::string kVerbatimUnc = "UNC\\";

// The end of the piece that starts at `from` and runs to the next "\" (or the end).
std::size_t PieceEnd(const std::string& path, std::size_t from) {
  std::size_t end = path.find('\\', from);
  return end == std::string::npos ? path.size() : end;
}

bool StartsWithNoCase(const std::string& text, std::size_t at, const std::string& prefix) {
  return SameTextAscii(std::string_view(text).substr(at, prefix.size()), prefix);
}

// Length of the drive part of a path whose separators are all "\".
std::size_t DrivePartLength(const std::string& path) {
  if (path.compare(0, kVerbatimPrefix.size(), kVerbatimPrefix) == 0) {
    std::size_t at = kVerbatimPrefix.size();
    // \\?\UNC\server\share, otherwise \\?\ and one piece (a drive "C:" or a volume name).
    if (StartsWithNoCase(path, at, kVerbatimUnc)) {
      std::size_t server = PieceEnd(path, at + kVerbatimUnc.size());
      return server == path.size() ? server : PieceEnd(path, server + 1);
    }
    return PieceEnd(path, at);
  }
  if (path.size() >= 2 && path[1] == ':') return 2;
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    std::size_t server = PieceEnd(path, 2);
    return server == path.size() ? server : PieceEnd(path, server + 1);
  }
  return 0;
}

}  // namespace

TPathParts SplitPathName(const std::string& path) {
  std::string p = path;
  if (p.compare(0, kVerbatimPrefix.size(), kVerbatimPrefix) != 0)
    for (char& c : p)
      if (c == '/') c = '\\';
  if (!p.empty() && p.back() == '\\') p.pop_back();

  TPathParts parts;
  const std::size_t driveLength = DrivePartLength(p);
  parts.drive = p.substr(0, driveLength);
  const std::string rest = p.substr(driveLength);
  if (rest.empty()) return parts;
  for (std::size_t start = 0;;) {
    std::size_t end = rest.find('\\', start);
    parts.components.push_back(rest.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return parts;
}

std::string JoinPathName(const TPathParts& parts, std::size_t count) {
  std::string out = parts.drive;
  for (std::size_t i = 0; i < count && i < parts.components.size(); ++i) {
    if (i > 0) out += '\\';
    out += parts.components[i];
  }
  return out;
}

}  // namespace ovx
