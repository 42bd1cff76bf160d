// The entries an editor window rebuilds into its menus: the file history, the window
// entries of the Window menu and of PU_SelectFileMenu, and the caption of the window.
#pragma once

#include <string>
#include <vector>

namespace ovx {

// Shown for a document without a file name.
extern const char kNewDocumentName[];  // "(新規)"

// The file name, or "(新規)" when it is empty.
std::string DocumentDisplayName(const std::string& fileName);
// The window caption "%s - %s": the display name and the application title.
std::string EditorCaptionText(const std::string& fileName, const std::string& applicationTitle);

// One entry inserted into a menu at run time.
struct TFileMenuEntry {
  std::string caption;  // UTF-8
  int image = -1;
  int menuId = 0;       // the WM_COMMAND id (see MenuItems.h)
  bool checked = false;
  friend bool operator==(const TFileMenuEntry&, const TFileMenuEntry&) = default;
};

// PU_History and MM_OpenHistory: "&%d: %s" per history entry in history order, image 2.
std::vector<TFileMenuEntry> HistoryMenuEntries(const std::vector<std::string>& history);
// The Window menu: "&%d: %s" for the first nine windows (image 46, this window checked),
// then "& : more..." (image 48) when there are more than nine.
std::vector<TFileMenuEntry> WindowMenuEntries(const std::vector<std::string>& windowFileNames, int thisWindow);
// PU_SelectFileMenu: "&%d : %s" for the first nine windows, image 46.
std::vector<TFileMenuEntry> SelectFileMenuEntries(const std::vector<std::string>& windowFileNames);

// What a run-time entry's WM_COMMAND id stands for.
enum TFileMenuEntryKind : unsigned char { fekNone, fekHistory, fekWindow, fekMoreWindows, fekSelectFile };
struct TFileMenuEntryRef {
  TFileMenuEntryKind kind = fekNone;
  int index = -1;  // 0-based position in the history or the window list
  friend bool operator==(const TFileMenuEntryRef&, const TFileMenuEntryRef&) = default;
};
TFileMenuEntryRef FileMenuEntryOfId(int menuId);

constexpr int MaxWindowMenuEntries = 9;

}  // namespace ovx
