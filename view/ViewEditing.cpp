// Data entry and editing: every change is an edit record handed to ApplyEdit.
#include <vector>

#include "view/BinaryViewCore.h"
#include "view/RotationSteps.h"

namespace ovx {
namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsSJisLeadByte(std::uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Drops control characters; a double-byte character is kept whole.
std::string TypedBytes(std::string_view sjis) {
  std::string out;
  for (std::size_t i = 0; i < sjis.size(); ++i) {
    const auto b = static_cast<std::uint8_t>(sjis[i]);
    if (IsSJisLeadByte(b) && i + 1 < sjis.size()) {
      out.append(sjis.substr(i, 2));
      ++i;
    } else if (b >= 0x20) {
      out.push_back(static_cast<char>(b));
    }
  }
  return out;
}

std::string ToViewCharaSet(TCharaSet charaSet, const std::string& sjis) {
  switch (charaSet) {
    case csJis: return SJisStrToJis(sjis);
    case csEuc: return SJisStrToEuc(sjis);
    case csUnicode: return SJisStrToUnicode(sjis);
    default: return sjis;
  }
}

const std::uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

}  // namespace

bool TBinaryViewCore::Apply(const TEditRecord& record, bool moveCaret) {
  if (history_.ApplyEdit(record, moveCaret)) return true;
  prompt_.Beep();  // the same sound as a replace that reaches the largest document
  return false;
}

void TBinaryViewCore::ApplyOverSelection(const std::uint8_t* data, std::int32_t n, TCaretPosition caretAfter) {
  const TSelection sel = GetSelection();
  TEditRecord r;
  r.kind = ekReplace;
  r.position = sel.start;
  r.rangeLength = sel.end - sel.start;
  r.data = data;
  r.dataLength = n;
  r.caretBefore = GetCaret();
  r.caretAfter = caretAfter;
  // The caret moves without the selection; a refused edit (or one that ran out of memory, which
  // throws) gives it back.
  struct TKeepUnlessDone {
    std::uint8_t& state;
    std::uint8_t before;
    bool done = false;
    ~TKeepUnlessDone() {
      if (!done) state = before;
    }
  } keep{selectionState_, selectionState_};
  selectionState_ = ssNone;
  keep.done = Apply(r, true);
}

void TBinaryViewCore::CloseGroupUnlessPacked() {
  if (!undoPacked_) history_.CloseUndoGroup();
}

void TBinaryViewCore::TypeCharacters(std::string_view sjis) {
  Guarded([&] {
    if (inputArea_ == iaChar) {
      EnterCharacters(sjis);
      return;
    }
    for (const char c : sjis) {
      const int digit = HexDigitValue(c);
      if (digit >= 0) EnterHexDigit(digit);
    }
  });
}

void TBinaryViewCore::EnterHexDigit(int digit) {
  if (digit < 0 || digit > 15 || ViewOnly()) return;
  if (HasSelection()) {  // typing over a selection replaces it, whatever the mode
    const std::uint8_t value = static_cast<std::uint8_t>(digit << 4);
    ApplyOverSelection(&value, 1, {GetSelection().start, 1});
    CloseGroupUnlessPacked();
    return;
  }
  const bool insertEntry = inputMode_ == imInsert;
  const std::int32_t a = CaretAddress();
  std::uint8_t old = 0;
  if (a < module_.Size()) module_.ReadData(&old, a, 1);
  std::uint8_t value = 0;
  TEditRecord r;
  r.position = a;
  r.caretBefore = GetCaret();
  r.data = &value;
  r.dataLength = 1;
  if (!lowNibble_) {
    value = static_cast<std::uint8_t>(digit << 4 | (insertEntry ? 0 : old & 0x0F));
    r.kind = insertEntry ? ekInsert : ekOverwrite;
    r.caretAfter = {a, 1};
  } else {
    value = static_cast<std::uint8_t>((old & 0xF0) | digit);
    r.kind = ekOverwrite;
    r.caretAfter = {a + 1, 0};
  }
  Apply(r, true);
  CloseGroupUnlessPacked();
}

void TBinaryViewCore::EnterCharacters(std::string_view sjis) {
  if (ViewOnly()) return;
  const std::string typed = TypedBytes(sjis);
  if (typed.empty()) return;
  const std::string data = ToViewCharaSet(charaSet_, typed);
  if (data.empty()) return;
  const auto n = static_cast<std::int32_t>(data.size());
  if (HasSelection()) {
    ReplaceSelection(Bytes(data), n);
  } else if (inputMode_ == imOverwrite) {
    OverwriteBytes(Bytes(data), CaretAddress(), n);
  } else {
    InsertBytes(Bytes(data), CaretAddress(), n);
  }
}

void TBinaryViewCore::DeleteSelection() {
  const TSelection sel = GetSelection();
  TEditRecord r;
  r.kind = ekDelete;
  r.position = sel.start;
  r.rangeLength = sel.end - sel.start;
  r.caretBefore = GetCaret();
  r.caretAfter = {sel.start, 0};
  selectionState_ = ssNone;
  Apply(r, true);
  CloseGroupUnlessPacked();
}

void TBinaryViewCore::Delete() {
  if (ViewOnly()) return;
  if (HasSelection()) {
    DeleteSelection();
    return;
  }
  DeleteByteAt(CaretAddress());
}

// Removes one byte and leaves the caret on the high nibble where it stood.
void TBinaryViewCore::DeleteByteAt(std::int32_t a) {
  if (a >= module_.Size()) return;
  TEditRecord r;
  r.kind = ekDelete;
  r.position = a;
  r.rangeLength = 1;
  r.caretBefore = GetCaret();
  r.caretAfter = {a, 0};
  Apply(r, true);
  CloseGroupUnlessPacked();
}

void TBinaryViewCore::Backspace() {
  if (ViewOnly()) return;
  if (HasSelection()) {
    DeleteSelection();
    return;
  }
  const std::int32_t a = CaretAddress();
  if (a == 0 && !lowNibble_) return;
  // On the low nibble the half-typed byte under the caret goes; otherwise the byte before it.
  DeleteByteAt(lowNibble_ ? a : a - 1);
}

bool TBinaryViewCore::Copy() {
  if (!HasSelection()) return false;
  const TSelection sel = GetSelection();
  const std::int32_t n = sel.end - sel.start;
  const TClipboardPut put = host_.Clipboard().PutPrivate(ClipboardBlockSize(n), [&](std::uint8_t* block) {
    WriteClipboardBlockHeader(block, n);
    module_.ReadData(block + kClipboardBlockHeader, sel.start, n);
  });
  if (put == cpOutOfMemory) prompt_.Beep();
  if (put != cpPlaced) return false;
  host_.StateChange();
  return true;
}

void TBinaryViewCore::Cut() {
  if (ViewOnly() || !HasSelection()) return;
  if (Copy()) DeleteSelection();
}

void TBinaryViewCore::CopySel() {
  if (ViewOnly() || !HasSelection() || !Copy()) return;
  selectionState_ = ssNone;
  host_.PaintRows();
  history_.CloseUndoGroup();
}

void TBinaryViewCore::Paste() {
  if (ViewOnly()) return;
  TViewClipboard& clip = host_.Clipboard();
  if (clip.HasPrivate()) {
    clip.ReadPrivate([this](const std::uint8_t* block, std::size_t size) {
      PasteBytes(ClipboardBlockBytes(block, size));
    });
  } else if (clip.HasText()) {
    clip.ReadText([this](const std::uint8_t* text, std::size_t size) {
      PasteBytes(ClipboardTextBytes(text, size));
    });
  }
}

// The pasted bytes replace the selection or go in at the caret as the input mode says.
void TBinaryViewCore::PasteBytes(TClipboardBytes bytes) {
  const std::int32_t n = bytes.count;
  if (HasSelection()) {
    ApplyOverSelection(bytes.data, n, CaretPast(GetSelection().start, n));
  } else if (n > 0) {
    const std::int32_t a = CaretAddress();
    TEditRecord r = DataRecord(inputMode_ == imInsert ? ekInsert : ekOverwrite, bytes.data, a, n);
    r.caretAfter = CaretPast(a, n);
    Apply(r, true);
  }
  // Even with nothing to put anywhere: typing after a paste starts a new undo step.
  history_.CloseUndoGroup();
}

void TBinaryViewCore::Undo() { history_.Undo(); }
void TBinaryViewCore::Redo() { history_.Redo(); }

bool TBinaryViewCore::OperationRange(bool singleByteAtCaret, std::int32_t& start, std::int32_t& length) const {
  if (singleByteAtCaret && !HasSelection()) {
    start = CaretAddress();
    length = 1;
    return start < module_.Size();
  }
  if (module_.Size() == 0) return false;
  if (HasSelection()) {
    const TSelection sel = GetSelection();
    start = sel.start;
    length = sel.end - sel.start;
  } else {
    start = 0;
    length = module_.Size();
  }
  return true;
}

void TBinaryViewCore::RangeOperation(TEditKind kind, bool singleByteAtCaret) {
  std::int32_t start = 0;
  std::int32_t length = 0;
  if (ViewOnly() || !OperationRange(singleByteAtCaret, start, length)) return;
  ApplyToRange(kind, start, length, {0});
}

void TBinaryViewCore::RotateRange(bool left, std::int64_t count, int unitBits) {
  std::int32_t start = 0;
  std::int32_t length = 0;
  if (ViewOnly() || !OperationRange(false, start, length)) return;
  ApplyToRange(ekBitRotate, start, length, RotationSteps(left, count, unitBits, length));
}

// One record per amount over the range, the caret staying where it is; one undo step.
void TBinaryViewCore::ApplyToRange(TEditKind kind, std::int32_t start, std::int32_t length,
                                   const std::vector<std::int32_t>& amounts) {
  TEditRecord r;
  r.kind = kind;
  r.position = start;
  r.rangeLength = length;
  r.caretBefore = r.caretAfter = GetCaret();
  Guarded([&] {
    for (const std::int32_t amount : amounts) {
      r.dataLength = amount;
      Apply(r, true);
    }
    history_.CloseUndoGroup();
  });
}

void TBinaryViewCore::BitNot() { RangeOperation(ekBitNot, false); }
void TBinaryViewCore::BitReverse() { RangeOperation(ekBitReverse, false); }
void TBinaryViewCore::BitRotate(bool left, std::int32_t bits) { RotateRange(left, bits, 1); }

void TBinaryViewCore::ByteReverse() {
  if (module_.Size() < 2) return;
  RangeOperation(ekByteReverse, false);
}

void TBinaryViewCore::ByteRotate(bool left, std::int32_t bytes) {
  if (module_.Size() < 2) return;
  RotateRange(left, bytes, 8);
}

void TBinaryViewCore::IntIncrement(bool bigEndian) {
  RangeOperation(bigEndian ? ekIncrementBE : ekIncrementLE, true);
}

void TBinaryViewCore::IntDecrement(bool bigEndian) {
  RangeOperation(bigEndian ? ekDecrementBE : ekDecrementLE, true);
}

// A record that puts n bytes at address, made with the caret where it stands.
TEditRecord TBinaryViewCore::DataRecord(TEditKind kind, const std::uint8_t* data, std::int32_t address,
                                        std::int32_t n) const {
  TEditRecord r;
  r.kind = kind;
  r.position = address;
  r.data = data;
  r.dataLength = n;
  r.caretBefore = r.caretAfter = GetCaret();
  return r;
}

void TBinaryViewCore::InsertBytes(const std::uint8_t* data, std::int32_t address, std::int32_t n) {
  if (ViewOnly() || data == nullptr || n <= 0) return;
  TEditRecord r = DataRecord(ekInsert, data, address, n);
  r.caretAfter = CaretPast(CaretAddress(), n);
  ApplyGuarded(r, true, true);
}

void TBinaryViewCore::ReplaceSelection(const std::uint8_t* data, std::int32_t n) {
  if (ViewOnly() || !HasSelection() || n < 0 || (n > 0 && data == nullptr)) return;
  Guarded([&] {
    ApplyOverSelection(data, n, CaretPast(GetSelection().start, n));
    history_.CloseUndoGroup();
  });
}

void TBinaryViewCore::OverwriteBytes(const std::uint8_t* data, std::int32_t address, std::int32_t n) {
  if (ViewOnly() || data == nullptr || n <= 0) return;
  TEditRecord r = DataRecord(ekOverwrite, data, address, n);
  r.caretAfter = CaretPast(address, n);
  ApplyGuarded(r, true, true);
}

// An undoable overwrite that neither moves the caret nor closes the undo group.
void TBinaryViewCore::PatchBytes(const std::uint8_t* data, std::int32_t address, std::int32_t n) {
  if (ViewOnly() || data == nullptr || n <= 0) return;
  ApplyGuarded(DataRecord(ekOverwrite, data, address, n), false, false);
}

// The byte-block entry points are called from dialogs and the structure viewer.
void TBinaryViewCore::ApplyGuarded(const TEditRecord& record, bool moveCaret, bool closeGroup) {
  Guarded([&] {
    Apply(record, moveCaret);
    if (closeGroup) history_.CloseUndoGroup();
  });
}

}  // namespace ovx
