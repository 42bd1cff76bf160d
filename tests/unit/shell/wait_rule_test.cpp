// The wait rule as a window lives it: closes that reach it during waits, nested waits, and a
// partner held by another window's wait.
#include <gtest/gtest.h>

#include <string>

#include "shell/WaitRule.h"

namespace ovx {
namespace {

// Events, one letter each: E enter a wait, L leave it, C a close arrives (its answer is logged
// as "now" or "kept"), H / U the window becomes held / unheld by another window's wait, and
// T the window asks whether a kept close may run now ("run" or "-").
std::string Play(const std::string& events) {
  TWaitRule rule;
  bool held = false;
  std::string log;
  for (char e : events) {
    switch (e) {
      case 'E': rule.Enter(); break;
      case 'L': rule.Leave(); break;
      case 'H': held = true; break;
      case 'U': held = false; break;
      case 'C': log += rule.AdmitClose(held) ? "now " : "kept "; break;
      case 'T': log += rule.TakeKeptClose(held) ? "run " : "- "; break;
    }
  }
  return log;
}

TEST(WaitRule, ClosesDuringWaitsRunOnceAfterTheLastWait) {
  struct TCase {
    const char* events;
    const char* log;
  };
  const TCase cases[] = {
      {"C", "now "},
      {"ECT", "kept - "},              // never inside the wait
      {"ECLT", "kept run "},           // after it
      {"ECLTT", "kept run - "},        // once
      {"ECCLTT", "kept kept run - "},  // two closes during one wait are one close
      {"EECLTLT", "kept - run "},      // nested waits: only after the outer one
      {"ELT", "- "},                   // a wait without a close leaves nothing to run
      {"LC", "now "},                  // a stray leave does not count below zero
      {"HCT", "kept - "},              // held by a partner's wait
      {"HCUT", "kept run "},           // released
      {"EHCLT", "kept - "},            // own wait over, still held
      {"EHCLUT", "kept run "},
  };
  for (const TCase& c : cases) EXPECT_EQ(Play(c.events), c.log) << c.events;
}

}  // namespace
}  // namespace ovx
