#include "app/ShortcutPlan.h"

#include "shell/HelpTopics.h"

namespace ovx {

namespace {

std::string WithBackslash(const std::string& folder) {
  if (folder.empty()) return folder;
  return folder.back() == '\\' ? folder : folder + "\\";
}

std::string WithoutBackslash(const std::string& folder) {
  return !folder.empty() && folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder;
}

const char kLauncher[] = "Ovx.exe";

}  // namespace

TShortcutFolders MakeShortcutFolders(const std::string& desktop, const std::string& programs,
                                     const std::string& sendTo, const std::string& title) {
  return {WithBackslash(desktop), programs.empty() ? std::string() : WithBackslash(programs) + title + "\\",
          WithBackslash(sendTo)};
}

std::string MainLinkName(const std::string& title) { return title; }
std::string HelpLinkName(const std::string& title) { return title + " Help"; }
std::string ResidentLinkName(const std::string& title) { return title + " の常駐"; }

TShortcutChoice PresentShortcuts(const TShortcutFolders& folders, const std::string& title, TShortcutFileSystem& files) {
  const std::string link = MainLinkName(title) + ".lnk";
  return {files.FolderExists(WithoutBackslash(folders.group)), files.FileExists(folders.desktop + link),
          files.FileExists(folders.sendTo + link)};
}

void ApplyShortcuts(const TShortcutChoice& wanted, const TShortcutFolders& folders, const std::string& title,
                    const std::string& programFolder, TShortcutFileSystem& files,
                    const std::function<void(const std::string&)>& report) {
  const std::string launcher = programFolder + kLauncher;
  const std::string link = MainLinkName(title) + ".lnk";
  const std::string group = WithoutBackslash(folders.group);
  const bool groupPresent = files.FolderExists(group);
  if (wanted.startMenu && !groupPresent) {
    if (files.CreateFolder(group)) {
      files.CreateShellLink(launcher, folders.group, MainLinkName(title));
      // The help link goes where ヘルプ goes: the old help file where it stands beside the
      // program, else the manual's contents page.
      const auto exists = [&files](const std::string& path) { return files.FileExists(path); };
      files.CreateShellLink(ResolveHelp(programFolder, hcContents, exists).path, folders.group, HelpLinkName(title));
    } else {
      report("プログラムグループの作成に失敗しました.");
    }
  } else if (!wanted.startMenu && groupPresent) {
    for (const std::string& name : {MainLinkName(title), HelpLinkName(title), ResidentLinkName(title)})
      files.RemoveFile(folders.group + name + ".lnk");
    if (!files.RemoveFolder(group)) report("プログラムグループの削除に失敗しました.");
  }
  struct TLinkFolder {
    bool wanted;
    const std::string& folder;
  };
  for (const TLinkFolder& f : {TLinkFolder{wanted.desktop, folders.desktop}, TLinkFolder{wanted.sendTo, folders.sendTo}}) {
    const bool present = files.FileExists(f.folder + link);
    if (f.wanted && !present) files.CreateShellLink(launcher, f.folder, MainLinkName(title));
    if (!f.wanted && present) files.RemoveFile(f.folder + link);
  }
}

}  // namespace ovx
