// The view's side of a comparison: its partner, the marks and colours, the difference walk.
#include <algorithm>

#include "view/BinaryViewCore.h"

namespace ovx {

bool TBinaryViewCore::CompareWithFile(const std::string& name, int& loadError, TFileSystem& fs) {
  loadError = 0;
  if (compare_.Active()) return false;
  auto partner = std::make_unique<TMemoryModule>();
  loadError = partner->LoadFromFile(name, fs);
  if (loadError == 0) compare_.Start(std::move(partner));
  ComparisonChanged();
  return true;
}

bool TBinaryViewCore::CompareWithModule(const TMemoryModule& other) {
  if (compare_.Active()) return false;
  compare_.Start(other);
  ComparisonChanged();
  return true;
}

void TBinaryViewCore::EndCompare() {
  if (!compare_.Active()) return;
  compare_.End();
  search_.filter = nullptr;  // later repeated searches look at the whole document
  ComparisonChanged();
}

void TBinaryViewCore::ComparisonChanged() {
  host_.PaintRows();
  host_.SetScrollRange(std::max(1, module_.Size() / kBytesPerRow));
  host_.StateChange();
}

void TBinaryViewCore::SetCompareMarks(bool on) {
  compare_.SetMarks(on);
  if (compare_.Active()) host_.PaintRows();
}

void TBinaryViewCore::SetCompareColors(bool on) {
  compare_.SetColors(on);
  if (compare_.Active()) host_.PaintRows();
}

void TBinaryViewCore::FindNextDifference(std::uint8_t direction) {
  if (!compare_.Active()) return;
  TCompareInfo info;
  info.other = &compare_.Partner();
  info.start = CaretAddress();
  info.direction = direction;
  // A repeated search steps over the run it found; after a caret move the run at the caret counts.
  info.includeStart = foundDifference_ ? 0 : 1;
  std::int32_t length = 0;
  const std::int32_t found = module_.FindDifference(info, length);
  if (found < 0) {
    prompt_.MessageDlgBeep("相違点が見付かりません.", mtWarning, mbOK);
    return;
  }
  SetCaret(found, 0);  // clears the flags and the highlight
  SetHighlight(found, length);
  SetFoundFlags(false, true);
  host_.PaintRows();
}

}  // namespace ovx
