// The file commands of an editor window as decisions over a small window interface: where a
// file opens, loading (view-only by extension or attribute), saving, save as, save a copy,
// reloading and the question before closing. Every question and refusal goes through the
// TUserPrompt, so the texts and each answer's outcome are the same for every caller.
#pragma once

#include <cstdint>
#include <string>

#include "model/UserPrompt.h"

namespace ovx {

// What the file commands need of their window, its view and the platform.
class TEditorFileSite {
 public:
  virtual ~TEditorFileSite() = default;
  // window
  virtual std::string FileName() = 0;
  // FileName, the caption, the history and (unless creating) the menus of all windows.
  virtual void SetFileName(const std::string& name) = 0;
  virtual std::string ViewOnlyExtensions() = 0;
  virtual void SetFileAge(std::int32_t age) = 0;
  // document and view
  virtual bool Modified() = 0;
  virtual bool ViewOnly() = 0;
  virtual void SetViewOnly() = 0;
  // The view's LoadFile and SaveFile: they report their failures themselves.
  virtual bool LoadDocument(const std::string& name) = 0;
  virtual bool SaveDocument(const std::string& name) = 0;
  // Loads again and puts the view back where it stood (clamped to the new size).
  virtual bool ReloadDocument(const std::string& name) = 0;
  // While set, a successful save leaves the modified flag and the view as they were.
  virtual void SetNotifyLocked(bool locked) = 0;
  // platform
  virtual std::string LongPathName(const std::string& name) = 0;
  // A file of that name, not a folder.
  virtual bool FileExists(const std::string& name) = 0;
  // The attribute bits of whatever has that name, a folder too; -1 when nothing has it.
  virtual int FileAttributes(const std::string& name) = 0;
  virtual std::int32_t FileAge(const std::string& name) = 0;  // -1 when unknown
  // The save dialog with the title; false when the user cancelled.
  virtual bool AskSaveName(const std::string& title, std::string& name) = 0;
  // main process: windows comparing with the file `name` compare with this document instead.
  virtual void TakeOverFileComparisons(const std::string& name) = 0;
};

// LoadIntoWindow: a name that names no existing file loads nothing.
void LoadIntoWindow(TEditorFileSite& site, TUserPrompt& prompt, const std::string& name);

// 上書き保存. True when the document was written.
bool SaveFileCommand(TEditorFileSite& site);
// 別名で保存 (copy false) and 複製を保存 (copy true). True when the document was written.
bool SaveExpandCommand(TEditorFileSite& site, TUserPrompt& prompt, bool copy);
// 再読み込み / 最新の情報に更新. True when the file was loaded again.
bool ReloadCommand(TEditorFileSite& site, TUserPrompt& prompt);
// The question before closing: false keeps the window open.
bool QuerySaveOnClose(TEditorFileSite& site, TUserPrompt& prompt);

// Where OpenFile loads a file.
enum TOpenTarget : unsigned char {
  otActivateHolder,       // a window already holds it: bring that one to the front
  otThisWindow,           // this new, unmodified window loads it
  otNewWindow,            // a new window loads it
  otNewWindowViewOnly,    // a new window loads it and turns view-only (a listed extension)
};
// name is in long form; heldElsewhere tells whether an editor window holds that name.
TOpenTarget DecideOpenTarget(const std::string& name, bool heldElsewhere, bool modified,
                             const std::string& fileName, const std::string& compareFileName,
                             const std::string& viewOnlyExtensions);

// The warning when a history entry's file is gone.
std::string HistoryFileMissingText(const std::string& path);

}  // namespace ovx
