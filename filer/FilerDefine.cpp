#include "filer/FilerDefine.h"

#include "charset/StrUty.h"
#include "filer/FilerText.h"

namespace ovx {

static bool StartsWithDefine(std::string_view line) {
  static constexpr std::string_view kPrefix = "#DEFINE ";
  if (line.size() < kPrefix.size()) return false;
  return SJisUpperCase(line.substr(0, kPrefix.size())) == kPrefix;
}

TFilerDefine ParseFilerDefine(std::string_view text) {
  std::string title, author;
  bool hasTitle = false, hasAuthor = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!StartsWithDefine(line)) continue;
    std::string_view rest = TrimBlanks(line.substr(8));
    std::size_t space = rest.find(' ');
    if (space == std::string_view::npos) continue;
    std::string item = SJisUpperCase(rest.substr(0, space));
    std::string_view value = TrimBlanks(rest.substr(space + 1));
    if (item == "TITLE") {
      title.assign(value);
      hasTitle = true;
    } else if (item == "AUTHOR") {
      author.assign(value);
      hasAuthor = true;
    }
  }
  TFilerDefine define;
  if (hasTitle) define.Title = SJisToUtf8(title);
  if (hasAuthor) define.Author = SJisToUtf8(author);
  return define;
}

bool ReadFilerDefine(const std::string& fileName, TFilerDefine& define, TFileSystem& fs) {
  define = TFilerDefine{};
  if (!fs.Exists(fileName)) return false;
  std::string text;
  if (LoadFilerText(fileName, fs, text) == 0) define = ParseFilerDefine(text);
  return true;
}

}  // namespace ovx
