// The main process window's side of the settings store.
#include "editor/win32/WideText.h"
#include "shell/EditorWindowList.h"
#include "shell/win32/MainProcessWindow.h"

namespace ovx {

std::string TMainProcessWindow::LongPathName(const std::string& name) {
  std::wstring path = Utf8ToWide(name);
  if (path.size() > 1 && path.back() == L'\\') path.pop_back();
  DWORD n = GetLongPathNameW(path.c_str(), nullptr, 0);
  if (n == 0) return name;
  std::wstring result(n, L'\0');
  n = GetLongPathNameW(path.c_str(), result.data(), n);
  if (n == 0 || n >= result.size()) return name;
  result.resize(n);
  DWORD attributes = GetFileAttributesW(result.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) && result.back() != L'\\')
    result += L'\\';
  return WideToUtf8(result);
}

void TMainProcessWindow::AddHistory(const std::string& name) {
  std::string longName = LongPathName(name);
  std::string key = LowerAscii(longName);
  for (size_t i = 0; i < historyList_.size(); ++i) {
    if (LowerAscii(historyList_[i]) == key) {
      historyList_.erase(historyList_.begin() + static_cast<long>(i));
      break;
    }
  }
  historyList_.insert(historyList_.begin(), longName);
}

void TMainProcessWindow::LoadSettings() {}

void TMainProcessWindow::SaveSettings() {}

}  // namespace ovx
