#include "shell/InputTrace.h"

#include <utility>

#include "shell/TraceLines.h"

namespace ovx {
namespace {

// Lines are handed on in batches of about this size between idle moments.
constexpr std::size_t kBatchBytes = 64 * 1024;

TInputTrace* activeTrace = nullptr;

}  // namespace

TInputTrace::TInputTrace(TSink sink) : sink_(std::move(sink)) { buffer_.reserve(kBatchBytes + 256); }

TInputTrace::~TInputTrace() {
  Flush();
  if (activeTrace == this) activeTrace = nullptr;
}

void TInputTrace::Record(std::string_view message, std::string_view what, std::int64_t startUs,
                         std::int64_t durationUs) {
  TTraceRecord record{std::string(message), std::string(what), startUs, durationUs};
  if (record.what.empty() && command_ != NoCommand) record.what = CommandKeyword(command_);
  command_ = NoCommand;
  buffer_ += FormatTraceLine(record);
  if (buffer_.size() >= kBatchBytes) Flush();
}

void TInputTrace::RecordPart(std::string_view name, std::int64_t startUs, std::int64_t durationUs) {
  buffer_ += FormatTraceLine({"part", std::string(name), startUs, durationUs});
  if (buffer_.size() >= kBatchBytes) Flush();
}

void TInputTrace::Flush() {
  if (buffer_.empty()) return;
  sink_(buffer_);
  buffer_.clear();
}

TInputTrace* ActiveInputTrace() { return activeTrace; }

void SetActiveInputTrace(TInputTrace* trace) { activeTrace = trace; }

}  // namespace ovx
