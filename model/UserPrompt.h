// The core's way of telling the user something and asking a question.
// The Win32 layer implements it with message boxes (sound first, then the box);
// tests implement it with a script of answers.
#pragma once

#include <string>

namespace ovx {

// Kind of a message box: decides its sound and its title.
enum TMsgDlgType : unsigned char {
  mtWarning,       // exclamation sound, title "警告"
  mtError,         // hand sound, title "エラー"
  mtInformation,   // asterisk sound, title "情報"
  mtConfirmation,  // question sound, title "確認"
  mtCustom,        // simple beep, the application title
};

// Buttons of a message box, combined as a set.
enum TMsgDlgBtn : unsigned {
  mbYes = 1u << 0,
  mbNo = 1u << 1,
  mbOK = 1u << 2,
  mbCancel = 1u << 3,
  mbAbort = 1u << 4,
  mbRetry = 1u << 5,
  mbIgnore = 1u << 6,
};

// The button the user pressed; mrNone when the box was closed otherwise.
enum TModalResult : unsigned char {
  mrNone, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrYes, mrNo,
};

class TUserPrompt {
 public:
  virtual ~TUserPrompt() = default;

  // Plays the sound of the kind, then shows the standard box of that kind.
  // Text is UTF-8; "\r\n" breaks lines.
  virtual TModalResult MessageDlgBeep(const std::string& text, TMsgDlgType kind, unsigned buttons) = 0;
  // The same box without the sound.
  virtual TModalResult MessageDlg(const std::string& text, TMsgDlgType kind, unsigned buttons) {
    return MessageDlgBeep(text, kind, buttons);
  }

  // A box with its own caption and an OK button, after the default beep
  // (the failure reports of the settings store). Owned by the application window
  // unless ownerless is set.
  virtual void ShowFailure(const std::string& caption, const std::string& text, bool ownerless) = 0;

  // The default system beep alone.
  virtual void Beep() = 0;
};

}  // namespace ovx
