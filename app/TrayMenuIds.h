// Command ids of the items the notification-area menu rebuilds at each popup (the history and
// window submenus), and what a chosen id stands for.
#pragma once

#include <optional>

namespace ovx {

constexpr unsigned kTrayHistoryFirstId = 6200;  // + 0-based history position
constexpr unsigned kTrayHistoryEndId = 6999;
constexpr unsigned kTrayWindowFirstId = 7000;   // + 0-based window list position
constexpr unsigned kTrayMoreWindowsId = 7099;   // "& : more..."

enum TTrayItemKind : unsigned char { tikNone, tikHistory, tikWindow, tikMoreWindows };
struct TTrayItemRef {
  TTrayItemKind kind = tikNone;
  int index = -1;  // 0-based position in the history or the window list
  friend bool operator==(const TTrayItemRef&, const TTrayItemRef&) = default;
};

// The command id of the item; none when the item can have none.
std::optional<unsigned> TrayItemId(TTrayItemRef item);
// What a command id of the rebuilt items stands for; tikNone for any other id.
TTrayItemRef TrayItemOfId(unsigned id);

}  // namespace ovx
