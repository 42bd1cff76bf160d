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
  Defer,   // start-up, or the serving of earlier requests, not finished: kept and served after it
  Beep,    // a modal form or a file dialog is open: default beep, nothing else
  Serve,   // open the window now
  Refuse,  // the process is ending: nothing opens, the answer is 0
};

// `serving`: earlier requests are being served, and the box one of them shows is what makes
// the process busy; a request arriving then joins them instead of being refused.
inline TInstanceAction DecideInstanceRequest(TProcessPhase phase, bool busy, bool serving) {
  switch (phase) {
    case TProcessPhase::Starting:
      return TInstanceAction::Defer;
    case TProcessPhase::Ending:
      return TInstanceAction::Refuse;
    case TProcessPhase::Running:
      break;
  }
  if (serving) return TInstanceAction::Defer;
  return busy ? TInstanceAction::Beep : TInstanceAction::Serve;
}

}  // namespace ovx
