#include <gtest/gtest.h>

#include "app/InstanceRequest.h"

namespace ovx {
namespace {

TEST(AppInstanceRequest, StartingOrServingDefersBusyBeepsEndingRefuses) {
  struct TCase {
    TProcessPhase phase;
    bool busy, serving;
    TInstanceAction expected;
  };
  const TCase cases[] = {
      {TProcessPhase::Starting, false, false, TInstanceAction::Defer},
      {TProcessPhase::Starting, true, true, TInstanceAction::Defer},
      {TProcessPhase::Running, true, false, TInstanceAction::Beep},
      {TProcessPhase::Running, false, false, TInstanceAction::Serve},
      // The box of a request being served makes the process busy: the next request joins the queue.
      {TProcessPhase::Running, true, true, TInstanceAction::Defer},
      {TProcessPhase::Ending, false, false, TInstanceAction::Refuse},
      {TProcessPhase::Ending, true, true, TInstanceAction::Refuse},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(DecideInstanceRequest(c.phase, c.busy, c.serving), c.expected)
        << static_cast<int>(c.phase) << (c.busy ? " busy" : " idle") << (c.serving ? " serving" : "");
}

}  // namespace
}  // namespace ovx
