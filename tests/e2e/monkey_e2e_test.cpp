// A random user working several windows at once: keys, menus, dialogs, tool windows, the
// notification-area icon, second starts and saves, with the oracles of tests/e2e/monkey after
// every action. Without OVX_MONKEY_* variables a few fixed seeds run for about two minutes;
// scripts/monkey runs long sessions and replays a failure's script.
#include <cstdlib>
#include <string>

#include "tests/e2e/E2eDriver.h"
#include "tests/e2e/monkey/MonkeyRun.h"

namespace ovx::e2e {
namespace {

std::wstring Variable(const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD n = GetEnvironmentVariableW(name, value, 1024);
  return n > 0 && n < 1024 ? std::wstring(value, n) : std::wstring();
}

// Failures go to build/monkey: the tests run inside build/<results>.
std::wstring OutFolder() {
  std::wstring out = Variable(L"OVX_MONKEY_OUT");
  if (out.empty()) {
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    out = std::wstring(current) + L"\\..\\monkey";
  }
  if (out.back() != L'\\') out += L'\\';
  return out;
}

std::string Utf8(const std::wstring& text) {
  std::string out;
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (n > 1) {
    out.resize(static_cast<size_t>(n - 1));
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  }
  return out;
}

void RunSeed(const monkey::TMonkeyOptions& options) {
  SCOPED_TRACE("seed " + std::to_string(options.seed));
  const monkey::TMonkeyResult r = monkey::RunMonkey(options);
  const double perMinute = r.seconds > 0 ? r.actions * 60.0 / r.seconds : 0;
  std::printf("monkey seed %llu: %d actions in %.0f s (%.0f per minute), %d undo checks, %d save checks, %d starts: %s\n",
              static_cast<unsigned long long>(options.seed), r.actions, r.seconds, perMinute, r.undoChecks,
              r.saveChecks, r.starts, r.ok ? "passed" : "FAILED");
  std::fflush(stdout);
  ::testing::Test::RecordProperty("seed_" + std::to_string(options.seed) + "_actions_per_minute",
                                  std::to_string(static_cast<int>(perMinute)));
  EXPECT_TRUE(r.ok) << r.failure << "\nscript: " << Utf8(r.script);
}

using Monkey = EditorTest;

TEST_F(Monkey, RandomUser) {
  monkey::TMonkeyOptions options;
  options.outFolder = OutFolder();
  const std::wstring replay = Variable(L"OVX_MONKEY_REPLAY");
  const std::wstring seed = Variable(L"OVX_MONKEY_SEED");
  const std::wstring actions = Variable(L"OVX_MONKEY_ACTIONS");
  const std::wstring seconds = Variable(L"OVX_MONKEY_SECONDS");
  if (!replay.empty() || !seed.empty() || !actions.empty() || !seconds.empty()) {
    options.replay = replay;
    options.seed = seed.empty() ? 1 : std::wcstoull(seed.c_str(), nullptr, 10);
    options.actions = _wtoi(actions.c_str());
    options.seconds = _wtoi(seconds.c_str());
    if (!options.actions && !options.seconds && replay.empty()) options.seconds = 60;
    RunSeed(options);
    return;
  }
  // The short run of every test pass: three fixed seeds, 40 s each.
  for (std::uint64_t fixed : {11u, 22u, 33u}) {
    options.seed = fixed;
    options.seconds = 40;
    RunSeed(options);
  }
}

}  // namespace
}  // namespace ovx::e2e
