// Message boxes of the program: the sound of the kind first, then the standard box.
#pragma once

#include <windows.h>

#include "model/UserPrompt.h"

namespace ovx {

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

class TWin32UserPrompt final : public TUserPrompt {
 public:
  // The window that owns the failure reports that are not ownerless.
  void SetApplicationWindow(HWND hwnd) { applicationWindow_ = hwnd; }

  TModalResult MessageDlgBeep(const std::string& text, TMsgDlgType kind, unsigned buttons) override;
  void ShowFailure(const std::string& caption, const std::string& text, bool ownerless) override;
  void Beep() override;

 private:
  HWND applicationWindow_ = nullptr;
};

}  // namespace ovx
