#include "model/DocumentFile.h"

#include "model/SafeReplace.h"

namespace ovx {
namespace {

// Start of the extension in the last component of the name, or npos when it has none.
std::size_t ExtensionStart(const std::string& name) {
  const std::size_t separator = name.find_last_of("\\/:");
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return std::string::npos;
  if (separator != std::string::npos && dot < separator) return std::string::npos;
  return dot;
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

enum TBackupChoice : unsigned char {
  bcBackup,    // keep the old content under the backup name
  bcNoBackup,  // go on with the save without a backup
  bcStop,      // the user chose not to save
};

// The backup steps that fail ask Abort or Ignore: Ignore stops the save, Abort goes on without a
// backup. A box closed without either answer stops too, so nothing is overwritten unasked.
TBackupChoice AskAfterFailure(TUserPrompt& prompt, const std::string& text) {
  const TModalResult answer = prompt.MessageDlgBeep(text, mtConfirmation, mbAbort | mbIgnore);
  return answer == mrAbort ? bcNoBackup : bcStop;
}

// Only an existing file has old content to keep, and a ".bak" file is never backed up (the user
// is told so).
bool CanKeepBackup(const std::string& name, TUserPrompt& prompt, TFileSystem& fs) {
  if (!fs.Exists(name)) return false;
  if (HasBakExtension(name)) {
    prompt.MessageDlgBeep("拡張子が BAK のファイルのバックアップは作成できません.", mtWarning, mbOK);
    return false;
  }
  return true;
}

// The previous backup makes room for the new one.
TBackupChoice DeletePreviousBackup(const std::string& backup, TUserPrompt& prompt, TFileSystem& fs) {
  if (!fs.Exists(backup)) return bcBackup;
  if (const int code = fs.Delete(backup); code != 0) {
    return AskAfterFailure(prompt, "以前のバックアップファイルの削除に失敗しました. " + std::to_string(code));
  }
  return bcBackup;
}

bool ReportWriteFailure(const std::string& name, int error, TUserPrompt& prompt, const TFileSystem& fs) {
  prompt.MessageDlgBeep(SaveFailureText(name, error, fs), mtError, mbAbort);
  return false;
}

}  // namespace

std::string BackupFileName(const std::string& name) {
  const std::size_t dot = ExtensionStart(name);
  return (dot == std::string::npos ? name : name.substr(0, dot)) + ".bak";
}

bool HasBakExtension(const std::string& name) {
  const std::size_t dot = ExtensionStart(name);
  if (dot == std::string::npos || name.size() - dot != 4) return false;
  std::string extension = name.substr(dot);
  for (char& c : extension) c = UpperAscii(c);
  return extension == ".BAK";
}

std::string FileFailureReason(int error, const TFileSystem& fs) {
  if (error == fs.FileTooLargeCode()) return "2 GB 以上のファイルは扱えません.";
  return fs.ErrorText(error);
}

std::string LoadFailureText(const std::string& name, int error, const TFileSystem& fs) {
  return name + " の読み込みに失敗しました.\r\n" + FileFailureReason(error, fs);
}

std::string SaveFailureText(const std::string& name, int error, const TFileSystem& fs) {
  return name + " の書き込みに失敗しました.\r\n" + FileFailureReason(error, fs);
}

bool LoadFile(const std::string& name, TMemoryModule& module, TEditHistory& history, TUserPrompt& prompt,
              const TDocumentFileHooks& hooks, TFileSystem& fs) {
  history.ClearHistory();
  if (const int error = module.LoadFromFile(name, fs); error != 0) {
    // A load the user ended (by closing the window) needs no word about it.
    if (error != kLoadCancelled) prompt.MessageDlgBeep(LoadFailureText(name, error, fs), mtError, mbAbort);
    return false;
  }
  if (hooks.AfterLoad) hooks.AfterLoad();
  return true;
}

bool SaveFile(const std::string& name, TMemoryModule& module, TEditHistory& history, TUserPrompt& prompt,
              const TDocumentFileOptions& options, const TDocumentFileHooks& hooks, TFileSystem& fs) {
  const bool backupWanted = options.MakeBackFile && CanKeepBackup(name, prompt, fs);
  std::string temporary;
  if (const int error = module.SaveToTemporary(name, temporary, fs); error != 0) {
    return ReportWriteFailure(name, error, prompt, fs);
  }

  // Only now, with the new content complete on disk, does the old content move.
  const std::string backup = BackupFileName(name);
  TBackupChoice choice = backupWanted ? DeletePreviousBackup(backup, prompt, fs) : bcNoBackup;
  TPlaceResult placed = {poUntouched, 0};
  if (choice == bcBackup) {
    placed = PutInPlace(temporary, name, backup, fs);
    // Nothing moved: the old content could not take the backup name.
    if (placed.outcome == poUntouched) {
      choice = AskAfterFailure(prompt,
                               name + " のバックアップファイルの作成に失敗しました. " + std::to_string(placed.error));
    }
  }
  if (choice == bcNoBackup) placed = PutInPlace(temporary, name, {}, fs);
  if (placed.outcome != poPlaced) {
    if (placed.outcome == poUntouched) fs.Delete(temporary);
    return choice == bcStop ? false : ReportWriteFailure(name, placed.error, prompt, fs);
  }

  if (options.UndoFlushWithSaved) history.ClearHistory();
  if (!module.NotifyLocked) {
    module.SetModified(0);
    if (hooks.AfterSave) hooks.AfterSave();
  }
  return true;
}

}  // namespace ovx
