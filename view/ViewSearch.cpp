// The view's side of searching and replacing: the stored last search, the repeated search and
// the replace loop.
#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

#include "view/BinaryViewCore.h"

namespace ovx {

std::int32_t NextReplaceStart(std::int32_t match, std::int32_t patternLength, std::int32_t replacementLength,
                              bool replaced, bool backward) {
  if (backward) return replaced ? match - patternLength : match - 1;
  return replaced ? match + replacementLength : match + 1;
}

namespace {

constexpr char kNotFound[] = "検索情報が見付かりません.";
constexpr char kBeyondUndo[] =
    "この置換はアンドゥバッファに収まりません.\r\n続けると, この置換とそれまでの作業は元に戻せなくなります.\r\n"
    "置換を続けますか？";
constexpr char kOutOfMemory[] = "メモリが不足したため, 置換を途中で中止しました.";

// While a replace runs without asking, the document and the history report nothing per edit:
// the window hears of the whole change once at the end.
class TQuietEdits {
 public:
  TQuietEdits(TMemoryModule& module, TEditHistory& history)
      : module_(module), history_(history), locked_(module.NotifyLocked), stateChange_(std::move(history.OnStateChange)) {
    module_.NotifyLocked = 1;
    history_.OnStateChange = nullptr;
  }
  ~TQuietEdits() {
    module_.NotifyLocked = locked_;
    history_.OnStateChange = std::move(stateChange_);
  }
  TQuietEdits(const TQuietEdits&) = delete;
  TQuietEdits& operator=(const TQuietEdits&) = delete;

 private:
  TMemoryModule& module_;
  TEditHistory& history_;
  std::uint8_t locked_;
  std::function<void()> stateChange_;
};

}  // namespace

void TBinaryViewCore::StorePattern(const std::uint8_t* pattern, std::int32_t length, std::uint8_t direction,
                                   bool differencesOnly) {
  search_.stored = true;
  search_.pattern.assign(pattern, pattern + std::max(length, 0));
  search_.direction = direction;
  search_.filter = differencesOnly ? ComparePartner() : nullptr;
}

bool TBinaryViewCore::IsLastPattern(const std::uint8_t* pattern, std::int32_t length) const {
  return search_.stored && length > 0 && static_cast<std::size_t>(length) == search_.pattern.size() &&
         std::memcmp(pattern, search_.pattern.data(), search_.pattern.size()) == 0;
}

void TBinaryViewCore::SearchData(const std::uint8_t* pattern, std::int32_t length, bool backward,
                                 bool differencesOnly) {
  if (replacing_) {
    prompt_.Beep();
    return;
  }
  Guarded([&] {
    StorePattern(pattern, length, backward ? 1 : 0, differencesOnly);
    RunSearch(true);
  });
}

void TBinaryViewCore::SearchAgain(std::uint8_t direction) {
  if (replacing_) {
    prompt_.Beep();
    return;
  }
  if (!search_.stored) {
    ExecuteCommand(cmSEARCH);
    return;
  }
  search_.direction = direction;
  // A repeated search steps over the match it found; after a caret move a match at the caret counts.
  RunSearch(!foundSearch_);
}

void TBinaryViewCore::RunSearch(bool includeStart) {
  const std::int32_t found = module_.FindPattern(search_.At(CaretAddress(), includeStart));
  if (found < 0) {
    prompt_.MessageDlgBeep(kNotFound, mtWarning, mbOK);
    return;
  }
  SetCaret(found, 0);  // clears the flags and the highlight
  SetHighlight(found, static_cast<std::int32_t>(search_.pattern.size()));
  SetFoundFlags(true, false);
  host_.PaintRows();
  history_.CloseUndoGroup();
}

bool TBinaryViewCore::ReplaceMayGoOn(const TViewSearchInfo& search, std::int32_t start, std::int32_t shift,
                                     std::int32_t length, std::int32_t replacementLength, bool backward,
                                     std::int64_t recorded) {
  const std::int64_t limit = history_.HistoryLimit();
  if (limit <= 0) return true;  // the user keeps no history at all
  // The matches still to come lie in today's document as they will be met: forwards each next
  // one past the whole match, backwards below it.
  const std::int64_t fitting = limit / TEditHistory::EditCharge(length, replacementLength);
  for (std::int64_t count = recorded; count <= fitting; ++count) {
    TSearchInfo next = search.At(start, true);
    next.filterShift = shift;
    const std::int32_t m = module_.FindPattern(next);
    if (m < 0) return true;
    start = NextReplaceStart(m, length, length, true, backward);
  }
  return prompt_.MessageDlgBeep(kBeyondUndo, mtWarning, mbOK | mbAbort) == mrOk;
}

void TBinaryViewCore::ReplaceData(const std::uint8_t* pattern, std::int32_t length, const std::uint8_t* replacement,
                                  std::int32_t replacementLength, bool differencesOnly, bool confirm, bool backward,
                                  const TReplaceQuery& ask) {
  if (ViewOnly() || length <= 0 || replacementLength < 0 || replacing_) return;
  replacing_ = true;
  struct TReplacing {
    bool& flag;
    ~TReplacing() { flag = false; }
  } replacing{replacing_};
  Guarded([&] {
    StorePattern(pattern, length, backward ? 1 : 0, differencesOnly);
    // The loop owns what it replaces: a search stored while a query waits changes none of it.
    const TViewSearchInfo search = search_;
    const std::vector<std::uint8_t> bytes(replacement, replacement + replacementLength);
    TCaretPosition final = GetCaret();
    std::int32_t start = final.address;
    std::int64_t count = 0;
    // Forwards, every replacement so far lies in front of the search and has moved what follows
    // by the change in length; backwards the search stays below them.
    std::int32_t shift = 0;
    bool asking = confirm;
    bool outOfMemory = false;
    if (!confirm && !ReplaceMayGoOn(search, start, 0, length, replacementLength, backward, 0)) return;
    {
      std::unique_ptr<TQuietEdits> quiet;
      try {
        while (true) {
          // A comparison that ended meanwhile ends a replace that only counts its differences.
          if (search.filter && search.filter != ComparePartner()) break;
          TSearchInfo next = search.At(start, true);
          next.filterShift = shift;
          const std::int32_t m = module_.FindPattern(next);
          if (m < 0) break;
          if (asking) {
            quiet.reset();
            SetCaret(m, 0);
            SetHighlight(m, length);
            host_.PaintRows();
            final = {m, 0};
            const TReplaceAnswer answer = ask ? ask() : raCancel;
            host_.PaintRows();
            if (answer == raCancel) break;
            if (answer == raNo) {
              start = NextReplaceStart(m, length, replacementLength, false, backward);
              continue;
            }
            if (answer == raAll) {
              if (!ReplaceMayGoOn(search, m, shift, length, replacementLength, backward, count)) break;
              asking = false;
            }
          }
          if (!asking && !quiet) quiet = std::make_unique<TQuietEdits>(module_, history_);
          TEditRecord r;
          r.kind = ekReplace;
          r.position = m;
          r.data = bytes.data();
          r.dataLength = replacementLength;
          r.rangeLength = length;
          r.caretBefore = {m, 0};
          r.caretAfter = CaretPast(m, replacementLength);
          if (!history_.ApplyEdit(r, false)) {
            prompt_.Beep();  // the document cannot grow any further
            break;
          }
          final = r.caretAfter;
          ++count;
          if (!backward) shift += replacementLength - length;
          start = NextReplaceStart(m, length, replacementLength, true, backward);
        }
      } catch (const std::bad_alloc&) {
        // What was replaced stays, as one undo step; the caret, the scroll range and the group
        // are put right below as after any other end of the loop.
        outOfMemory = true;
      }
    }
    if (count > 0) {
      OnModuleChange();
      host_.StateChange();
    }
    SetCaret(std::min(final.address, module_.Size()), final.lowNibble);
    if (count > 0) history_.CloseUndoGroup();
    if (outOfMemory) prompt_.MessageDlgBeep(kOutOfMemory, mtError, mbOK);
  });
}

}  // namespace ovx
