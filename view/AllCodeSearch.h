// 全コード検索: one text looked for in every chosen code set at once, every occurrence listed with
// its code set and counted; and the count of a byte pattern's occurrences for the search dialog.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "charset/SearchCodes.h"
#include "model/MModule.h"
#include "model/MultiPatternScan.h"

namespace ovx {

struct TAllCodeHit {
  std::int32_t address;
  std::int32_t length;
  TSearchCode code;
  bool jisTwoByteStart;  // a JIS match that begins with a two-byte character
};

class TAllCodeSearch {
 public:
  using TCodeChoice = std::array<bool, SearchCodeCount>;

  // The text in every chosen code set that carries it; a code set whose bytes equal those of
  // an earlier one is looked for once, under the earlier one. The range is [from, to).
  TAllCodeSearch(std::u16string_view text, const TCodeChoice& chosen, std::int32_t from, std::int32_t to,
                 std::size_t listLimit = 2000000);

  // False when no chosen code set carries the text (nothing to look for).
  bool HasPatterns() const { return !scan_.Patterns().empty(); }
  // Looks at up to `bytes` more bytes of the range; true when the range is done.
  bool Step(const TMemoryModule& module, std::int32_t bytes);
  bool Done() const { return next_ >= to_; }
  // Bytes of the range looked at so far, and its size.
  std::int64_t Scanned() const { return next_ - from_; }
  std::int64_t RangeSize() const { return std::int64_t{to_} - from_; }

  // In address order; at most the list limit.
  std::size_t HitCount() const { return scan_.Hits().size(); }
  TAllCodeHit HitAt(std::size_t i) const;
  std::int64_t Total() const { return scan_.Total(); }
  std::int64_t CountOf(TSearchCode code) const;
  // Whether the code set was looked for in its own bytes (chosen, carried, not equal to another).
  bool Searched(TSearchCode code) const;
  // "<n> 件 (Shift-JIS <a>, EUC-JP <b>, …)", or that nothing was found; UTF-8.
  std::string Summary() const;

 private:
  TMultiPatternScan scan_;
  std::vector<TSearchCode> codeOf_;  // per pattern
  std::int32_t from_, to_, next_;
  bool twoByteStart_;
};

// The list line of a hit: the bytes around it as text of its code set ("…before【match】after…").
std::u16string HitContext(const TMemoryModule& module, const TAllCodeHit& hit);

// Occurrences of pattern anywhere in the document, overlapping ones included; with a filter (the
// comparison partner) only those the search finds, the ones that touch a difference.
std::int64_t CountPattern(const TMemoryModule& module, const std::vector<std::uint8_t>& pattern,
                          const TMemoryModule* filter = nullptr);
// "<n> 件見付かりました."
std::string CountFoundText(std::int64_t count);

}  // namespace ovx
