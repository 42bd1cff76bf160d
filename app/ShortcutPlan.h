// The shortcut maintenance dialog without its window: where the program's shortcuts live, which
// of them exist, and the steps that make them match the user's choice.
#pragma once

#include <functional>
#include <string>

namespace ovx {

// The three folders, each ending in a backslash, or empty where the system gives no folder.
struct TShortcutFolders {
  std::string desktop;
  std::string group;  // the Start menu programs folder's "<title>\" folder
  std::string sendTo;
};
// From the system's desktop, Start menu programs and send-to folders (empty when unknown).
TShortcutFolders MakeShortcutFolders(const std::string& desktop, const std::string& programs,
                                     const std::string& sendTo, const std::string& title);

// Which shortcuts there are (or are wanted): the program group, the desktop link, the send-to link.
struct TShortcutChoice {
  bool startMenu = false;
  bool desktop = false;
  bool sendTo = false;
  friend bool operator==(const TShortcutChoice&, const TShortcutChoice&) = default;
};

// What the shortcut steps need of the file system; names are full paths.
class TShortcutFileSystem {
 public:
  virtual ~TShortcutFileSystem() = default;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool FolderExists(const std::string& path) = 0;
  virtual bool CreateFolder(const std::string& path) = 0;
  virtual bool RemoveFolder(const std::string& path) = 0;
  // A missing file is no error; failures are not reported.
  virtual void RemoveFile(const std::string& path) = 0;
  // A shell link `folder + name + ".lnk"` to `target`, working in the target's folder.
  virtual void CreateShellLink(const std::string& target, const std::string& folder, const std::string& name) = 0;
};

// The link names: the main link, the help link and the resident link (never created, only deleted).
std::string MainLinkName(const std::string& title);
std::string HelpLinkName(const std::string& title);
std::string ResidentLinkName(const std::string& title);

TShortcutChoice PresentShortcuts(const TShortcutFolders& folders, const std::string& title, TShortcutFileSystem& files);

// Makes the folders match the choice, in order: the program group (created with the main and the
// help link, or emptied of the three links and removed), the desktop link, the send-to link.
// `programFolder` holds "Ovx.exe" and the manual (or the old "OVX.HLP"), and ends in a backslash. A step that fails
// reports its error message at once, before the next step runs; the later steps run all the same.
void ApplyShortcuts(const TShortcutChoice& wanted, const TShortcutFolders& folders, const std::string& title,
                    const std::string& programFolder, TShortcutFileSystem& files,
                    const std::function<void(const std::string&)>& report);

}  // namespace ovx
