#include "editor/win32/StringRefusal.h"

#include <windows.h>

namespace ovx {

std::optional<TStringInput> CarriedStringInput(TFrmInputStr& frame, TUserPrompt& prompt) {
  TStringInput input = frame.Input();
  if (input.unrepresentable.empty()) return input;
  prompt.MessageDlgBeep(UnrepresentableMessage(frame.ChosenSet(), input.unrepresentable), mtError, mbOK);
  // The dialog may have gone while its box stood.
  if (IsWindow(frame.EditBox())) frame.SelectFirstOf(input.unrepresentable);
  return std::nullopt;
}

}  // namespace ovx
