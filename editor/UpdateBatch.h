// What an editor window recomputes after its view changed: the status bar (which brings the
// information panel and the tool bar with it) or the information panel alone. A keystroke can move
// the caret and change the state several times; inside one message of the view the window only
// notes what is due and brings it up to date once, when the message ends or a wait begins.
#pragma once

namespace ovx {

enum TUpdatePart : unsigned { upNone = 0, upInformation = 1, upStatus = 2 };

class TUpdateBatch {
 public:
  // A message of the view begins; messages nest (a handler may send another).
  void Enter() { ++depth_; }
  // The view reports a change: outside any message the part is due now (returned), inside one it
  // is kept for the message's end (upNone returned).
  unsigned Mark(unsigned parts);
  // A message of the view ends: at the end of the outermost one, what was kept, once.
  unsigned Leave();
  // A wait begins: the user sees the window as it stands while the question waits.
  unsigned Flush();

  // The status bar brings the information panel up to date as well.
  static unsigned Reduced(unsigned parts) { return (parts & upStatus) ? unsigned{upStatus} : parts; }

 private:
  int depth_ = 0;
  unsigned kept_ = upNone;
};

}  // namespace ovx
