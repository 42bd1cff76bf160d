// The template-open dialog (TDlgFilerOpen): a folder's sub-folders and templates with their
// titles and authors; the chosen template's full path comes back.
#pragma once

#include <windows.h>

#include <string>

namespace ovx {

// Shows the dialog on folder (UTF-8), owned by and centred over owner. True with the chosen
// file's full path (UTF-8) after OK.
bool ExecuteDlgFilerOpen(HWND owner, const std::string& folder, std::string& path);

}  // namespace ovx
