// A TUserPrompt for tests: records every box it was asked to show and answers from a script.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
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
    if (whileShown) whileShown();
    if (answers.empty()) {
      if (!answerUnscriptedWithNo) ADD_FAILURE() << "a box nobody expected: " << text;
      return answerUnscriptedWithNo ? mrNo : mrNone;
    }
    TModalResult answer = answers.front();
    answers.pop_front();
    return answer;
  }

  void ShowFailure(const std::string& caption, const std::string& text, bool) override {
    ADD_FAILURE() << "unexpected failure box: " << caption << ": " << text;
  }

  void Beep() override { ++beeps; }

  // The texts of the boxes shown, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const TShownBox& box : shown) texts.push_back(box.text);
    return texts;
  }

  std::deque<TModalResult> answers;
  std::vector<TShownBox> shown;
  int beeps = 0;
  // Runs while a box is up, as other windows' messages do while a real box waits.
  std::function<void()> whileShown;
  // Random inputs may raise more boxes than a test can script: those get No.
  bool answerUnscriptedWithNo = false;
};

}  // namespace ovx::test
