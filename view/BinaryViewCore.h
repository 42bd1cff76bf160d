// The binary view without its window: document, edit history, caret, selection,
// modes, the commands of the view and data entry. TBinaryView owns one and implements
// TViewHost for it.
#pragma once

#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "charset/CharConv.h"
#include "model/DocumentFile.h"
#include "model/EditHistory.h"
#include "model/MModule.h"
#include "model/UserPrompt.h"
#include "shell/KeyMap.h"
#include "shell/Settings.h"
#include "view/CompareDisplay.h"
#include "view/ViewGeometry.h"
#include "view/ViewHost.h"
#include "view/ViewPaintModel.h"
#include "view/ViewSearch.h"

namespace ovx {

// Input modes.
inline constexpr std::uint8_t imOverwrite = 0, imInsert = 1, imViewOnly = 2;
// Selection states.
inline constexpr std::uint8_t ssNone = 0, ssTemporary = 1, ssSticky = 2;

struct TSelection {
  bool active = false;
  std::int32_t start = -1;  // [start, end)
  std::int32_t end = -1;
};

// The caret just past n bytes from address, reckoned in 64 bits: an edit the document refuses
// may name a place beyond the largest address, and the caret never goes there.
inline TCaretPosition CaretPast(std::int32_t address, std::int32_t n) {
  const std::int64_t past = std::int64_t{address} + n;
  return {static_cast<std::int32_t>(past < kMaxDocumentSize ? past : kMaxDocumentSize), 0};
}

struct TViewPosition {
  std::int32_t topRow = 0;
  std::int32_t caretRow = 0;
  std::int32_t caretColumn = 0;
  std::uint8_t lowNibble = 0;
  std::uint8_t inputArea = iaHex;
  bool operator==(const TViewPosition&) const = default;
};

struct TCaretBytes {
  int available = 0;  // 0 at the end position, else min(4, Size - address)
  std::uint8_t bytes[4] = {};
};

// Enabled items of the context menu when it opens.
struct TContextMenuState {
  bool undo = false, redo = false, cut = false, copy = false, paste = false, del = false, selectAll = false;
  bool operator==(const TContextMenuState&) const = default;
};

enum TViewMouseButton : std::uint8_t { vmbLeft, vmbRight, vmbMiddle };

class TBinaryViewCore {
 public:
  TBinaryViewCore(TViewHost& host, TUserPrompt& prompt);
  TBinaryViewCore(const TBinaryViewCore&) = delete;
  TBinaryViewCore& operator=(const TBinaryViewCore&) = delete;

  TMemoryModule& Module() { return module_; }
  const TMemoryModule& Module() const { return module_; }
  TEditHistory& History() { return history_; }

  // Layout: whole rows the window shows; re-applies the caret so it stays visible.
  void SetVisibleRows(std::int32_t rows);
  std::int32_t VisibleRows() const { return visibleRows_; }
  // Hiding the character column moves a caret standing in it to the hex area.
  void SetCharColumnShown(bool shown);
  bool CharColumnShown() const { return charColumnShown_; }

  // Caret.
  TCaretPosition GetCaret() const { return {CaretAddress(), lowNibble_}; }
  std::int32_t CaretAddress() const { return (topRow_ + caretRow_) * kBytesPerRow + caretColumn_; }
  void SetCaret(std::int32_t address, std::uint8_t lowNibble);
  std::int32_t TopRow() const { return topRow_; }
  std::int32_t CaretRow() const { return caretRow_; }
  std::int32_t CaretColumn() const { return caretColumn_; }
  std::uint8_t LowNibble() const { return lowNibble_; }
  TInputArea InputArea() const { return inputArea_; }
  void SetTopRow(std::int32_t row) { topRow_ = row < 0 ? 0 : row; }
  void SetInputArea(TInputArea area);
  TCaretBytes PeekCaretBytes() const;
  TViewPosition GetViewPosition() const;
  void SetViewPosition(const TViewPosition& position);

  // Selection.
  TSelection GetSelection() const;
  bool HasSelection() const { return anchor_ != CaretAddress() && selectionState_ != ssNone; }
  std::int32_t Anchor() const { return anchor_; }
  std::uint8_t SelectionState() const { return selectionState_; }
  void SetAnchor(std::int32_t address);
  void SetSelectionState(std::uint8_t state);

  // Search and comparison results shown bold until the next caret move.
  void SetHighlight(std::int32_t start, std::int32_t length);
  void SetFoundFlags(bool searchMatch, bool difference);
  bool FoundSearchMatch() const { return foundSearch_; }
  bool FoundDifference() const { return foundDifference_; }

  // Modes and options.
  std::uint8_t InputMode() const { return inputMode_; }
  void SetInputMode(std::uint8_t mode);
  TCharaSet CharaSet() const { return charaSet_; }
  void SetCharaSet(TCharaSet charaSet);
  std::uint8_t CheckSumMode() const { return checkSumMode_; }
  void SetCheckSumMode(std::uint8_t mode);
  bool CaretMarker() const { return caretMarker_; }
  void SetCaretMarker(bool on);
  bool ExpandTenKey() const { return expandTenKey_; }
  void SetExpandTenKey(bool on);
  bool UndoPacked() const { return undoPacked_; }
  void SetUndoPacked(bool on) { undoPacked_ = on; }
  bool UndoFlushWithSaved() const { return undoFlushWithSaved_; }
  void SetUndoFlushWithSaved(bool on) { undoFlushWithSaved_ = on; }
  bool MakeBackup() const { return makeBackup_; }
  const TKeyMap& KeyMap() const { return keyMap_; }
  void SetKeyMap(const TKeyMap& map) { keyMap_ = map; }
  // Takes over the key map, undo options, caret marker, backup option and expanded
  // ten-key; for a window being created also input mode, character set and checksum mode.
  void SetEnvironment(const TEnvironmentSettings& settings);

  // Commands and keys. Every command the user gives, from a key, a menu or a dialog, ends with
  // a beep when memory runs out: never the program, with every unsaved document in it.
  void ExecuteCommand(TCommandId id);
  void ExecuteKey(int shiftState, int keyIndex);
  // Key down: OnKeyState, then the extended ten-key digit or the bound command.
  bool KeyDown(TKeyStroke stroke);
  // Key up: OnKeyState; a temporary selection whose ends coincide ends.
  void KeyUp();
  // Characters typed (Shift-JIS bytes): hex digits in the hex area, text in the character area.
  void TypeCharacters(std::string_view sjis);

  // Scroll bar.
  void ScrollLineUp();
  void ScrollLineDown();
  void ScrollThumb(std::int32_t position);

  // Mouse. MouseDown returns true when the context menu must open (right button).
  bool MouseDown(TViewMouseButton button, const TViewHit& hit, bool shiftHeld);
  // Pointer move with the left button held and the mouse captured.
  void MouseMove(const TViewGeometry& g, int x, int y, bool insideView);
  // Auto-scroll timer tick while the mouse is captured.
  void DragTimerTick(const TViewGeometry& g, int x, int y, bool insideView);
  void MouseUp();
  TContextMenuState ContextMenuState();

  // Data entry and editing.
  void EnterHexDigit(int digit);
  void EnterCharacters(std::string_view sjis);
  void Delete();
  void Backspace();
  // Cut and COPYSEL go on only once the bytes are on the clipboard.
  void Cut();
  // True when the selected bytes were placed on the clipboard.
  bool Copy();
  void CopySel();
  // Pastes straight from the clipboard's memory, while the clipboard is held open.
  void Paste();
  void Undo();
  void Redo();
  void BitNot();
  void BitReverse();
  // Rotations by any count: the count is reduced modulo the range.
  void BitRotate(bool left, std::int32_t bits);
  void ByteReverse();
  void ByteRotate(bool left, std::int32_t bytes);
  void IntIncrement(bool bigEndian);
  void IntDecrement(bool bigEndian);
  // Every edit below that the document cannot take (it would grow past the largest size, or
  // memory runs out) beeps and changes nothing: not the bytes, the history, the caret nor the
  // selection.
  void InsertBytes(const std::uint8_t* data, std::int32_t address, std::int32_t n);
  // The selection gives way to n bytes (none: it is only deleted) in one edit, the caret after them.
  void ReplaceSelection(const std::uint8_t* data, std::int32_t n);
  void OverwriteBytes(const std::uint8_t* data, std::int32_t address, std::int32_t n);
  void PatchBytes(const std::uint8_t* data, std::int32_t address, std::int32_t n);
  void CloseUndoGroup() { history_.CloseUndoGroup(); }

  // Files: load clears the history and puts the caret on address 0; save keeps a backup
  // and flushes the history as the environment says. False after the user was told why.
  bool LoadFile(const std::string& name, TFileSystem& fs = PlatformFileSystem());
  bool SaveFile(const std::string& name, TFileSystem& fs = PlatformFileSystem());

  // What PaintRows draws.
  TPaintInput PaintInput() const;

  // Comparison with a partner document (ViewCompare.cpp). Starting refuses (false) while a
  // comparison is active; a file that cannot be loaded starts none and leaves its platform
  // error code in loadError (0 when it loaded).
  bool Comparing() const { return compare_.Active(); }
  const TMemoryModule* ComparePartner() const { return compare_.Active() ? &compare_.Partner() : nullptr; }
  bool CompareWithFile(const std::string& name, int& loadError, TFileSystem& fs = PlatformFileSystem());
  bool CompareWithModule(const TMemoryModule& other);
  // Ends the comparison; a partner the view loaded itself is freed.
  void EndCompare();
  bool CompareMarks() const { return compare_.Marks(); }
  bool CompareColors() const { return compare_.Colors(); }
  void SetCompareMarks(bool on);
  void SetCompareColors(bool on);
  // The next or previous differing run: caret on its first byte, the run in bold.
  void CompareNext() { FindNextDifference(0); }
  void ComparePrev() { FindNextDifference(1); }

  // Searching and replacing (ViewSearch.cpp). A search starts at the caret, where a match counts;
  // a match found puts the caret on its first byte and shows it in bold. A repeated search steps
  // over the match the caret stands on; without a stored pattern it runs SEARCH instead.
  void SearchData(const std::uint8_t* pattern, std::int32_t length, bool backward, bool differencesOnly);
  void SearchNext() { SearchAgain(0); }
  void SearchPrev() { SearchAgain(1); }
  // Every match from the caret in one direction, each asked with ask when confirm is set; all
  // replacements undo as one step. Nothing in view-only mode.
  void ReplaceData(const std::uint8_t* pattern, std::int32_t length, const std::uint8_t* replacement,
                   std::int32_t replacementLength, bool differencesOnly, bool confirm, bool backward,
                   const TReplaceQuery& ask);
  // True when a pattern is stored with the same non-zero length and the same bytes.
  bool IsLastPattern(const std::uint8_t* pattern, std::int32_t length) const;
  const TViewSearchInfo& LastSearch() const { return search_; }

 private:
  // Movement helpers (ViewCommands.cpp).
  bool ExecuteViewCommand(TCommandId id);
  void PlainStep();
  void SelStep();
  bool Move(TCommandId id);
  bool CanMove(TCommandId id) const;
  void MoveCommand(TCommandId id, bool select);
  void FastMove(TCommandId single);
  bool PageUp();
  bool PageDown();
  void AfterScroll();
  void ClampAfterScroll();
  void Select();
  void SelectAll();
  void SelectTop();
  void SelectEnd();
  void SelectSwap();
  void ToggleInputArea();
  void DragTo(const TViewGeometry& g, int x, int y);

  // Editing helpers (ViewEditing.cpp).
  bool ViewOnly() const { return inputMode_ == imViewOnly; }
  // False, after a beep, when the document refused the edit and nothing changed.
  bool Apply(const TEditRecord& record, bool moveCaret);
  // One edit in place of the selection; the selection stays when the edit is refused.
  void ApplyOverSelection(const std::uint8_t* data, std::int32_t n, TCaretPosition caretAfter);
  TEditRecord DataRecord(TEditKind kind, const std::uint8_t* data, std::int32_t address, std::int32_t n) const;
  void CloseGroupUnlessPacked();
  // The selection, else the whole document, or with singleByteAtCaret the byte at the caret;
  // false when there is no byte to work on.
  bool OperationRange(bool singleByteAtCaret, std::int32_t& start, std::int32_t& length) const;
  void RangeOperation(TEditKind kind, bool singleByteAtCaret);
  // Rotates the operation range by count units of unitBits bits (1 or 8).
  void RotateRange(bool left, std::int64_t count, int unitBits);
  void ApplyToRange(TEditKind kind, std::int32_t start, std::int32_t length, const std::vector<std::int32_t>& amounts);
  void DeleteSelection();
  void DeleteByteAt(std::int32_t address);
  void PasteBytes(TClipboardBytes bytes);
  void ApplyGuarded(const TEditRecord& record, bool moveCaret, bool closeGroup);

  // Runs what the user asked for; memory running out ends it with a beep.
  template <typename Command>
  void Guarded(Command&& command) {
    try {
      command();
    } catch (const std::bad_alloc&) {
      prompt_.Beep();
    }
  }

  void OnModuleChange();
  void EndTemporarySelectionIfEmpty();
  void ComparisonChanged();
  void FindNextDifference(std::uint8_t direction);
  void StorePattern(const std::uint8_t* pattern, std::int32_t length, std::uint8_t direction, bool differencesOnly);
  void SearchAgain(std::uint8_t direction);
  void RunSearch(bool includeStart);
  // True when the replacements from start on, with the `recorded` ones this replace has made,
  // fit the undo budget, or when the user chose to go on without undo.
  bool ReplaceMayGoOn(const TViewSearchInfo& search, std::int32_t start, std::int32_t shift, std::int32_t length,
                      std::int32_t replacementLength, bool backward, std::int64_t recorded);

  TViewHost& host_;
  TUserPrompt& prompt_;
  TMemoryModule module_;
  TEditHistory history_;

  std::int32_t visibleRows_ = 1;
  bool charColumnShown_ = true;
  std::int32_t topRow_ = 0;
  std::int32_t caretRow_ = 0;
  std::int32_t caretColumn_ = 0;
  std::uint8_t lowNibble_ = 0;
  TInputArea inputArea_ = iaHex;

  std::uint8_t selectionState_ = ssNone;
  std::int32_t anchor_ = 0;
  bool foundSearch_ = false;
  bool foundDifference_ = false;
  std::int32_t highlightStart_ = -1;
  std::int32_t highlightLength_ = 0;

  std::uint8_t inputMode_ = imOverwrite;
  TCharaSet charaSet_ = csSJis;
  std::uint8_t checkSumMode_ = 0;
  bool caretMarker_ = true;
  bool expandTenKey_ = true;
  bool undoPacked_ = false;
  bool makeBackup_ = true;
  bool undoFlushWithSaved_ = true;
  TKeyMap keyMap_{};

  TViewHit::Area dragArea_ = TViewHit::Hex;
  TCompareDisplay compare_{module_};
  TViewSearchInfo search_;
  // Set while the replace loop runs: a search then would close its undo group and move its caret.
  bool replacing_ = false;
};

}  // namespace ovx
