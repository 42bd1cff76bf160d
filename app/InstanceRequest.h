// What the main process window does with a request of another start (new window or open a file).
#pragma once

namespace ovx {

// The editor process as other starts see it.
enum class TProcessPhase {
  Starting,  // the main process window is being created
  Running,   // start-up has finished (a pending shutdown check included)
  Ending,    // the end has begun: the settings are being saved and the loop ends
};

enum class TInstanceAction {
  Defer,   // start-up not finished: kept and served once it has finished
  Beep,    // a modal form or a file dialog is open: default beep, nothing else
  Serve,   // open the window now
  Refuse,  // the process is ending: nothing opens, the answer is 0
};

inline TInstanceAction DecideInstanceRequest(TProcessPhase phase, bool busy) {
  switch (phase) {
    case TProcessPhase::Starting:
      return TInstanceAction::Defer;
    case TProcessPhase::Ending:
      return TInstanceAction::Refuse;
    case TProcessPhase::Running:
      break;
  }
  return busy ? TInstanceAction::Beep : TInstanceAction::Serve;
}

}  // namespace ovx
