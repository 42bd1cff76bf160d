// A TUserPrompt for tests: records every box it was asked to show and answers from a script.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "model/UserPrompt.h"

namespace ovx::test {

struct TShownBox {
  std::string text;
  TMsgDlgType kind;
  unsigned buttons;

  friend bool operator==(const TShownBox&, const TShownBox&) = default;
  friend void PrintTo(const TShownBox& box, std::ostream* os) {
    *os << "{\"" << box.text << "\", kind " << int(box.kind) << ", buttons " << box.buttons << "}";
  }
};

class TScriptedPrompt final : public TUserPrompt {
 public:
  explicit TScriptedPrompt(std::deque<TModalResult> answers = {}) : answers(std::move(answers)) {}

  TModalResult MessageDlgBeep(const std::string& text, TMsgDlgType kind, unsigned buttons) override {
    shown.push_back({text, kind, buttons});
    if (answers.empty()) {
      ADD_FAILURE() << "a box nobody expected: " << text;
      return mrNone;
    }
    TModalResult answer = answers.front();
    answers.pop_front();
    return answer;
  }

  void ShowFailure(const std::string& caption, const std::string& text, bool) override {
    ADD_FAILURE() << "unexpected failure box: " << caption << ": " << text;
  }

  void Beep() override { ++beeps; }

  std::deque<TModalResult> answers;
  std::vector<TShownBox> shown;
  int beeps = 0;
};

}  // namespace ovx::test
