// What the binary view's core needs from the window that shows it. The Win32 view
// implements it with painting, the system caret, the scroll bar, posted messages and
// the clipboard; tests implement it with counters.
#pragma once

#include <cstdint>

#include "shell/OvxGlobals.h"
#include "view/ViewClipboard.h"

namespace ovx {

class TViewHost {
 public:
  virtual ~TViewHost() = default;

  // Hide the caret, draw the visible rows and the strips' variable parts (the core's
  // paint model), place and show the caret.
  virtual void PaintRows() = 0;
  virtual void SetScrollRange(std::int32_t maxRow) = 0;
  virtual void SetScrollPosition(std::int32_t topRow) = 0;
  // The input mode changed: recreate the caret in its new shape.
  virtual void CaretShapeChanged() = 0;

  // Events for the owner: OnCaretMove, OnStateChange, OnCommand (ids from 90000 up), OnKeyState.
  virtual void CaretMove() = 0;
  virtual void StateChange() = 0;
  virtual void Command(TCommandId id) = 0;
  virtual void KeyState() = 0;

  // Post the private menu message (0x40A) with the command id to the view itself.
  virtual void PostMenuMessage(TCommandId id) = 0;
  // Fast movements: handle one pending window message, waiting for one if none is
  // pending. False when the loop must end (the window or the program is closing).
  virtual bool ProcessOneMessage() = 0;
  // The shift state code the keyboard reports now (Shift 1, Ctrl 2, Alt 4).
  virtual int CurrentShiftState() = 0;
  virtual bool IsPC98Keyboard() = 0;
  // Start and stop the auto-scroll timer of a drag.
  virtual void StartDragTimer() = 0;
  virtual void StopDragTimer() = 0;

  virtual TViewClipboard& Clipboard() = 0;
};

}  // namespace ovx
