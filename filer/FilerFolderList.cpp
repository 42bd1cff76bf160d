#include "filer/FilerFolderList.h"

#include <algorithm>

#include "shell/LongPath.h"

namespace ovx {
namespace {

std::string AsciiUpper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

bool IsTemplateName(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot != std::string::npos && AsciiUpper(name.substr(dot)) == ".OVXF";
}

}  // namespace

std::optional<std::string> FilerParentFolder(const std::string& folder) {
  TPathParts parts = SplitPathName(folder);
  if (parts.components.size() <= 1) return std::nullopt;
  std::string parent = parts.drive;
  for (std::size_t i = 0; i + 1 < parts.components.size(); ++i) {
    parent += parts.components[i];
    parent += '\\';
  }
  return parent;
}

std::vector<TFilerRow> FilerFolderRows(const std::string& folder, std::vector<TFilerFolderEntry> entries) {
  std::sort(entries.begin(), entries.end(), [](const TFilerFolderEntry& a, const TFilerFolderEntry& b) {
    return AsciiUpper(a.name) < AsciiUpper(b.name);
  });
  std::vector<TFilerRow> rows;
  if (FilerParentFolder(folder)) rows.push_back({frkParent, "親ディレクトリ..."});
  for (const TFilerFolderEntry& e : entries)
    if (e.folder && !e.name.empty() && e.name[0] != '.') rows.push_back({frkFolder, e.name});
  for (const TFilerFolderEntry& e : entries)
    if (!e.folder && IsTemplateName(e.name)) rows.push_back({frkTemplate, e.name});
  return rows;
}

}  // namespace ovx
