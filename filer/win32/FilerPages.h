// The windows of a template's pages: per page a scroll box holding a panel with the page's
// controls, placed as the layout says; field values go into the controls and come back out.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "filer/FilerFields.h"
#include "filer/FilerLayout.h"

namespace ovx {

// Which control of which field a control id names.
enum TFilerControlRole : int { frEditor, frJump, frSpin, FilerControlRoles };
struct TFilerControlId {
  int field;
  TFilerControlRole role;
};

class TFilerPages {
 public:
  TFilerPages() = default;
  ~TFilerPages() { Clear(); }
  TFilerPages(const TFilerPages&) = delete;
  TFilerPages& operator=(const TFilerPages&) = delete;

  // Registers the window classes of the scroll boxes and panels.
  static bool RegisterClasses(HINSTANCE instance);
  // A plain panel that hands its controls' notifications to the tool window.
  static const wchar_t* PanelClass();

  // Makes the windows of every page inside host, all hidden, the layout's 96-DPI places scaled
  // to dpi. The controls report to the window that holds host; hints go to tooltip.
  void Build(HWND host, const TFilerLayout& layout, HFONT font, HICON jumpIcon, HWND tooltip, int dpi);
  void Clear();
  int Count() const { return static_cast<int>(pages_.size()); }
  // Shows the scroll box of that page and hides the others.
  void Show(int page);
  // Every scroll box fills the host.
  void Resize(int width, int height);

  void Fill(const TFilerLayout& layout, const std::vector<TFilerFieldValue>& values);
  // Takes the controls of the changed fields into their values. A field whose text cannot be
  // written keeps its value: the index of the first such field, with the message, else -1.
  int Collect(const TFilerLayout& layout, std::vector<TFilerFieldValue>& values, std::string& problem) const;

  // The spin edit of a field was turned by delta steps; 0 only brings its text within bounds.
  // Text that is no value of the field is left for the apply to refuse.
  void Spin(const TFilerField& field, int index, int delta);

  // Shows the page that holds the field and puts the keyboard focus on its control.
  int PageOfField(int field) const;
  void FocusField(int field) const;

  static int ControlId(int field, TFilerControlRole role) { return kFirstId + field * FilerControlRoles + role; }
  static std::optional<TFilerControlId> OfControlId(int id);

 private:
  static constexpr int kFirstId = 1000;
  struct TPageWindows {
    HWND scrollBox = nullptr;
    HWND panel = nullptr;
  };
  struct TFieldWindows {
    HWND editor = nullptr;
    HWND spin = nullptr;
    HWND jump = nullptr;
  };
  std::vector<TPageWindows> pages_;
  std::vector<TFieldWindows> fields_;
};

}  // namespace ovx
