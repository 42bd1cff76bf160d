// Panel_Information: captions, the sunken white value boxes with their hexadecimal and decimal
// labels, and a copy button after each box. It lives inside the window's information panel
// and puts the copy texts on the clipboard itself.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>

#include "editor/InformationPanelTexts.h"

namespace ovx {

enum TInformationBox : int { ibAddress, ibFileSize, ibRange, ibBit, ibByte, ibWord, ibDWord, InformationBoxCount };

class TInformationPanel {
 public:
  // Control ids: hexadecimal label, decimal label and copy button of each box.
  static constexpr int kFirstControlId = 0x3100;
  static constexpr int HexLabelId(int box) { return kFirstControlId + 3 * box; }
  static constexpr int DecLabelId(int box) { return kFirstControlId + 3 * box + 1; }
  static constexpr int CopyButtonId(int box) { return kFirstControlId + 3 * box + 2; }

  TInformationPanel() = default;
  ~TInformationPanel();
  TInformationPanel(const TInformationPanel&) = delete;
  TInformationPanel& operator=(const TInformationPanel&) = delete;

  // Inside `parent` (the window's information panel); captions in `captionFont`, sizes scaled to dpi.
  bool Create(HWND parent, HFONT captionFont, HIMAGELIST images, int dpi);
  HWND Handle() const { return hwnd_; }
  // Lays the panel out again for a new DPI, with the window's caption font for it.
  void SetDpi(int dpi, HFONT captionFont);
  // Keeps the texts that changed and draws their boxes again.
  void Show(const TInformationTexts& texts);
  // The copy text of a box as its labels read now.
  std::string CopyText(int box) const;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK LabelProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  int Scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }
  RECT BoxRect(int box) const;
  // Where a box's caption, value labels and brackets stand.
  struct TBoxParts {
    RECT caption, hex, open, dec, close;
  };
  TBoxParts PartsOf(int box) const;
  // The value font, the tips and every control, at the panel's DPI.
  void BuildParts(HFONT captionFont);
  // Keeps a value's new text; true when it changed.
  bool KeepText(int id, const std::string& text);
  void Paint();
  // Draws the part of the panel in `area`: faces, captions, boxes and values.
  void Draw(HDC dc, const RECT& area);

  HWND hwnd_ = nullptr;
  int dpi_ = 96;
  HFONT valueFont_ = nullptr;
  HFONT captionFont_ = nullptr;  // the window's, not owned
  HICON copyIcon_ = nullptr;
  HWND tips_ = nullptr;
  HBRUSH white_ = nullptr;
  // What each value shows, by control id from kFirstControlId: the panel draws it and the value's
  // label answers with it.
  std::array<std::string, 3 * InformationBoxCount> shown_;
};

}  // namespace ovx
