#include <gtest/gtest.h>

#include <optional>

#include "app/EnvironmentForm.h"

namespace ovx {
namespace {

const TOptionControl& Control(const std::string& name) {
  for (const TOptionControl& c : OptionControls())
    if (name == c.name) return c;
  ADD_FAILURE() << "no control " << name;
  return OptionControls().front();
}

// Every control reads its own setting and writes it back, and nothing else.
TEST(AppEnvironmentForm, EveryControlFillsFromItsSettingAndStoresBack) {
  struct Case {
    const char* control;
    TOptionValue shown;   // what the control shows for the changed record
    std::function<void(TEnvironmentSettings&)> change;
  };
  const Case cases[] = {
      {"InputMode", {1, ""}, [](auto& s) { s.InputMode = 1; }},
      {"CharaSet", {4, ""}, [](auto& s) { s.CharaSet = 4; }},
      {"CheckSum", {1, ""}, [](auto& s) { s.CheckSum = 1; }},
      {"Bits", {2, ""}, [](auto& s) { s.IntWidth = 3; }},  // "32 bit"
      {"Number", {2, ""}, [](auto& s) { s.IntCardinal = 2; }},
      {"ByteOrder", {1, ""}, [](auto& s) { s.ByteOrder = 1; }},
      {"ViewExt", {0, "bin;dat"}, [](auto& s) { s.ViewModeExt = "bin;dat"; }},
      {"UndoBuffer", {1024, ""}, [](auto& s) { s.UndoBuffer = 1024; }},
      {"UndoPacked", {1, ""}, [](auto& s) { s.UndoPacked = true; }},
      {"UndoFlushWithSaved", {0, ""}, [](auto& s) { s.UndoFlushWithSaved = false; }},
      {"ExpandTenKey", {0, ""}, [](auto& s) { s.ExpandTenKey = false; }},
      {"UndoOverflowSound", {0, ""}, [](auto& s) { s.UndoOverflowSound = false; }},
      {"BackupFileMake", {0, ""}, [](auto& s) { s.MakeBackFile = false; }},
      {"FontSize", {30, ""}, [](auto& s) { s.FontHeight = 30; }},
      {"ToolBar", {0, ""}, [](auto& s) { s.ToolBar = false; }},
      {"FunctionBar", {0, ""}, [](auto& s) { s.FunctionBar = false; }},
      {"InformationPanel", {0, ""}, [](auto& s) { s.InformationPanel = false; }},
      {"Compare", {0, ""}, [](auto& s) { s.CompareArrow = false; }},
      {"StatusBar", {0, ""}, [](auto& s) { s.StatusBar = false; }},
      {"CaretMarker", {0, ""}, [](auto& s) { s.CaretMarker = false; }},
      {"CompareColor", {0, ""}, [](auto& s) { s.CompareColor = false; }},
      {"ProfileMax", {10, ""}, [](auto& s) { s.ProfileMax = 10; }},
      {"ProfileNotExistToCenter", {0, ""}, [](auto& s) { s.ProfileNotExistToCenter = false; }},
      {"ProfilePositionLoad", {0, ""}, [](auto& s) { s.ProfilePositionLoad = false; }},
      {"ProfileWindowLoad", {0, ""}, [](auto& s) { s.ProfileWindowLoad = false; }},
      {"NewWindowMoveCenter", {0, ""}, [](auto& s) { s.NewWindowMoveCenter = false; }},
      {"DialogFlattery", {0, ""}, [](auto& s) { s.DialogFlattery = false; }},
      {"DialogAutoHidden", {0, ""}, [](auto& s) { s.DialogAutoHidden = false; }},
      {"OpeningDialog", {0, ""}, [](auto& s) { s.OpeningDlg = false; }},
  };
  ASSERT_EQ(std::size(cases), OptionControls().size());
  const TEnvironmentSettings defaults = DefaultEnvironmentSettings();
  for (const Case& c : cases) {
    const TOptionControl& control = Control(c.control);
    TEnvironmentSettings changed = defaults;
    c.change(changed);
    EXPECT_EQ(OptionValueOf(control, changed), c.shown) << c.control;
    EXPECT_NE(OptionValueOf(control, defaults), c.shown) << c.control << " shows the same for the default";
    TEnvironmentSettings stored = defaults;
    StoreOptionValue(control, c.shown, stored);
    EXPECT_EQ(stored, changed) << c.control;
  }
}

TEST(AppEnvironmentForm, SpinsHoldTheirRangeAndPagesKeepTheirOrder) {
  TEnvironmentSettings s = DefaultEnvironmentSettings();
  StoreOptionValue(Control("FontSize"), {9, ""}, s);
  EXPECT_EQ(s.FontHeight, 10);
  StoreOptionValue(Control("UndoBuffer"), {5000, ""}, s);
  EXPECT_EQ(s.UndoBuffer, 1024);
  StoreOptionValue(Control("ProfileMax"), {201, ""}, s);
  EXPECT_EQ(s.ProfileMax, 200);
  const char* captions[] = {"一般", "編集", "表示", "ウィンドウ", "配色", "キー"};
  for (int p = 0; p < OptionPageCount; ++p) {
    EXPECT_STREQ(OptionPages[p].caption, captions[p]);
    EXPECT_EQ(OptionPages[p].helpContext, 192 + p);
  }
}

std::size_t IndexOf(const std::string& name) {
  for (std::size_t i = 0; i < OptionControls().size(); ++i)
    if (name == OptionControls()[i].name) return i;
  ADD_FAILURE() << "no control " << name;
  return 0;
}

TEST(AppEnvironmentForm, ApplyOkAndCancelOutcomes) {
  struct Case {
    const char* name;
    bool change;
    std::vector<const char*> buttons;  // "apply", "ok"
    int applied;                       // calls of the apply callback
    int fontHeight;                    // what the last call carried (0: none)
  };
  const Case cases[] = {
      {"OK without change calls nothing", false, {"ok"}, 0, 0},
      {"cancel after a change calls nothing", true, {}, 0, 0},
      {"OK after a change applies once", true, {"ok"}, 1, 20},
      {"apply then OK applies once", true, {"apply", "ok"}, 1, 20},
  };
  for (const Case& c : cases) {
    int calls = 0, lastHeight = 0;
    TEnvironmentForm form(DefaultEnvironmentSettings(), [&](const TEnvironmentSettings& s) {
      ++calls;
      lastHeight = s.FontHeight;
    });
    EXPECT_FALSE(form.ApplyEnabled());
    if (c.change) form.Changed(IndexOf("FontSize"));
    auto read = [&](std::size_t) { return std::optional<TOptionValue>({20, ""}); };
    for (const char* b : c.buttons) {
      if (std::string(b) == "ok")
        form.Ok(read);
      else
        form.Apply(read);
    }
    EXPECT_EQ(calls, c.applied) << c.name;
    EXPECT_EQ(lastHeight, c.fontHeight) << c.name;
    if (!c.buttons.empty()) EXPECT_FALSE(form.ApplyEnabled()) << c.name;
  }
}

// Only what the user changed is read: the others keep their settings, also values their
// controls cannot show (beyond a spin box's range, longer than an edit holds).
TEST(AppEnvironmentForm, ApplyReadsOnlyTheChangedControls) {
  TEnvironmentSettings start = DefaultEnvironmentSettings();
  start.UndoBuffer = 4096;
  start.FontHeight = 40;
  start.ProfileMax = 5;
  start.ViewModeExt = std::string(3000, 'x');
  TEnvironmentSettings applied;
  TEnvironmentForm form(start, [&](const TEnvironmentSettings& s) { applied = s; });
  std::vector<std::size_t> asked;
  // Every control shows something else than the record holds: what a reading of all of them
  // would store.
  auto read = [&](std::size_t i) {
    asked.push_back(i);
    const TOptionControl& c = OptionControls()[i];
    return std::optional<TOptionValue>({c.kind == ockCheck ? 1 - OptionValueOf(c, start).number : c.min, "cut"});
  };
  form.Changed(IndexOf("ToolBar"));
  EXPECT_EQ(form.Apply(read), std::vector<std::size_t>{IndexOf("ToolBar")});
  EXPECT_EQ(asked, std::vector<std::size_t>{IndexOf("ToolBar")});
  TEnvironmentSettings expected = start;
  expected.ToolBar = false;
  EXPECT_EQ(applied, expected);
  // A second apply reads only what changed after the first.
  asked.clear();
  form.Changed(IndexOf("UndoBuffer"));
  form.Apply(read);
  EXPECT_EQ(asked, std::vector<std::size_t>{IndexOf("UndoBuffer")});
  expected.UndoBuffer = 0;
  EXPECT_EQ(applied, expected);
}

// A spin box emptied or holding no number keeps its setting; the other changes apply.
TEST(AppEnvironmentForm, ASpinWithoutANumberKeepsItsSetting) {
  struct Case {
    const char* text;
    std::optional<int> number;
  };
  const Case cases[] = {{"", std::nullopt},    {"   ", std::nullopt},     {"12", 12},  {" 30 ", 30},
                        {"1a", std::nullopt},  {"-5", std::nullopt},     {"0", 0},    {"123456789", 123456789},
                        {"1234567890", std::nullopt}, {"１２", std::nullopt}};
  for (const Case& c : cases) {
    EXPECT_EQ(SpinNumber(c.text), c.number) << '"' << c.text << '"';
  }

  TEnvironmentSettings start = DefaultEnvironmentSettings();
  start.UndoBuffer = 512;
  TEnvironmentSettings applied;
  int calls = 0;
  TEnvironmentForm form(start, [&](const TEnvironmentSettings& s) { applied = s, ++calls; });
  form.Changed(IndexOf("UndoBuffer"));
  form.Changed(IndexOf("FontSize"));
  form.Changed(IndexOf("UndoPacked"));
  form.Ok([&](std::size_t i) -> std::optional<TOptionValue> {
    if (i == IndexOf("UndoPacked")) return TOptionValue{1, ""};
    return SpinNumber("").has_value() ? std::optional<TOptionValue>(TOptionValue{}) : std::nullopt;
  });
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(applied.UndoBuffer, 512);
  EXPECT_EQ(applied.FontHeight, start.FontHeight);
  EXPECT_TRUE(applied.UndoPacked);
}

TEST(AppEnvironmentForm, SameColorFollowsTheNormalBackground) {
  TEnvironmentSettings s = DefaultEnvironmentSettings();
  s.Colors.OverBG = 0x123456;  // differs from the normal background: not checked at opening
  TEnvironmentForm form(s, nullptr);
  EXPECT_FALSE(form.SameColor());
  form.SetColor(&TColorSettings::NormalBG, 0x00ABCDEF);
  EXPECT_EQ(form.Record().Colors.DifferenceBG, s.Colors.DifferenceBG) << "unchecked: the others stay";
  EXPECT_TRUE(form.ApplyEnabled());

  form.SetSameColor(true);
  for (auto bg : {&TColorSettings::DifferenceBG, &TColorSettings::DifferenceBiggerBG,
                  &TColorSettings::DifferenceSmallerBG, &TColorSettings::OverBG})
    EXPECT_EQ(form.Record().Colors.*bg, 0x00ABCDEFu);
  EXPECT_EQ(form.Record().Colors.SelectBG, s.Colors.SelectBG);
  const bool enabled[ColorRowCount] = {true, false, false, false, false, true, true, false};
  for (int row = 0; row < ColorRowCount; ++row) {
    EXPECT_EQ(form.ColorButtonEnabled(row, true), enabled[row]) << row;
    EXPECT_TRUE(form.ColorButtonEnabled(row, false)) << row;
  }
  form.SetColor(&TColorSettings::NormalBG, 0x00000011);
  EXPECT_EQ(form.Record().Colors.DifferenceSmallerBG, 0x00000011u);
  form.SetSameColor(false);
  EXPECT_TRUE(form.ColorButtonEnabled(2, true));
  EXPECT_EQ(form.Record().Colors.OverBG, 0x00000011u) << "unchecking leaves the colours";

  EXPECT_TRUE(TEnvironmentForm(DefaultEnvironmentSettings(), nullptr).SameColor());
}

TEST(AppEnvironmentForm, KeyListsPerShiftState) {
  struct Case {
    int shiftItem;
    size_t count;
    const char* first;
    const char* last;
  };
  const Case cases[] = {
      {0, 31, "{F1}", "{Application}"}, {1, 31, "{F1}", "{Application}"}, {2, 79, "{0}", "{Application}"},
      {3, 79, "{0}", "{Application}"},  {4, 26, "{A}", "{Z}"},            {8, 26, "{A}", "{Z}"},
  };
  for (const Case& c : cases) {
    auto names = KeyNamesForShiftItem(c.shiftItem);
    ASSERT_EQ(names.size(), c.count) << c.shiftItem;
    EXPECT_EQ(names.front(), c.first) << c.shiftItem;
    EXPECT_EQ(names.back(), c.last) << c.shiftItem;
  }
  EXPECT_EQ(KeyNamesForShiftItem(0)[29], "{Pause}");
  EXPECT_EQ(KeyNamesForShiftItem(2)[77], "{Space}");
}

TEST(AppEnvironmentForm, KeyAssignmentsAndTemplates) {
  TEnvironmentForm form(DefaultEnvironmentSettings(), nullptr);
  // "{0}" with Ctrl is key index 0 and shows its own binding.
  form.SetShiftItem(2);
  form.SelectKey(0);
  EXPECT_EQ(form.SelectedEntry(), NoCommand);
  EXPECT_TRUE(form.Assign(cmVERSION));
  EXPECT_EQ(KeyMapEntry(form.Record().KeyMap, 2, 0), cmVERSION);
  EXPECT_EQ(form.OperateName(), "バージョン情報");
  EXPECT_EQ(form.TemplateIndex(), katCustom);
  // F9 without shift: WINDOWLIST in the Windows template.
  form.SetShiftItem(0);
  EXPECT_EQ(form.SelectedKey(), -1) << "changing the shift state clears the selection";
  EXPECT_FALSE(form.Assign(cmOPTION));
  form.SelectKey(8);
  EXPECT_EQ(form.OperateName(), "ウィンドウ一覧");
  // User menu 2, letter C.
  form.SetShiftItem(5);
  form.SelectKey(2);
  EXPECT_TRUE(form.Assign(cmOPTION));
  EXPECT_EQ(UserMenuEntry(form.Record().KeyMap, 1, 12), cmOPTION);

  // The MS-DOS template discards every own assignment, user menus included.
  form.SetTemplate(katMsDos);
  TKeyMap msDos;
  MsDosStandardKeyMap(msDos);
  EXPECT_EQ(form.Record().KeyMap, msDos);
  EXPECT_EQ(form.Record().KeyAssignType, katMsDos);
  EXPECT_EQ(form.SelectedEntry(), NoCommand) << "the selected key shows the new map";
  // Clearing an unbound key changes nothing; a bound one switches to "任意".
  EXPECT_FALSE(form.ClearSelected());
  EXPECT_EQ(form.TemplateIndex(), katMsDos);
  form.SetShiftItem(0);
  form.SelectKey(0);  // {F1}
  ASSERT_NE(form.SelectedEntry(), NoCommand);
  EXPECT_TRUE(form.ClearSelected());
  EXPECT_EQ(form.SelectedEntry(), NoCommand);
  EXPECT_EQ(form.OperateName(), "");
  EXPECT_EQ(form.TemplateIndex(), katCustom);
  EXPECT_TRUE(form.ApplyEnabled());
}

}  // namespace
}  // namespace ovx
