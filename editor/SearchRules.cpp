#include "editor/SearchRules.h"

#include "model/UserPrompt.h"

namespace ovx {

namespace {

constexpr char kNoCharacter[] = "キャラクタが選択されていません.";
constexpr char kDeletesMatches[] = "\r\n検索にマッチした部分は削除されます.";

}  // namespace

std::optional<TDataWarning> SearchDataWarning(TDataPage page, bool empty) {
  if (!empty) return std::nullopt;
  switch (page) {
    case dpString: return TDataWarning{"空の文字列を検索することは出来ません.", mbAbort | mbRetry};
    case dpCharacter: return TDataWarning{kNoCharacter, mbAbort | mbRetry};
    case dpBinary: return TDataWarning{"空のバイナリ列を検索することは出来ません.", mbAbort | mbRetry};
    default: return std::nullopt;  // an integer always has its bytes; the null page is not offered
  }
}

std::optional<TDataWarning> ReplaceDataWarning(TDataPage page, bool empty) {
  constexpr unsigned kGoOn = mbYes | mbAbort | mbRetry;
  switch (page) {
    case dpString:
      if (empty) return TDataWarning{std::string("空の文字列が指定されています.") + kDeletesMatches, kGoOn};
      break;
    case dpCharacter:
      if (empty) return TDataWarning{kNoCharacter, mbAbort | mbRetry};
      break;
    case dpBinary:
      if (empty) return TDataWarning{std::string("空のバイナリ列が指定されています.") + kDeletesMatches, kGoOn};
      break;
    case dpNull: return TDataWarning{std::string("ヌル型が指定されています.") + kDeletesMatches, kGoOn};
    case dpInteger: break;
  }
  return std::nullopt;
}

TSearchStep SearchStepOf(bool matchAtCaret, bool sameAsLastPattern, bool forward) {
  if (!matchAtCaret || !sameAsLastPattern) return ssNewSearch;
  return forward ? ssContinueForward : ssContinueBackward;
}

std::uint8_t LastIntWidthAfterReplace(std::uint8_t current, std::optional<std::uint8_t> searchWidth,
                                      std::optional<std::uint8_t> replacementWidth) {
  if (searchWidth) return *searchWidth;
  if (replacementWidth) return *replacementWidth;
  return current;
}

TScreenRect ReplaceQueryPlace(int caretX, int caretY, int charHeight, int width, int height,
                              const TScreenRect& workArea) {
  int left = caretX;
  int top = caretY + 3 * charHeight / 2;
  if (left + width > workArea.right) left = workArea.right - width;
  if (top + height > workArea.bottom) top = workArea.bottom - height;
  // A caret left of or above the work area (a window partly off the screen) keeps it inside too.
  if (left < workArea.left) left = workArea.left;
  if (top < workArea.top) top = workArea.top;
  return {left, top, left + width, top + height};
}

}  // namespace ovx
