// The binary view's window: it owns the view core, draws the core's paint model,
// routes keyboard, mouse, scroll bar and focus messages to the core and implements
// what the core asks of its window (TViewHost).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <vector>

#include "shell/win32/MenuImages.h"
#include "shell/win32/WaitScope.h"
#include "view/BinaryViewCore.h"
#include "view/ViewPaintModel.h"
#include "view/win32/BEditor.h"
#include "view/win32/ViewPainter.h"
#include "view/win32/ViewWindow.h"
#include "view/win32/Win32ViewClipboard.h"

namespace ovx {

class TBinaryView : public TViewWindow, public TViewHost {
 public:
  // The private message that opens a menu outside the key handler; wParam is the command id.
  static constexpr UINT kMenuMessage = WM_USER + 10;
  static constexpr UINT_PTR kDragTimerId = 1;

  explicit TBinaryView(TUserPrompt& prompt);
  ~TBinaryView() override;

  bool Create(HWND parent);
  TBinaryViewCore& Core() { return core_; }
  const TBinaryViewCore& Core() const { return core_; }
  void SetEvents(TBEditorEvents events) { events_ = std::move(events); }
  // While held, the user's keys, clicks and menus reach the view without effect, whichever loop
  // hands them on (a document still loading takes no edit).
  void HoldInput(bool held) { inputHeld_ = held; }
  // Rows asked for inside one input message are drawn once, when it ends. A wait that begins
  // inside it draws them at once, and rows asked for from then on are drawn as they come: the user
  // sees the view as it stands while the question waits.
  void DrawHeldRows();

  // The font's height and the DPI are in device pixels; the gaps between cells follow the DPI.
  void SetFontHeight(int height, int dpi);
  void SetViewItems(TViewItems items);
  void SetColors(const TColorSettings& colors);
  const TColorSettings& Colors() const { return painter_.Colors(); }
  const TViewPainter& Painter() const { return painter_; }
  const TViewGeometry& Geometry() const { return geometry_; }
  void SetContextMenuImages(HIMAGELIST images, std::function<int(TCommandId)> imageOf);

  // Recomputes the geometry from the font, the view items and the client size.
  void Relayout();
  // Paints the client area into dc: the rows over the kept background, or everything
  // (background areas, then the rows) when full is set or the background is out of date.
  void Render(HDC dc, bool full = true);
  // The caret rectangle in client coordinates for the current caret and input mode.
  TCaretShape CurrentCaretShape() const;
  bool HasSystemCaret() const { return hasCaret_; }

  // Called after the rows were drawn (the strips follow the model) and after a relayout.
  std::function<void(const TPaintModel&)> OnRowsPainted;
  std::function<void(const TViewGeometry&)> OnLayout;
  // Replaces the system's popup tracking when set (tests read the built menu and choose):
  // returns the chosen item's id, 0 for none.
  std::function<int(HMENU menu, POINT screen)> MenuTracker;
  // The window the view's popup menus are a wait of; none: a wait of no window.
  TWaitSite* MenuWaits = nullptr;

  // The two popup menus, built as they open. The chosen command runs through the core.
  void ShowContextMenu(POINT screen);
  void ShowUserMenu(int userMenu, POINT screen);
  // The caret's top-left corner in screen coordinates, where menus opened from keys appear.
  POINT CaretScreenPoint() const;

  // TViewHost.
  void PaintRows() override;
  void SetScrollRange(std::int32_t maxRow) override;
  void SetScrollPosition(std::int32_t topRow) override;
  void CaretShapeChanged() override;
  void CaretMove() override;
  void StateChange() override;
  void Command(TCommandId id) override;
  void KeyState() override;
  void PostMenuMessage(TCommandId id) override;
  bool ProcessOneMessage() override;
  int CurrentShiftState() override;
  bool IsPC98Keyboard() override;
  void StartDragTimer() override;
  void StopDragTimer() override;
  TViewClipboard& Clipboard() override { return clipboard_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void OnPaint();
  void OnKeyDown(WPARAM wParam, LPARAM lParam);
  void OnCharacters(WPARAM first);
  void OnVScroll(int request);
  void OnMouseDown(TViewMouseButton button, LPARAM lParam, WPARAM keys);
  void OnMouseWheel(int delta);
  bool OnSetCursor();
  void ApplyScrollInfo(const SCROLLINFO& si);
  void RedrawScrollBar();
  void CreateSystemCaret();
  void PlaceCaret();
  void MoveCompositionWindow();
  bool InsideClient(int x, int y) const;
  int TrackMenu(HMENU menu, POINT screen);

  TViewPainter painter_;
  TBinaryViewCore core_;
  TWin32ViewClipboard clipboard_;
  TBEditorEvents events_;
  TViewGeometry geometry_;
  TViewItems items_ = TViewItems::All();
  int dpi_ = 96;
  TPaintModel model_;
  // Whether the shared back buffer still holds the background this view drew, so that a row
  // repaint need not draw it again, and the rows it drew there last.
  bool backgroundValid_ = false;
  std::vector<TPaintRow> drawnRows_;
  TCaretMarkerShape drawnMarker_;
  void ShiftRows(HDC buffer, int rows);
  void DrawRows();
  bool hasCaret_ = false;
  bool dragTimer_ = false;
  bool destroying_ = false;
  bool inputHeld_ = false;
  bool rowsHeld_ = false;
  bool rowsDue_ = false;
  std::unique_ptr<TMenuImages> menuPictures_;  // made once per image, kept with the view
  std::function<int(TCommandId)> imageOf_;
  int wheelRemainder_ = 0;
  POINT dragPoint_{};  // the pointer during a drag, in client coordinates (may lie outside)
  // Cleared when this object goes away: a nested message loop checks it before touching members.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace ovx
