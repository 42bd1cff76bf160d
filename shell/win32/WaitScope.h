// The Win32 side of the wait rule. Every call that waits on the user (a message box, a modal
// dialog, the replace query, a common dialog, a popup menu) runs inside a TWaitScope of the
// window it waits for: while the scope lives the window keeps any close for later, its tool
// windows are disabled (so they change nothing behind the question), and when the last scope
// ends the window runs what it kept.
#pragma once

#include <windows.h>

#include <vector>

#include "shell/WaitRule.h"

namespace ovx {

class TWaitSite {
 public:
  virtual ~TWaitSite() = default;
  virtual TWaitRule& Waits() = 0;
  // The top-level window that waits; the windows it owns are its tool windows.
  virtual HWND WaitingWindow() const = 0;
  // A wait of the window begins: what the window shows should be up to date before the question.
  virtual void WaitBegins() {}
  // The window's last wait ended: it runs what it kept, posted so that nothing is destroyed
  // inside the caller that waited.
  virtual void WaitsEnded() = 0;
};

// A question disables the waiting window's tool windows; a popup menu, which takes all input
// while it is open, only keeps the window alive.
enum TWaitKind : unsigned char { wkQuestion, wkMenu };

class TWaitScope {
 public:
  // A null site is a wait that belongs to no window. `asker`, a tool window that owns the box of
  // the wait, keeps its state: the box disables it by itself and gives it back its focus.
  explicit TWaitScope(TWaitSite* site, TWaitKind kind = wkQuestion, HWND asker = nullptr);
  ~TWaitScope();
  TWaitScope(const TWaitScope&) = delete;
  TWaitScope& operator=(const TWaitScope&) = delete;

 private:
  TWaitSite* site_;
  std::vector<HWND> disabled_;
};

// Keyboard and mouse input aimed at `window` or at a window it owns: a loop that pumps messages
// while `window` waits drops it, so that the user changes nothing behind the wait.
bool IsInputFor(const MSG& msg, HWND window);

}  // namespace ovx
