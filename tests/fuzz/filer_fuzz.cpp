// libFuzzer target: any bytes as a template file. Parses it (header lines too) and, when it
// parses, runs its initialisation and end lists on a small document, then lays out its pages,
// reads every field, gives every field a value taken from the input and applies them. Aborts
// when a write leaves the document or changes its size, an apply leaves a field marked changed,
// or a field accepts a typed value it cannot hold.
//
// Input: one control byte, the template up to the first NUL byte, and after that NUL the bytes
// that fill the document and then the fields (missing bytes count as 0).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "charset/StrUty.h"
#include "filer/FilerDefine.h"
#include "filer/FilerParser.h"
#include "filer/FilerRunner.h"
#include "filer/FilerSession.h"
#include "filer/FilerText.h"

namespace {

class TSmallDocument : public ovx::TFilerDocument {
 public:
  TSmallDocument(std::vector<std::uint8_t> data, bool viewOnly) : data_(std::move(data)), viewOnly_(viewOnly) {}
  std::int32_t Size() const override { return static_cast<std::int32_t>(data_.size()); }
  void ReadData(std::uint8_t* buffer, std::int32_t address, std::int32_t count) const override {
    for (std::int32_t i = 0; i < count; ++i) {
      const std::int64_t at = std::int64_t{address} + i;
      buffer[i] = at >= 0 && at < Size() ? data_[static_cast<std::size_t>(at)] : 0;
    }
  }
  void PatchBytes(const std::uint8_t* data, std::int32_t address, std::int32_t count) override {
    if (viewOnly_ || address < 0 || count <= 0 || std::int64_t{address} + count > Size()) std::abort();
    for (std::int32_t i = 0; i < count; ++i) data_[static_cast<std::size_t>(address + i)] = data[i];
  }
  bool ViewOnly() const override { return viewOnly_; }
  void CloseUndoGroup() override {}
  void Refresh() override {}

 private:
  std::vector<std::uint8_t> data_;
  bool viewOnly_;
};

class TAlternatingPrompt : public ovx::TUserPrompt {
 public:
  explicit TAlternatingPrompt(unsigned pattern) : pattern_(pattern) {}
  ovx::TModalResult MessageDlgBeep(const std::string& text, ovx::TMsgDlgType, unsigned) override {
    if (text.empty()) std::abort();
    return (pattern_ >> (asked_++ % 8)) & 1 ? ovx::mrYes : ovx::mrNo;
  }
  void ShowFailure(const std::string&, const std::string&, bool) override {}
  void Beep() override {}

 private:
  unsigned pattern_;
  unsigned asked_ = 0;
};

// Every control is as wide as 7 pixels per byte of its text and 20 pixels high.
class TFixedMeasure : public ovx::TFilerMeasure {
 public:
  int TextWidth(std::string_view utf8) const override { return static_cast<int>(utf8.size()) * 7; }
  int Height(ovx::TFilerControlKind) const override { return 20; }
};

// The bytes after the template, taken in order; 0 once they run out.
class TValueBytes {
 public:
  explicit TValueBytes(std::string_view bytes) : bytes_(bytes) {}
  std::uint8_t Byte() { return at_ < bytes_.size() ? static_cast<std::uint8_t>(bytes_[at_++]) : 0; }
  std::int32_t Integer() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | Byte();
    return static_cast<std::int32_t>(value);
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

void AppendUtf8(std::string& text, char32_t c) {
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | c >> 6);
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xE0 | c >> 12);
    text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// What a user could leave in a string field's edit, and more: either raw bytes (Shift-JIS,
// broken UTF-8, control characters) or well-formed UTF-8 of characters anywhere in the BMP.
std::string FieldText(TValueBytes& in) {
  const std::uint8_t head = in.Byte();
  const int count = head & 0x7F;
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (head & 0x80) {
      const char32_t c = char32_t{in.Byte()} << 8 | in.Byte();
      AppendUtf8(text, c >= 0xD800 && c < 0xE000 ? U'\u3042' : c);
    } else {
      text += static_cast<char>(in.Byte());
    }
  }
  return text;
}

// A select's index: mostly small, negative or past the items, sometimes the extremes.
int SelectIndex(TValueBytes& in) {
  const auto index = static_cast<std::int8_t>(in.Byte());
  if (index == INT8_MIN) return INT32_MIN;
  if (index == INT8_MAX) return INT32_MAX;
  return index;
}

// Sets every field as its control would after an edit, and some it would refuse. A typed integer
// the field accepts lies within its bounds; a string it accepts is written whole.
void EditFields(ovx::TFilerProgram& program, TValueBytes& in) {
  for (std::size_t i = 0; i < program.values.size(); ++i) {
    const ovx::TFilerField& field = program.layout.fields[i];
    ovx::TFilerFieldValue& value = program.values[i];
    switch (field.kind) {
      case ovx::fcInteger: {
        value.integer = in.Integer();
        std::int32_t typed = 0;
        if (ovx::FilerIntegerOfText(FieldText(in), field, typed).empty()) {
          if (field.minimum != field.maximum && (typed < field.minimum || typed > field.maximum)) std::abort();
          value.integer = typed;
        }
        break;
      }
      case ovx::fcSelect: value.selected = SelectIndex(in); break;
      case ovx::fcString:
        value.text = FieldText(in);
        if (ovx::FilerStringProblem(value.text, field).empty()) {
          const std::string sjis = ovx::Utf8ToSJis(value.text);
          std::vector<std::uint8_t> whole(sjis.begin(), sjis.end());
          whole.resize(std::max<std::size_t>(whole.size(), static_cast<std::size_t>(field.width)), field.pad);
          if (ovx::FilerStringBytes(value.text, field.width, field.pad) != whole) std::abort();
        }
        break;
      default: value.checked = in.Byte() & 1; break;
    }
    value.changed = true;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte sets the document size, view-only mode and the answers.
  const unsigned control = size ? data[0] : 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + (size ? 1 : 0), size ? size - 1 : 0);
  const std::size_t nul = input.find('\0');
  const std::string_view raw = input.substr(0, nul);
  TValueBytes values(nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1));
  const std::string text = ovx::NormalizeFilerText(raw);

  ovx::TFilerDefine define = ovx::ParseFilerDefine(text);
  (void)define;

  ovx::TFilerProgram program;
  ovx::TAnalyzeError error;
  ovx::AnalyzeFilerText(text, program.initialize, program.edit, error, program.finalize);
  if (error.Error) {
    if (error.Line < 1 || error.Message.empty()) std::abort();
    return 0;
  }
  const std::size_t documentSize = control & 0x3F;
  std::vector<std::uint8_t> bytes(documentSize);
  for (std::uint8_t& b : bytes) b = values.Byte();
  TSmallDocument document(std::move(bytes), (control & 0x40) != 0);
  TAlternatingPrompt prompt(control & 0x80 ? 0xFFu : 0x5Bu);
  ovx::RunFilerSectionInPieces(program.initialize, document, prompt, 7);
  ovx::RunFilerSection(program.finalize, document, prompt);

  ovx::LayOutFilerProgram(program, TFixedMeasure());
  ovx::RereadFiler(program, document, prompt);
  EditFields(program, values);
  if (ovx::ApplyFiler(program, document, prompt)) {
    for (const ovx::TFilerFieldValue& value : program.values)
      if (value.changed) std::abort();
  }
  if (document.Size() != static_cast<std::int32_t>(documentSize)) std::abort();
  return 0;
}
