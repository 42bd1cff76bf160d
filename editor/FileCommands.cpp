#include "editor/FileCommands.h"

#include "editor/FileMenuEntries.h"
#include "editor/ViewOnlyRule.h"
#include "shell/SettingsLists.h"

namespace ovx {

void LoadIntoWindow(TEditorFileSite& site, TUserPrompt& prompt, const std::string& given) {
  const std::string name = site.LongPathName(given);
  if (site.FileExists(name)) {
    std::string reason = ViewOnlyReason(name, site.ViewOnlyExtensions(), site.FileAttributes(name));
    if (!reason.empty()) prompt.MessageDlgBeep(ViewOnlyInformationText(reason), mtInformation, mbOK);
    site.SetFileName(name);
    site.LoadDocument(name);
    site.SetFileAge(site.FileAge(name));
    if (!reason.empty()) site.SetViewOnly();
  }
  site.TakeOverFileComparisons(name);
}

bool SaveFileCommand(TEditorFileSite& site) {
  if (!site.Modified() || site.ViewOnly()) return false;
  std::string name = site.FileName();
  if (name.empty()) {
    std::string chosen;
    if (!site.AskSaveName("保存", chosen)) return false;
    name = site.LongPathName(chosen);
    site.SetFileName(name);
    site.TakeOverFileComparisons(name);
  }
  return site.SaveDocument(name);
}

bool SaveExpandCommand(TEditorFileSite& site, TUserPrompt& prompt, bool copy) {
  std::string chosen;
  if (!site.AskSaveName(copy ? "複製を保存" : "別名で保存", chosen)) return false;
  const std::string name = site.LongPathName(chosen);
  // Any name taken on disk counts, a folder too, which the attribute test then refuses.
  if (site.FileAttributes(name) >= 0) {
    if (prompt.MessageDlgBeep(name + " は既に存在します.\r\n上書きしてよろしいですか？", mtConfirmation,
                              mbOK | mbCancel) != mrOk)
      return false;
    int attributes = site.FileAttributes(name);
    if (attributes >= 0 && (attributes & faUnwritable)) {
      prompt.MessageDlgBeep(name + " には\r\n変更不可能な属性が設定されています.\r\n保存を中止します.", mtError, mbOK);
      return false;
    }
  }
  if (copy) {
    site.SetNotifyLocked(true);
    bool saved = site.SaveDocument(name);
    site.SetNotifyLocked(false);
    return saved;
  }
  // The window takes the new name only when the document really lives there now.
  if (!site.SaveDocument(name)) return false;
  site.SetFileName(name);
  return true;
}

bool ReloadCommand(TEditorFileSite& site, TUserPrompt& prompt) {
  const std::string name = site.FileName();
  if (name.empty()) return false;
  if (prompt.MessageDlgBeep(name + " を再読み込みします.\r\n編集した内容は失われます.\r\nよろしいですか？",
                            mtConfirmation, mbOK | mbCancel) != mrOk)
    return false;
  bool loaded = site.ReloadDocument(name);
  site.SetFileAge(site.FileAge(name));
  return loaded;
}

bool QuerySaveOnClose(TEditorFileSite& site, TUserPrompt& prompt) {
  if (!site.Modified()) return true;
  TModalResult answer =
      prompt.MessageDlgBeep(DocumentDisplayName(site.FileName()) + " は更新されています.\r\n閉じる前に保存しますか？",
                            mtConfirmation, mbYes | mbNo | mbCancel);
  if (answer == mrNo) return true;
  if (answer != mrYes) return false;
  std::string name = site.FileName();
  if (name.empty()) {
    if (!site.AskSaveName("保存", name)) return false;
    site.SetFileName(name);
  }
  return site.SaveDocument(name);
}

TOpenTarget DecideOpenTarget(const std::string& name, bool heldElsewhere, bool modified,
                             const std::string& fileName, const std::string& compareFileName,
                             const std::string& viewOnlyExtensions) {
  if (heldElsewhere) return otActivateHolder;
  if (modified || !fileName.empty()) return otNewWindow;
  if (!SameFileName(name, compareFileName)) return otThisWindow;
  return IsViewOnlyExtension(name, viewOnlyExtensions) ? otNewWindowViewOnly : otNewWindow;
}

std::string HistoryFileMissingText(const std::string& path) {
  return path + " が見付かりません.\r\nファイル履歴から削除します.";
}

}  // namespace ovx
