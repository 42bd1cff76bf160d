#include "app/win32/ShortcutDialog.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "charset/StrUty.h"
#include "model/UserPrompt.h"
#include "shell/LongPath.h"
#include "shell/ShellTexts.h"
#include "shell/win32/Help.h"
#include "shell/win32/SettingsPlatform.h"

namespace ovx {

namespace {

constexpr int kStartMenu = 101, kDesktop = 102, kSendTo = 103;

std::string SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return WideToUtf8(path);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

class TWin32ShortcutFiles final : public TShortcutFileSystem {
 public:
  bool FileExists(const std::string& path) override {
    const DWORD a = GetFileAttributesW(Utf8ToWide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
  }
  bool FolderExists(const std::string& path) override {
    const DWORD a = GetFileAttributesW(Utf8ToWide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  }
  bool CreateFolder(const std::string& path) override { return CreateDirectoryW(Utf8ToWide(path).c_str(), nullptr); }
  bool RemoveFolder(const std::string& path) override { return RemoveDirectoryW(Utf8ToWide(path).c_str()); }
  void RemoveFile(const std::string& path) override { DeleteFileW(Utf8ToWide(path).c_str()); }
  void CreateShellLink(const std::string& target, const std::string& folder, const std::string& name) override {
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
      link->SetPath(Utf8ToWide(target).c_str());
      link->SetWorkingDirectory(Utf8ToWide(FolderOf(target)).c_str());
      IPersistFile* file = nullptr;
      if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        file->Save(Utf8ToWide(folder + name + ".lnk").c_str(), TRUE);
        file->Release();
      }
      link->Release();
    }
    if (SUCCEEDED(init)) CoUninitialize();
  }
};

}  // namespace

TDlgShortCut::TDlgShortCut(HWND reference, TUserPrompt& prompt)
    : TCodeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                  WS_EX_DLGMODALFRAME | (reference ? 0 : WS_EX_APPWINDOW), {412, 88},
                  L"Orvanta ショートカットメンテナンス"),
      reference_(reference),
      prompt_(prompt) {}

void TDlgShortCut::Run(HINSTANCE instance) {
  if (!reference_) MessageBeep(MB_ICONASTERISK);
  RunModal(instance, reference_);
}

void TDlgShortCut::OnCreate() {
  // The check boxes across the whole width (the first caption is long), the buttons below them.
  AddControl(L"BUTTON", L"スタートメニューに Orvanta グループとショートカットを作成(&M)", WS_TABSTOP | BS_AUTOCHECKBOX,
             10, 4, 396, 20, kStartMenu);
  AddControl(L"BUTTON", L"デスクトップにショートカットを作成(&D)", WS_TABSTOP | BS_AUTOCHECKBOX, 10, 24, 396, 20,
             kDesktop);
  AddControl(L"BUTTON", L"「送る」先に Orvanta を作成(&S)", WS_TABSTOP | BS_AUTOCHECKBOX, 10, 44, 396, 20, kSendTo);
  AddControl(L"BUTTON", L"実行", WS_TABSTOP | BS_DEFPUSHBUTTON, 250, 62, 75, 23, IDOK);
  AddControl(L"BUTTON", L"キャンセル", WS_TABSTOP, 331, 62, 75, 23, IDCANCEL);

  folders_ = MakeShortcutFolders(SpecialFolder(CSIDL_DESKTOPDIRECTORY), SpecialFolder(CSIDL_PROGRAMS),
                                 SpecialFolder(CSIDL_SENDTO), kApplicationTitle);
  TWin32ShortcutFiles files;
  const TShortcutChoice present = PresentShortcuts(folders_, kApplicationTitle, files);
  CheckDlgButton(Handle(), kStartMenu, present.startMenu ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Handle(), kDesktop, present.desktop ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Handle(), kSendTo, present.sendTo ? BST_CHECKED : BST_UNCHECKED);
  SetWindowContextHelpId(Handle(), kHelpContext);
  PlaceOver(reference_);
}

// F1: the dialog's page of the manual; a box about a missing manual is part of the dialog's wait.
bool TDlgShortCut::OnMessage(UINT msg, WPARAM, LPARAM, INT_PTR& result) {
  if (msg != WM_HELP) return false;
  ShowHelp(Handle(), ExpandLongPathName(ExecutableFolder()) + "OVX.HLP", static_cast<int>(kHelpContext), prompt_);
  result = TRUE;
  return true;
}

void TDlgShortCut::OnCommand(int id, int, HWND) {
  if (id == IDCANCEL) {
    End(IDCANCEL);
    return;
  }
  if (id != IDOK) return;
  const TShortcutChoice wanted{IsDlgButtonChecked(Handle(), kStartMenu) == BST_CHECKED,
                               IsDlgButtonChecked(Handle(), kDesktop) == BST_CHECKED,
                               IsDlgButtonChecked(Handle(), kSendTo) == BST_CHECKED};
  TWin32ShortcutFiles files;
  const std::string programFolder = ExpandLongPathName(ExecutableFolder());
  ApplyShortcuts(wanted, folders_, kApplicationTitle, programFolder, files,
                 [this](const std::string& error) { prompt_.MessageDlgBeep(error, mtError, mbOK); });
  End(IDOK);
}

}  // namespace ovx
