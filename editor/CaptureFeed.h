// The values under the caret that open dialogs take with their capture buttons: the integer input
// dialog and the search and replace frames take the 32-bit little-endian value of the (up to four,
// zero-padded) bytes at the caret; the address jump dialog takes the caret address and shows the
// last byte's address as its bound.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace ovx {

struct TCaptureValues {
  std::uint32_t value = 0;    // b0 + 256·b1 + 65536·b2 + 16777216·b3
  std::int64_t address = 0;   // the caret address
  std::int64_t size = 0;      // the document size
};

class TCaptureReceiver {
 public:
  virtual ~TCaptureReceiver() = default;
  virtual void TakeCaptureValues(const TCaptureValues& values) = 0;
};

// The open dialogs of one window that want the values; a dialog adds itself while it exists.
class TCaptureFeed {
 public:
  void Add(TCaptureReceiver* receiver) {
    if (std::find(receivers_.begin(), receivers_.end(), receiver) == receivers_.end())
      receivers_.push_back(receiver);
  }
  void Remove(TCaptureReceiver* receiver) {
    receivers_.erase(std::remove(receivers_.begin(), receivers_.end(), receiver), receivers_.end());
  }
  void Feed(const TCaptureValues& values) {
    const std::vector<TCaptureReceiver*> receivers = receivers_;  // a receiver may remove itself
    for (TCaptureReceiver* r : receivers) r->TakeCaptureValues(values);
  }
  const TCaptureValues& Last() const { return last_; }
  void SetLast(const TCaptureValues& values) { last_ = values; }

 private:
  std::vector<TCaptureReceiver*> receivers_;
  TCaptureValues last_;
};

}  // namespace ovx
