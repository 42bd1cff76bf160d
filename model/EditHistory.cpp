#include "model/EditHistory.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

namespace ovx {

// Bytes kept by a node: up to four held in place of the pointer, longer data in a heap copy.
union TNodeData {
  std::uint8_t* heap;
  std::uint8_t inPlace[TEditHistory::kInPlaceBytes];
};

struct THistoryNode {
  TEditKind kind = ekInsert;
  // The lengths say how many bytes the change covers; the bytes themselves are only kept when
  // the node can stay in the history at all (see ApplyEdit). Sits in the padding after kind.
  bool keepsData = false;
  std::uint32_t group = 0;
  THistoryNode* newer = nullptr;
  THistoryNode* older = nullptr;
  TCaretPosition caretBefore;
  TCaretPosition caretAfter;
  std::int32_t position = 0;
  TNodeData oldData{};
  TNodeData newData{};
  std::int32_t oldLength = 0;  // bytes of oldData (0 when the node keeps none)
  std::int32_t newLength = 0;
  std::int32_t rangeLength = 0;
  std::int32_t amount = 0;
};

// With 32-bit pointers a node is exactly the 60 bytes it is charged.
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(THistoryNode) == TEditHistory::kNodeCharge);
#endif

namespace {

bool HeldInPlace(std::int32_t length) { return length <= TEditHistory::kInPlaceBytes; }

const std::uint8_t* Bytes(const THistoryNode& node, const TNodeData& d, std::int32_t length) {
  if (!node.keepsData || length <= 0) return nullptr;
  return HeldInPlace(length) ? d.inPlace : d.heap;
}

std::uint8_t* Reserve(TNodeData& d, std::int32_t length) {
  if (HeldInPlace(length)) return d.inPlace;
  d.heap = new std::uint8_t[static_cast<std::size_t>(length)];
  return d.heap;
}

void Release(THistoryNode* node) {
  if (node->keepsData) {
    if (!HeldInPlace(node->oldLength)) delete[] node->oldData.heap;
    if (!HeldInPlace(node->newLength)) delete[] node->newData.heap;
  }
  delete node;
}

struct TNodeRelease {
  void operator()(THistoryNode* node) const { Release(node); }
};

std::int64_t Charge(const THistoryNode& node) { return TEditHistory::EditCharge(node.oldLength, node.newLength); }

// True when the range starts on a byte and covers at least one; the module's range operations
// do nothing otherwise, and a rotation must never reduce its amount modulo an empty range.
bool RangeHasBytes(const TMemoryModule& module, std::int32_t position, std::int32_t length) {
  return position >= 0 && position < module.Size() && length > 0;
}

// Rotates right by amount bits, left for a negative amount. The amount may be -2^31, whose
// magnitude does not fit the module's argument, so large magnitudes go in pieces.
void RotateRightBy(TMemoryModule& module, std::int32_t position, std::int32_t length, std::int64_t amount) {
  if (!RangeHasBytes(module, position, length)) return;
  const bool right = amount > 0;
  std::int64_t magnitude = right ? amount : -amount;
  constexpr std::int64_t kPiece = std::int64_t{1} << 30;
  while (magnitude > 0) {
    const auto step = static_cast<std::int32_t>(std::min(magnitude, kPiece));
    if (right) {
      module.RotateRight(position, length, step);
    } else {
      module.RotateLeft(position, length, step);
    }
    magnitude -= step;
  }
}

// The range operations, kinds 4 to 12. Undo passes inverse = true.
void RangeOperation(TMemoryModule& module, const THistoryNode& node, bool inverse) {
  const std::int32_t p = node.position;
  const std::int32_t n = node.rangeLength;
  if (node.kind == ekBitRotate) {
    RotateRightBy(module, p, n, inverse ? -std::int64_t{node.amount} : std::int64_t{node.amount});
    return;
  }
  if (!RangeHasBytes(module, p, n)) return;
  switch (node.kind) {
    case ekBitReverse: module.ReverseBits(p, n); break;
    case ekBitNot: module.InvertBits(p, n); break;
    case ekByteReverse: module.ReverseBytes(p, n); break;
    case ekIncrementLE: inverse ? module.DecrementLE(p, n) : module.IncrementLE(p, n); break;
    case ekDecrementLE: inverse ? module.IncrementLE(p, n) : module.DecrementLE(p, n); break;
    case ekIncrementBE: inverse ? module.DecrementBE(p, n) : module.IncrementBE(p, n); break;
    case ekDecrementBE: inverse ? module.IncrementBE(p, n) : module.DecrementBE(p, n); break;
    default: break;
  }
}

void Insert(TMemoryModule& module, const std::uint8_t* data, std::int32_t position, std::int32_t length) {
  if (length > 0) module.InsertData(data, position, length);
}

void Delete(TMemoryModule& module, std::int32_t position, std::int32_t length) {
  if (length > 0) module.DeleteData(position, length);
}

// Before a delete that an insert follows: memory running out then stops the change before the
// delete, not between the two.
void ReserveRoom(TMemoryModule& module, std::int32_t insertLength) {
  if (insertLength > 0) module.ReserveFor(insertLength);
}

// Performs the node's change with the given new bytes (the record's on apply, the node's on redo).
void DoChange(TMemoryModule& module, const THistoryNode& node, const std::uint8_t* newBytes) {
  switch (node.kind) {
    case ekInsert: Insert(module, newBytes, node.position, node.newLength); break;
    case ekOverwrite:
      if (node.newLength > 0) module.WriteData(newBytes, node.position, node.newLength);
      break;
    case ekReplace:
      ReserveRoom(module, node.newLength);
      Delete(module, node.position, node.oldLength);
      Insert(module, newBytes, node.position, node.newLength);
      break;
    case ekDelete: Delete(module, node.position, node.oldLength); break;
    default: RangeOperation(module, node, false); break;
  }
}

void TakeBack(TMemoryModule& module, const THistoryNode& node) {
  const std::uint8_t* oldBytes = Bytes(node, node.oldData, node.oldLength);
  switch (node.kind) {
    case ekInsert: Delete(module, node.position, node.newLength); break;
    case ekOverwrite:
    case ekReplace:
      ReserveRoom(module, node.oldLength);
      Delete(module, node.position, node.newLength);
      Insert(module, oldBytes, node.position, node.oldLength);
      break;
    case ekDelete: Insert(module, oldBytes, node.position, node.oldLength); break;
    default: RangeOperation(module, node, true); break;
  }
}

bool KnownKind(TEditKind kind) { return kind <= ekBitNot || (kind >= ekByteReverse && kind <= ekDecrementBE); }

// Whether the module can take the record: the bytes must exist where they are read, and the
// document must not grow past the largest size an address can reach.
bool Acceptable(const TMemoryModule& module, const TEditRecord& r) {
  if (!KnownKind(r.kind)) return false;
  const std::int64_t size = module.Size();
  if (r.kind == ekDelete) return r.position >= 0 && r.position <= size;
  if (r.kind != ekInsert && r.kind != ekOverwrite && r.kind != ekReplace) return true;
  if (r.dataLength < 0 || (r.dataLength > 0 && r.data == nullptr)) return false;
  if (r.position < 0 || r.position > size) return false;
  std::int64_t result = size + r.dataLength;
  if (r.kind == ekOverwrite) result = std::max<std::int64_t>(size, std::int64_t{r.position} + r.dataLength);
  if (r.kind == ekReplace) result -= std::min<std::int64_t>(std::max(r.rangeLength, 0), size - r.position);
  return result <= kMaxDocumentSize;
}

// Bytes from position to the end of the document, at most length, never negative.
std::int32_t BytesPresent(const TMemoryModule& module, std::int32_t position, std::int32_t length) {
  if (position < 0 || length <= 0) return 0;
  return std::max(0, std::min(length, module.Size() - position));
}

}  // namespace

std::int64_t TEditHistory::LimitFromKilobytes(std::int32_t kilobytes) {
  return std::int64_t{std::clamp(kilobytes, 0, kMaxUndoBufferKB)} * 1024;
}

TEditHistory::TEditHistory(TMemoryModule& module, TUserPrompt& prompt) : module_(module), prompt_(prompt) {}

TEditHistory::~TEditHistory() {
  while (first_) RemoveFirst();
}

bool TEditHistory::ApplyEdit(const TEditRecord& record, bool moveCaret) {
  if (!Acceptable(module_, record)) return false;
  if (record.kind == ekBitRotate && record.dataLength == 0) return true;

  // Owned here until it joins the history: memory running out on the way drops it.
  std::unique_ptr<THistoryNode, TNodeRelease> owned(new THistoryNode);
  THistoryNode* node = owned.get();
  node->kind = record.kind;
  node->group = groupCounter_;
  node->caretBefore = record.caretBefore;
  node->caretAfter = record.caretAfter;
  node->position = record.position;
  switch (record.kind) {
    case ekInsert: node->newLength = record.dataLength; break;
    case ekOverwrite:
      node->oldLength = BytesPresent(module_, record.position, record.dataLength);
      node->newLength = record.dataLength;
      break;
    case ekReplace:
      node->oldLength = BytesPresent(module_, record.position, record.rangeLength);
      node->newLength = record.dataLength;
      break;
    case ekDelete: node->oldLength = BytesPresent(module_, record.position, record.rangeLength); break;
    case ekBitRotate:
      node->rangeLength = record.rangeLength;
      node->amount = record.dataLength;
      break;
    default: node->rangeLength = record.rangeLength; break;
  }

  if (openGroupDropped_ && droppedGroup_ == groupCounter_) {
    DoChange(module_, *node, record.data);  // the node is freed on the way out
    if (moveCaret && MoveCaret) MoveCaret(record.caretAfter);
    NotifyStateChange();
    return true;
  }
  // A node charged more than the whole limit is dropped with its group by the trim below, so its
  // bytes are never needed: a huge delete then costs no copy of the deleted data.
  node->keepsData = Charge(*node) <= limit_;
  if (node->keepsData) {
    if (node->oldLength > 0) {
      module_.ReadData(Reserve(node->oldData, node->oldLength), node->position, node->oldLength);
    }
    if (node->newLength > 0) {
      std::memcpy(Reserve(node->newData, node->newLength), record.data, static_cast<std::size_t>(node->newLength));
    }
  }

  DoChange(module_, *node, record.data);
  owned.release();
  if (moveCaret && MoveCaret) MoveCaret(record.caretAfter);

  DropRedoPart();
  if (current_) {
    current_->newer = node;
    node->older = current_;
  } else {
    first_ = node;
  }
  current_ = node;
  used_ += Charge(*node);
  Trim();
  NotifyStateChange();
  return true;
}

void TEditHistory::Undo() {
  if (!current_) return;
  const std::uint32_t group = current_->group;
  TCaretPosition caret;
  while (current_ && current_->group == group) {
    TakeBack(module_, *current_);
    caret = current_->caretBefore;
    current_ = current_->older;
  }
  if (MoveCaret) MoveCaret(caret);
  NotifyStateChange();
}

void TEditHistory::Redo() {
  if (!CanRedo()) return;
  THistoryNode* next = current_ ? current_->newer : first_;
  const std::uint32_t group = next->group;
  TCaretPosition caret;
  while (next && next->group == group) {
    current_ = next;
    DoChange(module_, *next, Bytes(*next, next->newData, next->newLength));
    caret = next->caretAfter;
    next = next->newer;
  }
  if (MoveCaret) MoveCaret(caret);
  NotifyStateChange();
}

bool TEditHistory::CanUndo() const { return current_ != nullptr; }

bool TEditHistory::CanRedo() const { return current_ ? current_->newer != nullptr : first_ != nullptr; }

void TEditHistory::ClearHistory() {
  while (first_) RemoveFirst();
  used_ = 0;
  openGroupDropped_ = false;
  NotifyStateChange();
}

bool TEditHistory::ConfirmClearHistory() {
  if (!CanUndo() && !CanRedo()) return false;
  const TModalResult answer = prompt_.MessageDlgBeep(
      "履歴を消去しようとしています.\r\n"
      "この処理を行うと今まで行った処理を元に戻したりやり直し出来なくなります.\r\n"
      "履歴の消去を実行しますか？",
      mtConfirmation, mbYes | mbAbort);
  if (answer != mrYes) return false;
  ClearHistory();
  return true;
}

int TEditHistory::HistoryUsagePercent() const {
  if (limit_ <= 0) return 0;
  return static_cast<int>(std::min<std::int64_t>(used_ * 100 / limit_, std::numeric_limits<int>::max()));
}

void TEditHistory::SetLimit(std::int64_t bytes) {
  limit_ = std::max<std::int64_t>(bytes, 0);
  if (Trim()) NotifyStateChange();
}

std::int64_t TEditHistory::NodeCount() const {
  std::int64_t count = 0;
  for (const THistoryNode* node = first_; node; node = node->newer) ++count;
  return count;
}

void TEditHistory::DropRedoPart() {
  THistoryNode* node = current_ ? current_->newer : first_;
  if (current_) {
    current_->newer = nullptr;
  } else {
    first_ = nullptr;
  }
  while (node) {
    THistoryNode* newer = node->newer;
    used_ -= Charge(*node);
    Release(node);
    node = newer;
  }
}

bool TEditHistory::Trim() {
  bool dropped = false;
  while (used_ > limit_ && first_) {
    if (overflowSound_) prompt_.Beep();
    dropped = true;
    if (!current_) {
      // The oldest group is undone: every newer group was recorded after it and cannot be
      // redone without it, so the whole redo part goes.
      DropRedoPart();
    } else {
      const std::uint32_t group = first_->group;
      while (first_ && first_->group == group) RemoveFirst();
      if (group == groupCounter_) {
        openGroupDropped_ = true;
        droppedGroup_ = group;
      }
    }
  }
  return dropped;
}

void TEditHistory::RemoveFirst() {
  THistoryNode* node = first_;
  first_ = node->newer;
  if (first_) first_->older = nullptr;
  // Without its node the document stands where the next one starts: nothing left to undo.
  if (node == current_) current_ = nullptr;
  used_ -= Charge(*node);
  Release(node);
}

void TEditHistory::NotifyStateChange() {
  if (OnStateChange) OnStateChange();
}

}  // namespace ovx
