// The shell's dialogs are laid out in code, in pixels at 96 DPI scaled to the owner's DPI: a
// dialog-manager window from an empty template (so Tab, Enter on the default button and Escape
// work as in any dialog) whose controls the subclass creates when it opens. A new DPI moves and
// sizes every control and gives the new font to those with the dialog's.
#pragma once

#include <windows.h>

#include <string>

#include "editor/WindowGeometry.h"

namespace ovx {

class TCodeDialog {
 public:
  virtual ~TCodeDialog();
  TCodeDialog(const TCodeDialog&) = delete;
  TCodeDialog& operator=(const TCodeDialog&) = delete;

  // Shows the dialog modally over `owner` (may be none) and returns the id it ended with.
  INT_PTR RunModal(HINSTANCE instance, HWND owner);
  // Creates the dialog without showing it, for modeless use; none on failure.
  HWND CreateModeless(HINSTANCE instance, HWND owner);
  HWND Handle() const { return hwnd_; }

 protected:
  // Window style, extended style, client size and caption of the dialog.
  TCodeDialog(DWORD style, DWORD exStyle, TPixelSize client, std::wstring caption);

  // Creates the controls and fills them; the window already has its client size.
  virtual void OnCreate() = 0;
  // WM_COMMAND of a control or of the dialog manager (IDOK, IDCANCEL).
  virtual void OnCommand(int id, int code, HWND control) = 0;
  // Any other message; return true when handled, with `result` as the dialog procedure's value.
  virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) { return false; }

  // A child control at pixel co-ordinates (96 DPI) with the dialog's font.
  HWND AddControl(const wchar_t* className, const std::wstring& text, DWORD style, int x, int y, int width,
                  int height, int id, DWORD exStyle = 0);
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  // A length in pixels at 96 DPI, scaled to the dialog's DPI.
  int Scaled(int pixels) const;
  int Dpi() const { return dpi_; }
  // Moves the dialog, keeping its size: centred over `reference` and held inside the work area, or
  // centred in the work area without one.
  void PlaceOver(HWND reference);
  // Ends a modal dialog with the id, or destroys a modeless one.
  void End(INT_PTR id);
  bool Modal() const { return modal_; }
  HFONT Font() const { return font_; }
  HINSTANCE Instance() const { return instance_; }

  std::wstring caption_;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  std::wstring TemplateBytes() const;
  void OnDpiChanged(int dpi, const RECT& suggested);

  DWORD style_;
  DWORD exStyle_;
  TPixelSize client_;
  HINSTANCE instance_ = nullptr;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = 96;
  bool modal_ = false;
};

}  // namespace ovx
