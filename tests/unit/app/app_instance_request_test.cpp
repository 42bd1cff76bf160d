#include <gtest/gtest.h>

#include "app/InstanceRequest.h"

namespace ovx {
namespace {

TEST(AppInstanceRequest, StartingDefersBusyBeepsEndingRefuses) {
  struct TCase {
    TProcessPhase phase;
    bool busy;
    TInstanceAction expected;
  };
  const TCase cases[] = {
      {TProcessPhase::Starting, false, TInstanceAction::Defer},
      {TProcessPhase::Starting, true, TInstanceAction::Defer},
      {TProcessPhase::Running, true, TInstanceAction::Beep},
      {TProcessPhase::Running, false, TInstanceAction::Serve},
      {TProcessPhase::Ending, false, TInstanceAction::Refuse},
      {TProcessPhase::Ending, true, TInstanceAction::Refuse},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(DecideInstanceRequest(c.phase, c.busy), c.expected)
        << static_cast<int>(c.phase) << (c.busy ? " busy" : " idle");
}

}  // namespace
}  // namespace ovx
