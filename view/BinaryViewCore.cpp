#include "view/BinaryViewCore.h"

#include <algorithm>

namespace ovx {

TBinaryViewCore::TBinaryViewCore(TViewHost& host, TUserPrompt& prompt) : host_(host), prompt_(prompt), history_(module_, prompt) {
  ClearKeyMap(keyMap_);
  module_.OnChange = [this](TMemoryModule&) { OnModuleChange(); };
  history_.MoveCaret = [this](const TCaretPosition& caret) { SetCaret(caret.address, caret.lowNibble); };
  history_.OnStateChange = [this] { host_.StateChange(); };
}

void TBinaryViewCore::OnModuleChange() {
  const std::int32_t size = module_.Size();
  host_.SetScrollRange(std::max(1, size / kBytesPerRow));
  // An edit that leaves the caret or the anchor past the new end brings them back to it.
  if (anchor_ > size) anchor_ = size;
  if (CaretAddress() > size) ClampAfterScroll();
  host_.PaintRows();
  host_.StateChange();
}

void TBinaryViewCore::SetVisibleRows(std::int32_t rows) {
  visibleRows_ = std::max(rows, 0);
  SetCaret(CaretAddress(), lowNibble_);
}

void TBinaryViewCore::SetCharColumnShown(bool shown) {
  charColumnShown_ = shown;
  if (!shown && inputArea_ == iaChar) {
    SetInputArea(iaHex);
  } else {
    host_.PaintRows();
  }
}

void TBinaryViewCore::SetCaret(std::int32_t address, std::uint8_t lowNibble) {
  foundSearch_ = false;
  foundDifference_ = false;
  const std::int32_t a = std::clamp(address, 0, module_.Size());
  lowNibble_ = lowNibble ? 1 : 0;
  // A window too small for one row still scrolls as if it showed one.
  const std::int64_t rows = std::max(visibleRows_, 1);
  const std::int32_t row = a / kBytesPerRow;
  if (row < topRow_) {
    topRow_ = row;
    caretRow_ = 0;
  } else if (row >= topRow_ + rows) {
    topRow_ = static_cast<std::int32_t>(row - rows + 1);
    caretRow_ = static_cast<std::int32_t>(rows - 1);
  } else {
    caretRow_ = row - topRow_;
  }
  caretColumn_ = a % kBytesPerRow;
  host_.PaintRows();
  host_.SetScrollPosition(topRow_);
  highlightStart_ = -1;
  highlightLength_ = 0;
  host_.CaretMove();
}

void TBinaryViewCore::ClampAfterScroll() {
  const std::int32_t size = module_.Size();
  if (static_cast<std::int64_t>(topRow_ + caretRow_) * kBytesPerRow + caretColumn_ <= size) return;
  caretColumn_ = size % kBytesPerRow;
  caretRow_ = size / kBytesPerRow - topRow_;
  if (caretRow_ < 0) {  // the top row itself lies past the end
    topRow_ = size / kBytesPerRow;
    caretRow_ = 0;
  }
}

void TBinaryViewCore::AfterScroll() {
  foundSearch_ = false;
  foundDifference_ = false;
  host_.PaintRows();
  host_.SetScrollPosition(topRow_);
  highlightStart_ = -1;
  highlightLength_ = 0;
  host_.CaretMove();
}

void TBinaryViewCore::SetInputArea(TInputArea area) {
  inputArea_ = area;
  lowNibble_ = 0;
  host_.PaintRows();
}

TCaretBytes TBinaryViewCore::PeekCaretBytes() const {
  TCaretBytes peek;
  const std::int32_t a = CaretAddress();
  const std::int32_t size = module_.Size();
  peek.available = a >= size ? 0 : std::min(4, size - a);
  if (peek.available > 0) module_.ReadData(peek.bytes, a, 4);
  return peek;
}

TViewPosition TBinaryViewCore::GetViewPosition() const {
  return {topRow_, caretRow_, caretColumn_, lowNibble_, static_cast<std::uint8_t>(inputArea_)};
}

void TBinaryViewCore::SetViewPosition(const TViewPosition& p) {
  topRow_ = std::max(p.topRow, 0);
  inputArea_ = p.inputArea == iaChar && charColumnShown_ ? iaChar : iaHex;
  const std::int64_t address = (static_cast<std::int64_t>(topRow_) + p.caretRow) * kBytesPerRow + p.caretColumn;
  SetCaret(static_cast<std::int32_t>(std::clamp<std::int64_t>(address, 0, module_.Size())),
           inputArea_ == iaHex ? p.lowNibble : 0);
}

TSelection TBinaryViewCore::GetSelection() const {
  if (!HasSelection()) return {};
  const std::int32_t caret = CaretAddress();
  return {true, std::min(anchor_, caret), std::max(anchor_, caret)};
}

void TBinaryViewCore::SetAnchor(std::int32_t address) {
  anchor_ = std::clamp(address, 0, module_.Size());
  host_.PaintRows();
}

void TBinaryViewCore::SetSelectionState(std::uint8_t state) {
  selectionState_ = state <= ssSticky ? state : ssNone;
  host_.PaintRows();
}

void TBinaryViewCore::EndTemporarySelectionIfEmpty() {
  if (selectionState_ == ssTemporary && anchor_ == CaretAddress()) selectionState_ = ssNone;
}

void TBinaryViewCore::SetHighlight(std::int32_t start, std::int32_t length) {
  highlightStart_ = start;
  highlightLength_ = start < 0 ? 0 : length;
}

void TBinaryViewCore::SetFoundFlags(bool searchMatch, bool difference) {
  foundSearch_ = searchMatch;
  foundDifference_ = difference;
}

void TBinaryViewCore::SetInputMode(std::uint8_t mode) {
  inputMode_ = mode <= imViewOnly ? mode : imOverwrite;
  host_.CaretShapeChanged();
  host_.StateChange();
}

void TBinaryViewCore::SetCharaSet(TCharaSet charaSet) {
  charaSet_ = charaSet <= csUnicode ? charaSet : csSJis;
  host_.PaintRows();
  host_.StateChange();
}

void TBinaryViewCore::SetCheckSumMode(std::uint8_t mode) {
  checkSumMode_ = mode ? 1 : 0;
  host_.PaintRows();
  host_.StateChange();
}

void TBinaryViewCore::SetCaretMarker(bool on) {
  caretMarker_ = on;
  host_.PaintRows();
}

void TBinaryViewCore::SetExpandTenKey(bool on) {
  expandTenKey_ = on;
  host_.StateChange();
}

void TBinaryViewCore::SetEnvironment(const TEnvironmentSettings& s) {
  keyMap_ = s.KeyMap;
  undoPacked_ = s.UndoPacked;
  history_.SetOverflowSound(s.UndoOverflowSound);
  history_.SetLimit(TEditHistory::LimitFromKilobytes(s.UndoBuffer));
  caretMarker_ = s.CaretMarker;
  makeBackup_ = s.MakeBackFile;
  undoFlushWithSaved_ = s.UndoFlushWithSaved;
  expandTenKey_ = s.ExpandTenKey;
  if (s.NewWindow) {
    inputMode_ = s.InputMode <= imInsert ? s.InputMode : imOverwrite;
    charaSet_ = s.CharaSet <= csUnicode ? static_cast<TCharaSet>(s.CharaSet) : csSJis;
    checkSumMode_ = s.CheckSum ? 1 : 0;
    host_.CaretShapeChanged();
  }
  host_.PaintRows();
  host_.StateChange();
}

bool TBinaryViewCore::LoadFile(const std::string& name, TFileSystem& fs) {
  TDocumentFileHooks hooks;
  hooks.AfterLoad = [this] {
    selectionState_ = ssNone;
    anchor_ = 0;
    topRow_ = 0;
    host_.SetScrollRange(std::max(1, module_.Size() / kBytesPerRow));
    SetCaret(0, 0);
  };
  const bool loaded = ovx::LoadFile(name, module_, history_, prompt_, hooks, fs);
  if (!loaded) hooks.AfterLoad();  // a failed load leaves an empty document
  return loaded;
}

bool TBinaryViewCore::SaveFile(const std::string& name, TFileSystem& fs) {
  TDocumentFileHooks hooks;
  hooks.AfterSave = [this] {
    host_.SetScrollRange(std::max(1, module_.Size() / kBytesPerRow));
    host_.StateChange();
  };
  return ovx::SaveFile(name, module_, history_, prompt_, {makeBackup_, undoFlushWithSaved_}, hooks, fs);
}

TPaintInput TBinaryViewCore::PaintInput() const {
  TPaintInput in;
  in.topRow = topRow_;
  in.visibleRows = visibleRows_;
  in.caretRow = caretRow_;
  in.caretColumn = caretColumn_;
  const TSelection sel = GetSelection();
  in.selectionActive = sel.active;
  in.selectionStart = sel.start;
  in.selectionEnd = sel.end;
  in.highlightStart = highlightStart_;
  in.highlightLength = highlightLength_;
  in.charaSet = charaSet_;
  in.checkSumMode = checkSumMode_;
  in.compare = compare_.Active() ? &compare_ : nullptr;
  return in;
}

// Scroll bar.

void TBinaryViewCore::ScrollLineUp() {
  if (topRow_ == 0) return;
  --topRow_;
  AfterScroll();
  history_.CloseUndoGroup();
}

void TBinaryViewCore::ScrollLineDown() {
  if (topRow_ >= module_.Size() / kBytesPerRow) return;
  ++topRow_;
  ClampAfterScroll();
  AfterScroll();
  history_.CloseUndoGroup();
}

void TBinaryViewCore::ScrollThumb(std::int32_t position) {
  if (position < 0 || position > module_.Size() / kBytesPerRow) return;
  topRow_ = position;
  ClampAfterScroll();
  AfterScroll();
}

// Mouse.

bool TBinaryViewCore::MouseDown(TViewMouseButton button, const TViewHit& hit, bool shiftHeld) {
  if (hit.area == TViewHit::None) return false;
  const std::int64_t wanted =
      (static_cast<std::int64_t>(topRow_) + hit.row) * kBytesPerRow + (hit.area == TViewHit::Address ? 0 : hit.column);
  const auto address = static_cast<std::int32_t>(std::clamp<std::int64_t>(wanted, 0, module_.Size()));
  // A click in the other area makes it the input area even where the caret stays (a right
  // click inside the selection): on the high nibble, the caret placed and drawn there.
  const TInputArea area = hit.area == TViewHit::Hex ? iaHex : hit.area == TViewHit::Char ? iaChar : inputArea_;
  if (area != inputArea_) SetInputArea(area);
  switch (button) {
    case vmbLeft:
      if (!shiftHeld) {
        if (selectionState_ == ssTemporary) selectionState_ = ssNone;
      } else if (!HasSelection()) {
        anchor_ = CaretAddress();
        selectionState_ = ssTemporary;
      }
      dragArea_ = inputArea_ == iaChar ? TViewHit::Char : TViewHit::Hex;
      SetCaret(address, 0);
      host_.StartDragTimer();
      return false;
    case vmbRight: {
      const TSelection sel = GetSelection();
      if (!sel.active || address < sel.start || address >= sel.end) {
        selectionState_ = ssNone;
        SetCaret(address, 0);
      }
      return true;
    }
    case vmbMiddle:
      SetCaret(address, 0);
      return false;
  }
  return false;
}

void TBinaryViewCore::DragTo(const TViewGeometry& g, int x, int y) {
  const TDragCell cell = DragCell(g, dragArea_, x, y);
  std::int64_t row = static_cast<std::int64_t>(topRow_) + cell.row;
  if (row < 0) row = 0;
  const auto address = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(row * kBytesPerRow + cell.column, 0, module_.Size()));
  if (address == CaretAddress() && lowNibble_ == 0) return;
  SetCaret(address, 0);
}

void TBinaryViewCore::MouseMove(const TViewGeometry& g, int x, int y, bool insideView) {
  if (selectionState_ == ssNone) {
    anchor_ = CaretAddress();
    selectionState_ = ssTemporary;
  }
  if (insideView) DragTo(g, x, y);
}

void TBinaryViewCore::DragTimerTick(const TViewGeometry& g, int x, int y, bool insideView) {
  if (!insideView) DragTo(g, x, y);
}

void TBinaryViewCore::MouseUp() {
  host_.StopDragTimer();
  EndTemporarySelectionIfEmpty();
}

TContextMenuState TBinaryViewCore::ContextMenuState() {
  TContextMenuState s;
  const bool selected = HasSelection();
  s.undo = history_.CanUndo();
  s.redo = history_.CanRedo();
  s.cut = s.del = selected && !ViewOnly();
  s.copy = selected;
  s.paste = !ViewOnly() && (host_.Clipboard().HasPrivate() || host_.Clipboard().HasText());
  s.selectAll = module_.Size() > 0;
  return s;
}

}  // namespace ovx
