// A view core's surroundings for benchmarks: no window, no clipboard, no questions asked.
#pragma once

#include "view/BinaryViewCore.h"

namespace ovx {

class TBenchClipboard : public TViewClipboard {
 public:
  TClipboardPut PutPrivate(std::size_t, const TClipboardFill&) override { return cpNotPlaced; }
  bool HasPrivate() override { return false; }
  bool HasText() override { return false; }
  bool ReadPrivate(const TClipboardRead&) override { return false; }
  bool ReadText(const TClipboardRead&) override { return false; }
};

class TBenchPrompt : public TUserPrompt {
 public:
  TModalResult MessageDlgBeep(const std::string&, TMsgDlgType, unsigned) override { return mrNone; }
  void ShowFailure(const std::string&, const std::string&, bool) override {}
  void Beep() override {}
};

// Repaints nothing unless a benchmark says what a repaint costs.
class TBenchViewHost : public TViewHost {
 public:
  void PaintRows() override {}
  void SetScrollRange(std::int32_t) override {}
  void SetScrollPosition(std::int32_t) override {}
  void CaretShapeChanged() override {}
  void CaretMove() override {}
  void StateChange() override {}
  void Command(TCommandId) override {}
  void KeyState() override {}
  void PostMenuMessage(TCommandId) override {}
  bool ProcessOneMessage() override { return true; }
  int CurrentShiftState() override { return 0; }
  bool IsPC98Keyboard() override { return false; }
  void StartDragTimer() override {}
  void StopDragTimer() override {}
  TViewClipboard& Clipboard() override { return clipboard; }
  TBenchClipboard clipboard;
};

}  // namespace ovx
