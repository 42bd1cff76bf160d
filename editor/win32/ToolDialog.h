// A modeless tool dialog of an editor window: a dialog-class window with only a close box, its
// controls laid out at 96 DPI and scaled to the window's DPI, a run button (default) and 閉じる(&C)
// at the bottom right. The window owns the object: it ends with the window.
#pragma once

#include <windows.h>

#include "shell/HelpTopics.h"

namespace ovx {

class TToolDialog {
 public:
  virtual ~TToolDialog();
  TToolDialog(const TToolDialog&) = delete;
  TToolDialog& operator=(const TToolDialog&) = delete;

  // Makes the dialog, hidden, owned by owner; null when the platform refused it (the object is
  // deleted then too).
  static HWND Create(TToolDialog* dialog, HWND owner);
  HWND Handle() const { return hwnd_; }
  // The object of a tool dialog's window, or none.
  static TToolDialog* FromHandle(HWND hwnd);

  static constexpr int kRunId = IDOK, kCloseId = IDCANCEL;

 protected:
  TToolDialog(const wchar_t* caption, DWORD helpContext, SIZE designClient);
  // Makes the controls; returns the control that takes the focus when the dialog first shows.
  virtual HWND Build() = 0;
  // The run button (and Enter).
  virtual void Run() = 0;
  // Other commands of the dialog's own controls; true when handled.
  virtual bool Command(int id, int code, HWND control) { return false; }

  HFONT Font() const { return font_; }
  int Dpi() const { return dpi_; }
  int Scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }
  HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int id, int x, int y,
                  int width, int height);
  // The run button and 閉じる(&C), bottom right of the client area.
  void AddButtons(const wchar_t* runText);

 private:
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  // A new DPI: every control scaled by new / old, the dialog's font made again for it.
  void OnDpiChanged(int dpi, const RECT& suggested);

  const wchar_t* caption_;
  DWORD helpContext_;
  SIZE design_;
  HWND hwnd_ = nullptr;
  HWND firstFocus_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = 96;
};

// Tab, Enter, Esc and mnemonics of an open tool dialog; true when the message was its.
bool IsToolDialogMessage(MSG& msg);

}  // namespace ovx
