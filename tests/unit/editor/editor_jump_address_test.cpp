#include "editor/JumpAddress.h"

#include "tests/unit/scripted_prompt.h"

namespace ovx::test {
namespace {

const std::string kStart = kJumpBeforeStartText, kEnd = kJumpPastEndText;
constexpr unsigned kOkAbort = mbOK | mbAbort;

TEST(JumpAddress, TargetsOutsideTheDocumentAskBeforeGoingToItsEdge) {
  struct Case {
    const char* name;
    std::int64_t target;
    std::deque<TModalResult> answers;
    bool jumps;
    std::int64_t landed;  // the target after the check, size 100
    std::vector<std::string> asked;
  };
  const Case cases[] = {
      {"inside", 42, {}, true, 42, {}},
      {"first byte", 0, {}, true, 0, {}},
      {"the end position", 100, {}, true, 100, {}},
      {"one past the end, OK", 101, {mrOk}, true, 100, {kEnd}},
      {"far past the end, 中止", 5000, {mrAbort}, false, 5000, {kEnd}},
      {"before the start, OK", -1, {mrOk}, true, 0, {kStart}},
      {"before the start, 中止", -7, {mrAbort}, false, -7, {kStart}},
      {"a closed box refuses", -7, {mrNone}, false, -7, {kStart}},
  };
  for (const Case& c : cases) {
    TScriptedPrompt prompt(c.answers);
    std::int64_t target = c.target;
    EXPECT_EQ(CheckJumpAddress(target, 100, prompt), c.jumps) << c.name;
    EXPECT_EQ(target, c.landed) << c.name;
    EXPECT_EQ(prompt.Texts(), c.asked) << c.name;
    for (const TShownBox& box : prompt.shown) {
      EXPECT_EQ(box.kind, mtWarning) << c.name;
      EXPECT_EQ(box.buttons, kOkAbort) << c.name;
    }
  }
}

TEST(JumpAddress, TheFrameValueIsAnUnsigned32BitAddressOrDistance) {
  struct Case {
    TAddressMode mode;
    std::uint64_t value;
    std::int64_t caret, target;
    std::vector<std::string> asked;  // size 0x40
  };
  const Case cases[] = {
      {amAbsolute, 0x30, 0x10, 0x30, {}},
      {amForward, 0x30, 0x10, 0x40, {}},
      {amBackward, 0x30, 0x10, -0x20, {kStart}},
      {amForward, 0x1'0000'0005, 5, 10, {}},                  // the high half is not part of the value
      {amAbsolute, 0x80000000, 5, 0x80000000, {kEnd}},        // no address is negative
      {amAbsolute, 0xFFFFFFFF, 5, 0xFFFFFFFF, {kEnd}},
      {amForward, 0xFFFFFFFF, 5, 0x1'0000'0004, {kEnd}},      // far forwards, not one byte back
      {amBackward, 0xFFFFFFFE, 5, 5 - 0xFFFFFFFELL, {kStart}},  // far backwards, not two bytes on
  };
  for (const Case& c : cases) {
    std::int64_t target = AddressJumpTarget(c.mode, c.value, c.caret);
    EXPECT_EQ(target, c.target) << int(c.mode) << " " << c.value;
    TScriptedPrompt prompt({mrAbort});
    EXPECT_EQ(CheckJumpAddress(target, 0x40, prompt), c.asked.empty()) << int(c.mode) << " " << c.value;
    EXPECT_EQ(prompt.Texts(), c.asked) << int(c.mode) << " " << c.value;
  }
}

TEST(JumpAddress, RelativeStepsBeepOnZeroAndAreCheckedBothWays) {
  struct Case {
    std::uint64_t distance;
    bool upward;
    std::int64_t caret;
    std::deque<TModalResult> answers;
    std::optional<std::int64_t> target;  // size 0x40
    int beeps;
    std::vector<std::string> asked;
  };
  const Case cases[] = {
      {0x16, false, 0x00, {}, 0x16, 0, {}},
      {0x16, false, 0x2A, {}, 0x40, 0, {}},        // lands on the end position without a question
      {0x16, false, 0x2B, {mrOk}, 0x40, 0, {kEnd}},
      {0x16, false, 0x2B, {mrAbort}, std::nullopt, 0, {kEnd}},
      {0x16, true, 0x20, {}, 0x0A, 0, {}},
      {0x16, true, 0x10, {mrOk}, 0x00, 0, {kStart}},
      {0x16, true, 0x10, {mrAbort}, std::nullopt, 0, {kStart}},
      {0, false, 0x10, {}, std::nullopt, 1, {}},
      {0, true, 0x10, {}, std::nullopt, 1, {}},
  };
  for (const Case& c : cases) {
    TScriptedPrompt prompt(c.answers);
    EXPECT_EQ(RelativeJumpTarget(c.distance, c.upward, c.caret, 0x40, prompt), c.target)
        << c.distance << (c.upward ? " up from " : " down from ") << c.caret;
    EXPECT_EQ(prompt.beeps, c.beeps) << c.distance;
    EXPECT_EQ(prompt.Texts(), c.asked) << c.distance << " from " << c.caret;
  }
}

TEST(JumpAddress, ArrowKeysCycleTheRadix) {
  struct Case {
    TCardinalNumber from;
    bool down;
    TCardinalNumber to;
  };
  const Case cases[] = {
      {cnBinary, true, cnDecimal},   {cnDecimal, true, cnHexadecimal}, {cnHexadecimal, true, cnBinary},
      {cnBinary, false, cnHexadecimal}, {cnDecimal, false, cnBinary}, {cnHexadecimal, false, cnDecimal},
  };
  for (const Case& c : cases) EXPECT_EQ(RadixAfterArrow(c.from, c.down), c.to) << int(c.from) << c.down;
  EXPECT_EQ(LastByteAddress(0x40), 0x3F);
  EXPECT_EQ(LastByteAddress(0), 0);
}

}  // namespace
}  // namespace ovx::test
