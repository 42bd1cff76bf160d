#include "shell/win32/WaitScope.h"

namespace ovx {

namespace {

struct TOwnedSearch {
  HWND owner;
  HWND keep;
  std::vector<HWND>* found;
};

BOOL CALLBACK DisableOwned(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<TOwnedSearch*>(lp);
  if (hwnd != s->keep && GetWindow(hwnd, GW_OWNER) == s->owner && IsWindowEnabled(hwnd)) {
    EnableWindow(hwnd, FALSE);
    s->found->push_back(hwnd);
  }
  return TRUE;
}

// The top-level window of `hwnd`, followed up its owners.
HWND OwnerRoot(HWND hwnd) {
  HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
  while (root) {
    HWND owner = GetWindow(root, GW_OWNER);
    if (!owner) break;
    root = owner;
  }
  return root;
}

}  // namespace

TWaitScope::TWaitScope(TWaitSite* site, TWaitKind kind, HWND asker) : site_(site) {
  if (!site_) return;
  site_->WaitBegins();
  site_->Waits().Enter();
  const HWND window = site_->WaitingWindow();
  if (kind != wkQuestion || !window) return;
  TOwnedSearch search = {window, asker, &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), DisableOwned, reinterpret_cast<LPARAM>(&search));
}

TWaitScope::~TWaitScope() {
  if (!site_) return;
  for (HWND w : disabled_)
    if (IsWindow(w)) EnableWindow(w, TRUE);
  site_->Waits().Leave();
  if (!site_->Waits().Waiting()) site_->WaitsEnded();
}

bool IsInputFor(const MSG& msg, HWND window) {
  const UINT m = msg.message;
  const bool input = (m >= WM_KEYFIRST && m <= WM_KEYLAST) || (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) ||
                     (m >= WM_NCMOUSEMOVE && m <= WM_NCXBUTTONDBLCLK);
  return input && window && OwnerRoot(msg.hwnd) == window;
}

}  // namespace ovx
