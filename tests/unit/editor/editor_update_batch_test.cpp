#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/UpdateBatch.h"

namespace ovx {
namespace {

// A script of what the view reports: '(' a message begins, ')' it ends, 'c' the caret moves,
// 's' the state changes, 'w' a wait begins. The result lists the updates run, in order:
// 'i' the information panel, 'S' the status bar (which brings the panel with it).
std::string UpdatesOf(const std::string& script) {
  TUpdateBatch batch;
  std::string done;
  auto apply = [&](unsigned parts) {
    if (parts & upStatus) done += 'S';
    else if (parts & upInformation) done += 'i';
  };
  for (char c : script) {
    switch (c) {
      case '(': batch.Enter(); break;
      case ')': apply(batch.Leave()); break;
      case 'c': apply(batch.Mark(upInformation)); break;
      case 's': apply(batch.Mark(upStatus)); break;
      case 'w': apply(batch.Flush()); break;
    }
  }
  return done;
}

TEST(UpdateBatchTest, OneUpdatePerMessage) {
  const struct {
    const char* script;
    const char* updates;
  } cases[] = {
      {"(cscsc)", "S"},         // a typed digit: caret and state several times, one status update
      {"(ccc)", "i"},           // a caret move alone updates the panel only
      {"(c(s)c)", "S"},         // a message sent from inside a handler does not end the outer one
      {"()", ""},               // a message that changed nothing updates nothing
      {"(c)(s)", "iS"},         // each message brings its own changes up to date
      {"csc", "iSi"},           // outside any message, as each change comes
      {"(cw s)", "iS"},         // a question shows what was done before it; the rest follows at the end
      {"(cww)", "i"},           // a second wait has nothing new to show
  };
  for (const auto& c : cases) EXPECT_EQ(UpdatesOf(c.script), c.updates) << c.script;
}

}  // namespace
}  // namespace ovx
