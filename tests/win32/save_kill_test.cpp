// A save of a large document killed from outside (TerminateProcess) at many moments: before,
// during and after the temporary file's write, and around the replace. Whatever the moment, the
// file's name holds exactly its old or its new content, the backup is the old content once the
// new is in place, at most one temporary file is left, and the next save removes it.
//
// The saving process is this test program started again, running only DISABLED_ChildSaves. Its
// file system stops before a chosen step that changes the disk (creating, writing, flushing,
// closing, deleting, renaming, replacing) or after the save returned, signals the parent
// and waits; the parent kills it there. A first run of each kind records every step, and
// the moments are chosen from that record: every step that is not a write, and writes spread
// evenly over the temporary file.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "model/DocumentFile.h"
#include "model/EditHistory.h"
#include "model/FileSystem.h"
#include "model/MModule.h"
#include "tests/unit/scripted_prompt.h"

namespace ovx {
namespace {

// Each moment costs a process start, a load and a save under Wine: 64 MiB keeps the 22 saves
// within the time of the suite. OVX_SAVE_KILL_MIB names another size for a longer run; the
// child inherits it, so both sides agree.
std::int64_t DocumentBytes() {
  static const std::int64_t bytes = [] {
    const char* mib = std::getenv("OVX_SAVE_KILL_MIB");
    const long long n = mib ? std::atoll(mib) : 0;
    return std::int64_t{n > 0 && n <= 1024 ? n : 64} << 20;
  }();
  return bytes;
}
const std::int64_t kDocumentBytes = DocumentBytes();
constexpr int kMoments = 20;
constexpr DWORD kChildTimeoutMs = 60000;

// The old content, different in every block, so that a block written twice or out of order shows.
std::uint8_t OldByte(std::int64_t i) { return static_cast<std::uint8_t>((i * 31) ^ (i >> 12) ^ (i >> 20)); }
// The save puts one byte in front of the old content.
constexpr std::uint8_t kInserted = 0xA5;

std::string Environment(const char* name) {
  char value[1024];
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

// The platform's file system that writes down every step changing the disk and, at the chosen
// one, tells the parent and waits to be killed.
class TStoppingFileSystem final : public TFileSystem {
 public:
  TStoppingFileSystem(int stopAt, HANDLE stopped) : stopAt_(stopAt), stopped_(stopped) {}

  // Before each step that changes the disk, and once after the save.
  void Step(const char* what) {
    if (static_cast<int>(steps.size()) == stopAt_) {
      SetEvent(stopped_);
      Sleep(INFINITE);
    }
    steps.emplace_back(what);
  }

  int OpenRead(const std::string& name, std::unique_ptr<TFile>& file) override { return real_.OpenRead(name, file); }
  int Create(const std::string& name, std::unique_ptr<TFile>& file) override {
    Step("create");
    return Wrap(real_.Create(name, file), file);
  }
  int CreateNew(const std::string& name, std::unique_ptr<TFile>& file) override {
    Step("create");
    return Wrap(real_.CreateNew(name, file), file);
  }
  bool Exists(const std::string& name) override { return real_.Exists(name); }
  int Delete(const std::string& name) override {
    Step("delete");
    return real_.Delete(name);
  }
  int Rename(const std::string& from, const std::string& to) override {
    Step("rename");
    return real_.Rename(from, to);
  }
  int Replace(const std::string& from, const std::string& to, const std::string& backup) override {
    Step(backup.empty() ? "replace" : "replace, the old content moving aside");
    return real_.Replace(from, to, backup);
  }
  int FileTooLargeCode() const override { return real_.FileTooLargeCode(); }

  std::vector<std::string> steps;

 private:
  class TStoppingFile final : public TFile {
   public:
    TStoppingFile(std::unique_ptr<TFile> inner, TStoppingFileSystem& owner) : inner_(std::move(inner)), owner_(owner) {}
    int Size(std::int64_t& size) override { return inner_->Size(size); }
    int Read(void* buffer, std::size_t n, std::size_t& got) override { return inner_->Read(buffer, n, got); }
    int Write(const void* buffer, std::size_t n) override {
      owner_.Step("write");
      return inner_->Write(buffer, n);
    }
    int Flush() override {
      owner_.Step("flush");
      return inner_->Flush();
    }
    int Close() override {
      owner_.Step("close");
      return inner_->Close();
    }

   private:
    std::unique_ptr<TFile> inner_;
    TStoppingFileSystem& owner_;
  };

  int Wrap(int error, std::unique_ptr<TFile>& file) {
    if (error == 0) file = std::make_unique<TStoppingFile>(std::move(file), *this);
    return error;
  }

  TFileSystem& real_ = PlatformFileSystem();
  int stopAt_;
  HANDLE stopped_;
};

// The child: loads the document, puts one byte in front and saves it, stopping where told.
TEST(SaveKill, DISABLED_ChildSaves) {
  const std::string target = Environment("OVX_KILL_TARGET");
  ASSERT_FALSE(target.empty());
  const HANDLE stopped = CreateEventA(nullptr, FALSE, FALSE, Environment("OVX_KILL_EVENT").c_str());
  ASSERT_NE(stopped, nullptr);
  TStoppingFileSystem fs(std::stoi(Environment("OVX_KILL_STEP")), stopped);

  test::TScriptedPrompt prompt;
  TMemoryModule module;
  TEditHistory history(module, prompt);
  ASSERT_TRUE(LoadFile(target, module, history, prompt));
  history.ApplyEdit({ekInsert, 0, {}, {}, &kInserted, 1, 0}, false);
  ASSERT_TRUE(SaveFile(target, module, history, prompt, {Environment("OVX_KILL_BACKUP") == "1", false}, {}, fs));
  fs.Step("saved");

  std::ofstream trace(Environment("OVX_KILL_TRACE"), std::ios::trunc);
  for (const std::string& step : fs.steps) trace << step << '\n';
}

// The parent's side.

class TFolder {
 public:
  TFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "ovx-save-kill-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TFolder() {
    for (const std::string& leaf : Entries()) DeleteFileA((path_ + leaf).c_str());
    RemoveDirectoryA(path_.c_str());
  }
  std::string Name(const std::string& leaf) const { return path_ + leaf; }
  std::vector<std::string> Entries() const {
    std::vector<std::string> leaves;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((path_ + "*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return leaves;
    do {
      const std::string leaf = found.cFileName;
      if (leaf != "." && leaf != "..") leaves.push_back(leaf);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return leaves;
  }

 private:
  std::string path_;
};

void WriteOld(const std::string& name) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  std::vector<char> chunk(8 << 20);
  for (std::int64_t at = 0; at < kDocumentBytes; at += static_cast<std::int64_t>(chunk.size())) {
    for (std::size_t i = 0; i < chunk.size(); ++i) chunk[i] = static_cast<char>(OldByte(at + static_cast<std::int64_t>(i)));
    out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
  }
}

void WriteText(const std::string& name, const std::string& text) {
  std::ofstream(name, std::ios::binary | std::ios::trunc) << text;
}

enum TContent { kMissing, kOld, kNew, kOther };
const char* const kContentNames[] = {"missing", "old", "new", "something else"};

// Which of the two contents the file holds, checked byte for byte.
TContent ContentOf(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return kMissing;
  in.seekg(0, std::ios::end);
  const std::int64_t size = in.tellg();
  in.seekg(0);
  const std::int64_t shift = size - kDocumentBytes;  // 1 when the byte was put in front
  if (shift != 0 && shift != 1) return kOther;
  if (shift == 1 && static_cast<std::uint8_t>(in.get()) != kInserted) return kOther;
  std::vector<char> chunk(8 << 20);
  for (std::int64_t at = 0; at < kDocumentBytes; at += static_cast<std::int64_t>(chunk.size())) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    if (in.gcount() != static_cast<std::streamsize>(chunk.size())) return kOther;
    for (std::size_t i = 0; i < chunk.size(); ++i) {
      if (static_cast<std::uint8_t>(chunk[i]) != OldByte(at + static_cast<std::int64_t>(i))) return kOther;
    }
  }
  return shift == 1 ? kNew : kOld;
}

std::string TextOf(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

struct TChildRun {
  bool stopped;    // stopped at the step and was killed there
  DWORD exitCode;  // of a child that ran to its end
};

// Runs the child over target; it stops before step stopAt (-1: never) and is killed there.
TChildRun RunChild(const std::string& target, bool backup, int stopAt, const std::string& trace) {
  const std::string eventName = "ovx-save-kill-" + std::to_string(GetCurrentProcessId());
  const HANDLE stopped = CreateEventA(nullptr, FALSE, FALSE, eventName.c_str());
  SetEnvironmentVariableA("OVX_KILL_TARGET", target.c_str());
  SetEnvironmentVariableA("OVX_KILL_EVENT", eventName.c_str());
  SetEnvironmentVariableA("OVX_KILL_STEP", std::to_string(stopAt).c_str());
  SetEnvironmentVariableA("OVX_KILL_BACKUP", backup ? "1" : "0");
  SetEnvironmentVariableA("OVX_KILL_TRACE", trace.c_str());

  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) +
                         L"\" --gtest_also_run_disabled_tests --gtest_filter=SaveKill.DISABLED_ChildSaves";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                                 nullptr);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = nul;
  PROCESS_INFORMATION pi{};
  TChildRun run{false, 0};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
    ADD_FAILURE() << "the child did not start: " << GetLastError();
    run.exitCode = 1;
  } else {
    HANDLE waits[] = {stopped, pi.hProcess};
    const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, kChildTimeoutMs);
    if (woke != WAIT_OBJECT_0 + 1) {
      TerminateProcess(pi.hProcess, 9);
      WaitForSingleObject(pi.hProcess, INFINITE);
    }
    run.stopped = woke == WAIT_OBJECT_0;
    if (woke == WAIT_TIMEOUT) ADD_FAILURE() << "the child neither stopped nor ended";
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  CloseHandle(nul);
  CloseHandle(stopped);
  return run;
}

std::vector<std::string> ReadLines(const std::string& name) {
  std::ifstream in(name);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Every step that is not a write, and writes spread evenly over the file up to `count` moments.
std::vector<int> ChooseMoments(const std::vector<std::string>& steps, int count) {
  std::vector<int> moments, writes;
  for (int i = 0; i < static_cast<int>(steps.size()); ++i) (steps[i] == "write" ? writes : moments).push_back(i);
  const int wanted = std::max(0, count - static_cast<int>(moments.size()));
  for (int k = 1; k <= wanted && !writes.empty(); ++k) {
    moments.push_back(writes[writes.size() * static_cast<std::size_t>(k) / static_cast<std::size_t>(wanted + 1)]);
  }
  std::sort(moments.begin(), moments.end());
  moments.erase(std::unique(moments.begin(), moments.end()), moments.end());
  return moments;
}

int Strays(const TFolder& folder) {
  const std::vector<std::string> leaves = folder.Entries();
  return static_cast<int>(std::count_if(leaves.begin(), leaves.end(), [](const std::string& leaf) {
    return leaf.rfind("doc.bin.~", 0) == 0 && leaf.size() > 4 && leaf.substr(leaf.size() - 4) == ".tmp";
  }));
}

TEST(SaveKill, AKilledSaveLeavesTheOldOrTheNewContentAndAtMostOneStray) {
  TFolder folder;
  const std::string target = folder.Name("doc.bin"), backup = folder.Name("doc.bak"),
                    trace = folder.Name("steps.txt");
  int killed = 0;
  for (const bool backupOn : {true, false}) {
    SCOPED_TRACE(backupOn ? "backup on" : "backup off");
    // The whole save, for its list of steps.
    WriteOld(target);
    WriteText(backup, "PREV");
    const TChildRun whole = RunChild(target, backupOn, -1, trace);
    ASSERT_FALSE(whole.stopped);
    ASSERT_EQ(whole.exitCode, 0u) << "the child's save failed";
    const std::vector<std::string> steps = ReadLines(trace);
    DeleteFileA(trace.c_str());
    ASSERT_GT(steps.size(), 8u);
    EXPECT_EQ(ContentOf(target), kNew);
    EXPECT_EQ(Strays(folder), 0);

    for (const int moment : ChooseMoments(steps, backupOn ? kMoments * 3 / 5 : kMoments - killed)) {
      SCOPED_TRACE("killed before step " + std::to_string(moment) + " (" + steps[moment] + ")");
      for (const std::string& leaf : folder.Entries()) DeleteFileA(folder.Name(leaf).c_str());
      WriteOld(target);
      WriteText(backup, "PREV");
      const TChildRun run = RunChild(target, backupOn, moment, trace);
      ASSERT_TRUE(run.stopped) << "the child ended with " << run.exitCode << " before the step";
      ++killed;

      const TContent now = ContentOf(target);
      EXPECT_TRUE(now == kOld || now == kNew) << kContentNames[now];
      if (!backupOn) {
        EXPECT_EQ(TextOf(backup), "PREV");
      } else if (now == kNew) {
        EXPECT_EQ(ContentOf(backup), kOld);
      } else {
        // The previous backup, or none (deleted to make room), or already the old content.
        const std::string text = TextOf(backup);
        EXPECT_TRUE(text == "PREV" || text == "<missing>" || ContentOf(backup) == kOld) << text.substr(0, 8);
      }
      EXPECT_LE(Strays(folder), 1);

      // The next save of the file clears away what the killed one left.
      test::TScriptedPrompt prompt;
      TMemoryModule module;
      TEditHistory history(module, prompt);
      history.ApplyEdit({ekInsert, 0, {}, {}, reinterpret_cast<const std::uint8_t*>("NEXT"), 4, 0}, false);
      EXPECT_TRUE(SaveFile(target, module, history, prompt, {backupOn, false}));
      EXPECT_EQ(TextOf(target), "NEXT");
      // Without a backup the old content goes on a thread of its own, a moment after the save.
      const DWORD saved = GetTickCount();
      while (Strays(folder) != 0 && GetTickCount() - saved < 5000) Sleep(10);
      EXPECT_EQ(Strays(folder), 0);
    }
  }
  EXPECT_GE(killed, kMoments);
}

}  // namespace
}  // namespace ovx
