// Timing of the running program, written by the process itself: one line per handled input
// message and per paint (see shell/TraceLines.h for the line).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "shell/OvxGlobals.h"

namespace ovx {

// Collects lines and hands them to the sink in batches: when the buffer is large, on Flush (the
// process's idle moments) and when the trace ends.
class TInputTrace {
 public:
  using TSink = std::function<void(std::string_view)>;
  explicit TInputTrace(TSink sink);
  ~TInputTrace();
  TInputTrace(const TInputTrace&) = delete;
  TInputTrace& operator=(const TInputTrace&) = delete;

  // The command the message being handled runs; the last one noted wins.
  void NoteCommand(TCommandId id) { command_ = id; }
  // Ends the message begun at startUs. what: the window class for a paint; empty for the noted
  // command, which is then forgotten.
  void Record(std::string_view message, std::string_view what, std::int64_t startUs, std::int64_t durationUs);
  // A named part of the message being handled: a "part" line of its own, which the message's
  // line includes (a reader that adds up messages leaves parts out).
  void RecordPart(std::string_view name, std::int64_t startUs, std::int64_t durationUs);
  void Flush();
  // While a message is timed, the paints it sends are part of its time and get no line of their own.
  bool Timing() const { return timing_ > 0; }
  void BeginTiming() { ++timing_; }
  void EndTiming() { --timing_; }

 private:
  TSink sink_;
  std::string buffer_;
  TCommandId command_ = NoCommand;
  int timing_ = 0;
};

// The trace of this process, null when the process does not trace (the one test on every path).
TInputTrace* ActiveInputTrace();
void SetActiveInputTrace(TInputTrace* trace);

}  // namespace ovx
