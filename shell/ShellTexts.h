// Texts the application shell shows: window captions, numbered menu entries, messages.
#pragma once

#include <string>
#include <vector>

namespace ovx {

extern const char kApplicationTitle[];   // "Orvanta"
extern const char kUnnamedDocument[];    // "(新規)"
// The maker's web page and mail address, as the version dialog and the help menu open them.
extern const wchar_t kMakerWebPage[];
extern const wchar_t kMakerMailAddress[];

// "&%d: %s" with a 1-based number.
std::string NumberedMenuCaption(int number, const std::string& text);

// The file name, or "(新規)" for a window without one.
std::string WindowEntryText(const std::string& fileName);

// The lines of the window list dialog: "%d: %s" with the 1-based number and the window entry text.
std::vector<std::string> WindowListLines(const std::vector<std::string>& windowFileNames);

// "%s - %s": the window entry text and the application title.
std::string EditorWindowCaption(const std::string& fileName, const std::string& title);

// The warning shown when a history entry's file no longer exists.
std::string MissingHistoryFileMessage(const std::string& fileName);

// One item of a submenu rebuilt at each popup.
struct TSubmenuItem {
  std::string caption;
  int image = -1;
  int index = -1;  // list index the item stands for; -1 for "& : more..."
};

// The history submenu: every entry, most recent first, image 2.
std::vector<TSubmenuItem> HistorySubmenuItems(const std::vector<std::string>& history);

// The window submenu: the first nine windows in list order (image 3), then "& : more..."
// (image 4) when there are more than nine.
std::vector<TSubmenuItem> WindowSubmenuItems(const std::vector<std::string>& windowFileNames);

// Left/top that centre a box of the given size in a work area, keeping its size.
struct TPlacement {
  int left = 0;
  int top = 0;
};
TPlacement CenterInArea(int areaLeft, int areaTop, int areaWidth, int areaHeight, int width, int height);

}  // namespace ovx
