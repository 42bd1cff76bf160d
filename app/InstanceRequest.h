// What the main process window does with a request of another start (new window or open a file).
#pragma once

namespace ovx {

enum class TInstanceAction {
  Defer,  // start-up not finished: kept and served once it has finished
  Beep,   // a modal form or a file dialog is open: default beep, nothing else
  Serve,  // open the window now
};

inline TInstanceAction DecideInstanceRequest(bool accepting, bool busy) {
  if (!accepting) return TInstanceAction::Defer;
  return busy ? TInstanceAction::Beep : TInstanceAction::Serve;
}

}  // namespace ovx
