// The string frame's text as the chosen set carries it, or a refusal: the characters the set has
// no code for are named in a box and the first of them is selected in the text for correction.
// The typed string input and the search and replace dialogs refuse alike.
#pragma once

#include <optional>

#include "charset/InputFrameRules.h"
#include "charset/win32/FrmInputStr.h"
#include "model/UserPrompt.h"

namespace ovx {

// The frame's input when the set carries every character; otherwise the box through the prompt
// and nothing.
std::optional<TStringInput> CarriedStringInput(TFrmInputStr& frame, TUserPrompt& prompt);

}  // namespace ovx
