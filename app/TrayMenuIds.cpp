#include "app/TrayMenuIds.h"

namespace ovx {

std::optional<unsigned> TrayItemId(TTrayItemRef item) {
  if (item.kind == tikMoreWindows) return kTrayMoreWindowsId;
  if (item.index < 0) return std::nullopt;
  const unsigned index = static_cast<unsigned>(item.index);
  switch (item.kind) {
    case tikHistory:
      if (index > kTrayLastId - kTrayHistoryFirstId) return std::nullopt;
      return kTrayHistoryFirstId + index;
    case tikWindow:
      if (index >= kTrayMoreWindowsId - kTrayWindowFirstId) return std::nullopt;
      return kTrayWindowFirstId + index;
    default:
      return std::nullopt;
  }
}

TTrayItemRef TrayItemOfId(unsigned id) {
  if (id >= kTrayHistoryFirstId && id <= kTrayLastId)
    return {tikHistory, static_cast<int>(id - kTrayHistoryFirstId)};
  if (id >= kTrayWindowFirstId && id < kTrayMoreWindowsId)
    return {tikWindow, static_cast<int>(id - kTrayWindowFirstId)};
  if (id == kTrayMoreWindowsId) return {tikMoreWindows, -1};
  return {};
}

}  // namespace ovx
