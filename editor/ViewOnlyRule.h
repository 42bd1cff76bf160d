// When a file opens view-only, and the words that tell the user why.
#pragma once

#include <string>

namespace ovx {

// File attribute bits as the platform reports them; -1 stands for unknown.
enum : int {
  faReadOnly = 0x01,
  faHidden = 0x02,
  faSysFile = 0x04,
  faVolumeID = 0x08,
  faDirectory = 0x10,
  faUnwritable = faReadOnly | faSysFile | faVolumeID | faDirectory,  // 0x1D: refuses a save over it
};

// The extension of the last path component, dot included; empty when it has none.
std::string FileExtension(const std::string& fileName);

// Whether the file's extension is one of the semicolon-separated list ("sys;exe;com;dll;vxd"),
// without regard to letter case; entries are trimmed and compared with a "." before them.
bool IsViewOnlyExtension(const std::string& fileName, const std::string& extensionList);

// Why a file must open view-only, or an empty text when it need not: the extension list first,
// then the read-only and system attributes.
std::string ViewOnlyReason(const std::string& fileName, const std::string& extensionList, int attributes);

// The information box: the reason and "閲覧モードで開きます.".
std::string ViewOnlyInformationText(const std::string& reason);

}  // namespace ovx
