// The rules of the search and replace dialogs that need no window: the checks of the data typed,
// whether 検索開始 continues from the match the caret stands on, the integer width the window
// remembers, and where the replace query window appears.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "charset/InputFrameRules.h"
#include "editor/WindowGeometry.h"

namespace ovx {

// A warning about the data of one frame: its text and buttons (from model/UserPrompt.h).
struct TDataWarning {
  std::string text;
  unsigned buttons = 0;
  friend bool operator==(const TDataWarning&, const TDataWarning&) = default;
};

// The search data's check: none when the page's data can be searched for.
std::optional<TDataWarning> SearchDataWarning(TDataPage page, bool empty);
// The replacement's check: none when the page yields bytes to put in.
std::optional<TDataWarning> ReplaceDataWarning(TDataPage page, bool empty);

enum TSearchStep : std::uint8_t { ssNewSearch, ssContinueForward, ssContinueBackward };
// 検索開始 continues from the match the caret stands on when the pattern is the one found;
// otherwise it starts a new search at the caret.
TSearchStep SearchStepOf(bool matchAtCaret, bool sameAsLastPattern, bool forward);

// The integer width remembered after a replace: the replacement frame's, then the search
// frame's, each only while its integer page is open.
std::uint8_t LastIntWidthAfterReplace(std::uint8_t current, std::optional<std::uint8_t> searchWidth,
                                      std::optional<std::uint8_t> replacementWidth);

// The query window's rectangle: below the caret by one and a half character heights, and moved
// back inside the work area where it would leave it.
TScreenRect ReplaceQueryPlace(int caretX, int caretY, int charHeight, int width, int height,
                               const TScreenRect& workArea);

}  // namespace ovx
