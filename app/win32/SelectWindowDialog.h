// The window list dialog: one line per editor window, the chosen line's index as the answer.
#pragma once

#include <optional>

#include "app/win32/CodeDialog.h"

namespace ovx {

class TDlgSelectWindow final : public TCodeDialog {
 public:
  // `lines` in list order; an empty caption keeps the default one. `reference` (may be none)
  // is the window the dialog is centred over.
  TDlgSelectWindow(std::vector<std::string> lines, const std::wstring& caption, HWND reference);

  // The index of the line chosen with 決定 or a double click; none after キャンセル or Escape.
  std::optional<int> Choose(HINSTANCE instance, HWND owner);

 private:
  void OnCreate() override;
  void OnCommand(int id, int code, HWND control) override;
  int SelectedLine() const;

  std::vector<std::string> lines_;
  HWND reference_;
  int chosen_ = -1;
};

}  // namespace ovx
