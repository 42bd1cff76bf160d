// The shortcut maintenance dialog: the program's shortcuts in the Start menu, on the desktop and in
// the send-to folder, made to match three check boxes.
#pragma once

#include "app/ShortcutPlan.h"
#include "app/win32/CodeDialog.h"

namespace ovx {

class TUserPrompt;

class TDlgShortCut final : public TCodeDialog {
 public:
  // `reference` (may be none) owns the dialog and is the window it is centred over; without it
  // the dialog stands alone with its own taskbar button, centred in the work area.
  TDlgShortCut(HWND reference, TUserPrompt& prompt);

  void Run(HINSTANCE instance);

  // The dialog's help context, which F1 (WM_HELP) carries as its context id.
  static constexpr DWORD kHelpContext = 156;

 private:
  void OnCreate() override;
  void OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

  HWND reference_;
  TUserPrompt& prompt_;
  TShortcutFolders folders_;
};

}  // namespace ovx
