// Command ids of the items the notification-area menu rebuilds at each popup (the history and
// window submenus), and what a chosen id stands for.
#pragma once

#include <optional>

namespace ovx {

// A WM_COMMAND carries 16 bits of id. The window items, nine at most and "& : more...", lie
// below the history items; the history, which has no length limit, takes every id from its
// first to the last, so no history entry ever gets the id of another item. Entries past the
// last id (tens of thousands down the list) get no item.
constexpr unsigned kTrayWindowFirstId = 6200;  // + 0-based window list position
constexpr unsigned kTrayMoreWindowsId = 6299;  // "& : more..."
constexpr unsigned kTrayHistoryFirstId = 6300; // + 0-based history position
constexpr unsigned kTrayLastId = 0xFFFF;

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
