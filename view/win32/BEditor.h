// The editor control: the caption strip, the binary view and the sum strip stacked in one
// child window with a sunken client edge. The editor window creates one in Panel_Binary
// and talks to the document through it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "model/UserPrompt.h"
#include "shell/Settings.h"
#include "view/BinaryViewCore.h"
#include "view/TextDump.h"
#include "view/ViewGeometry.h"

namespace ovx {

class TBinaryView;
class THeaderView;
class TFooterView;

// The view's events; the editor window assigns them. An empty function is not called.
struct TBEditorEvents {
  std::function<void()> OnCaretMove;
  std::function<void()> OnStateChange;
  std::function<void(TCommandId)> OnCommand;  // ids of 90000 and above reached from the key map
  std::function<void()> OnKeyState;
  // Bracket each message of the view, so that the owner can bring itself up to date once per
  // message however many changes the message reports.
  std::function<void()> OnMessageBegin;
  std::function<void()> OnMessageEnd;
};

class TBEditor {
 public:
  static constexpr int kDefaultWidth = 360;
  static constexpr int kDefaultHeight = 270;

  explicit TBEditor(TUserPrompt& prompt);
  ~TBEditor();
  TBEditor(const TBEditor&) = delete;
  TBEditor& operator=(const TBEditor&) = delete;

  // Creates the control (child, visible, sunken client edge, no tab stop) and its three
  // children inside parent at rect. False when the platform refused a window.
  bool Create(HWND parent, const RECT& rect);
  HWND Handle() const;
  // The binary view: the window that takes the keyboard focus.
  HWND ViewHandle() const;
  // Moves and sizes the control in its parent's client coordinates; the layout follows.
  void SetBounds(const RECT& rect);

  TBinaryViewCore& Core();
  const TBinaryViewCore& Core() const;
  TMemoryModule& Module() { return Core().Module(); }
  void SetEvents(TBEditorEvents events);

  // Takes the settings record: FontHeight from its font size, then the view's environment.
  void SetEnvironment(const TEnvironmentSettings& settings);
  // Copies the key map and the colour table back into a record.
  void GetEnvironment(TEnvironmentSettings& settings) const;
  // The font height at 96 DPI; the strips and the view draw it scaled to the DPI.
  int FontHeight() const;
  void SetFontHeight(int height);
  // Set from the window's DPI when created; the owner tells a new one.
  void SetDpi(int dpi);
  TViewItems ViewItems() const;
  void SetViewItems(TViewItems items);

  void SetCharaSet(TCharaSet charaSet);
  void SetCheckSumMode(std::uint8_t mode);
  void SetCaretMarker(bool on);
  void SetCompareMarks(bool on);
  void SetCompareColors(bool on);

  // The sizes the window's size optimisation asks for.
  int OptimalClientHeight() const;
  int OptimalClientWidth() const;

  // Pictures for the context menu items (undo, redo, cut, copy, paste, delete, select all):
  // the image list and, for a command, its index there or -1 for none. The list stays the caller's.
  void SetContextMenuImages(HIMAGELIST images, std::function<int(TCommandId)> imageOf);

  // Load and save report their failures themselves; false after the user was told.
  bool LoadFile(const std::string& name);
  bool SaveFile(const std::string& name);

  // Full repaint of the three children.
  void Repaint();

  // Text output: dump lines of count bytes from start, each handed to OnTextLine; nothing runs
  // without a handler.
  TTextLineEvent OnTextLine;
  void TextOutput(std::int32_t start, std::int32_t count);

  // The binary view window's object (tests and the editor window's menus reach it here).
  TBinaryView& View() { return *view_; }
  // The caret's top-left corner in screen coordinates: where menus opened from keys appear.
  POINT CaretScreenPoint() const;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Stacks the caption strip, the view and the sum strip in the client area.
  void Layout();
  int DeviceFontHeight() const { return MulDiv(fontHeight_, dpi_, 96); }

  TUserPrompt& prompt_;
  HWND hwnd_ = nullptr;
  std::unique_ptr<THeaderView> header_;
  std::unique_ptr<TBinaryView> view_;
  std::unique_ptr<TFooterView> footer_;
  TViewItems items_ = TViewItems::All();
  int fontHeight_ = 14;
  int dpi_ = 96;
  HBRUSH background_ = nullptr;
};

}  // namespace ovx
