#include "shell/ShellTexts.h"

namespace ovx {

const char kApplicationTitle[] = "Orvanta";
const char kUnnamedDocument[] = "(新規)";
const wchar_t kMakerWebPage[] = L"https://www.brightmoor.example/orvanta/";
const wchar_t kMakerMailAddress[] = L"orvanta@brightmoor.example";

namespace {
constexpr int kWindowSubmenuMax = 9;
constexpr int kHistoryImage = 2;
constexpr int kWindowImage = 3;
constexpr int kMoreImage = 4;
}  // namespace

std::string NumberedMenuCaption(int number, const std::string& text) {
  return "&" + std::to_string(number) + ": " + text;
}

std::string WindowEntryText(const std::string& fileName) {
  return fileName.empty() ? std::string(kUnnamedDocument) : fileName;
}

std::vector<std::string> WindowListLines(const std::vector<std::string>& windowFileNames) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < windowFileNames.size(); ++i)
    lines.push_back(std::to_string(i + 1) + ": " + WindowEntryText(windowFileNames[i]));
  return lines;
}

std::string EditorWindowCaption(const std::string& fileName, const std::string& title) {
  return WindowEntryText(fileName) + " - " + title;
}

std::string MissingHistoryFileMessage(const std::string& fileName) {
  return fileName + " が見付かりません.\r\nファイル履歴から削除します.";
}

std::vector<TSubmenuItem> HistorySubmenuItems(const std::vector<std::string>& history) {
  std::vector<TSubmenuItem> items;
  for (size_t i = 0; i < history.size(); ++i)
    items.push_back({NumberedMenuCaption(static_cast<int>(i) + 1, history[i]), kHistoryImage, static_cast<int>(i)});
  return items;
}

std::vector<TSubmenuItem> WindowSubmenuItems(const std::vector<std::string>& windowFileNames) {
  std::vector<TSubmenuItem> items;
  int count = static_cast<int>(windowFileNames.size());
  for (int i = 0; i < count && i < kWindowSubmenuMax; ++i)
    items.push_back({NumberedMenuCaption(i + 1, WindowEntryText(windowFileNames[i])), kWindowImage, i});
  if (count > kWindowSubmenuMax) items.push_back({"& : more...", kMoreImage, -1});
  return items;
}

TPlacement CenterInArea(int areaLeft, int areaTop, int areaWidth, int areaHeight, int width, int height) {
  // Integer division truncates toward zero, also for a window larger than the area.
  return {areaLeft + (areaWidth - width) / 2, areaTop + (areaHeight - height) / 2};
}

}  // namespace ovx
