// Loading a document into a view and saving it, with the backup file and the messages the user
// sees. The view calls these; the view's own updates come back through the hooks.
#pragma once

#include <functional>
#include <string>

#include "model/EditHistory.h"
#include "model/FileSystem.h"
#include "model/MModule.h"
#include "model/UserPrompt.h"

namespace ovx {

struct TDocumentFileOptions {
  bool MakeBackFile = false;        // keep the previous content as "<name>.bak"
  bool UndoFlushWithSaved = false;  // clear the edit history after each save
};

struct TDocumentFileHooks {
  // After a load: caret on address 0, high nibble, and the scroll range updated.
  std::function<void()> AfterLoad;
  // After a save that is not a copy: the scroll range and its listeners updated.
  std::function<void()> AfterSave;
};

// The target name with its extension replaced by ".bak" (appended when there is none).
std::string BackupFileName(const std::string& name);
// Whether the extension is ".bak" in any letter case.
bool HasBakExtension(const std::string& name);

// Why a file could not be loaded or saved, for the second line of the failure box: the size
// limit's own words for a file too large to be held, else the platform's.
std::string FileFailureReason(int error, const TFileSystem& fs = PlatformFileSystem());
// "NAME の読み込みに失敗しました." and "NAME の書き込みに失敗しました.", each with its reason.
std::string LoadFailureText(const std::string& name, int error, const TFileSystem& fs = PlatformFileSystem());
std::string SaveFailureText(const std::string& name, int error, const TFileSystem& fs = PlatformFileSystem());

// Clears the history and loads the file; false after telling the user it failed.
bool LoadFile(const std::string& name, TMemoryModule& module, TEditHistory& history, TUserPrompt& prompt,
              const TDocumentFileHooks& hooks = {}, TFileSystem& fs = PlatformFileSystem());

// Write to a temporary file, then the backup (when wanted) and the new file put in place in one
// step, so that the name holds the old or the new content at every moment (model/SafeReplace.h);
// then the history flush (when wanted), and unmodified unless the module's notifications are
// locked (a save of a copy). False when the user stopped it or it failed.
bool SaveFile(const std::string& name, TMemoryModule& module, TEditHistory& history, TUserPrompt& prompt,
              const TDocumentFileOptions& options, const TDocumentFileHooks& hooks = {},
              TFileSystem& fs = PlatformFileSystem());

}  // namespace ovx
