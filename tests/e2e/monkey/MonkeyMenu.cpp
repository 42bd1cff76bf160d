#include "tests/e2e/monkey/MonkeyMenu.h"

#include <cstring>

namespace ovx::e2e::monkey {
namespace {

enum TKind { kSub, kCmd, kRadio, kCheck, kSepa, kPopup };
struct TRow {
  TMenuItem item;
  int depth;
  TKind kind;
  const char* caption;
};

const TRow kRows[] = {
#define OVX_MENU_ITEM(name, depth, kind, caption, command, image, shortcut) {mi##name, depth, k##kind, caption},
#include "editor/MenuItems.inc"
#undef OVX_MENU_ITEM
};

// The accelerator letter of a head caption, "ファイル(&F)" -> F.
wchar_t LetterOf(const char* caption) {
  const char* amp = std::strstr(caption, "(&");
  return amp ? static_cast<wchar_t>(amp[2]) : 0;
}

std::vector<TMenuHead> BuildHeads() {
  std::vector<TMenuHead> heads;
  for (const TRow& row : kRows) {
    if (row.kind == kPopup) break;  // the popup menus follow the menu bar
    if (row.depth == 0) {
      heads.push_back({LetterOf(row.caption), {}});
    } else if (row.depth == 1 && row.kind != kSepa) {
      heads.back().entries.push_back({row.item, row.kind == kSub, 0});
    } else if (row.depth == 2 && row.kind != kSepa) {
      ++heads.back().entries.back().subItems;
    }
  }
  std::erase_if(heads, [](const TMenuHead& h) { return h.letter == L'H'; });
  return heads;
}

}  // namespace

const std::vector<TMenuHead>& MenuHeads() {
  static const std::vector<TMenuHead> heads = BuildHeads();
  return heads;
}

const TMenuHead* MenuHeadOf(wchar_t letter) {
  for (const TMenuHead& h : MenuHeads())
    if (h.letter == letter) return &h;
  return nullptr;
}

bool IsForbidden(TMenuItem item) { return item == miMM_ShortCutMaintenance; }

}  // namespace ovx::e2e::monkey
