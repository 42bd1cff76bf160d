#include "filer/win32/DlgFilerOpen.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

#include "charset/StrUty.h"
#include "filer/FilerDefine.h"
#include "filer/FilerFolderList.h"
#include "filer/win32/FilerGlyphs.h"
#include "shell/win32/Win32UserPrompt.h"
#include "shell/win32/WindowDpi.h"

namespace ovx {
namespace {

enum : int { idFolder = 301, idBtnFolder, idFiles };

class TDlgFilerOpen {
 public:
  TDlgFilerOpen(HWND owner, std::string folder) : owner_(owner), startFolder_(std::move(folder)) {}

  bool Execute(std::string& path) {
    // An empty dialog template: the controls are made in WM_INITDIALOG.
    struct alignas(DWORD) {
      DLGTEMPLATE header;
      WORD menu, cls, title;
    } empty = {};
    empty.header.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    TModalScope modal;
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &empty.header, owner_, DialogProc,
                                                   reinterpret_cast<LPARAM>(this));
    if (result != IDOK) return false;
    path = chosen_;
    return true;
  }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) SetWindowLongPtrW(hwnd, DWLP_USER, lp);
    auto* self = reinterpret_cast<TDlgFilerOpen*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return self ? self->Handle(hwnd, msg, wp, lp) : FALSE;
  }

  INT_PTR Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
      case WM_INITDIALOG:
        hwnd_ = hwnd;
        CreateControls();
        EnterFolder(startFolder_);
        SetFocus(files_);
        return FALSE;
      case WM_COMMAND:
        switch (LOWORD(wp)) {
          case IDOK: OpenSelected(); return TRUE;
          case IDCANCEL: EndDialog(hwnd_, IDCANCEL); return TRUE;
          case idBtnFolder: ChooseFolder(); return TRUE;
          default: return FALSE;
        }
      case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lp);
        if (header->idFrom != idFiles) return FALSE;
        if (header->code == NM_DBLCLK) OpenSelected();
        if (header->code == LVN_ITEMCHANGED) EnableWindow(GetDlgItem(hwnd_, IDOK), SelectedRow() >= 0);
        if (header->code == LVN_KEYDOWN && reinterpret_cast<NMLVKEYDOWN*>(lp)->wVKey == VK_BACK) {
          if (std::optional<std::string> parent = FilerParentFolder(folder_)) EnterFolder(*parent);
        }
        return TRUE;
      }
      case WM_DPICHANGED:
        ApplyNewDpi(hwnd_, HIWORD(wp), *reinterpret_cast<const RECT*>(lp), dpi_, font_);
        return TRUE;
      case WM_DESTROY:
        if (icons_) ImageList_Destroy(icons_);
        if (font_) DeleteObject(font_);
        return FALSE;
      default:
        return FALSE;
    }
  }

  HWND Control(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id) {
    HWND c = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, Scaled(x), Scaled(y), Scaled(w),
                             Scaled(h), hwnd_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return c;
  }

  void CreateControls() {
    SetWindowTextW(hwnd_, L"Orvanta ファイラーを開く");
    // Laid out at 96 DPI, scaled to the owner's.
    dpi_ = WindowDpi(owner_);
    font_ = CreateUiFont(dpi_);
    RECT frame = {0, 0, Scaled(520), Scaled(360)};
    AdjustWindowRectEx(&frame, GetWindowLongW(hwnd_, GWL_STYLE), FALSE, GetWindowLongW(hwnd_, GWL_EXSTYLE));
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    // Centred over the owner, inside the work area.
    RECT owner = {}, work = {};
    GetWindowRect(owner_, &owner);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int x = owner.left + (owner.right - owner.left - width) / 2, y = owner.top + (owner.bottom - owner.top - height) / 2;
    x = std::max<int>(work.left, std::min<int>(x, work.right - width));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER);

    Control(WS_EX_CLIENTEDGE, L"EDIT", L"", ES_READONLY | ES_AUTOHSCROLL, 8, 10, 420, 22, idFolder);
    Control(0, L"BUTTON", L"選択(&F)", BS_PUSHBUTTON | WS_TABSTOP, 436, 9, 76, 24, idBtnFolder);
    files_ = Control(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                     LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, 8, 40, 504, 274, idFiles);
    ListView_SetExtendedListViewStyle(files_, LVS_EX_FULLROWSELECT);
    icons_ = CreateFilerListIcons(dpi_);
    ListView_SetImageList(files_, icons_, LVSIL_SMALL);
    // The name column holds "親ディレクトリ..." whole beside its picture.
    const std::pair<const wchar_t*, int> columns[] = {{L"ファイル名", 144}, {L"タイトル", 240}, {L"作者", 96}};
    for (int i = 0; i < 3; ++i) {
      LVCOLUMNW column = {};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.pszText = const_cast<wchar_t*>(columns[i].first);
      column.cx = Scaled(columns[i].second);
      ListView_InsertColumn(files_, i, &column);
    }
    HWND open = Control(0, L"BUTTON", L"開く(&O)", BS_DEFPUSHBUTTON | WS_TABSTOP, 344, 324, 80, 26, IDOK);
    Control(0, L"BUTTON", L"キャンセル", BS_PUSHBUTTON | WS_TABSTOP, 432, 324, 80, 26, IDCANCEL);
    EnableWindow(open, FALSE);
  }

  // Shows a folder and lists it; a folder that does not exist leaves everything as it was.
  void EnterFolder(std::string folder) {
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    const std::wstring wide = Utf8ToWide(folder);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      TWin32UserPrompt prompt;
      prompt.MessageDlgBeep(folder + " が見付かりません.", mtWarning, mbCancel);
      return;
    }
    SetCurrentDirectoryW(wide.c_str());
    folder_ = folder;
    SetDlgItemTextW(hwnd_, idFolder, wide.c_str());
    Relist();
  }

  void Relist() {
    std::vector<TFilerFolderEntry> entries;
    WIN32_FIND_DATAW found = {};
    HANDLE find = FindFirstFileW((Utf8ToWide(folder_) + L"*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        entries.push_back({WideToUtf8(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
      } while (FindNextFileW(find, &found));
      FindClose(find);
    }
    rows_ = FilerFolderRows(folder_, std::move(entries));
    ListView_DeleteAllItems(files_);
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
      const TFilerRow& row = rows_[i];
      std::wstring name = Utf8ToWide(row.name);
      LVITEMW item = {};
      item.mask = LVIF_TEXT | LVIF_IMAGE;
      item.iItem = i;
      item.iImage = row.kind;
      item.pszText = name.data();
      ListView_InsertItem(files_, &item);
      if (row.kind != frkTemplate) continue;
      TFilerDefine define;
      ReadFilerDefine(folder_ + row.name, define);
      std::wstring title = Utf8ToWide(define.Title.empty() ? "(未定義)" : define.Title);
      std::wstring author = Utf8ToWide(define.Author.empty() ? "(未定義)" : define.Author);
      ListView_SetItemText(files_, i, 1, title.data());
      ListView_SetItemText(files_, i, 2, author.data());
    }
    EnableWindow(GetDlgItem(hwnd_, IDOK), FALSE);
  }

  int SelectedRow() const { return ListView_GetNextItem(files_, -1, LVNI_SELECTED); }

  void OpenSelected() {
    const int selected = SelectedRow();
    if (selected < 0 || selected >= static_cast<int>(rows_.size())) return;
    const TFilerRow row = rows_[selected];
    switch (row.kind) {
      case frkParent:
        if (std::optional<std::string> parent = FilerParentFolder(folder_)) EnterFolder(*parent);
        break;
      case frkFolder:
        EnterFolder(folder_ + row.name);
        break;
      case frkTemplate:
        chosen_ = folder_ + row.name;
        EndDialog(hwnd_, IDOK);
        break;
    }
  }

  static int CALLBACK BrowseCallback(HWND hwnd, UINT msg, LPARAM, LPARAM data) {
    if (msg == BFFM_INITIALIZED) SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
  }

  void ChooseFolder() {
    // The browser's new style runs in a single-threaded COM apartment: this thread joins one
    // for the call (S_FALSE: it was in one already) and leaves it after. A thread already in
    // the multithreaded apartment gets the old style, which needs none.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    std::wstring start = Utf8ToWide(folder_);
    BROWSEINFOW info = {};
    info.hwndOwner = hwnd_;
    info.ulFlags = BIF_RETURNONLYFSDIRS | (SUCCEEDED(com) ? BIF_NEWDIALOGSTYLE : 0);
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    wchar_t path[MAX_PATH] = {};
    const bool ok = chosen && SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    if (SUCCEEDED(com)) CoUninitialize();
    if (ok) EnterFolder(WideToUtf8(path));
  }

  HWND owner_;
  std::string startFolder_;
  HWND hwnd_ = nullptr, files_ = nullptr;
  HIMAGELIST icons_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = 96;
  int Scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }
  std::string folder_, chosen_;
  std::vector<TFilerRow> rows_;
};

}  // namespace

bool ExecuteDlgFilerOpen(HWND owner, const std::string& folder, std::string& path) {
  return TDlgFilerOpen(owner, folder).Execute(path);
}

}  // namespace ovx
