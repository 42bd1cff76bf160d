// The loops over all editor windows that the file commands start: save all, close all,
// save all and close, and opening a file from the history.
#pragma once

#include <string>

#include "model/UserPrompt.h"

namespace ovx {

// The editor windows in list order, as the loops see them.
class TWindowLoopSite {
 public:
  virtual ~TWindowLoopSite() = default;
  virtual int WindowCount() = 0;
  virtual bool Modified(int window) = 0;
  virtual bool ViewOnly(int window) = 0;
  virtual void BringToFront(int window) = 0;
  // 上書き保存 of that window; false when it did not write (cancelled or failed).
  virtual bool Save(int window) = 0;
  // 閉じる of that window (asks first when modified); true when it closed and left the list.
  virtual bool Close(int window) = 0;
  // Menu rebuilding waits while suspended and runs once when resumed.
  virtual void SuspendMenuRebuild() = 0;
  virtual void ResumeMenuRebuild() = 0;
};

// 全て保存: first to last, each modified window that is not view-only is saved.
void SaveAllWindows(TWindowLoopSite& site);
// 全て閉じる: last to first, each window is closed (a modified one is brought forward first).
void CloseAllWindows(TWindowLoopSite& site);
// 全て保存して閉じる: last to first, modified windows are saved, then every window that is no
// longer modified is closed; a window whose save was cancelled stays open.
void SaveAndCloseAllWindows(TWindowLoopSite& site);

// Opening the history entry at a position.
class THistoryOpenSite {
 public:
  virtual ~THistoryOpenSite() = default;
  virtual std::string HistoryEntry(int position) = 0;  // empty past the end
  virtual std::string LongPathName(const std::string& name) = 0;
  // Brings the window that holds the name to the front; false when none holds it.
  virtual bool ActivateHolder(const std::string& name) = 0;
  virtual bool FileExists(const std::string& name) = 0;
  virtual void OpenFile(const std::string& name) = 0;
  // By the entry itself: the box before it let other windows change the list.
  virtual void RemoveHistoryEntry(const std::string& entry) = 0;
  virtual void RebuildAllMenus() = 0;
};
void OpenHistoryEntry(THistoryOpenSite& site, TUserPrompt& prompt, int position);

}  // namespace ovx
