// String conversions of Shift-JIS text into ISO-2022-JP, EUC-JP and UTF-16LE.
#include <string>
#include <utility>

#include "charset/CharConv.h"
#include "charset/SJisBytes.h"
#include "charset/UnicodeTable.h"

namespace ovx {

using namespace sjis;

namespace {

// Output buffer written through a pointer; grows only when fewer than kRoom bytes
// are left, which covers whatever one input character produces.
class ByteSink {
 public:
  static constexpr std::size_t kRoom = 16;
  explicit ByteSink(std::size_t expected) : buf_(expected + kRoom, '\0'), at_(buf_.data()), end_(at_ + buf_.size()) {}
  void MakeRoom() {
    if (static_cast<std::size_t>(end_ - at_) >= kRoom) return;
    const std::size_t used = static_cast<std::size_t>(at_ - buf_.data());
    buf_.resize(buf_.size() * 2);
    at_ = buf_.data() + used;
    end_ = buf_.data() + buf_.size();
  }
  void Put(unsigned b) { *at_++ = static_cast<char>(b); }
  void PutPair(unsigned first, unsigned second) {
    at_[0] = static_cast<char>(first);
    at_[1] = static_cast<char>(second);
    at_ += 2;
  }
  void PutCode(TCharCode code) { PutPair(HighByte(code), LowByte(code)); }
  void PutEscape(char final1, char final2) {
    at_[0] = 0x1B;
    at_[1] = final1;
    at_[2] = final2;
    at_ += 3;
  }
  std::string Take() {
    buf_.resize(static_cast<std::size_t>(at_ - buf_.data()));
    return std::move(buf_);
  }

 private:
  std::string buf_;
  char* at_;
  char* end_;
};

const unsigned char* Bytes(std::string_view s) { return reinterpret_cast<const unsigned char*>(s.data()); }

}  // namespace

std::string SJisStrToJis(std::string_view text) {
  const unsigned char* s = Bytes(text);
  const std::size_t n = text.size();
  ByteSink out(n + n / 2);
  bool twoByte = false;
  for (std::size_t i = 0; i < n; ++i) {
    out.MakeRoom();
    const unsigned b = s[i];
    TCharCode jis;
    if (b < 0x80) {
      if (twoByte) out.PutEscape('(', 'J');  // JIS X 0201 Roman
      twoByte = false;
      out.Put(b);
      continue;
    }
    if (const unsigned lead = kByteTables.jisOfLead[b]) {
      jis = JisOfPairAt(lead, s, n, i);
      if (jis == 0) continue;  // a lead byte without a valid second byte is dropped
      ++i;
    } else if (IsHanKana(b)) {
      jis = SJisToJis(ZenKanaAt(s, n, i));  // never half-width katakana in ISO-2022-JP
    } else {
      continue;  // 0x80, 0xA0, 0xF0-0xFF
    }
    if (!twoByte) out.PutEscape('$', 'B');  // JIS X 0208
    twoByte = true;
    out.PutCode(jis);
  }
  out.MakeRoom();
  if (twoByte) out.PutEscape('(', 'J');
  return out.Take();
}

std::string SJisStrToEuc(std::string_view text) {
  const unsigned char* s = Bytes(text);
  const std::size_t n = text.size();
  ByteSink out(n + n / 4);
  for (std::size_t i = 0; i < n; ++i) {
    out.MakeRoom();
    const unsigned b = s[i];
    if (b < 0x80) {
      out.Put(b);
    } else if (const unsigned lead = kByteTables.jisOfLead[b]) {
      const TCharCode jis = JisOfPairAt(lead, s, n, i);
      if (jis != 0) {
        out.PutCode(jis | 0x8080u);
        ++i;
      } else {
        out.Put(' ');  // keeps the place of the broken character
      }
    } else if (IsHanKana(b)) {
      out.PutPair(0x8E, b);  // half-width katakana stay half-width
    }
  }
  return out.Take();
}

std::string SJisStrToUnicode(std::string_view text) {
  const unsigned char* s = Bytes(text);
  const std::size_t n = text.size();
  ByteSink out(2 * n);  // never more than one unit per input byte
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned b = s[i];
    TCharCode unit;
    if (const unsigned lead = kByteTables.jisOfLead[b]) {
      const TCharCode jis = JisOfPairAt(lead, s, n, i);
      unit = 0;  // a lead byte without a valid second byte
      if (jis != 0) {
        unit = JisToUnicodeTable[(HighByte(jis) - 0x21) * kJisRowSize + (LowByte(jis) - 0x21)];
        ++i;
      }
    } else {
      unit = kByteTables.singleUnicode[b];  // 0 for 0x80, 0xA0, 0xF0-0xFF
    }
    out.PutPair(LowByte(unit), HighByte(unit));
  }
  return out.Take();
}

}  // namespace ovx
