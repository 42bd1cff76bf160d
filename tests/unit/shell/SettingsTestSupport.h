// Shared pieces of the settings store tests: a prompt that records, a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/UserPrompt.h"

namespace ovx::testing {

struct TRecordedFailure {
  std::string Caption;
  std::string Text;
  bool Ownerless;
};

class TRecordingPrompt final : public TUserPrompt {
 public:
  TModalResult MessageDlgBeep(const std::string& text, TMsgDlgType, unsigned) override {
    Messages.push_back(text);
    return mrOk;
  }
  void ShowFailure(const std::string& caption, const std::string& text, bool ownerless) override {
    Failures.push_back({caption, text, ownerless});
  }
  void Beep() override { ++Beeps; }

  std::vector<std::string> Messages;
  std::vector<TRecordedFailure> Failures;
  int Beeps = 0;
};

// A fresh empty folder per test, removed afterwards. Path ends with "/".
class TScratchFolder {
 public:
  TScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::path(::testing::TempDir()) /
            ("ovx_" + std::string(info->test_suite_name()) + "_" + info->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::filesystem::path Path() const { return path_; }
  // The folder as the core names it, with the trailing separator.
  std::string Name() const { return ToUtf8(path_ / ""); }

 private:
  static std::string ToUtf8(const std::filesystem::path& p) {
    auto s = p.u8string();
    return std::string(s.begin(), s.end());
  }
  std::filesystem::path path_;
};

}  // namespace ovx::testing
