// The common part of the caption strip and the sum strip: a child window that draws
// one cell per column of the view's 19-entry width table in its own font.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "view/ViewGeometry.h"
#include "view/win32/ViewWindow.h"

namespace ovx {

class TStripView : public TViewWindow {
 public:
  ~TStripView() override;
  bool Create(HWND parent, const wchar_t* className);
  // The font's height in device pixels; the cells' insets follow the DPI.
  void SetFontHeight(int height, int dpi);
  void SetWidths(const std::array<int, kColumnCount>& widths);
  // The hex column of the caret (0 to 15), drawn highlighted; -1 for none.
  void SetCaretColumn(int column);
  int CaretColumn() const { return caretColumn_; }
  // Draws the strip into dc as a paint message would.
  void Render(HDC dc);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The text of column i; false for a column the strip leaves empty.
  virtual bool CellText(int column, std::wstring& text) const = 0;
  // The cell of column i and its inset text area (2 pixels at 96 DPI in on every side).
  RECT CellRect(int column, const RECT& client) const;
  RECT TextRect(const RECT& cell) const;
  // Draws the whole strip again, at once.
  void Refresh();
  // Draws again, at once, only the cells whose text or highlight changed since they were drawn.
  void RefreshCells();

  std::array<int, kColumnCount> widths_{};
  int caretColumn_ = -1;

 private:
  struct TCellPicture {
    bool shown = false, highlighted = false;
    std::wstring text;
    bool operator==(const TCellPicture&) const = default;
  };
  TCellPicture PictureOf(int column) const;
  // Draws the cells over a button-face background.
  void PaintCells(HDC dc, const RECT& client);
  void PaintCell(HDC dc, const RECT& cell, const TCellPicture& picture) const;
  // The text area inside a cell's frame, filled in the cell's colour.
  void PaintCellText(HDC dc, const RECT& inner, const TCellPicture& picture) const;

  HFONT font_ = nullptr;
  int dpi_ = 96;
  std::array<TCellPicture, kColumnCount> drawn_{};  // what each cell shows on screen
};

}  // namespace ovx
