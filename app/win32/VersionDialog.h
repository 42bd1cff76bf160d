// The version dialog: the product picture with the version, the maker's addresses below it.
// Also the opening screen, shown while the program starts.
#pragma once

#include "app/win32/CodeDialog.h"

namespace ovx {

class TDlgVersion final : public TCodeDialog {
 public:
  // `openingScreen`: the close button is hidden and the owner closes the dialog.
  explicit TDlgVersion(bool openingScreen = false);
  ~TDlgVersion() override;

  // Whether the product picture could be decoded (false leaves the panel empty).
  bool HasPicture() const { return picture_ != nullptr; }

 private:
  void OnCreate() override;
  void OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;
  void LoadPicture();
  void Paint();
  void AddLink(int id, const std::wstring& text, const wchar_t* hint, int y);

  bool openingScreen_;
  HBITMAP picture_ = nullptr;
  HFONT linkFont_ = nullptr;
  HWND tips_ = nullptr;
};

}  // namespace ovx
