// The loops over all windows and opening a history entry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/WindowLoops.h"
#include "tests/unit/scripted_prompt.h"

namespace ovx {
namespace {

struct TFakeWindow {
  std::string name;
  bool modified = false;
  bool viewOnly = false;
  bool saveCancelled = false;  // its save dialog is cancelled
  bool refusesClose = false;   // Cancel on its question
};

class TFakeWindows final : public TWindowLoopSite {
 public:
  std::vector<TFakeWindow> windows;
  std::vector<std::string> log;
  int WindowCount() override { return static_cast<int>(windows.size()); }
  bool Modified(int i) override { return windows[i].modified; }
  bool ViewOnly(int i) override { return windows[i].viewOnly; }
  void BringToFront(int i) override { log.push_back("front " + windows[i].name); }
  bool Save(int i) override {
    log.push_back("save " + windows[i].name);
    if (windows[i].saveCancelled) return false;
    windows[i].modified = false;
    return true;
  }
  bool Close(int i) override {
    log.push_back("close " + windows[i].name);
    if (windows[i].refusesClose) return false;
    windows.erase(windows.begin() + i);
    return true;
  }
  void SuspendMenuRebuild() override { log.push_back("suspend"); }
  void ResumeMenuRebuild() override { log.push_back("resume"); }
};

using Log = std::vector<std::string>;

TFakeWindows Three() {
  TFakeWindows w;
  w.windows = {{"a", true}, {"b", true, true}, {"c", false}};
  return w;
}

TEST(EditorWindowLoops, SaveAllFirstToLastSkippingViewOnly) {
  TFakeWindows w = Three();
  w.windows.push_back({"d", true});
  SaveAllWindows(w);
  EXPECT_EQ(w.log, (Log{"suspend", "front a", "save a", "front d", "save d", "resume"}));
}

TEST(EditorWindowLoops, CloseAllLastToFirst) {
  TFakeWindows w = Three();
  w.windows[0].refusesClose = true;
  CloseAllWindows(w);
  EXPECT_EQ(w.log, (Log{"suspend", "close c", "close b", "front a", "close a", "resume"}));
  ASSERT_EQ(w.windows.size(), 1u);
  EXPECT_EQ(w.windows[0].name, "a");
}

TEST(EditorWindowLoops, SaveAndCloseAllLeavesACancelledSaveOpen) {
  TFakeWindows w;
  w.windows = {{"a", true}, {"b", true}, {"c", false}, {"d", true, true}};
  w.windows[1].saveCancelled = true;
  SaveAndCloseAllWindows(w);
  // d is view-only and modified: not saved, and still modified, so it stays open too.
  EXPECT_EQ(w.log, (Log{"suspend", "close c", "front b", "save b", "front a", "save a", "close a", "resume"}));
  ASSERT_EQ(w.windows.size(), 2u);
  EXPECT_EQ(w.windows[0].name, "b");
  EXPECT_EQ(w.windows[1].name, "d");
}

class TFakeHistory final : public THistoryOpenSite {
 public:
  std::vector<std::string> history = {"c:\\held.bin", "c:\\there.bin", "c:\\gone.bin"};
  std::vector<std::string> log;
  std::string HistoryEntry(int i) override { return i >= 0 && i < int(history.size()) ? history[i] : ""; }
  std::string LongPathName(const std::string& n) override { return "L" + n; }
  bool ActivateHolder(const std::string& n) override {
    if (n != "Lc:\\held.bin") return false;
    log.push_back("activate " + n);
    return true;
  }
  bool FileExists(const std::string& n) override { return n == "Lc:\\there.bin"; }
  void OpenFile(const std::string& n) override { log.push_back("open " + n); }
  void RemoveHistoryEntry(const std::string& entry) override {
    log.push_back("remove " + entry);
    std::erase(history, entry);
  }
  void RebuildAllMenus() override { log.push_back("menus"); }
};

TEST(EditorWindowLoops, OpenFromHistory) {
  struct TCase {
    int position;
    Log log;
    std::size_t boxes;
  };
  const TCase cases[] = {
      {0, {"activate Lc:\\held.bin"}, 0},
      {1, {"open Lc:\\there.bin"}, 0},
      {2, {"remove c:\\gone.bin", "menus"}, 1},
      {3, {}, 0},  // past the end: nothing
  };
  for (const TCase& c : cases) {
    TFakeHistory h;
    test::TScriptedPrompt prompt({mrOk});
    OpenHistoryEntry(h, prompt, c.position);
    EXPECT_EQ(h.log, c.log) << c.position;
    ASSERT_EQ(prompt.shown.size(), c.boxes) << c.position;
    if (c.boxes) {
      EXPECT_EQ(prompt.shown[0], (test::TShownBox{"Lc:\\gone.bin が見付かりません.\r\nファイル履歴から削除します.",
                                                 mtWarning, mbOK}));
    }
  }
}

}  // namespace
}  // namespace ovx
