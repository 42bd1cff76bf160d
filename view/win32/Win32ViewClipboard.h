// The view's clipboard on Windows: the registered private format and CF_TEXT.
#pragma once

#include <windows.h>

#include "view/ViewClipboard.h"

namespace ovx {

class TWin32ViewClipboard : public TViewClipboard {
 public:
  // owner: the window that opens the clipboard (the view).
  explicit TWin32ViewClipboard(HWND owner) : owner_(owner) {}

  bool PutPrivate(const std::vector<std::uint8_t>& block) override;
  bool HasPrivate() override;
  bool HasText() override;
  bool GetPrivate(std::vector<std::uint8_t>& block) override;
  bool GetText(std::string& bytes) override;

  // The process's id of "Ovnx Clipboard Format", registered on first use.
  static UINT PrivateFormat();

 private:
  HWND owner_;
};

}  // namespace ovx
