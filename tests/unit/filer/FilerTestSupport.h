// Test doubles for the template runner: a document over a byte vector and a prompt with scripted answers.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "filer/FilerParser.h"
#include "filer/FilerSession.h"
#include "filer/FilerTarget.h"
#include "filer/FilerText.h"
#include "model/UserPrompt.h"
#include "tests/unit/scripted_prompt.h"

namespace ovx::test {

struct TPatch {
  std::int32_t address;
  std::vector<std::uint8_t> bytes;
};

class TVectorTarget : public TFilerTarget {
 public:
  explicit TVectorTarget(std::vector<std::uint8_t> data, bool viewOnly = false)
      : data(std::move(data)), viewOnly(viewOnly) {}

  std::int32_t Size() const override { return static_cast<std::int32_t>(data.size()); }
  void ReadData(std::uint8_t* buffer, std::int32_t address, std::int32_t count) const override {
    std::fill_n(buffer, count, std::uint8_t{0});
    if (address < 0 || address >= Size()) return;
    const std::int32_t inside = std::min(count, Size() - address);
    std::copy_n(data.begin() + address, inside, buffer);
  }
  void PatchBytes(const std::uint8_t* bytes, std::int32_t address, std::int32_t count) override {
    patches.push_back({address, std::vector<std::uint8_t>(bytes, bytes + count)});
    // A patch outside the document is a fault of the runner: record it, never write it.
    if (address < 0 || count < 0 || std::int64_t{address} + count > Size()) {
      outOfRange = true;
      return;
    }
    if (!viewOnly) std::copy(bytes, bytes + count, data.begin() + address);
  }
  bool ViewOnly() const override { return viewOnly; }

  std::vector<std::uint8_t> data;
  bool viewOnly;
  std::vector<TPatch> patches;
  bool outOfRange = false;
};

// The same byte vector as the document of an editor window.
class TVectorDocument final : public TFilerDocument {
 public:
  explicit TVectorDocument(std::vector<std::uint8_t> data, bool viewOnly = false) : target(std::move(data), viewOnly) {}
  std::int32_t Size() const override { return target.Size(); }
  void ReadData(std::uint8_t* buffer, std::int32_t address, std::int32_t count) const override {
    target.ReadData(buffer, address, count);
  }
  void PatchBytes(const std::uint8_t* data, std::int32_t address, std::int32_t count) override {
    target.PatchBytes(data, address, count);
  }
  bool ViewOnly() const override { return target.ViewOnly(); }
  void CloseUndoGroup() override {}
  void Refresh() override {}

  TVectorTarget target;
};

struct TParsed {
  TFilerCommandList initialize, edit, finalize;
  TAnalyzeError error;
};

// Parses template text as it would be loaded from a file.
inline TParsed Parse(const std::string& sjis) {
  TParsed r;
  AnalyzeFilerText(NormalizeFilerText(sjis), r.initialize, r.edit, r.error, r.finalize);
  return r;
}

}  // namespace ovx::test
