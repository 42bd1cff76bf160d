#include <gtest/gtest.h>

#include "app/InstanceRequest.h"

namespace ovx {
namespace {

TEST(AppInstanceRequest, StartingDefersBusyBeeps) {
  EXPECT_EQ(DecideInstanceRequest(false, false), TInstanceAction::Defer);
  EXPECT_EQ(DecideInstanceRequest(false, true), TInstanceAction::Defer);
  EXPECT_EQ(DecideInstanceRequest(true, true), TInstanceAction::Beep);
  EXPECT_EQ(DecideInstanceRequest(true, false), TInstanceAction::Serve);
}

}  // namespace
}  // namespace ovx
