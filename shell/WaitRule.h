// The one rule for a window that waits on a question (a message box, a modal dialog, the
// replace query, a common dialog, a popup menu): while the rest of the process stays live, the
// window is not destroyed and a close that reaches it is kept until the wait is over, then runs
// once. A window whose document another window's wait uses (its comparison partner) is held the
// same way.
#pragma once

namespace ovx {

class TWaitRule {
 public:
  bool Waiting() const { return depth_ > 0; }
  // A wait of the window begins; waits nest.
  void Enter() { ++depth_; }
  // A wait of the window ends.
  void Leave() {
    if (depth_ > 0) --depth_;
  }
  // A close reaches the window: true when it may run now. While the window waits, or while
  // `held` (another window's wait uses it), the close is kept and false returned.
  bool AdmitClose(bool held);
  // True once, when a kept close may run now: the window no longer waits and is not held.
  bool TakeKeptClose(bool held);
  bool CloseKept() const { return closeKept_; }

 private:
  int depth_ = 0;
  bool closeKept_ = false;
};

}  // namespace ovx
