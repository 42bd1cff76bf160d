// The monkey's user actions: one line of the action script each, chosen at random from what
// the program shows, and performed through real keys and window messages.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tests/e2e/monkey/MonkeyWorld.h"

namespace ovx::e2e::monkey {

// verb, then its target (an editor's name or a window's caption) and arguments, TAB-separated.
struct TAction {
  std::string verb;
  std::wstring target;
  std::vector<std::wstring> args;
};

std::string FormatAction(const TAction& action);  // UTF-8, one line
bool ParseAction(const std::string& line, TAction& action);

// The three files each session starts with, in the data folder; the last opens view-only.
extern const wchar_t* const kSessionFiles[3];

// What an action may have done, for the oracles.
struct TEffects {
  bool maySave = false;    // a save, or the answer to a question that may save
  bool mayClose = false;   // may have closed windows, the last one included
  bool mayFlush = false;   // may have cleared an edit history without a load or a save
  bool performed = true;   // false when its target was not there (a replay running ahead)
};

class TMonkeyHands {
 public:
  explicit TMonkeyHands(std::uint64_t seed) : random_(seed) {}
  TAction Choose(const TWorld& world);
  TEffects Perform(const TAction& action, const TWorld& world);

 private:
  TAction ChooseForEditor(const TWorld& world, HWND editor);
  TAction ChooseForDialog(HWND dialog);
  TAction ChooseMenuWalk(HWND editor);
  int Pick(int n) { return n <= 0 ? 0 : static_cast<int>(random_() % static_cast<std::uint64_t>(n)); }
  bool Chance(int percent) { return Pick(100) < percent; }
  std::mt19937_64 random_;
};

}  // namespace ovx::e2e::monkey
