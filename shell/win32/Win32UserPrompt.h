// Message boxes of the program: the sound of the kind first, then the standard box.
#pragma once

#include <windows.h>

#include "model/UserPrompt.h"
#include "shell/win32/WaitScope.h"

namespace ovx {

// The default beep, as every refusal of the program sounds (a test hears it through the file
// named in OVX_BEEP_LOG).
void ProgramBeep();

// Number of modal boxes and forms of the process now on screen.
int ModalDepth();

// Counts a modal form or box for as long as it lives.
class TModalScope {
 public:
  TModalScope();
  ~TModalScope();
  TModalScope(const TModalScope&) = delete;
  TModalScope& operator=(const TModalScope&) = delete;
};

// The boxes go to the window the user is working in, unless a window's own prompt asks.
class TWin32UserPrompt final : public TUserPrompt {
 public:
  // The window that owns the failure reports that are not ownerless.
  void SetApplicationWindow(HWND hwnd) { applicationWindow_ = hwnd; }
  // While the opening screen (a topmost window) stands, boxes are shown above it.
  void SetBoxesTopmost(bool topmost) { topmost_ = topmost; }

  TModalResult MessageDlgBeep(const std::string& text, TMsgDlgType kind, unsigned buttons) override;
  TModalResult MessageDlg(const std::string& text, TMsgDlgType kind, unsigned buttons) override;
  void ShowFailure(const std::string& caption, const std::string& text, bool ownerless) override;
  void Beep() override;

 private:
  HWND applicationWindow_ = nullptr;
  bool topmost_ = false;
};

// The prompt of one window: asks through the program's prompt with every box owned by that
// window, whichever window is active, so that the window a question is about stays disabled
// until it is answered. Each box is a wait of the editor window the asking window belongs to.
class TWindowUserPrompt final : public TUserPrompt {
 public:
  TWindowUserPrompt(TUserPrompt& prompt, TWaitSite& waits) : prompt_(prompt), waits_(waits) {}
  void SetOwner(HWND owner) { owner_ = owner; }

  TModalResult MessageDlgBeep(const std::string& text, TMsgDlgType kind, unsigned buttons) override;
  TModalResult MessageDlg(const std::string& text, TMsgDlgType kind, unsigned buttons) override;
  void ShowFailure(const std::string& caption, const std::string& text, bool ownerless) override;
  void Beep() override;

 private:
  // Runs a box of the program's prompt with this window as its owner.
  template <typename Ask>
  TModalResult AskAsOwner(Ask&& ask);
  TUserPrompt& prompt_;
  TWaitSite& waits_;
  HWND owner_ = nullptr;
};

}  // namespace ovx
