// A frame: a child window that holds a group of controls and is itself one stop in its dialog's
// tab order (its children are reached by Tab and mnemonics). Its controls' notifications reach
// the frame object. Sizes are given at 96 DPI and scaled to the frame's DPI.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace ovx {

class TFramePanel {
 public:
  TFramePanel() = default;
  virtual ~TFramePanel();
  TFramePanel(const TFramePanel&) = delete;
  TFramePanel& operator=(const TFramePanel&) = delete;

  HWND Handle() const { return hwnd_; }
  // Design size at 96 DPI.
  virtual SIZE DesignSize() const = 0;

 protected:
  // Makes the panel at (x, y) in design pixels inside parent; false when the platform refused it.
  bool CreatePanel(HWND parent, int x, int y, HFONT font, int dpi);
  virtual void Command(int id, int code, HWND control) {}
  // A common control of the frame reports (tab changes).
  virtual void Notify(const NMHDR& header) {}
  // An owner-drawn control of the frame asks to be drawn.
  virtual void DrawItem(const DRAWITEMSTRUCT& item) {}
  int Scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }
  RECT Bounds(int x, int y, int width, int height) const;
  HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int id, int x, int y,
                  int width, int height);
  HWND AddLabel(const wchar_t* text, int x, int y, int width, int height = 16);
  // A drop-down list with its entries; the first is selected.
  HWND AddList(int id, std::initializer_list<const wchar_t*> entries, int x, int y, int width);
  HWND AddButton(int id, const wchar_t* text, int x, int y, int width, int height = 24);
  HFONT Font() const { return font_; }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = 96;
};

// The selected row of a drop-down list, and selecting one without a change notification.
int SelectedRow(HWND list);
void SelectRow(HWND list, int row);

}  // namespace ovx
