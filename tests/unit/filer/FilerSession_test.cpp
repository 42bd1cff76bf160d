// Re-read and apply: the order in which undo groups, the initialisation list, the fields, the end
// list and the refresh meet the document.
#include <gtest/gtest.h>

#include "filer/FilerSession.h"
#include "tests/unit/filer/FilerTestSupport.h"

namespace ovx::test {
namespace {

class TNoMeasure final : public TFilerMeasure {
 public:
  int TextWidth(std::string_view) const override { return 0; }
  int Height(TFilerControlKind) const override { return 20; }
};

// Records every call in order: "close", "refresh", "read A", "patch A=bytes".
class TRecordingDocument final : public TFilerDocument {
 public:
  TRecordingDocument(std::vector<std::uint8_t> data, bool viewOnly) : target(std::move(data), viewOnly) {}
  std::int32_t Size() const override { return target.Size(); }
  void ReadData(std::uint8_t* buffer, std::int32_t address, std::int32_t count) const override {
    log.push_back("read " + std::to_string(address));
    target.ReadData(buffer, address, count);
  }
  void PatchBytes(const std::uint8_t* data, std::int32_t address, std::int32_t count) override {
    std::string entry = "patch " + std::to_string(address) + "=";
    for (int i = 0; i < count; ++i) entry += std::to_string(data[i]) + (i + 1 < count ? "," : "");
    log.push_back(entry);
    target.PatchBytes(data, address, count);
  }
  bool ViewOnly() const override { return target.ViewOnly(); }
  void CloseUndoGroup() override { log.push_back("close"); }
  void Refresh() override { log.push_back("refresh"); }

  TVectorTarget target;
  mutable std::vector<std::string> log;
};

TFilerProgram Program(const TParsed& parsed) {
  TFilerProgram program;
  program.initialize = parsed.initialize;
  program.edit = parsed.edit;
  program.finalize = parsed.finalize;
  LayOutFilerProgram(program, TNoMeasure());
  return program;
}

const std::string kTemplate =
    "INITIALIZE WRITEINTEGER(0,1,9) FINALIZE WRITEINTEGER(3,1,7) COMMAND "
    "EDITINTEGER(a,0,1,0,0) PAGE(two) EDITBIT(b,1,1) EDITINTEGER(past,4,1,0,0)";

struct TSessionCase {
  const char* name;
  std::string text;
  bool viewOnly;
  bool apply;  // else re-read
  std::vector<std::string> log;
};
void PrintTo(const TSessionCase& c, std::ostream* os) { *os << c.name; }

const TSessionCase kCases[] = {
    // every write reads first: bytes already in place are not written again
    {"Reread", kTemplate, false, false, {"close", "read 0", "patch 0=9", "read 0", "read 1", "close", "refresh"}},
    {"RereadViewOnlyOnlyReads", kTemplate, true, false, {"read 0", "read 1"}},
    // after a read in which the user changed every field: the one past the end is skipped; then the end list
    {"Apply", kTemplate, false, true,
     {"close", "read 0", "patch 0=0", "read 1", "read 1", "patch 1=0", "read 3", "patch 3=7", "close", "refresh"}},
    {"ApplyViewOnlyDoesNothing", kTemplate, true, true, {}},
    {"RereadWithoutPagesSkipsInitialisation", "INITIALIZE WRITEINTEGER(0,1,9)", false, false, {}},
    {"ApplyWithoutPagesSkipsEnd", "FINALIZE WRITEINTEGER(0,1,9)", false, true, {}},
};

class FilerSessionOrder : public ::testing::TestWithParam<TSessionCase> {};

TEST_P(FilerSessionOrder, CallsInOrder) {
  const TSessionCase& c = GetParam();
  TParsed parsed = Parse(c.text);
  ASSERT_FALSE(parsed.error.Error) << parsed.error.Message;
  TFilerProgram program = Program(parsed);
  TRecordingDocument document({1, 2, 3, 4}, c.viewOnly);
  TScriptedPrompt prompt;
  if (c.apply) {
    RereadFiler(program, document, prompt);
    for (TFilerFieldValue& value : program.values) {
      value = InitialFilerFieldValue(program.layout.fields[&value - program.values.data()]);
      value.changed = value.enabled = true;
    }
    document.log.clear();
  }
  const bool ran = c.apply ? ApplyFiler(program, document, prompt) : RereadFiler(program, document, prompt);
  EXPECT_EQ(ran, !c.log.empty());
  EXPECT_EQ(document.log, c.log);
}

INSTANTIATE_TEST_SUITE_P(Cases, FilerSessionOrder, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FilerSessionValues, RereadShowsWhatTheInitialisationWrote) {
  TParsed parsed = Parse(kTemplate);
  TFilerProgram program = Program(parsed);
  TRecordingDocument document({1, 2, 3, 4}, false);
  TScriptedPrompt prompt;
  RereadFiler(program, document, prompt);
  ASSERT_EQ(program.values.size(), 3u);
  EXPECT_EQ(program.values[0].integer, 9);
  EXPECT_TRUE(program.values[1].checked);
  EXPECT_FALSE(program.values[2].jumpEnabled);
}

// Apply writes only what the user changed since the last read, never a field that was out of
// range when read, and never undoes one field's change with another field over the same byte.
TEST(FilerSessionValues, ApplyWritesOnlyChangedFields) {
  // The end list writes the byte that is already there: that is no write either.
  TParsed parsed = Parse("EDITINTEGER(packed,0,1,0,0) EDITBIT(top,0,7) EDITSTRING(s,1,3,32) EDITINTEGER(late,4,1,0,0) "
                         "FINALIZE WRITEINTEGER(3,1,0x63)");
  TFilerProgram program = Program(parsed);
  TVectorDocument document({0x01, 'a', 0, 'c'});
  TScriptedPrompt prompt;
  RereadFiler(program, document, prompt);
  ASSERT_TRUE(ApplyFiler(program, document, prompt));
  EXPECT_EQ(document.target.patches.size(), 0u) << "an unchanged apply writes nothing";

  document.target.data.push_back(0x55);  // the document grows under the tool
  program.values[1].checked = program.values[1].changed = true;
  program.values[3].integer = 9;
  program.values[3].changed = true;
  ASSERT_TRUE(ApplyFiler(program, document, prompt));
  EXPECT_EQ(document.target.data, (std::vector<std::uint8_t>{0x81, 'a', 0, 'c', 0x55}));
  EXPECT_FALSE(program.values[1].changed) << "an apply counts the fields unchanged again";
}

}  // namespace
}  // namespace ovx::test
