// The process's own timing file: when OVX_TRACE names a file, every handled input message and
// every paint the message loop dispatches is timed and appended to it.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "shell/InputTrace.h"

namespace ovx {

class TInputTraceFile {
 public:
  // None when OVX_TRACE is unset or its file cannot be opened. The trace is the process's active
  // one while the object lives; it begins with a "start" line from the process's creation.
  static std::unique_ptr<TInputTraceFile> FromEnvironment();
  ~TInputTraceFile();
  TInputTraceFile(const TInputTraceFile&) = delete;
  TInputTraceFile& operator=(const TInputTraceFile&) = delete;

 private:
  explicit TInputTraceFile(HANDLE file);
  HANDLE file_;
  TInputTrace trace_;
};

// Microseconds of the performance counter, the clock of every trace line.
std::int64_t TraceClockUs();

// Times a part of the message being handled, from here to the end of the scope, when the process
// traces.
class TTracedPart {
 public:
  explicit TTracedPart(const char* name)
      : trace_(ActiveInputTrace()), name_(name), startUs_(trace_ ? TraceClockUs() : 0) {}
  ~TTracedPart() {
    if (trace_) trace_->RecordPart(name_, startUs_, TraceClockUs() - startUs_);
  }
  TTracedPart(const TTracedPart&) = delete;
  TTracedPart& operator=(const TTracedPart&) = delete;

 private:
  TInputTrace* trace_;
  const char* name_;
  std::int64_t startUs_;
};

// Dispatches a message taken from the queue, timing it when the process traces.
void DispatchTimed(TInputTrace& trace, const MSG& msg);
inline void DispatchMessageTraced(const MSG& msg) {
  if (TInputTrace* trace = ActiveInputTrace()) {
    DispatchTimed(*trace, msg);
    return;
  }
  DispatchMessageW(&msg);
}

// Runs a window's paint handler. A paint that did not come through the timed dispatch (sent by
// UpdateWindow, or dispatched by a loop inside a long operation) is timed on its own.
void PaintTimed(TInputTrace& trace, HWND hwnd, void (*paint)(void*), void* context);
template <typename TPaint>
void PaintTraced(HWND hwnd, TPaint&& paint) {
  TInputTrace* trace = ActiveInputTrace();
  if (!trace || trace->Timing()) {
    paint();
    return;
  }
  using TFunction = std::remove_reference_t<TPaint>;
  PaintTimed(*trace, hwnd, [](void* p) { (*static_cast<TFunction*>(p))(); }, &paint);
}

}  // namespace ovx
