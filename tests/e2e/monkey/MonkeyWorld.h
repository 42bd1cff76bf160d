// What the monkey sees of the running program before each action: its editor windows, the
// dialogs and tool windows standing over them, an open menu, and whether a wait stands open.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ovx::e2e::monkey {

struct TWorld {
  DWORD process = 0;                 // the editor process, 0 when none runs
  std::vector<HWND> editors;         // visible editor windows, topmost first
  std::vector<HWND> others;          // visible dialogs and tool windows of the process, topmost first
  HWND menu = nullptr;               // an open menu of the process
  HWND front = nullptr;              // the foreground window when it is one of the above
};

// The editor process (the first of ours that runs) and what it shows.
TWorld Observe();

// An editor window's name as the action script writes it: the file's name without its folder,
// or the caption itself for an unnamed window.
std::wstring EditorName(HWND editor);
// The first editor window, or other window, with the name (caption); null when none.
HWND FindEditor(const TWorld& world, const std::wstring& name);
HWND FindOther(const TWorld& world, const std::wstring& caption);

// A wait the user must answer: a message box or modal dialog (its owner disabled, or no owner).
bool IsWait(HWND window);
// A common file dialog (its file name field).
bool IsFileDialog(HWND window);
// True while no editor window is disabled and no menu is open: keys reach the view.
bool Quiet(const TWorld& world);

// Visible, enabled children of the class ("Button", "Edit"), in their order.
std::vector<HWND> ChildrenOf(HWND parent, const std::wstring& className);
std::wstring TextOfWindow(HWND window);

}  // namespace ovx::e2e::monkey
