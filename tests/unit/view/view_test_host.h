// A binary view core over a host that records what the core asked of its window.
#pragma once

#include <deque>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "view/BinaryViewCore.h"

namespace ovx::test {

class TFakeClipboard : public TViewClipboard {
 public:
  std::optional<std::vector<std::uint8_t>> privateBlock;
  std::optional<std::string> text;
  bool failOpen = false;
  // Memory running out: no block for a copy, and a paste fails for want of memory.
  bool outOfMemory = false;

  TClipboardPut PutPrivate(std::size_t size, const TClipboardFill& fill) override {
    if (outOfMemory) return cpOutOfMemory;
    std::vector<std::uint8_t> block(size);
    fill(block.data());
    if (failOpen) return cpNotPlaced;
    text.reset();
    privateBlock = std::move(block);
    return cpPlaced;
  }
  bool HasPrivate() override { return privateBlock.has_value(); }
  bool HasText() override { return text.has_value(); }
  bool ReadPrivate(const TClipboardRead& read) override {
    if (outOfMemory) throw std::bad_alloc();
    if (failOpen || !privateBlock) return false;
    read(privateBlock->data(), privateBlock->size());
    return true;
  }
  bool ReadText(const TClipboardRead& read) override {
    if (outOfMemory) throw std::bad_alloc();
    if (failOpen || !text) return false;
    read(reinterpret_cast<const std::uint8_t*>(text->data()), text->size());
    return true;
  }
};

class TRecordingHost : public TViewHost {
 public:
  int paints = 0, caretMoves = 0, stateChanges = 0, keyStates = 0, shapeChanges = 0;
  std::int32_t scrollPosition = -1, scrollMax = -1;
  std::vector<TCommandId> commands, posted;
  int shiftState = 0;
  bool pc98 = false;
  bool dragTimer = false;
  // Fast movements: called for each processed message; false ends the loop.
  std::function<bool()> processMessage = [] { return true; };
  TFakeClipboard clipboard;

  void PaintRows() override { ++paints; }
  void SetScrollRange(std::int32_t maxRow) override { scrollMax = maxRow; }
  void SetScrollPosition(std::int32_t topRow) override { scrollPosition = topRow; }
  void CaretShapeChanged() override { ++shapeChanges; }
  void CaretMove() override { ++caretMoves; }
  void StateChange() override { ++stateChanges; }
  void Command(TCommandId id) override { commands.push_back(id); }
  void KeyState() override { ++keyStates; }
  void PostMenuMessage(TCommandId id) override { posted.push_back(id); }
  bool ProcessOneMessage() override { return processMessage(); }
  int CurrentShiftState() override { return shiftState; }
  bool IsPC98Keyboard() override { return pc98; }
  void StartDragTimer() override { dragTimer = true; }
  void StopDragTimer() override { dragTimer = false; }
  TViewClipboard& Clipboard() override { return clipboard; }
};

class TSilentPrompt : public TUserPrompt {
 public:
  std::vector<std::string> messages;
  std::deque<TModalResult> answers;  // given in turn; none left answers mrNone
  int beeps = 0;
  TModalResult MessageDlgBeep(const std::string& text, TMsgDlgType, unsigned) override {
    messages.push_back(text);
    if (answers.empty()) return mrNone;
    const TModalResult answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowFailure(const std::string&, const std::string&, bool) override {}
  void Beep() override { ++beeps; }
};

class ViewTest : public ::testing::Test {
 protected:
  TRecordingHost host;
  TSilentPrompt prompt;
  TBinaryViewCore view{host, prompt};

  ViewTest() { view.SetVisibleRows(4); }

  // Replaces the document without history; caret at 0.
  void Load(const std::vector<std::uint8_t>& bytes) {
    view.Module().Clear();
    if (!bytes.empty()) view.Module().InsertData(bytes.data(), 0, static_cast<std::int32_t>(bytes.size()));
    view.History().ClearHistory();
    view.SetTopRow(0);
    view.SetCaret(0, 0);
  }
  void LoadSize(std::int32_t size) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i);
    Load(bytes);
  }
  std::vector<std::uint8_t> Bytes() const {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(view.Module().Size()));
    if (!out.empty()) view.Module().ReadData(out.data(), 0, view.Module().Size());
    return out;
  }
  TCaretPosition Caret() const { return view.GetCaret(); }
};

}  // namespace ovx::test
