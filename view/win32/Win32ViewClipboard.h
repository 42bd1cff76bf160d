// The view's clipboard on Windows: the registered private format and CF_TEXT, in global
// memory blocks that the view's data is written into and read from directly.
#pragma once

#include <windows.h>

#include "view/ViewClipboard.h"

namespace ovx {

// Another program may hold the clipboard for a moment (a clipboard viewer reading what we
// just put there): tries again for about a tenth of a second before giving up.
bool OpenClipboardPatiently(HWND owner);

class TWin32ViewClipboard : public TViewClipboard {
 public:
  // owner: the window that opens the clipboard (the view).
  explicit TWin32ViewClipboard(HWND owner) : owner_(owner) {}

  TClipboardPut PutPrivate(std::size_t size, const TClipboardFill& fill) override;
  bool HasPrivate() override;
  bool HasText() override;
  bool ReadPrivate(const TClipboardRead& read) override;
  bool ReadText(const TClipboardRead& read) override;

  // The process's id of "Ovnx Clipboard Format", registered on first use.
  static UINT PrivateFormat();

 private:
  HWND owner_;
};

}  // namespace ovx
