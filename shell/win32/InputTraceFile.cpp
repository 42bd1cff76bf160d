#include "shell/win32/InputTraceFile.h"

#include <string>

#include "charset/StrUty.h"

namespace ovx {

std::int64_t TraceClockUs() {
  static const std::int64_t frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<std::int64_t>(f.QuadPart);
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  // Whole seconds and the rest apart, so that the product cannot overflow.
  const std::int64_t ticks = now.QuadPart;
  return ticks / frequency * 1000000 + ticks % frequency * 1000000 / frequency;
}

namespace {

// Microseconds since the process was created.
std::int64_t ProcessAgeUs() {
  FILETIME creation, exit, kernel, user, now;
  if (!GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user)) return 0;
  GetSystemTimePreciseAsFileTime(&now);
  auto value = [](const FILETIME& t) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
  };
  const std::int64_t age = (value(now) - value(creation)) / 10;
  return age > 0 ? age : 0;
}

// The input a user gives and the paints; pointer moves are left out, they come by the hundred
// and do nothing without a held button.
const char* TracedMessageName(UINT message) {
  switch (message) {
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_KEYUP: return "WM_KEYUP";
    case WM_CHAR: return "WM_CHAR";
    case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
    case WM_SYSKEYUP: return "WM_SYSKEYUP";
    case WM_SYSCHAR: return "WM_SYSCHAR";
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_LBUTTONDBLCLK: return "WM_LBUTTONDBLCLK";
    case WM_RBUTTONDOWN: return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP: return "WM_RBUTTONUP";
    case WM_MBUTTONDOWN: return "WM_MBUTTONDOWN";
    case WM_MBUTTONUP: return "WM_MBUTTONUP";
    case WM_MOUSEWHEEL: return "WM_MOUSEWHEEL";
    case WM_COMMAND: return "WM_COMMAND";
    case WM_PAINT: return "WM_PAINT";
    default: return nullptr;
  }
}

}  // namespace

std::unique_ptr<TInputTraceFile> TInputTraceFile::FromEnvironment() {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = GetEnvironmentVariableW(L"OVX_TRACE", path, static_cast<DWORD>(std::size(path)));
  if (length == 0 || length >= std::size(path)) return nullptr;
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::unique_ptr<TInputTraceFile>(new TInputTraceFile(file));
}

TInputTraceFile::TInputTraceFile(HANDLE file)
    : file_(file), trace_([file](std::string_view bytes) {
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
      }) {
  const std::int64_t now = TraceClockUs(), age = ProcessAgeUs();
  trace_.Record("start", "-", now - age, age);
  SetActiveInputTrace(&trace_);
}

TInputTraceFile::~TInputTraceFile() {
  SetActiveInputTrace(nullptr);
  trace_.Flush();
  CloseHandle(file_);
}

namespace {

std::string ClassOf(HWND hwnd) {
  wchar_t name[64];
  return GetClassNameW(hwnd, name, 64) > 0 ? WideToUtf8(name) : "?";
}

}  // namespace

void DispatchTimed(TInputTrace& trace, const MSG& msg) {
  const char* name = TracedMessageName(msg.message);
  if (!name) {
    DispatchMessageW(&msg);
    return;
  }
  const std::int64_t start = TraceClockUs();
  trace.BeginTiming();
  DispatchMessageW(&msg);
  trace.EndTiming();
  const std::int64_t duration = TraceClockUs() - start;
  trace.Record(name, msg.message == WM_PAINT ? ClassOf(msg.hwnd) : "", start, duration);
}

void PaintTimed(TInputTrace& trace, HWND hwnd, void (*paint)(void*), void* context) {
  const std::int64_t start = TraceClockUs();
  trace.BeginTiming();
  paint(context);
  trace.EndTiming();
  trace.Record("WM_PAINT", ClassOf(hwnd), start, TraceClockUs() - start);
}

}  // namespace ovx
