// GDI drawing of the binary view and its two strips: fonts, the colour table, raised
// cells, the background areas of a full paint and the rows of the paint model.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "shell/Settings.h"
#include "view/ViewGeometry.h"
#include "view/ViewPaintModel.h"

namespace ovx {

// The fixed-pitch view font at a pixel height.
HFONT CreateViewFont(int height, bool bold);
// A colour of the settings (0x00BBGGRR, or a system colour index tagged 0xFF0000nn).
COLORREF ResolveColor(std::uint32_t color);
// A button-face cell with light lines on top and left and shadow lines on right and bottom.
void DrawRaisedCell(HDC dc, const RECT& r);
// Fills r with a solid colour.
void FillSolid(HDC dc, const RECT& r, COLORREF color);
// The text centred in r, clipped to it; over r filled with the background colour when opaque.
void DrawCentredText(HDC dc, const RECT& r, const wchar_t* text, int length, bool opaque = false);
// Owns a memory bitmap of a window's client size: everything is drawn there first
// and copied at once, so a repaint never flickers.
class TBackBuffer {
 public:
  TBackBuffer(HDC target, int width, int height);
  ~TBackBuffer();
  TBackBuffer(const TBackBuffer&) = delete;
  TBackBuffer& operator=(const TBackBuffer&) = delete;
  HDC Dc() const { return dc_; }
  void CopyTo(HDC target) const;

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
};

constexpr int kViewColorCount = 15;

class TViewPainter {
 public:
  TViewPainter();
  ~TViewPainter();
  TViewPainter(const TViewPainter&) = delete;
  TViewPainter& operator=(const TViewPainter&) = delete;

  // Recreates the fonts and measures the "W" cell.
  void SetFontHeight(int height);
  int CharWidth() const { return cw_; }
  int CharHeight() const { return ch_; }
  HFONT Font() const { return normal_; }

  void SetColors(const TColorSettings& colors);
  const TColorSettings& Colors() const { return colors_; }
  COLORREF Color(int index) const { return table_[static_cast<std::size_t>(index)]; }

  // The parts a full paint draws before the rows.
  void PaintBackground(HDC dc, const TViewGeometry& g, int clientWidth, int clientHeight) const;
  // The visible rows of the model (those marked in `only`, else all); the marker is drawn unless
  // it is empty.
  void PaintRows(HDC dc, const TViewGeometry& g, const TPaintModel& model, const TCaretMarkerShape& marker,
                 const std::vector<bool>* only = nullptr) const;

 private:
  // One text call per run of cells in one style: the hex cells, then the characters.
  void PaintHexRow(HDC dc, const TViewGeometry& g, const TPaintRow& row, int top) const;
  void PaintCharRow(HDC dc, const TViewGeometry& g, const TPaintRow& row, int top) const;
  void PaintSideCell(HDC dc, const TViewGeometry& g, const RECT& cell, const char* text, bool caretRow,
                     bool centred) const;
  void PaintMarker(HDC dc, const TCaretMarkerShape& marker) const;
  HFONT FontOf(const TCellStyle& style) const { return style.bold ? bold_ : normal_; }

  HFONT normal_ = nullptr;
  HFONT bold_ = nullptr;
  int cw_ = 7, ch_ = 14;
  TColorSettings colors_;
  std::array<COLORREF, kViewColorCount> table_{};
};

}  // namespace ovx
