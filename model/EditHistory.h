// The edit history of one document: every change goes through ApplyEdit, which performs it on the
// module and records what is needed to take it back and do it again. The binary view owns one and
// supplies the caret move and the state-change notification as hooks.
#pragma once

#include <cstdint>
#include <functional>

#include "model/EditRecord.h"
#include "model/MModule.h"
#include "model/UserPrompt.h"

namespace ovx {

struct THistoryNode;

class TEditHistory {
 public:
  // What every node costs, whatever it holds in place.
  static constexpr std::int64_t kNodeCharge = 60;
  // Data up to this length is held inside the node and costs nothing extra.
  static constexpr std::int32_t kInPlaceBytes = 4;
  static constexpr std::int32_t kMaxUndoBufferKB = 1024;
  static constexpr std::int32_t kDefaultUndoBufferKB = 128;

  // What the history is charged for an edit that takes out oldLength bytes and puts in newLength.
  static std::int64_t EditCharge(std::int32_t oldLength, std::int32_t newLength) {
    return kNodeCharge + (oldLength > kInPlaceBytes ? oldLength : 0) + (newLength > kInPlaceBytes ? newLength : 0);
  }
  // The limit in bytes for an undo buffer setting in KB (clamped to 0..1024).
  static std::int64_t LimitFromKilobytes(std::int32_t kilobytes);

  TEditHistory(TMemoryModule& module, TUserPrompt& prompt);
  ~TEditHistory();
  TEditHistory(const TEditHistory&) = delete;
  TEditHistory& operator=(const TEditHistory&) = delete;

  // Puts the caret somewhere (after an edit with move caret, after undo and redo).
  std::function<void(const TCaretPosition& caret)> MoveCaret;
  // Raised after every ApplyEdit, Undo, Redo and ClearHistory, and when a new limit drops history.
  std::function<void()> OnStateChange;

  // Performs and records the edit. A rotation by 0 bits does nothing at all. Returns false, and
  // changes nothing, when the document cannot take the edit: unknown kind, an insert, overwrite,
  // replace or delete outside 0..Size, missing or negative data, or a result larger than the
  // largest document.
  bool ApplyEdit(const TEditRecord& record, bool moveCaret);
  void Undo();
  void Redo();
  bool CanUndo() const;
  bool CanRedo() const;
  void ClearHistory();
  // Asks before clearing a history that holds anything; true when it was cleared.
  bool ConfirmClearHistory();
  // The next edit starts a new group.
  void CloseUndoGroup() { ++groupCounter_; }
  std::uint32_t GroupCounter() const { return groupCounter_; }

  std::int64_t HistoryUsed() const { return used_; }
  std::int64_t HistoryLimit() const { return limit_; }
  // usage × 100 / limit in whole percent; 0 with a limit of 0, where nothing can be kept.
  int HistoryUsagePercent() const;
  // Applies a new limit (negative counts as 0) and drops the oldest groups at once if needed.
  void SetLimit(std::int64_t bytes);
  // Beep whenever old history is dropped for lack of room.
  void SetOverflowSound(bool on) { overflowSound_ = on; }
  bool OverflowSound() const { return overflowSound_; }

  // Number of nodes in the list (walks it; for tests and diagnostics).
  std::int64_t NodeCount() const;

 private:
  void DropRedoPart();
  // Removes whole groups from the oldest end while the usage exceeds the limit, and everything
  // once it reaches an undone group; true if any went.
  bool Trim();
  void RemoveFirst();
  void NotifyStateChange();

  TMemoryModule& module_;
  TUserPrompt& prompt_;
  THistoryNode* first_ = nullptr;
  THistoryNode* current_ = nullptr;  // last applied and not undone; none when all is undone
  std::uint32_t groupCounter_ = 0;
  std::int64_t used_ = 0;
  std::int64_t limit_ = LimitFromKilobytes(kDefaultUndoBufferKB);
  bool overflowSound_ = false;
  // The open group was dropped for lack of room: its later edits are made but not recorded, so
  // that no undo ever takes back only the end of it.
  bool openGroupDropped_ = false;
  std::uint32_t droppedGroup_ = 0;
};

}  // namespace ovx
