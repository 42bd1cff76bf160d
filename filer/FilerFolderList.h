// The rows of the template-open dialog for one folder: the way up unless at the drive's root,
// the sub-folders, then the template files, each group sorted without regard to case.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ovx {

enum TFilerRowKind : unsigned char { frkParent, frkFolder, frkTemplate };

struct TFilerFolderEntry {
  std::string name;  // UTF-8
  bool folder = false;
};

struct TFilerRow {
  TFilerRowKind kind = frkTemplate;
  std::string name;  // "親ディレクトリ..." for the parent row
  friend bool operator==(const TFilerRow&, const TFilerRow&) = default;
};

// The folder above a folder path ("C:\a\b\" gives "C:\a\"); none at the root of a drive.
std::optional<std::string> FilerParentFolder(const std::string& folder);

// Folders whose names begin with '.' are left out, and files whose extension is not ".OVXF".
std::vector<TFilerRow> FilerFolderRows(const std::string& folder, std::vector<TFilerFolderEntry> entries);

}  // namespace ovx
