// Every occurrence of several byte patterns in one pass over a stream of pieces: the document's
// blocks one after the other, each handed over as it lies in memory. Overlapping occurrences all
// count, and an occurrence may straddle any number of piece boundaries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ovx {

class TMemoryModule;

struct TScanHit {
  std::int32_t address;
  std::uint8_t pattern;  // index into the scanner's patterns
};

class TMultiPatternScan {
 public:
  static constexpr std::size_t kMaxPatterns = 16;
  static constexpr std::size_t kMaxPatternLength = 1024;

  // Empty patterns and those past the limits are ignored (they never match). At most listLimit
  // hits are kept in Hits(); every hit is counted.
  explicit TMultiPatternScan(std::vector<std::string> patterns, std::size_t listLimit = 2000000);

  // The next piece of the stream; the first piece starts at address start.
  void Start(std::int32_t start);
  void Feed(const std::uint8_t* data, std::int32_t n);
  // The end of the stream: the occurrences in its last bytes.
  void Finish();

  const std::vector<std::string>& Patterns() const { return patterns_; }
  // Hits in address order (equal addresses in pattern order), at most the list limit.
  const std::vector<TScanHit>& Hits() const { return hits_; }
  // Occurrences of each pattern, whether listed or not.
  const std::vector<std::int64_t>& Counts() const { return counts_; }
  std::int64_t Total() const;
  bool ListFull() const { return hits_.size() >= listLimit_; }

 private:
  void Hit(std::int64_t address, std::size_t pattern);
  // Decides the starts [0, count) of buffer (which begins at address base): patterns that fit.
  void CheckStarts(const std::uint8_t* buffer, std::size_t size, std::size_t count, std::int64_t base);
  void ScanPiece(const std::uint8_t* data, std::int32_t limit, std::int64_t base);

  std::vector<std::string> patterns_;
  std::vector<std::size_t> live_;  // indexes of patterns that can match
  std::size_t maxLength_ = 0;
  std::size_t listLimit_;
  std::vector<TScanHit> hits_;
  std::vector<std::int64_t> counts_;
  // Bytes whose starts are not decided yet (the last maxLength_ - 1 seen), from address tailBase_.
  std::vector<std::uint8_t> tail_;
  std::int64_t tailBase_ = 0;
  std::int64_t next_ = 0;  // address of the next byte fed
};

// Feeds the document's bytes [from, to) block by block to scan (which must have been started at
// from, or continue a scan that ended at from). Does not finish the scan.
void ScanDocumentRange(const TMemoryModule& module, std::int32_t from, std::int32_t to, TMultiPatternScan& scan);

}  // namespace ovx
