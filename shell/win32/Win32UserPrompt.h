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

// The boxes go to the window the user is working in, unless a window's own prompt asks.
class TWin32UserPrompt final : public TUserPrompt {
 public:
  // The window that owns the failure reports that are not ownerless.
  void SetApplicationWindow(HWND hwnd) { applicationWindow_ = hwnd; }

  TModalResult MessageDlgBeep(const std::string& text, TMsgDlgType kind, unsigned buttons) override;
  TModalResult MessageDlg(const std::string& text, TMsgDlgType kind, unsigned buttons) override;
  void ShowFailure(const std::string& caption, const std::string& text, bool ownerless) override;
  void Beep() override;

 private:
  HWND applicationWindow_ = nullptr;
};

// The prompt of one window: asks through the program's prompt with every box owned by that
// window, whichever window is active, so that the window a question is about stays disabled
// until it is answered.
class TWindowUserPrompt final : public TUserPrompt {
 public:
  explicit TWindowUserPrompt(TUserPrompt& prompt) : prompt_(prompt) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  // True while a box of this prompt waits for its answer.
  bool Asking() const { return asking_ > 0; }
  // A loop that asks its questions one after another (a replace with queries) counts as asking
  // from its start to its end, between the questions too.
  void BeginAsking() { ++asking_; }
  void EndAsking() { --asking_; }

  TModalResult MessageDlgBeep(const std::string& text, TMsgDlgType kind, unsigned buttons) override;
  TModalResult MessageDlg(const std::string& text, TMsgDlgType kind, unsigned buttons) override;
  void ShowFailure(const std::string& caption, const std::string& text, bool ownerless) override;
  void Beep() override;

 private:
  // Runs a box of the program's prompt with this window as its owner.
  template <typename Ask>
  TModalResult AskAsOwner(Ask&& ask);
  TUserPrompt& prompt_;
  HWND owner_ = nullptr;
  int asking_ = 0;
};

}  // namespace ovx
