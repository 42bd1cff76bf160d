// The options dialog without its window: its pages and controls, the record it edits, when
// 適用 is enabled, the colour page's same-colour rule and the key page's assignments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/Settings.h"

namespace ovx {

// The six pages in order, with their help contexts.
enum TOptionPage : int { opGlobal, opEdit, opView, opWindow, opColor, opKey, OptionPageCount };
struct TOptionPageInfo {
  const char* caption;
  int helpContext;
};
extern const TOptionPageInfo OptionPages[OptionPageCount];

// The controls of the first four pages, each bound to one setting.
enum TOptionControlKind : unsigned char { ockList, ockCheck, ockSpin, ockEdit };
struct TOptionControl {
  TOptionPage page;
  TOptionControlKind kind;
  const char* name;
  const char* caption;             // the label, or the check box's own caption
  std::vector<const char*> items;  // list items
  int min = 0, max = 0;            // spin range
  const char* unit = nullptr;      // text after a spin box
  // The setting: exactly one member is set.
  bool TEnvironmentSettings::*flag = nullptr;
  std::uint8_t TEnvironmentSettings::*byte = nullptr;
  std::int32_t TEnvironmentSettings::*number = nullptr;
  std::string TEnvironmentSettings::*text = nullptr;
  int listBase = 0;  // the setting's value of the first list item
};
const std::vector<TOptionControl>& OptionControls();

// The fixed notes of a page, top to bottom.
std::vector<const char*> OptionPageNotes(TOptionPage page);

// A control's value: the item index of a list, 0 or 1 of a check box, the number of a spin
// box, the text of an edit.
struct TOptionValue {
  int number = 0;
  std::string text;
  friend bool operator==(const TOptionValue&, const TOptionValue&) = default;
};
TOptionValue OptionValueOf(const TOptionControl& control, const TEnvironmentSettings& record);
// Stores a control's value into the record; a spin value is held inside its range.
void StoreOptionValue(const TOptionControl& control, const TOptionValue& value, TEnvironmentSettings& record);
// A spin box's text as a number: decimal digits (at most nine), blanks around them allowed;
// none for an empty text or anything else.
std::optional<int> SpinNumber(std::string_view text);

// The colour page's rows; the caret marker row has no sample and no background.
struct TColorRow {
  const char* label;
  const char* name;       // prefix of the sample's and buttons' names
  const char* sample;     // "B4", "EOF", or none
  std::uint32_t TColorSettings::*font;
  std::uint32_t TColorSettings::*background;  // none for the caret marker
};
constexpr int ColorRowCount = 8;
extern const TColorRow ColorRows[ColorRowCount];
// Rows whose background follows the normal one while 同じ色 is checked.
bool FollowsNormalBackground(int row);

// The key page's shift list: items 0 to 3 are shift states, 4 to 8 user menus 1 to 5.
extern const std::vector<const char*> KeyShiftItems;
extern const std::vector<const char*> KeyTemplateItems;
// The key names the shift item offers.
std::vector<std::string> KeyNamesForShiftItem(int shiftItem);

class TEnvironmentForm {
 public:
  using TApply = std::function<void(const TEnvironmentSettings&)>;
  // Opening: the record is copied, 同じ色 taken from its colours, the key page set to "なし".
  TEnvironmentForm(const TEnvironmentSettings& record, TApply apply);

  const TEnvironmentSettings& Record() const { return record_; }
  bool ApplyEnabled() const { return applyEnabled_; }
  // The user changed a list, check, spin or edit of the first four pages (its index in
  // OptionControls()).
  void Changed(std::size_t control);
  bool ControlChanged(std::size_t control) const { return control < changed_.size() && changed_[control]; }
  // What a control holds now, or none when it holds no value (a spin box whose text is not a
  // number).
  using TReadControl = std::function<std::optional<TOptionValue>(std::size_t control)>;
  // 適用: the controls the user changed since the last 適用 are read into the record, each
  // into its own setting; the others leave their settings exactly as they were (also a value
  // a control cannot show). A control that holds no value keeps its setting. Then the apply
  // callback runs and 適用 is disabled. Returns the controls read, which show the record again.
  std::vector<std::size_t> Apply(const TReadControl& read);
  // OK: 適用 when it is enabled. The dialog closes afterwards.
  void Ok(const TReadControl& read);

  // Colour page.
  std::uint32_t& Color(std::uint32_t TColorSettings::*member) { return record_.Colors.*member; }
  // A colour confirmed in the colour dialog.
  void SetColor(std::uint32_t TColorSettings::*member, std::uint32_t color);
  bool SameColor() const { return sameColor_; }
  void SetSameColor(bool on);
  bool ColorButtonEnabled(int row, bool background) const;

  // Key page.
  int TemplateIndex() const { return record_.KeyAssignType; }
  void SetTemplate(int index);
  int ShiftItem() const { return shiftItem_; }
  // Changing the shift item clears the key selection.
  void SetShiftItem(int item);
  const std::vector<std::string>& KeyNames() const { return keyNames_; }
  int SelectedKey() const { return selectedKey_; }
  void SelectKey(int listIndex);
  // The command bound to the selected key, -1 for none or without a selection.
  TCommandId SelectedEntry() const;
  // The description of SelectedEntry, empty for none.
  std::string OperateName() const;
  // Binds the selected key (false without one); the template becomes "任意".
  bool Assign(TCommandId id);
  // Unbinds the selected key when it is bound; the template becomes "任意".
  bool ClearSelected();

 private:
  TCommandId* SelectedSlot();

  TEnvironmentSettings record_;
  TApply apply_;
  std::vector<bool> changed_;
  bool applyEnabled_ = false;
  bool sameColor_ = false;
  int shiftItem_ = 0;
  std::vector<std::string> keyNames_;
  int selectedKey_ = -1;
};

}  // namespace ovx
