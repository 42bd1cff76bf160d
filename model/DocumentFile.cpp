#include "model/DocumentFile.h"

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

// The backup steps that fail ask Abort or Ignore: Ignore stops the save, Abort goes on without a
// backup. A box closed without either answer stops too, so nothing is overwritten unasked.
TBackupOutcome AskAfterFailure(TUserPrompt& prompt, const std::string& text) {
  const TModalResult answer = prompt.MessageDlgBeep(text, mtConfirmation, mbAbort | mbIgnore);
  return answer == mrAbort ? boNoBackup : boStop;
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

TBackupOutcome MakeBackup(const std::string& name, TUserPrompt& prompt, TFileSystem& fs) {
  if (!fs.Exists(name)) return boNoBackup;
  if (HasBakExtension(name)) {
    prompt.MessageDlgBeep("拡張子が BAK のファイルのバックアップは作成できません.", mtWarning, mbOK);
    return boNoBackup;
  }
  const std::string backup = BackupFileName(name);
  if (fs.Exists(backup)) {
    if (const int code = fs.Delete(backup); code != 0) {
      return AskAfterFailure(prompt, "以前のバックアップファイルの削除に失敗しました. " + std::to_string(code));
    }
  }
  if (const int code = fs.Rename(name, backup); code != 0) {
    return AskAfterFailure(prompt, name + " のバックアップファイルの作成に失敗しました. " + std::to_string(code));
  }
  return boRenamed;
}

bool LoadFile(const std::string& name, TMemoryModule& module, TEditHistory& history, TUserPrompt& prompt,
              const TDocumentFileHooks& hooks, TFileSystem& fs) {
  history.ClearHistory();
  if (module.LoadFromFile(name, fs) != 0) {
    prompt.MessageDlgBeep(name + " の読み込みに失敗しました.", mtError, mbAbort);
    return false;
  }
  if (hooks.AfterLoad) hooks.AfterLoad();
  return true;
}

bool SaveFile(const std::string& name, TMemoryModule& module, TEditHistory& history, TUserPrompt& prompt,
              const TDocumentFileOptions& options, const TDocumentFileHooks& hooks, TFileSystem& fs) {
  TBackupOutcome backup = boNoBackup;
  if (options.MakeBackFile) {
    backup = MakeBackup(name, prompt, fs);
    if (backup == boStop) return false;
  }
  if (module.SaveToFile(name, fs) != 0) {
    // The write left the target as it was, which after the backup rename means absent: put the
    // previous content back under its own name rather than leave the user without the file.
    if (backup == boRenamed) fs.Rename(BackupFileName(name), name);
    prompt.MessageDlgBeep(name + " の書き込みに失敗しました.", mtError, mbAbort);
    return false;
  }
  if (options.UndoFlushWithSaved) history.ClearHistory();
  if (!module.NotifyLocked) {
    module.SetModified(0);
    if (hooks.AfterSave) hooks.AfterSave();
  }
  return true;
}

}  // namespace ovx
