// libFuzzer target: any bytes as a template file. Parses it (header lines too) and, when it
// parses, runs its initialisation and end lists on a small document. Aborts when a write
// leaves the document or changes its size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "filer/FilerDefine.h"
#include "filer/FilerParser.h"
#include "filer/FilerRunner.h"
#include "filer/FilerText.h"

namespace {

class TSmallDocument : public ovx::TFilerTarget {
 public:
  TSmallDocument(std::size_t size, bool viewOnly) : data_(size, 0x5A), viewOnly_(viewOnly) {}
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte sets the document size, view-only mode and the answers; the rest is the template.
  const unsigned control = size ? data[0] : 0;
  const std::string_view raw(reinterpret_cast<const char*>(data) + (size ? 1 : 0), size ? size - 1 : 0);
  const std::string text = ovx::NormalizeFilerText(raw);

  ovx::TFilerDefine define = ovx::ParseFilerDefine(text);
  (void)define;

  ovx::TFilerCommandList initialize, edit, finalize;
  ovx::TAnalyzeError error;
  ovx::AnalyzeFilerText(text, initialize, edit, error, finalize);
  if (error.Error) {
    if (error.Line < 1 || error.Message.empty()) std::abort();
    return 0;
  }
  TSmallDocument document(control & 0x3F, (control & 0x40) != 0);
  TAlternatingPrompt prompt(control & 0x80 ? 0xFFu : 0x5Bu);
  ovx::RunFilerSectionInPieces(initialize, document, prompt, 7);
  ovx::RunFilerSection(finalize, document, prompt);
  if (document.Size() != static_cast<std::int32_t>(control & 0x3F)) std::abort();
  return 0;
}
