// Splits template text into tokens: "(", ")", ",", strings between double quotes
// (no escapes, may span lines), and words; skips blanks, "#" line comments and "{…}" comments.
#pragma once

#include <cstddef>
#include <string_view>

namespace ovx {

enum TFilerScan : unsigned char {
  fsToken,                // a token was found
  fsEnd,                  // only blanks and comments were left
  fsUnterminatedString,   // a double quote without its closing one
  fsUnterminatedComment,  // a '{' without its '}'
};

struct TFilerToken {
  std::string_view text;   // a string token without its quotes; a word trimmed
  std::size_t offset = 0;  // where the token (or the faulty string or comment) starts
};

class TFilerTokenizer {
 public:
  explicit TFilerTokenizer(std::string_view text) : text_(text) {}

  TFilerScan Next(TFilerToken& token);

  // 1 + the LFs before offset. Offsets must not decrease from one call to the next.
  int LineAt(std::size_t offset);

  std::size_t Size() const { return text_.size(); }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t countedTo_ = 0;
  int line_ = 1;
};

}  // namespace ovx
