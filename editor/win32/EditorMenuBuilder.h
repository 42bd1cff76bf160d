// The editor window's menus built at run time from the core's menu table, and the states,
// captions, shortcuts and run-time entries shown on them.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <vector>

#include "editor/FileMenuEntries.h"
#include "editor/MenuEnabling.h"
#include "shell/KeyMap.h"

namespace ovx {

class TEditorMenus {
 public:
  TEditorMenus() = default;
  TEditorMenus(const TEditorMenus&) = delete;
  TEditorMenus& operator=(const TEditorMenus&) = delete;
  // Destroys the popup menus; the main menu belongs to the window once it is set there.
  ~TEditorMenus();

  // The picture of an image index for menu items and entries (null for none); set before Build.
  // Index -1 asks for the empty picture that items without one carry (TMenuImages::kBlank).
  void SetImageSource(std::function<HBITMAP(int)> source) { images_ = std::move(source); }
  // Builds the main menu and the popup menus. False when the platform refused a menu.
  bool Build();

  HMENU MainMenu() const { return main_; }
  // The popup menu of a submenu head or of a popup menu (PU_History, PU_InfoMode,
  // PU_SelectFileMenu); null for other items.
  HMENU SubmenuOf(TMenuItem item) const { return submenu_[item]; }
  // The menu that holds an item.
  HMENU ParentOf(TMenuItem item) const { return parent_[item]; }

  // Enabled, checked and captions as the rule decided; captions keep their shortcut text.
  void ApplyStates(const TMenuStates& states);
  // The key bound to each listed item's command, after a tab in its caption.
  void SetShortcuts(const TKeyMap& map);

  // Replaces the history entries of PU_History and MM_OpenHistory.
  void SetHistoryEntries(const std::vector<TFileMenuEntry>& entries);
  // Replaces the window entries of the Window menu (right after MM_WindowSepa01).
  void SetWindowEntries(const std::vector<TFileMenuEntry>& entries);
  // Replaces the entries of PU_SelectFileMenu before PU_WindowList.
  void SetSelectFileEntries(const std::vector<TFileMenuEntry>& entries);

 private:
  void SetCaption(TMenuItem item);
  void ReplaceEntries(HMENU menu, UINT firstPosition, int& count, const std::vector<TFileMenuEntry>& entries);

  HBITMAP ImageOf(int image) const { return images_ && image >= -1 ? images_(image) : nullptr; }

  std::function<HBITMAP(int)> images_;
  HMENU main_ = nullptr;
  std::vector<HMENU> popupRoots_;
  std::array<HMENU, MenuItemCount> submenu_{};
  std::array<HMENU, MenuItemCount> parent_{};
  std::array<std::wstring, MenuItemCount> caption_{};
  std::array<std::wstring, MenuItemCount> shortcut_{};
  int historyCount_ = 0;
  int historyPopupCount_ = 0;
  int windowCount_ = 0;
  int selectFileCount_ = 0;
};

// The position of an item within the menu that holds it, or -1.
int MenuPositionOf(HMENU menu, UINT id);

}  // namespace ovx
