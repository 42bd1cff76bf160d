// A view core's surroundings for benchmarks: no window, no clipboard, no questions asked.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "view/BinaryViewCore.h"

namespace ovx {

// Fills an empty document with `size` bytes: 1 MiB of pseudo-random bytes below `below` from
// `seed`, repeated.
inline void FillRepeatedChunk(TMemoryModule& module, std::int32_t size, std::uint32_t seed, unsigned below = 256) {
  std::vector<std::uint8_t> chunk(1 << 20);
  for (auto& b : chunk) {
    seed = seed * 1103515245u + 12345u;
    b = static_cast<std::uint8_t>((seed >> 16) % below);
  }
  for (std::int32_t at = 0; at < size; at += static_cast<std::int32_t>(chunk.size()))
    module.InsertData(chunk.data(), at, std::min(size - at, static_cast<std::int32_t>(chunk.size())));
}

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
