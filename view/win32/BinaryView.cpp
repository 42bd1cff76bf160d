#include "view/win32/BinaryView.h"

#include <imm.h>
#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>

#include "shell/KeyTable.h"
#include "shell/win32/InputTraceFile.h"
#include "shell/win32/KeyState.h"
#include "view/RowRepaint.h"
#include "view/TypedCharacters.h"
#include "view/win32/SharedBackBuffer.h"

namespace ovx {
namespace {

// The input method functions, looked up once: the program links no import library for them.
struct TImeFunctions {
  decltype(&ImmGetContext) getContext = nullptr;
  decltype(&ImmReleaseContext) releaseContext = nullptr;
  decltype(&ImmSetCompositionWindow) setCompositionWindow = nullptr;
  decltype(&ImmSetCompositionFontW) setCompositionFont = nullptr;

  static const TImeFunctions& Get() {
    static const TImeFunctions functions = [] {
      TImeFunctions f;
      HMODULE imm = LoadLibraryW(L"imm32.dll");
      if (!imm) return f;
      f.getContext = reinterpret_cast<decltype(&ImmGetContext)>(
          reinterpret_cast<void*>(GetProcAddress(imm, "ImmGetContext")));
      f.releaseContext = reinterpret_cast<decltype(&ImmReleaseContext)>(
          reinterpret_cast<void*>(GetProcAddress(imm, "ImmReleaseContext")));
      f.setCompositionWindow = reinterpret_cast<decltype(&ImmSetCompositionWindow)>(
          reinterpret_cast<void*>(GetProcAddress(imm, "ImmSetCompositionWindow")));
      f.setCompositionFont = reinterpret_cast<decltype(&ImmSetCompositionFontW)>(
          reinterpret_cast<void*>(GetProcAddress(imm, "ImmSetCompositionFontW")));
      return f;
    }();
    return functions;
  }
  bool Usable() const { return getContext && releaseContext && setCompositionWindow && setCompositionFont; }
};

bool IsCharMessage(UINT message) { return message == WM_CHAR || message == WM_IME_CHAR; }

// The character messages waiting for the view: only those before any other message of it.
class TWaitingCharacters : public TCharacterQueue {
 public:
  explicit TWaitingCharacters(HWND view) : view_(view) {}
  std::optional<char16_t> Peek() override {
    MSG next;
    if (!PeekMessageW(&next, view_, 0, 0, PM_NOREMOVE) || !IsCharMessage(next.message)) return std::nullopt;
    peeked_ = next.message;
    return static_cast<char16_t>(next.wParam);
  }
  void Pop() override {
    MSG taken;
    PeekMessageW(&taken, view_, peeked_, peeked_, PM_REMOVE);
  }

 private:
  HWND view_;
  UINT peeked_ = WM_CHAR;
};

}  // namespace

TBinaryView::TBinaryView(TUserPrompt& prompt) : core_(*this, prompt), clipboard_(nullptr) {}

TBinaryView::~TBinaryView() {
  *alive_ = false;
  TSharedBackBuffer::Instance().Forget(this);
}

bool TBinaryView::Create(HWND parent) {
  if (!CreateWindowOf(L"TBinaryView", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPSIBLINGS, 0, parent,
                      {0, 0, 0, 0}))
    return false;
  clipboard_ = TWin32ViewClipboard(hwnd_);
  SetScrollRange(std::max(1, core_.Module().Size() / kBytesPerRow));
  Relayout();
  return true;
}

void TBinaryView::SetFontHeight(int height, int dpi) {
  dpi_ = dpi;
  painter_.SetFontHeight(height);
  if (hasCaret_) CaretShapeChanged();
  Relayout();
}

void TBinaryView::SetViewItems(TViewItems items) {
  items_ = items;
  Relayout();
}

void TBinaryView::SetColors(const TColorSettings& colors) {
  painter_.SetColors(colors);
  backgroundValid_ = false;
  PaintRows();
}

void TBinaryView::SetContextMenuImages(HIMAGELIST images, std::function<int(TCommandId)> imageOf) {
  menuPictures_ = images ? std::make_unique<TMenuImages>(images) : nullptr;
  imageOf_ = std::move(imageOf);
}

void TBinaryView::Relayout() {
  RECT client{};
  if (hwnd_) GetClientRect(hwnd_, &client);
  geometry_ = ComputeViewGeometry(painter_.CharWidth(), painter_.CharHeight(), client.right, client.bottom, items_,
                                  GetSystemMetrics(SM_CXVSCROLL), dpi_);
  backgroundValid_ = false;
  if (OnLayout) OnLayout(geometry_);
  if (core_.CharColumnShown() != items_.Has(bvAscii)) core_.SetCharColumnShown(items_.Has(bvAscii));
  // Re-applies the caret so that it stays visible, and repaints.
  core_.SetVisibleRows(geometry_.visibleRows);
  if (hasCaret_) CaretShapeChanged();
}

void TBinaryView::Render(HDC dc, bool full) {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const SIZE size{std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)};
  bool kept = false;
  HDC buffer = TSharedBackBuffer::Instance().Take(this, size, kept);
  if (!buffer) return;
  if (!kept) backgroundValid_ = false;
  // Rows already in the buffer are kept only by a row repaint over the background drawn before.
  bool keepRows = !full && backgroundValid_;
  if (full || !backgroundValid_) {
    painter_.PaintBackground(buffer, geometry_, client.right, client.bottom);
    backgroundValid_ = true;
  }
  TPaintInput in = core_.PaintInput();
  in.visibleRows = geometry_.visibleRows;
  BuildPaintModel(core_.Module(), in, model_);
  TCaretMarkerShape marker;
  if (core_.CaretMarker())
    marker = CaretMarker(geometry_, core_.CaretRow(), core_.CaretColumn(), core_.InputArea());
  // The caret marker's column line crosses every row: the rows are kept only while it stays put.
  // Its row line and cell lie in the caret's row, which is drawn again when the caret leaves it.
  keepRows = keepRows && marker.empty == drawnMarker_.empty &&
             (marker.empty || (marker.columnLineX == drawnMarker_.columnLineX &&
                               marker.columnLineBottom == drawnMarker_.columnLineBottom));
  drawnMarker_ = marker;
  // Only the band of rows drawn again goes to the screen: under Wine each copy is sent whole.
  int bandTop = 0, bandBottom = size.cy;
  if (keepRows) {
    const TRowRepaint plan = PlanRowRepaint(drawnRows_, model_.rows);
    if (plan.shiftRows != 0) ShiftRows(buffer, plan.shiftRows);
    painter_.PaintRows(buffer, geometry_, model_, marker, &plan.draw);
    const auto first = std::find(plan.draw.begin(), plan.draw.end(), true);
    const auto last = std::find(plan.draw.rbegin(), plan.draw.rend(), true);
    if (plan.shiftRows != 0) {
      bandTop = geometry_.RowTop(0);
      bandBottom = geometry_.RowTop(static_cast<int>(model_.rows.size()));
    } else if (first == plan.draw.end()) {
      bandBottom = bandTop;
    } else {
      bandTop = geometry_.RowTop(static_cast<int>(first - plan.draw.begin()));
      bandBottom = geometry_.RowTop(static_cast<int>(plan.draw.rend() - last));
    }
  } else {
    painter_.PaintRows(buffer, geometry_, model_, marker);
  }
  drawnRows_ = model_.rows;
  if (bandBottom > bandTop) BitBlt(dc, 0, bandTop, size.cx, bandBottom - bandTop, buffer, 0, bandTop, SRCCOPY);
  if (OnRowsPainted) OnRowsPainted(model_);
}

// Moves the picture of the rows up by `rows` rows (down when negative), within the columns: the
// background beside and below them stays where it is.
void TBinaryView::ShiftRows(HDC buffer, int rows) {
  const int width = geometry_.CharColumnLeft() + geometry_.charColumnWidth;
  const int kept = static_cast<int>(model_.rows.size()) - std::abs(rows);
  const int from = geometry_.RowTop(std::max(rows, 0)), to = geometry_.RowTop(std::max(-rows, 0));
  BitBlt(buffer, 0, to, width, kept * geometry_.rowHeight, buffer, 0, from, SRCCOPY);
}

TCaretShape TBinaryView::CurrentCaretShape() const {
  return CaretShape(geometry_, core_.CaretRow(), core_.CaretColumn(), core_.LowNibble() != 0, core_.InputArea(),
                    core_.InputMode());
}

POINT TBinaryView::CaretScreenPoint() const {
  const TCaretShape s = CurrentCaretShape();
  POINT p{s.x, geometry_.TextTop(core_.CaretRow())};
  if (hwnd_) ClientToScreen(hwnd_, &p);
  return p;
}

// TViewHost.

void TBinaryView::PaintRows() {
  if (rowsHeld_) {
    rowsDue_ = true;
    return;
  }
  DrawRows();
}

void TBinaryView::DrawHeldRows() {
  rowsHeld_ = false;
  if (rowsDue_) DrawRows();
}

void TBinaryView::DrawRows() {
  rowsDue_ = false;
  if (!hwnd_ || destroying_) return;
  // A hidden view is drawn whole when it is shown.
  if (!IsWindowVisible(hwnd_)) {
    if (hasCaret_) PlaceCaret();
    return;
  }
  const TTracedPart part("rows");
  if (hasCaret_) HideCaret(hwnd_);
  HDC dc = GetDC(hwnd_);
  Render(dc, false);
  ReleaseDC(hwnd_, dc);
  if (hasCaret_) {
    PlaceCaret();
    ShowCaret(hwnd_);
  }
}

void TBinaryView::SetScrollRange(std::int32_t maxRow) {
  if (!hwnd_) return;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE;
  GetScrollInfo(hwnd_, SB_VERT, &si);
  if (si.nMin == 0 && si.nMax == maxRow) return;
  si.nMin = 0;
  si.nMax = maxRow;
  ApplyScrollInfo(si);
}

void TBinaryView::SetScrollPosition(std::int32_t topRow) {
  if (!hwnd_) return;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_POS;
  GetScrollInfo(hwnd_, SB_VERT, &si);
  if (si.nPos == topRow) return;
  si.nPos = topRow;
  ApplyScrollInfo(si);
}

namespace {

// Where the system draws the scroll box and which parts it shows pressed or disabled (a part
// that merely becomes visible, as the empty track above the box does when it leaves the top,
// changes no pixel).
struct TScrollBarPicture {
  SCROLLBARINFO info{};
  explicit TScrollBarPicture(HWND hwnd) {
    info.cbSize = sizeof info;
    if (!GetScrollBarInfo(hwnd, OBJID_VSCROLL, &info)) info.xyThumbTop = info.xyThumbBottom = -1;
  }
  bool operator==(const TScrollBarPicture& o) const {
    constexpr DWORD kDrawn = STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_PRESSED;
    return info.xyThumbTop >= 0 && info.xyThumbTop == o.info.xyThumbTop &&
           info.xyThumbBottom == o.info.xyThumbBottom &&
           std::equal(std::begin(info.rgstate), std::end(info.rgstate), std::begin(o.info.rgstate),
                      [](DWORD a, DWORD b) { return (a & kDrawn) == (b & kDrawn); });
  }
};

}  // namespace

// Drawing the bar costs more than a whole row repaint, so it is redrawn only when its picture
// changes (in a long document a row moves the box by less than a pixel), and then with the next
// paint, after the pending input.
void TBinaryView::ApplyScrollInfo(const SCROLLINFO& si) {
  const TTracedPart part("scroll bar");
  const TScrollBarPicture before(hwnd_);
  SetScrollInfo(hwnd_, SB_VERT, &si, FALSE);
  if (!(TScrollBarPicture(hwnd_) == before)) RedrawScrollBar();
}

void TBinaryView::RedrawScrollBar() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const RECT bar{client.right, 0, client.right + GetSystemMetrics(SM_CXVSCROLL), client.bottom};
  RedrawWindow(hwnd_, &bar, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TBinaryView::CaretShapeChanged() {
  if (!hasCaret_) return;
  DestroyCaret();
  CreateSystemCaret();
}

void TBinaryView::CaretMove() {
  if (events_.OnCaretMove) events_.OnCaretMove();
}

void TBinaryView::StateChange() {
  if (events_.OnStateChange) events_.OnStateChange();
}

void TBinaryView::Command(TCommandId id) {
  if (events_.OnCommand) events_.OnCommand(id);
}

void TBinaryView::KeyState() {
  if (events_.OnKeyState) events_.OnKeyState();
}

void TBinaryView::PostMenuMessage(TCommandId id) {
  if (hwnd_) PostMessageW(hwnd_, kMenuMessage, static_cast<WPARAM>(id), static_cast<LPARAM>(id));
}

bool TBinaryView::ProcessOneMessage() {
  if (!hwnd_ || destroying_) return false;
  const std::shared_ptr<bool> alive = alive_;
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) return false;
    if (got == 0) msg.message = WM_QUIT;
  }
  if (msg.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it too
    return false;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return *alive && hwnd_ && !destroying_;
}

int TBinaryView::CurrentShiftState() { return GetShiftStateCode(); }

bool TBinaryView::IsPC98Keyboard() { return ovx::IsPC98Keyboard(); }

void TBinaryView::StartDragTimer() {
  if (!hwnd_) return;
  int speed = 0;
  SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
  SetCapture(hwnd_);
  SetTimer(hwnd_, kDragTimerId, static_cast<UINT>(AutoScrollInterval(speed)), nullptr);
  dragTimer_ = true;
}

void TBinaryView::StopDragTimer() {
  if (!dragTimer_) return;
  dragTimer_ = false;
  KillTimer(hwnd_, kDragTimerId);
  if (GetCapture() == hwnd_) ReleaseCapture();
}

// Caret and input method.

void TBinaryView::CreateSystemCaret() {
  const TCaretShape s = CurrentCaretShape();
  if (!CreateCaret(hwnd_, nullptr, s.width, s.height)) return;
  hasCaret_ = true;
  PlaceCaret();
  ShowCaret(hwnd_);
}

void TBinaryView::PlaceCaret() {
  const TTracedPart part("caret");
  const TCaretShape s = CurrentCaretShape();
  SetCaretPos(s.x, s.y);
  MoveCompositionWindow();
}

void TBinaryView::MoveCompositionWindow() {
  const TImeFunctions& ime = TImeFunctions::Get();
  if (!ime.Usable()) return;
  HIMC context = ime.getContext(hwnd_);
  if (!context) return;
  const TCaretShape s = CurrentCaretShape();
  COMPOSITIONFORM form{};
  form.dwStyle = CFS_POINT;
  form.ptCurrentPos = {s.x, geometry_.TextTop(core_.CaretRow())};
  ime.setCompositionWindow(context, &form);
  LOGFONTW font{};
  if (GetObjectW(painter_.Font(), sizeof font, &font)) ime.setCompositionFont(context, &font);
  ime.releaseContext(hwnd_, context);
}

// Messages.

void TBinaryView::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  // A paint for the scroll bar alone leaves the client as it is.
  if (!IsRectEmpty(&ps.rcPaint)) {
    if (hasCaret_) HideCaret(hwnd_);
    Render(dc);
    if (hasCaret_) ShowCaret(hwnd_);
  }
  EndPaint(hwnd_, &ps);
}

void TBinaryView::OnKeyDown(WPARAM wParam, LPARAM lParam) {
  const TKeyStroke stroke = KeyMessageToKey(static_cast<std::uint64_t>(wParam), static_cast<std::int64_t>(lParam),
                                            GetShiftStateCode());
  core_.KeyDown(stroke);
}

// The typed character and the waiting ones that fit in one entry; the rest stay queued.
void TBinaryView::OnCharacters(WPARAM first) {
  TWaitingCharacters waiting(hwnd_);
  std::string typed;
  {
    const TTracedPart part("queued characters");
    typed = CollectTypedCharacters(static_cast<char16_t>(first), waiting);
  }
  const TTracedPart part("typing");
  core_.TypeCharacters(typed);
}

void TBinaryView::OnVScroll(int request) {
  switch (request) {
    case SB_LINEUP: core_.ScrollLineUp(); break;
    case SB_LINEDOWN: core_.ScrollLineDown(); break;
    case SB_PAGEUP: core_.ExecuteCommand(cmPAGEUP); break;
    case SB_PAGEDOWN: core_.ExecuteCommand(cmPAGEDOWN); break;
    case SB_TOP: core_.ExecuteCommand(cmFILETOP); break;
    case SB_BOTTOM: core_.ExecuteCommand(cmFILEEND); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The message carries 16 bits only; the scroll bar keeps the whole position.
      SCROLLINFO si{};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      if (GetScrollInfo(hwnd_, SB_VERT, &si)) core_.ScrollThumb(si.nTrackPos);
      break;
    }
    default: break;
  }
}

void TBinaryView::OnMouseDown(TViewMouseButton button, LPARAM lParam, WPARAM keys) {
  if (GetFocus() != hwnd_) SetFocus(hwnd_);
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  dragPoint_ = {x, y};
  const std::shared_ptr<bool> alive = alive_;
  if (core_.MouseDown(button, HitTest(geometry_, x, y), (keys & MK_SHIFT) != 0) && *alive) {
    POINT p{x, y};
    ClientToScreen(hwnd_, &p);
    ShowContextMenu(p);
  }
}

void TBinaryView::OnMouseWheel(int delta) {
  // Three rows per notch; a fine wheel adds up its small steps.
  wheelRemainder_ += delta;
  while (wheelRemainder_ >= WHEEL_DELTA) {
    wheelRemainder_ -= WHEEL_DELTA;
    for (int i = 0; i < 3; ++i) core_.ScrollLineUp();
  }
  while (wheelRemainder_ <= -WHEEL_DELTA) {
    wheelRemainder_ += WHEEL_DELTA;
    for (int i = 0; i < 3; ++i) core_.ScrollLineDown();
  }
}

bool TBinaryView::InsideClient(int x, int y) const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  return x >= 0 && y >= 0 && x < client.right && y < client.bottom;
}

bool TBinaryView::OnSetCursor() {
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(hwnd_, &p);
  const TViewHit hit = HitTest(geometry_, p.x, p.y);
  const bool text = hit.area == TViewHit::Hex || hit.area == TViewHit::Char;
  SetCursor(LoadCursorW(nullptr, text ? IDC_IBEAM : IDC_ARROW));
  return true;
}

namespace {

bool IsUserInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         message == WM_IME_CHAR || message == WM_IME_COMPOSITION || message == WM_CONTEXTMENU ||
         message == TBinaryView::kMenuMessage;
}

}  // namespace

LRESULT TBinaryView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (inputHeld_ && IsUserInput(message)) return 0;
  if (destroying_ || message == WM_NCDESTROY) return Dispatch(message, wParam, lParam);
  const std::shared_ptr<bool> alive = alive_;
  // A key or click may change the document, the caret and the selection in turn: one drawing.
  const bool holdsRows = !rowsHeld_ && (IsUserInput(message) || message == WM_VSCROLL);
  if (holdsRows) rowsHeld_ = true;
  const bool batched = events_.OnMessageBegin && events_.OnMessageEnd;
  const std::function<void()> end = batched ? events_.OnMessageEnd : nullptr;
  if (batched) events_.OnMessageBegin();
  const LRESULT result = Dispatch(message, wParam, lParam);
  if (!*alive) return result;
  if (holdsRows && rowsHeld_) DrawHeldRows();
  if (end) end();
  return result;
}

LRESULT TBinaryView::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
      PaintTraced(hwnd_, [this] { OnPaint(); });
      return 0;
    case WM_PRINTCLIENT: Render(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_SIZE: Relayout(); return 0;
    case WM_SETFOCUS:
      CreateSystemCaret();
      CaretMove();
      KeyState();
      return 0;
    case WM_KILLFOCUS:
      KeyState();
      CaretMove();
      if (hasCaret_) {
        hasCaret_ = false;
        DestroyCaret();
      }
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_SYSKEYDOWN:
      if (lParam & (1 << 29)) return Default(message, wParam, lParam);  // Alt: the system's own keys
      OnKeyDown(wParam, lParam);
      return 0;
    case WM_KEYDOWN: OnKeyDown(wParam, lParam); return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      core_.KeyUp();
      return message == WM_SYSKEYUP ? Default(message, wParam, lParam) : 0;
    case WM_CHAR:
    case WM_IME_CHAR: OnCharacters(wParam); return 0;
    case WM_IME_STARTCOMPOSITION:
      MoveCompositionWindow();
      return Default(message, wParam, lParam);
    case WM_VSCROLL: OnVScroll(LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnMouseDown(vmbLeft, lParam, wParam); return 0;
    case WM_RBUTTONDOWN: OnMouseDown(vmbRight, lParam, wParam); return 0;
    case WM_MBUTTONDOWN: OnMouseDown(vmbMiddle, lParam, wParam); return 0;
    case WM_MOUSEMOVE:
      if ((wParam & MK_LBUTTON) && dragTimer_ && GetCapture() == hwnd_) {
        dragPoint_ = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        core_.MouseMove(geometry_, dragPoint_.x, dragPoint_.y, InsideClient(dragPoint_.x, dragPoint_.y));
      }
      return 0;
    case WM_LBUTTONUP:
      if (dragTimer_) core_.MouseUp();
      return 0;
    case WM_CAPTURECHANGED:
      if (dragTimer_ && reinterpret_cast<HWND>(lParam) != hwnd_) core_.MouseUp();
      return 0;
    case WM_TIMER:
      if (wParam == kDragTimerId) {
        // The pointer as the last captured move reported it.
        if (dragTimer_ && GetCapture() == hwnd_)
          core_.DragTimerTick(geometry_, dragPoint_.x, dragPoint_.y, InsideClient(dragPoint_.x, dragPoint_.y));
        return 0;
      }
      return Default(message, wParam, lParam);
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && OnSetCursor()) return TRUE;
      return Default(message, wParam, lParam);
    case kMenuMessage: {
      // The id comes in the first parameter; a sender that puts it in the second is understood too.
      const auto id = static_cast<TCommandId>(wParam ? wParam : static_cast<WPARAM>(lParam));
      if (id >= cmUSERMENU1 && id <= cmUSERMENU5) {
        ShowUserMenu(id - cmUSERMENU1, CaretScreenPoint());
      } else if (id == cmPOPUPMENU) {
        ShowContextMenu(CaretScreenPoint());
      }
      return 0;
    }
    case WM_DESTROY:
      destroying_ = true;
      StopDragTimer();
      return 0;
    default: return Default(message, wParam, lParam);
  }
}

}  // namespace ovx
