#include "view/AllCodeSearch.h"

#include <algorithm>

namespace ovx {

namespace {

std::vector<std::string> PatternsOf(std::u16string_view text, const TAllCodeSearch::TCodeChoice& chosen,
                                    std::vector<TSearchCode>& codeOf) {
  std::vector<std::string> patterns;
  for (int c = 0; c < SearchCodeCount; ++c) {
    if (!chosen[static_cast<std::size_t>(c)] || text.empty()) continue;
    const TCodeForm form = EncodeForSearch(text, static_cast<TSearchCode>(c));
    if (!form.carried) continue;
    for (const std::string& p : form.patterns) {
      if (std::find(patterns.begin(), patterns.end(), p) != patterns.end()) continue;
      patterns.push_back(p);
      codeOf.push_back(static_cast<TSearchCode>(c));
    }
  }
  return patterns;
}

}  // namespace

TAllCodeSearch::TAllCodeSearch(std::u16string_view text, const TCodeChoice& chosen, std::int32_t from, std::int32_t to,
                               std::size_t listLimit)
    : scan_({}, listLimit), from_(from), to_(std::max(from, to)), next_(from),
      twoByteStart_(!text.empty() && text[0] >= 0x80) {
  scan_ = TMultiPatternScan(PatternsOf(text, chosen, codeOf_), listLimit);
  scan_.Start(from);
  if (!HasPatterns()) next_ = to_;
}

bool TAllCodeSearch::Step(const TMemoryModule& module, std::int32_t bytes) {
  if (Done()) return true;
  const std::int32_t end = static_cast<std::int32_t>(std::min<std::int64_t>(to_, std::int64_t{next_} + bytes));
  ScanDocumentRange(module, next_, end, scan_);
  next_ = end;
  if (Done()) scan_.Finish();
  return Done();
}

TAllCodeHit TAllCodeSearch::HitAt(std::size_t i) const {
  const TScanHit& h = scan_.Hits()[i];
  const TSearchCode code = codeOf_[h.pattern];
  return {h.address, static_cast<std::int32_t>(scan_.Patterns()[h.pattern].size()), code,
          code == scJis && twoByteStart_};
}

std::int64_t TAllCodeSearch::CountOf(TSearchCode code) const {
  std::int64_t n = 0;
  for (std::size_t k = 0; k < codeOf_.size(); ++k)
    if (codeOf_[k] == code) n += scan_.Counts()[k];
  return n;
}

bool TAllCodeSearch::Searched(TSearchCode code) const {
  return std::find(codeOf_.begin(), codeOf_.end(), code) != codeOf_.end();
}

std::string TAllCodeSearch::Summary() const {
  if (Total() == 0) return "見付かりませんでした.";
  std::string s = std::to_string(Total()) + " 件 (";
  bool first = true;
  for (int c = 0; c < SearchCodeCount; ++c) {
    if (!Searched(static_cast<TSearchCode>(c))) continue;
    if (!first) s += ", ";
    first = false;
    s += std::string(SearchCodeName(static_cast<TSearchCode>(c))) + " " + std::to_string(CountOf(static_cast<TSearchCode>(c)));
  }
  s += ")";
  if (scan_.ListFull() && static_cast<std::int64_t>(HitCount()) < Total())
    s += ", 先頭の " + std::to_string(HitCount()) + " 件を表示";
  return s;
}

std::u16string HitContext(const TMemoryModule& module, const TAllCodeHit& hit) {
  constexpr std::int32_t kAround = 12;
  const std::int32_t before = std::min(kAround, hit.address);
  const std::int32_t length = std::max(0, std::min(hit.length, module.Size() - hit.address));
  const std::int32_t after = std::max(0, std::min(kAround, module.Size() - hit.address - length));
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(before + length + after));
  if (!bytes.empty()) module.ReadData(bytes.data(), hit.address - before, static_cast<std::int32_t>(bytes.size()));
  const std::uint8_t* b = bytes.data();
  bool endKanji = hit.jisTwoByteStart;
  // The mode a JIS match ends in: that of its last escape, else the one it starts in.
  if (hit.code == scJis)
    for (std::int32_t i = 0; i + 2 < length; ++i)
      if (b[before + i] == 0x1B) endKanji = b[before + i + 1] == '$';
  std::u16string s = DecodeForDisplay(b, static_cast<std::size_t>(before), hit.code);
  s += u"【";
  s += DecodeForDisplay(b + before, static_cast<std::size_t>(length), hit.code, hit.jisTwoByteStart);
  s += u"】";
  s += DecodeForDisplay(b + before + length, static_cast<std::size_t>(after), hit.code, endKanji);
  return s;
}

std::int64_t CountPattern(const TMemoryModule& module, const std::vector<std::uint8_t>& pattern,
                          const TMemoryModule* filter) {
  if (filter != nullptr && !pattern.empty()) {
    TSearchInfo info;
    info.pattern = pattern.data();
    info.length = static_cast<std::int32_t>(pattern.size());
    info.includeStart = 1;
    info.filter = filter;
    std::int64_t n = 0;
    for (std::int32_t at = module.FindPattern(info); at >= 0; at = module.FindPattern(info)) {
      ++n;
      info.start = at + 1;
    }
    return n;
  }
  TMultiPatternScan scan({std::string(pattern.begin(), pattern.end())}, 0);
  scan.Start(0);
  ScanDocumentRange(module, 0, module.Size(), scan);
  scan.Finish();
  return scan.Total();
}

std::string CountFoundText(std::int64_t count) { return std::to_string(count) + " 件見付かりました."; }

}  // namespace ovx
