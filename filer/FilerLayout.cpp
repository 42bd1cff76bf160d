#include "filer/FilerLayout.h"

#include <algorithm>
#include <cstdio>

#include "charset/StrUty.h"
#include "filer/FilerInteger.h"

namespace ovx {
namespace {

constexpr int kAutomatic = -1;

std::vector<std::string_view> SplitLine(std::string_view line) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t tab = line.find('\t', start);
    parts.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return parts;
    start = tab + 1;
  }
}

// A parameter of a command line; a missing one reads as empty, never past the line.
std::string_view At(const std::vector<std::string_view>& p, std::size_t i) { return i < p.size() ? p[i] : std::string_view(); }

std::int32_t Integer(std::string_view text) {
  std::int32_t value = 0;
  ReadStoredInteger(text, value);
  return value;
}

// INDENT and MARGIN: "*" or a number of pixels.
int PixelsOrAutomatic(std::string_view text) { return text == "*" ? kAutomatic : Integer(text); }

// Addresses wrap as 32-bit patterns, the way the template writes negative bases.
std::int32_t AddAddress(std::int32_t base, std::int32_t address) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(address));
}

std::string AddressHint(std::int32_t address) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%8.8X", static_cast<unsigned>(address));
  return text;
}

std::string BitHint(std::int32_t address, int bit) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%8.8X - %d", static_cast<unsigned>(address), bit);
  return text;
}

TFilerControl MakeControl(TFilerControlKind kind, TFilerRect rect, std::string text = {}) {
  TFilerControl control;
  control.kind = kind;
  control.rect = rect;
  control.text = std::move(text);
  return control;
}

class TPageBuilder {
 public:
  TPageBuilder(TFilerLayout& layout, const TFilerMeasure& measure) : layout_(layout), measure_(measure) {}

  void Line(const std::vector<std::string_view>& p) {
    const std::string_view name = At(p, 0);
    if (name == "BIGENDIAN" || name == "LITTLEENDIAN") {
      bigEndian_ = name == "BIGENDIAN";
    } else if (name == "DISABLE" || name == "ENABLE") {
      editable_ = name == "ENABLE";
    } else if (name == "INDENT") {
      indent_ = PixelsOrAutomatic(At(p, 1));
    } else if (name == "MARGIN") {
      margin_ = PixelsOrAutomatic(At(p, 1));
    } else if (name == "SEGMENT") {
      base_ = Integer(At(p, 1));
    } else if (name == "TITLE") {
      layout_.title = SJisToUtf8(At(p, 1));
    } else if (name == "PAGE") {
      StartPage(SJisToUtf8(At(p, 1)));
    } else {
      if (layout_.pages.empty()) StartPage("(no title)");
      Control(p);
    }
  }

 private:
  TFilerPage& Page() { return layout_.pages.back(); }

  void StartPage(std::string title) {
    layout_.pages.emplace_back().title = std::move(title);
    y_ = 8;
    indent_ = margin_ = kAutomatic;
    base_ = 0;
    editable_ = true;
  }

  int FieldLeft() const { return indent_ == kAutomatic ? 24 : indent_ + 8; }

  void Control(const std::vector<std::string_view>& p) {
    const std::string_view name = At(p, 0);
    if (name == "EDITINTEGER" || name == "EDITSELECT" || name == "EDITSTRING") {
      EditorField(p);
    } else if (name == "EDITBIT") {
      BitField(p);
    } else if (name == "LABEL") {
      const std::string text = SJisToUtf8(At(p, 1));
      Place(MakeControl(fcLabel, {indent_ == kAutomatic ? 8 : indent_ + 8, y_, measure_.TextWidth(text), measure_.Height(fcLabel)},
                        text));
    } else if (name == "HORIZONTALRULE") {
      Place(MakeControl(fcRule, {4, y_, Page().width - 8, 3}));
    } else if (name == "MESSAGE") {
      std::string text;
      for (std::size_t i = 3; i < p.size(); ++i) {
        if (i > 3) text += "\r\n";
        text += SJisToUtf8(p[i]);
      }
      Place(MakeControl(fcMessage, {FieldLeft(), y_, Integer(At(p, 1)), Integer(At(p, 2))}, std::move(text)));
    }
  }

  TFilerField NewField(TFilerControlKind kind, std::string_view address) {
    TFilerField field;
    field.kind = kind;
    field.address = AddAddress(base_, Integer(address));
    field.bigEndian = bigEndian_;
    field.editable = editable_;
    return field;
  }

  void EditorField(const std::vector<std::string_view>& p) {
    const std::string_view name = At(p, 0);
    TFilerControlKind kind = name == "EDITINTEGER" ? fcInteger : name == "EDITSELECT" ? fcSelect : fcString;
    TFilerField field = NewField(kind, At(p, 2));
    field.width = Integer(At(p, 3));
    int editorWidth = 64;
    if (kind == fcInteger) {
      field.minimum = Integer(At(p, 4));
      field.maximum = Integer(At(p, 5));
      // Wide enough for the longest value of its width (a sign and all digits) beside its spin button.
      const int longest = field.width == 1 ? 4 : field.width == 2 ? 6 : 11;
      editorWidth = std::max(measure_.TextWidth(std::string(longest, '0')) + 32, 64);
    } else if (kind == fcString) {
      field.pad = static_cast<std::uint8_t>(Integer(At(p, 4)));
      editorWidth = 200;
    } else {
      int widest = 0;
      for (std::size_t i = 4; i < p.size(); ++i) {
        const std::size_t arrow = p[i].find("=>");
        TFilerSelectItem item{SJisToUtf8(p[i].substr(arrow + 2)), Integer(p[i].substr(0, arrow))};
        widest = std::max(widest, measure_.TextWidth(item.text));
        field.items.push_back(std::move(item));
      }
      editorWidth = std::max(widest + 32, 64);
    }
    const std::string label = SJisToUtf8(At(p, 1));
    // The label does not widen or lengthen the page; its editor does.
    TFilerRect labelRect{FieldLeft(), y_ + 4, measure_.TextWidth(label), measure_.Height(fcLabel)};
    Page().controls.push_back(MakeControl(fcFieldLabel, labelRect, label));
    const int editorLeft = margin_ == kAutomatic ? labelRect.Right() + 4 : labelRect.left + margin_;
    AddField(std::move(field), MakeControl(kind, {editorLeft, y_, editorWidth, measure_.Height(kind)}));
  }

  void BitField(const std::vector<std::string_view>& p) {
    TFilerField field = NewField(fcBit, At(p, 2));
    field.bit = Integer(At(p, 3));
    const std::string label = SJisToUtf8(At(p, 1));
    AddField(std::move(field),
             MakeControl(fcBit, {FieldLeft(), y_ + 2, measure_.TextWidth(label) + 20, measure_.Height(fcBit)}, label));
  }

  void AddField(TFilerField field, TFilerControl editor) {
    const int index = static_cast<int>(layout_.fields.size());
    editor.field = index;
    editor.hint = field.kind == fcBit ? BitHint(field.address, field.bit) : AddressHint(field.address);
    layout_.fields.push_back(std::move(field));
    const TFilerRect at = editor.rect;
    Place(std::move(editor));
    TFilerControl jump = MakeControl(fcJump, {at.Right(), at.top, kFilerJumpSize, kFilerJumpSize});
    jump.field = index;
    Place(std::move(jump));
  }

  // Every placed control widens and lengthens the page to hold it; the next row starts below it.
  // A rule spans the page and so never widens it.
  void Place(TFilerControl control) {
    TFilerPage& page = Page();
    const TFilerRect r = control.rect;
    const bool rule = control.kind == fcRule;
    page.controls.push_back(std::move(control));
    if (!rule) page.width = std::max(page.width, r.Right() + 8);
    if (r.Bottom() + 8 > page.height) {
      page.height = r.Bottom() + 8;
      y_ = r.Bottom() + 4;
    }
    for (TFilerControl& c : page.controls)
      if (c.kind == fcRule) c.rect.width = page.width - 8;
  }

  TFilerLayout& layout_;
  const TFilerMeasure& measure_;
  int y_ = 8;
  int indent_ = kAutomatic, margin_ = kAutomatic;
  std::int32_t base_ = 0;
  bool editable_ = true;
  bool bigEndian_ = false;
};

}  // namespace

TFilerLayout LayoutFilerPages(const TFilerCommandList& edit, const TFilerMeasure& measure) {
  TFilerLayout layout;
  TPageBuilder builder(layout, measure);
  for (const std::string& line : edit) builder.Line(SplitLine(line));
  return layout;
}

std::string FilerWindowCaption(std::string_view title) { return std::string(title) + " - ファイラーツール"; }

}  // namespace ovx
