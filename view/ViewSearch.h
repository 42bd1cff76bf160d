// The view's last search: the pattern it keeps between searches and the settings it was found
// with, and the answers of the query a replace asks at each match.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "model/MModule.h"

namespace ovx {

// What the user answers for one match of a replace with query.
enum TReplaceAnswer : std::uint8_t { raYes, raNo, raAll, raCancel };
// Asked with the caret on the match and the view repainted.
using TReplaceQuery = std::function<TReplaceAnswer()>;

struct TViewSearchInfo {
  bool stored = false;  // a pattern was given at least once
  std::vector<std::uint8_t> pattern;
  std::uint8_t direction = 0;     // 0 forward, 1 backward
  // The comparison partner when only differing regions count; gone when the comparison ends.
  const TMemoryModule* filter = nullptr;

  // The module's search for this pattern from start.
  TSearchInfo At(std::int32_t start, bool includeStart) const {
    TSearchInfo info;
    info.pattern = pattern.data();
    info.length = static_cast<std::int32_t>(pattern.size());
    info.start = start;
    info.direction = direction;
    info.includeStart = includeStart ? 1 : 0;
    info.filter = filter;
    return info;
  }
};

}  // namespace ovx

namespace ovx {

// Where the replace loop searches next after a match at m: forwards past the inserted bytes or
// one byte on; backwards one pattern length below the match or one byte below it.
std::int32_t NextReplaceStart(std::int32_t match, std::int32_t patternLength, std::int32_t replacementLength,
                              bool replaced, bool backward);

}  // namespace ovx
