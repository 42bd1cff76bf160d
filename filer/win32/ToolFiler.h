// The filer tool window (TToolFiler): a loaded template's pages of field controls over the
// document of the editor window that owns it, with re-read, apply, page selection and jumps.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "filer/FilerSession.h"
#include "filer/win32/FilerPages.h"
#include "shell/HelpTopics.h"
#include "shell/win32/Win32UserPrompt.h"
#include "view/win32/BEditor.h"

namespace ovx {

// What the tool needs of the editor window that owns it; that window outlives the tool.
struct TFilerToolOwner {
  HWND window = nullptr;
  TBEditor* editor = nullptr;
  TUserPrompt* prompt = nullptr;  // the program's prompt; the tool's boxes are owned by the tool
  TWaitSite* waits = nullptr;     // the editor window's: each box of the tool is a wait of it
  std::string helpFile;           // UTF-8
  std::string filerFolder;        // UTF-8, long form, ending in "\"
  int dpi = 96;                   // the editor window's; sizes below are given at 96
};

class TToolFiler {
 public:
  static constexpr wchar_t kClassName[] = L"TToolFiler";
  static constexpr int kHelpContext = hcFiler;

  static bool RegisterClass(HINSTANCE instance);
  // Makes the tool window, hidden; once shown it loads the template. The window frees its
  // object when it is destroyed; null when it cannot be made.
  static HWND Create(const TFilerToolOwner& owner, const std::string& templatePath);

  // Parses a template and shows its pages; a template with an error leaves the pages as they were.
  void LoadFiler(const std::string& path);

 private:
  explicit TToolFiler(const TFilerToolOwner& owner);
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  int Scaled(int pixels) const { return MulDiv(pixels, owner_.dpi, 96); }
  bool CreateParts();
  void LayoutParts();
  HMENU BuildMenu();
  void SetBusy(bool busy);
  void SetStatus(const std::wstring& text);
  void SetModified(bool modified);
  void OnCommand(int id, int code, HWND control);
  LRESULT OnNotify(NMHDR* header);

  void TB_FileOpenClick();
  void MM_RefreshClick();
  // False when a field's text was refused and nothing was written.
  bool MM_OutDataClick();
  void TB_HelpClick();
  void evtPageChange();
  void SelectPage(int page);
  void PagePanelResize();
  // A new DPI: the font, the fixed parts and every page made again for it.
  void OnDpiChanged(int dpi, const RECT& suggested);
  bool FormCloseQuery();
  void Jump(int field);

  TFilerToolOwner owner_;
  TWindowUserPrompt prompt_;
  HWND hwnd_ = nullptr;
  HWND toolBar_ = nullptr, pagePanel_ = nullptr, pageLabel_ = nullptr, pageSelect_ = nullptr;
  HWND prevPage_ = nullptr, nextPage_ = nullptr, mainPanel_ = nullptr, statusBar_ = nullptr, tooltip_ = nullptr;
  HFONT font_ = nullptr;
  HIMAGELIST images_ = nullptr;
  HICON jumpIcon_ = nullptr;
  HBRUSH infoBrush_ = nullptr;
  std::string pendingTemplate_;
  TFilerProgram program_;
  TFilerPages pages_;
  bool modified_ = false;
  bool filling_ = false;  // controls being filled from the data: no change of the user's
};

}  // namespace ovx
