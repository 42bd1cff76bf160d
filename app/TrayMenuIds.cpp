#include "app/TrayMenuIds.h"

namespace ovx {

std::optional<unsigned> TrayItemId(TTrayItemRef item) {
  switch (item.kind) {
    case tikHistory:
      if (item.index < 0) return std::nullopt;
      return kTrayHistoryFirstId + static_cast<unsigned>(item.index);
    case tikWindow:
      if (item.index < 0) return std::nullopt;
      return kTrayWindowFirstId + static_cast<unsigned>(item.index);
    case tikMoreWindows:
      return kTrayMoreWindowsId;
    case tikNone:
      break;
  }
  return std::nullopt;
}

TTrayItemRef TrayItemOfId(unsigned id) {
  if (id >= kTrayHistoryFirstId && id < kTrayHistoryEndId) return {tikHistory, static_cast<int>(id - kTrayHistoryFirstId)};
  if (id >= kTrayWindowFirstId && id < kTrayMoreWindowsId) return {tikWindow, static_cast<int>(id - kTrayWindowFirstId)};
  if (id == kTrayMoreWindowsId) return {tikMoreWindows, -1};
  return {};
}

}  // namespace ovx
