#include "filer/FilerTokenizer.h"

#include <algorithm>
#include <cstring>

#include "filer/FilerText.h"

namespace ovx {

static bool IsBlank(char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }

static bool EndsWord(char c) {
  return IsBlank(c) || c == '#' || c == '(' || c == ')' || c == ',' || c == '{';
}

TFilerScan TFilerTokenizer::Next(TFilerToken& token) {
  const std::size_t n = text_.size();
  for (;;) {
    while (pos_ < n && IsBlank(text_[pos_])) ++pos_;
    if (pos_ >= n) return fsEnd;
    const char c = text_[pos_];
    const std::size_t start = pos_;
    token.offset = start;
    if (c == '(' || c == ')' || c == ',') {
      token.text = text_.substr(start, 1);
      ++pos_;
      return fsToken;
    }
    if (c == '"') {
      std::size_t close = text_.find('"', start + 1);
      if (close == std::string_view::npos) {
        pos_ = n;
        return fsUnterminatedString;
      }
      token.text = text_.substr(start + 1, close - start - 1);
      pos_ = close + 1;
      return fsToken;
    }
    if (c == '#') {
      std::size_t eol = text_.find_first_of("\r\n", start);
      pos_ = eol == std::string_view::npos ? n : eol;
      continue;
    }
    if (c == '{') {
      std::size_t close = text_.find('}', start + 1);
      if (close == std::string_view::npos) {
        pos_ = n;
        return fsUnterminatedComment;
      }
      pos_ = close + 1;
      continue;
    }
    std::size_t end = start + 1;
    while (end < n && !EndsWord(text_[end])) ++end;
    token.text = TrimBlanks(text_.substr(start, end - start));
    pos_ = end;
    return fsToken;
  }
}

int TFilerTokenizer::LineAt(std::size_t offset) {
  offset = std::min(offset, text_.size());
  if (offset > countedTo_) {
    line_ += static_cast<int>(std::count(text_.begin() + countedTo_, text_.begin() + offset, '\n'));
    countedTo_ = offset;
  }
  return line_;
}

}  // namespace ovx
