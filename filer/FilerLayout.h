// The pages of a loaded template: the edit list turned into labelled field controls with their
// places on each page, the fields' bound data, and the window caption a TITLE line asks for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "filer/FilerParser.h"

namespace ovx {

enum TFilerControlKind : unsigned char {
  fcLabel,       // a LABEL line
  fcFieldLabel,  // the label in front of an integer, select or string editor
  fcInteger,     // spin edit
  fcSelect,      // drop-down list
  fcString,      // single-line edit
  fcBit,         // check box, captioned with its label
  fcJump,        // the jump button beside every field
  fcRule,        // horizontal rule
  fcMessage,     // read-only text area
};

struct TFilerRect {
  int left = 0, top = 0, width = 0, height = 0;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  friend bool operator==(const TFilerRect&, const TFilerRect&) = default;
};

struct TFilerSelectItem {
  std::string text;  // UTF-8
  std::int32_t value = 0;
};

// The data a field control is bound to; the address is fixed when the field is made.
struct TFilerField {
  TFilerControlKind kind = fcInteger;  // fcInteger, fcSelect, fcString or fcBit
  std::int32_t address = 0;            // absolute: the page's base plus the field's address
  std::int32_t width = 1;              // bytes: 1, 2 or 4; a string's length; 1 for a bit
  std::int32_t minimum = 0, maximum = 0;
  bool bigEndian = false;
  bool editable = true;
  std::vector<TFilerSelectItem> items;
  std::uint8_t pad = 0;  // string
  int bit = 0;           // bit
};

struct TFilerControl {
  TFilerControlKind kind = fcLabel;
  TFilerRect rect;
  std::string text;  // UTF-8: a label, a check box caption, a message area's lines
  std::string hint;  // the address of an editor
  int field = -1;    // editors and jump buttons: index into TFilerLayout::fields
};

struct TFilerPage {
  std::string title;  // UTF-8
  int width = 10, height = 10;  // the panel that holds the controls
  std::vector<TFilerControl> controls;
};

struct TFilerLayout {
  std::vector<TFilerPage> pages;
  // Every field of every page, in page order and creation order.
  std::vector<TFilerField> fields;
  // The text of the last TITLE line, when there was one.
  std::optional<std::string> title;
};

// What the layout needs to know about the platform's controls.
class TFilerMeasure {
 public:
  virtual ~TFilerMeasure() = default;
  // Width in pixels of a UTF-8 text in the window's font.
  virtual int TextWidth(std::string_view utf8) const = 0;
  // Height in pixels of a control of that kind (rules and message areas have their own).
  virtual int Height(TFilerControlKind kind) const = 0;
};

// Interprets the edit list line by line.
TFilerLayout LayoutFilerPages(const TFilerCommandList& edit, const TFilerMeasure& measure);

// Size of the jump button beside every field.
constexpr int kFilerJumpSize = 20;

// The caption of the tool window for a TITLE text.
std::string FilerWindowCaption(std::string_view title);

}  // namespace ovx
