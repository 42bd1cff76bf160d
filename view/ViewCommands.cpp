// The view's own commands: movements, selection, modes and the key dispatch.
#include <algorithm>

#include "shell/InputTrace.h"
#include "shell/KeyPress.h"
#include "view/BinaryViewCore.h"

namespace ovx {
namespace {

// The single movement behind a SEL command, or the id itself.
TCommandId PlainMovement(TCommandId id) {
  if (id >= cmUPSEL && id <= cmPAGEDOWNSEL) return id - cmUPSEL + cmUP;
  if (id >= cmFILETOPSEL && id <= cmPARAENDSEL) return id - cmFILETOPSEL + cmFILETOP;
  return id;
}

bool IsMovement(TCommandId id) {
  return (id >= cmUP && id <= cmPAGEDOWN) || (id >= cmFILETOP && id <= cmPARAEND);
}

}  // namespace

void TBinaryViewCore::ExecuteCommand(TCommandId id) {
  if (id == NoCommand) return;
  if (TInputTrace* trace = ActiveInputTrace()) trace->NoteCommand(id);
  Guarded([&] {
    if (id >= FirstWindowCommand) {
      host_.Command(id);
    } else {
      ExecuteViewCommand(id);
    }
  });
}

void TBinaryViewCore::ExecuteKey(int shiftState, int keyIndex) {
  if (keyIndex == NoKey) return;
  ExecuteCommand(KeyMapEntry(keyMap_, shiftState, keyIndex));
}

bool TBinaryViewCore::KeyDown(TKeyStroke stroke) {
  host_.KeyState();
  const TKeyPressAction action =
      KeyPressAction(keyMap_, stroke, expandTenKey_, inputArea_ == iaHex, host_.IsPC98Keyboard());
  if (action.hexDigit >= 0) {
    Guarded([&] { EnterHexDigit(action.hexDigit); });
    return true;
  }
  ExecuteCommand(action.command);
  return action.handled;
}

void TBinaryViewCore::KeyUp() {
  host_.KeyState();
  EndTemporarySelectionIfEmpty();
}

bool TBinaryViewCore::ExecuteViewCommand(TCommandId id) {
  const TCommandId plain = PlainMovement(id);
  if (IsMovement(plain)) {
    MoveCommand(plain, plain != id);
    return true;
  }
  switch (id) {
    case cmUPHIGH: FastMove(cmUP); break;
    case cmDOWNHIGH: FastMove(cmDOWN); break;
    case cmLEFTHIGH: FastMove(cmLEFT); break;
    case cmRIGHTHIGH: FastMove(cmRIGHT); break;
    case cmPAGEUPHIGH: FastMove(cmPAGEUP); break;
    case cmPAGEDOWNHIGH: FastMove(cmPAGEDOWN); break;
    case cmSELECT: Select(); break;
    case cmSELECTALL: SelectAll(); break;
    case cmSELECTTOP: SelectTop(); break;
    case cmSELECTEND: SelectEnd(); break;
    case cmSELECTSWAP: SelectSwap(); break;
    case cmCUT: Cut(); break;
    case cmCOPY: Copy(); break;
    case cmCOPYSEL: CopySel(); break;
    case cmPASTE: Paste(); break;
    case cmDELETE: Delete(); break;
    case cmBACKSPACE: Backspace(); break;
    case cmUNDO: Undo(); break;
    case cmREDO: Redo(); break;
    case cmINPUTAREA: ToggleInputArea(); break;
    case cmINPUTMODE:
      if (ViewOnly()) break;
      SetInputMode(inputMode_ == imOverwrite ? imInsert : imOverwrite);
      host_.SetScrollRange(std::max(1, module_.Size() / kBytesPerRow));
      break;
    case cmCHARASET: SetCharaSet(static_cast<TCharaSet>((charaSet_ + 1) % (csUnicode + 1))); break;
    case cmCHECKSUM: SetCheckSumMode(checkSumMode_ ? 0 : 1); break;
    case cmEXPANDTENKEY: SetExpandTenKey(!expandTenKey_); break;
    case cmUSERMENU1:
    case cmUSERMENU2:
    case cmUSERMENU3:
    case cmUSERMENU4:
    case cmUSERMENU5:
    case cmPOPUPMENU: host_.PostMenuMessage(id); break;
    default: return false;
  }
  return true;
}

// A plain movement ends a temporary selection; a sticky one stays and grows.
void TBinaryViewCore::PlainStep() {
  if (selectionState_ == ssTemporary && HasSelection()) selectionState_ = ssNone;
}

void TBinaryViewCore::SelStep() {
  if (!HasSelection()) anchor_ = CaretAddress();
  selectionState_ = ssTemporary;
}

bool TBinaryViewCore::CanMove(TCommandId id) const {
  const std::int32_t a = CaretAddress();
  const std::int32_t size = module_.Size();
  const bool inLastRow = a / kBytesPerRow == size / kBytesPerRow;
  switch (id) {
    case cmUP: return a >= kBytesPerRow;
    case cmDOWN: return !inLastRow;
    case cmLEFT: return a > 0;
    case cmLEFTEX: return inputArea_ == iaHex ? (a > 0 || lowNibble_) : a > 0;
    case cmRIGHT:
    case cmRIGHTEX:
    case cmFILEEND: return a != size;
    case cmPAGEUP: return topRow_ > 0 || caretRow_ > 0;
    case cmPAGEDOWN: return !inLastRow;
    case cmFILETOP: return a > 0 || lowNibble_;
    case cmPARATOP: return caretColumn_ > 0 || lowNibble_;
    // In the last row the row end may be the end position where the caret already stands.
    case cmPARAEND:
      return caretColumn_ != kBytesPerRow - 1 && std::min(a - caretColumn_ + kBytesPerRow - 1, size) != a;
    default: return false;
  }
}

bool TBinaryViewCore::Move(TCommandId id) {
  const std::int32_t a = CaretAddress();
  const std::int32_t size = module_.Size();
  const bool hex = inputArea_ == iaHex;
  switch (id) {
    case cmUP: SetCaret(a - kBytesPerRow, 0); break;
    case cmDOWN: SetCaret(std::min(a + kBytesPerRow, size), 0); break;
    case cmLEFT: SetCaret(a - 1, 0); break;
    case cmLEFTEX:
      if (hex && lowNibble_) SetCaret(a, 0);
      else if (hex) SetCaret(a - 1, 1);
      else SetCaret(a - 1, 0);
      break;
    case cmRIGHT: SetCaret(a + 1, 0); break;
    case cmRIGHTEX:
      if (hex && !lowNibble_) SetCaret(a, 1);
      else SetCaret(a + 1, 0);
      break;
    case cmPAGEUP: return PageUp();
    case cmPAGEDOWN: return PageDown();
    case cmFILETOP: SetCaret(0, 0); break;
    case cmFILEEND: SetCaret(size, 0); break;
    case cmPARATOP: SetCaret(a - caretColumn_, 0); break;
    case cmPARAEND: SetCaret(std::min(a - caretColumn_ + kBytesPerRow - 1, size), 0); break;
    default: return false;
  }
  return true;
}

void TBinaryViewCore::MoveCommand(TCommandId id, bool select) {
  const std::uint8_t stateBefore = selectionState_;
  select ? SelStep() : PlainStep();
  // The SEL forms of FILETOP and PARATOP stop at the address alone, whatever the nibble.
  bool possible = CanMove(id);
  if (select && id == cmFILETOP) possible = CaretAddress() != 0;
  if (select && id == cmPARATOP) possible = caretColumn_ != 0;
  if (possible && Move(id)) {
    history_.CloseUndoGroup();
  } else if (selectionState_ != stateBefore) {
    host_.PaintRows();
  }
}

void TBinaryViewCore::FastMove(TCommandId single) {
  const std::uint8_t stateBefore = selectionState_;
  PlainStep();
  const int shiftState = host_.CurrentShiftState();
  bool moved = false;
  // Nested commands may run while messages are processed: every step re-reads the caret and size.
  while (CanMove(single)) {
    Move(single);
    moved = true;
    history_.CloseUndoGroup();
    if (!host_.ProcessOneMessage()) break;
    if (host_.CurrentShiftState() != shiftState) break;
  }
  if (!moved && selectionState_ != stateBefore) host_.PaintRows();
}

bool TBinaryViewCore::PageUp() {
  if (topRow_ > 0) {
    topRow_ = std::max(0, topRow_ - std::max(visibleRows_, 1));
  } else {
    caretRow_ = 0;
  }
  AfterScroll();
  return true;
}

bool TBinaryViewCore::PageDown() {
  const std::int64_t rows = std::max(visibleRows_, 1);
  const std::int32_t size = module_.Size();
  if ((topRow_ + rows) * kBytesPerRow - 1 < size) {
    topRow_ += static_cast<std::int32_t>(rows);
  } else {
    caretRow_ = size / kBytesPerRow - topRow_;
  }
  ClampAfterScroll();
  AfterScroll();
  return true;
}

void TBinaryViewCore::Select() {
  if (module_.Size() == 0) return;
  if (selectionState_ == ssNone) {
    anchor_ = CaretAddress();
    selectionState_ = ssSticky;
  } else {
    selectionState_ = ssNone;
  }
  history_.CloseUndoGroup();
  host_.PaintRows();
  // The range size and the cut and copy buttons follow the selection as they follow the caret.
  host_.CaretMove();
}

void TBinaryViewCore::SelectAll() {
  if (module_.Size() == 0) return;
  anchor_ = 0;
  selectionState_ = ssTemporary;
  SetCaret(module_.Size(), 0);
  history_.CloseUndoGroup();
}

void TBinaryViewCore::SelectTop() {
  if (CaretAddress() == 0) return;
  anchor_ = 0;
  selectionState_ = ssTemporary;
  host_.PaintRows();
  host_.StateChange();
}

void TBinaryViewCore::SelectEnd() {
  if (CaretAddress() == module_.Size()) return;
  anchor_ = module_.Size();
  selectionState_ = ssTemporary;
  host_.PaintRows();
  host_.StateChange();
}

void TBinaryViewCore::SelectSwap() {
  if (selectionState_ == ssNone) return;
  const std::int32_t oldAnchor = anchor_;
  anchor_ = CaretAddress();
  SetCaret(oldAnchor, 0);
  history_.CloseUndoGroup();
}

void TBinaryViewCore::ToggleInputArea() {
  if (inputArea_ == iaChar) {
    SetInputArea(iaHex);
  } else if (charColumnShown_) {
    SetInputArea(iaChar);
  }
  history_.CloseUndoGroup();
}

}  // namespace ovx
