#include "editor/win32/FileDialogs.h"

#include <commdlg.h>

#include <vector>

#include "charset/StrUty.h"

namespace ovx {
namespace {

TFileDialogOverride& Override() {
  static TFileDialogOverride dialog;
  return dialog;
}

}  // namespace

void SetFileDialogOverride(TFileDialogOverride dialog) { Override() = std::move(dialog); }

bool RunFileDialog(HWND owner, TFileDialogKind kind, const std::string& title, std::string& name,
                   const std::function<void(bool)>& busy) {
  if (Override()) return Override()(kind, title, name);
  // Long paths: room well beyond MAX_PATH.
  std::vector<wchar_t> buffer(MAX_PATH * 4, L'\0');
  const std::wstring wideTitle = Utf8ToWide(title);
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = L"全てのファイル (*.*)\0*.*\0";
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrTitle = wideTitle.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | (kind == fdSave ? OFN_PATHMUSTEXIST : 0);
  if (kind == fdTextSave) {
    ofn.lpstrFilter = L"テキストファイル (*.TXT)\0*.TXT\0";
    ofn.lpstrDefExt = L"TXT";
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_ENABLESIZING;
  }
  if (busy) busy(true);
  BOOL ok = kind == fdOpen ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);
  if (busy) busy(false);
  if (!ok) return false;
  name = WideToUtf8(buffer.data());
  return true;
}

}  // namespace ovx
