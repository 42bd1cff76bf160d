#include "editor/FileMenuEntries.h"

#include "editor/MenuItems.h"
#include "editor/ToolBarImages.h"

namespace ovx {

const char kNewDocumentName[] = "(新規)";

std::string DocumentDisplayName(const std::string& fileName) {
  return fileName.empty() ? kNewDocumentName : fileName;
}

std::string EditorCaptionText(const std::string& fileName, const std::string& applicationTitle) {
  return DocumentDisplayName(fileName) + " - " + applicationTitle;
}

namespace {

std::string Numbered(int number, const char* separator, const std::string& text) {
  return "&" + std::to_string(number) + separator + text;
}

}  // namespace

std::vector<TFileMenuEntry> HistoryMenuEntries(const std::vector<std::string>& history) {
  std::vector<TFileMenuEntry> entries;
  for (std::size_t i = 0; i < history.size() && i < static_cast<std::size_t>(MaxHistoryEntryIds); ++i) {
    int n = static_cast<int>(i);
    entries.push_back({Numbered(n + 1, ": ", history[i]), imHistoryEntry, HistoryEntryIdBase + n, false});
  }
  return entries;
}

std::vector<TFileMenuEntry> WindowMenuEntries(const std::vector<std::string>& windowFileNames, int thisWindow) {
  std::vector<TFileMenuEntry> entries;
  int count = static_cast<int>(windowFileNames.size());
  for (int i = 0; i < count && i < MaxWindowMenuEntries; ++i)
    entries.push_back({Numbered(i + 1, ": ", DocumentDisplayName(windowFileNames[i])), imWindowEntry,
                       WindowEntryIdBase + i, i == thisWindow});
  if (count > MaxWindowMenuEntries) entries.push_back({"& : more...", imMoreWindows, MoreWindowsId, false});
  return entries;
}

std::vector<TFileMenuEntry> SelectFileMenuEntries(const std::vector<std::string>& windowFileNames) {
  std::vector<TFileMenuEntry> entries;
  int count = static_cast<int>(windowFileNames.size());
  for (int i = 0; i < count && i < MaxWindowMenuEntries; ++i)
    entries.push_back({Numbered(i + 1, " : ", DocumentDisplayName(windowFileNames[i])), imWindowEntry,
                       SelectFileEntryIdBase + i, false});
  return entries;
}

TFileMenuEntryRef FileMenuEntryOfId(int menuId) {
  if (menuId >= HistoryEntryIdBase && menuId < HistoryEntryIdBase + MaxHistoryEntryIds)
    return {fekHistory, menuId - HistoryEntryIdBase};
  if (menuId == MoreWindowsId) return {fekMoreWindows, -1};
  if (menuId >= WindowEntryIdBase && menuId < WindowEntryIdBase + MaxWindowMenuEntries)
    return {fekWindow, menuId - WindowEntryIdBase};
  if (menuId >= SelectFileEntryIdBase && menuId < SelectFileEntryIdBase + MaxWindowMenuEntries)
    return {fekSelectFile, menuId - SelectFileEntryIdBase};
  return {};
}

}  // namespace ovx
