// The editor windows of the process in creation order. The list index is the number shown
// in window menus (index 0 is shown as 1); removing a window keeps the order of the others.
#pragma once

#include <algorithm>
#include <vector>

namespace ovx {

template <class TWindow>
class TEditorWindowList {
 public:
  void Append(TWindow* window) { items_.push_back(window); }

  // False when the window is not in the list.
  bool Remove(const TWindow* window) {
    auto it = std::find(items_.begin(), items_.end(), window);
    if (it == items_.end()) return false;
    items_.erase(it);
    return true;
  }

  int Count() const { return static_cast<int>(items_.size()); }

  // None when the index is negative or not below the count.
  TWindow* At(int index) const { return index >= 0 && index < Count() ? items_[index] : nullptr; }

  int IndexOf(const TWindow* window) const {
    auto it = std::find(items_.begin(), items_.end(), window);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
  }

  // The window after the first one `matches` accepts; after the last comes the first;
  // none when no window matches.
  template <class TMatch>
  TWindow* Next(TMatch matches) const {
    for (int i = 0; i < Count(); ++i)
      if (matches(*items_[i])) return items_[(i + 1) % Count()];
    return nullptr;
  }

  // The first window, in list order, that `matches` accepts; none otherwise.
  template <class TMatch>
  TWindow* Find(TMatch matches) const {
    for (TWindow* w : items_)
      if (matches(*w)) return w;
    return nullptr;
  }

  const std::vector<TWindow*>& Items() const { return items_; }

 private:
  std::vector<TWindow*> items_;
};

}  // namespace ovx
