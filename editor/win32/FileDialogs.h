// The file open and save dialogs of the program: one set-up for the editor windows and the
// notification menu, with the filter "全てのファイル (*.*)|*.*".
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace ovx {

// fdTextSave: the save dialog of the text output, for text files, asking before it overwrites.
enum TFileDialogKind : unsigned char { fdOpen, fdSave, fdTextSave };

// Shows the dialog owned by `owner` with the title (UTF-8); `busy` is told true while it is on
// screen and false afterwards. False when the user cancelled; otherwise name holds the choice.
bool RunFileDialog(HWND owner, TFileDialogKind kind, const std::string& title, std::string& name,
                   const std::function<void(bool)>& busy);

// A dialog a test puts in place of the real one: it gets the kind and the title and answers
// like RunFileDialog. Empty restores the real dialog.
using TFileDialogOverride = std::function<bool(TFileDialogKind, const std::string& title, std::string& name)>;
void SetFileDialogOverride(TFileDialogOverride dialog);

}  // namespace ovx
