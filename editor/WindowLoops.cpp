#include "editor/WindowLoops.h"

#include "editor/FileCommands.h"

namespace ovx {

void SaveAllWindows(TWindowLoopSite& site) {
  site.SuspendMenuRebuild();
  for (int i = 0; i < site.WindowCount(); ++i) {
    if (!site.Modified(i) || site.ViewOnly(i)) continue;
    site.BringToFront(i);
    site.Save(i);
  }
  site.ResumeMenuRebuild();
}

void CloseAllWindows(TWindowLoopSite& site) {
  site.SuspendMenuRebuild();
  // From the last window down, so a window leaving the list never moves one still to come.
  for (int i = site.WindowCount() - 1; i >= 0; --i) {
    if (i >= site.WindowCount()) continue;
    if (site.Modified(i) && !site.ViewOnly(i)) site.BringToFront(i);
    site.Close(i);
  }
  site.ResumeMenuRebuild();
}

void SaveAndCloseAllWindows(TWindowLoopSite& site) {
  site.SuspendMenuRebuild();
  for (int i = site.WindowCount() - 1; i >= 0; --i) {
    if (i >= site.WindowCount()) continue;
    if (site.Modified(i) && !site.ViewOnly(i)) {
      site.BringToFront(i);
      site.Save(i);
    }
    if (!site.Modified(i)) site.Close(i);
  }
  site.ResumeMenuRebuild();
}

void OpenHistoryEntry(THistoryOpenSite& site, TUserPrompt& prompt, int position) {
  const std::string entry = site.HistoryEntry(position);
  if (entry.empty()) return;
  const std::string name = site.LongPathName(entry);
  if (site.ActivateHolder(name)) return;
  if (site.FileExists(name)) {
    site.OpenFile(name);
    return;
  }
  prompt.MessageDlgBeep(HistoryFileMissingText(name), mtWarning, mbOK);
  site.RemoveHistoryEntry(entry);
  site.RebuildAllMenus();
}

}  // namespace ovx
