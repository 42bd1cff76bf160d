// TFrmInputData: a tabbed frame offering an integer, a string, a character, raw bytes in an
// embedded editor control, or empty data, and yielding the data block of the open tab. The search
// and replace dialogs take their patterns from it.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "charset/InputFrameRules.h"
#include "charset/win32/FrmInputChar.h"
#include "charset/win32/FrmInputInt.h"
#include "charset/win32/FrmInputStr.h"
#include "charset/win32/FramePanel.h"
#include "model/UserPrompt.h"
#include "shell/Settings.h"

namespace ovx {

class TBEditor;

class TFrmInputData final : public TFramePanel {
 public:
  static const wchar_t kNullText[];

  TFrmInputData();
  ~TFrmInputData() override;

  // Makes the five pages; the 無定型 page's editor takes the host's view settings, shows only its
  // header strip and uses font height 12. The integer page starts at DoubleWord, little-endian.
  bool Create(HWND parent, int x, int y, HFONT font, int dpi, const TEnvironmentSettings& settings,
              TUserPrompt& prompt);
  SIZE DesignSize() const override { return {440, 300}; }

  TDataPage ActivePage() const { return page_; }
  void SetActivePage(TDataPage page);
  // The bytes of the open page.
  std::vector<std::uint8_t> DataBlock();

  // The search data has no ヌル型 page: its tab goes and the page cannot be chosen.
  void HideNullPage();
  // The input of a page takes the focus (the null page's: the 無定型 page's editor, shown).
  void FocusInput(TDataPage page);
  // Pixels the 無定型 page's editor lacks for its whole rows; 0 when it is wide enough.
  int BinaryShortfall();
  // The frame, its tabs and its 無定型 page grow by pixels to the right.
  void Widen(int pixels);
  // Every control of the frame captioned from gets the caption to.
  void Recaption(const wchar_t* from, const wchar_t* to);

  TFrmInputInt& FrmInputInt() { return int_; }
  TFrmInputStr& FrmInputStr() { return str_; }
  TFrmInputChar& FrmInputChar() { return char_; }
  TBEditor& BinaryEditor() { return *binary_; }
  HWND Pages() const { return pages_; }
  HWND BinaryPanel() const { return binaryPanel_; }
  HWND LabelNull() const { return labelNull_; }

 private:
  void Notify(const NMHDR& header) override;

  TDataPage page_ = dpInteger;
  bool nullPageHidden_ = false;
  HWND pages_ = nullptr, binaryPanel_ = nullptr, labelNull_ = nullptr;
  TFrmInputInt int_;
  TFrmInputStr str_;
  TFrmInputChar char_;
  std::unique_ptr<TBEditor> binary_;
};

}  // namespace ovx
