// Shift-JIS <-> UTF-16 through the platform's code page 932.
#include <windows.h>

#include <climits>

#include "charset/StrUty.h"

namespace ovx {
namespace {

constexpr UINT kCodePage = 932;

int ClampedLength(std::size_t n) { return n > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(n); }

}  // namespace

std::u16string SJisToUtf16(std::string_view sjis) {
  std::u16string out;
  const int inLen = ClampedLength(sjis.size());
  if (inLen == 0) return out;
  const int outLen = MultiByteToWideChar(kCodePage, 0, sjis.data(), inLen, nullptr, 0);
  if (outLen <= 0) return std::u16string(static_cast<std::size_t>(inLen), kSJisDecodeSubstitute);
  out.resize(static_cast<std::size_t>(outLen));
  MultiByteToWideChar(kCodePage, 0, sjis.data(), inLen, reinterpret_cast<wchar_t*>(out.data()), outLen);
  return out;
}

std::string Utf16ToSJis(std::u16string_view utf16) {
  std::string out;
  const int inLen = ClampedLength(utf16.size());
  if (inLen == 0) return out;
  const auto* in = reinterpret_cast<const wchar_t*>(utf16.data());
  const char substitute[2] = {kSJisEncodeSubstitute, 0};
  const int outLen = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, in, inLen, nullptr, 0, substitute, nullptr);
  if (outLen <= 0) return std::string(static_cast<std::size_t>(inLen), kSJisEncodeSubstitute);
  out.resize(static_cast<std::size_t>(outLen));
  WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, in, inLen, out.data(), outLen, substitute, nullptr);
  return out;
}

}  // namespace ovx
