// One monkey run: a random user (or a replayed action script) against the running program,
// with the oracles checked after every action.
#pragma once

#include <cstdint>
#include <string>

namespace ovx::e2e::monkey {

struct TMonkeyOptions {
  std::uint64_t seed = 1;
  int actions = 0;           // stop after this many actions (0: no limit)
  int seconds = 0;           // stop after this long (0: no limit)
  std::wstring replay;       // an action script to play instead of random actions
  std::wstring outFolder;    // where a failure leaves its script, screenshot and trace
};

struct TMonkeyResult {
  bool ok = true;
  std::string failure;
  int actions = 0;
  double seconds = 0;
  int undoChecks = 0, saveChecks = 0, starts = 0;
  std::wstring script;       // the failing run's action script, when it failed
};

TMonkeyResult RunMonkey(const TMonkeyOptions& options);

}  // namespace ovx::e2e::monkey
