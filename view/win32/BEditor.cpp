#include "view/win32/BEditor.h"

#include <algorithm>

#include "shell/win32/WindowDpi.h"
#include "shell/win32/WindowObject.h"
#include "view/win32/BinaryView.h"
#include "view/win32/FooterView.h"
#include "view/win32/HeaderView.h"
#include "view/win32/ViewPainter.h"

namespace ovx {
namespace {

constexpr wchar_t kClassName[] = L"TBEditor";

// The sunken client edge on both sides.
int FrameThickness() { return 2 * GetSystemMetrics(SM_CXEDGE); }

}  // namespace

TBEditor::TBEditor(TUserPrompt& prompt)
    : prompt_(prompt),
      header_(std::make_unique<THeaderView>()),
      view_(std::make_unique<TBinaryView>(prompt)),
      footer_(std::make_unique<TFooterView>()) {
  view_->OnLayout = [this](const TViewGeometry& g) {
    header_->SetWidths(g.widths);
    footer_->SetWidths(g.widths);
  };
  view_->OnRowsPainted = [this](const TPaintModel& model) {
    header_->SetCharaSet(Core().CharaSet());
    header_->SetCaretColumn(model.caretColumn);
    footer_->SetCaretColumn(model.caretColumn);
    footer_->SetSums(model.columnSumTexts);
  };
}

TBEditor::~TBEditor() {
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (background_) DeleteObject(background_);
}

bool TBEditor::Create(HWND parent, const RECT& rect) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (!GetClassInfoExW(instance, kClassName, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TBEditor::Procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) return false;
  }
  hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect.left,
                          rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, instance, this);
  if (!hwnd_) return false;
  if (!header_->Create(hwnd_) || !view_->Create(hwnd_) || !footer_->Create(hwnd_)) return false;
  dpi_ = WindowDpi(hwnd_);
  SetFontHeight(fontHeight_);
  return true;
}

HWND TBEditor::Handle() const { return hwnd_; }
HWND TBEditor::ViewHandle() const { return view_->Handle(); }

void TBEditor::SetBounds(const RECT& rect) {
  if (hwnd_) MoveWindow(hwnd_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

TBinaryViewCore& TBEditor::Core() { return view_->Core(); }
const TBinaryViewCore& TBEditor::Core() const { return view_->Core(); }

void TBEditor::SetEvents(TBEditorEvents events) { view_->SetEvents(std::move(events)); }

void TBEditor::SetEnvironment(const TEnvironmentSettings& settings) {
  SetFontHeight(settings.FontHeight);
  view_->SetColors(settings.Colors);
  if (background_) DeleteObject(background_);
  background_ = CreateSolidBrush(ResolveColor(settings.Colors.NormalBG));
  Core().SetEnvironment(settings);  // repaints and raises OnStateChange
  Repaint();
}

void TBEditor::GetEnvironment(TEnvironmentSettings& settings) const {
  settings.KeyMap = Core().KeyMap();
  settings.Colors = view_->Colors();
}

int TBEditor::FontHeight() const { return fontHeight_; }

void TBEditor::SetFontHeight(int height) {
  fontHeight_ = std::max(height, 1);
  const int device = DeviceFontHeight();
  header_->SetFontHeight(HeaderFontHeight(device, dpi_), dpi_);
  footer_->SetFontHeight(device, dpi_);
  view_->SetFontHeight(device, dpi_);
  Layout();
}

void TBEditor::SetDpi(int dpi) {
  dpi_ = dpi > 0 ? dpi : 96;
  SetFontHeight(fontHeight_);
}

TViewItems TBEditor::ViewItems() const { return items_; }

void TBEditor::SetViewItems(TViewItems items) {
  items_ = items;
  view_->SetViewItems(items);
  Layout();
}

void TBEditor::SetCharaSet(TCharaSet charaSet) { Core().SetCharaSet(charaSet); }
void TBEditor::SetCheckSumMode(std::uint8_t mode) { Core().SetCheckSumMode(mode); }
void TBEditor::SetCaretMarker(bool on) { Core().SetCaretMarker(on); }
void TBEditor::SetCompareMarks(bool on) { Core().SetCompareMarks(on); }
void TBEditor::SetCompareColors(bool on) { Core().SetCompareColors(on); }

int TBEditor::OptimalClientHeight() const {
  return ovx::OptimalClientHeight(FrameThickness(), view_->Geometry(), items_, DeviceFontHeight());
}

int TBEditor::OptimalClientWidth() const { return ovx::OptimalClientWidth(FrameThickness(), view_->Geometry()); }

void TBEditor::SetContextMenuImages(HIMAGELIST images, std::function<int(TCommandId)> imageOf) {
  view_->SetContextMenuImages(images, std::move(imageOf));
}

bool TBEditor::LoadFile(const std::string& name) { return Core().LoadFile(name); }
bool TBEditor::SaveFile(const std::string& name) { return Core().SaveFile(name); }

void TBEditor::Repaint() {
  if (!hwnd_) return;
  for (HWND child : {header_->Handle(), view_->Handle(), footer_->Handle()})
    if (child) InvalidateRect(child, nullptr, FALSE);
}

void TBEditor::TextOutput(std::int32_t start, std::int32_t count) {
  if (OnTextLine) DumpText(Module(), Core().CharaSet(), Core().CheckSumMode(), start, count, OnTextLine);
}

POINT TBEditor::CaretScreenPoint() const { return view_->CaretScreenPoint(); }

void TBEditor::Layout() {
  if (!hwnd_ || !view_->Handle()) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  const bool header = items_.Has(bvHeader);
  const bool footer = items_.Has(bvVSum);
  const int top = header ? std::min<int>(HeaderHeight(DeviceFontHeight(), dpi_), client.bottom) : 0;
  const int bottom = footer ? std::max<int>(top, client.bottom - FooterHeight(DeviceFontHeight(), dpi_)) : client.bottom;
  MoveWindow(header_->Handle(), 0, 0, client.right, top, TRUE);
  MoveWindow(footer_->Handle(), 0, bottom, client.right, client.bottom - bottom, TRUE);
  ShowWindow(header_->Handle(), header ? SW_SHOWNA : SW_HIDE);
  ShowWindow(footer_->Handle(), footer ? SW_SHOWNA : SW_HIDE);
  RECT old{};
  GetWindowRect(view_->Handle(), &old);
  MoveWindow(view_->Handle(), 0, top, client.right, bottom - top, TRUE);
  // A move without a size change sends no size message, but the font or items may have changed.
  if (old.right - old.left == client.right && old.bottom - old.top == bottom - top) view_->Relayout();
}

LRESULT TBEditor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: Layout(); return 0;
    case WM_SETFOCUS:
      if (view_->Handle()) SetFocus(view_->Handle());
      return 0;
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(hwnd_, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client,
               background_ ? background_ : GetSysColorBrush(COLOR_WINDOW));
      return 1;
    }
    default: return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

LRESULT CALLBACK TBEditor::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  TBEditor* self = WindowObject<TBEditor>(hwnd, message, lParam);
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCCREATE) self->hwnd_ = hwnd;
  if (message == WM_NCDESTROY) {
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

}  // namespace ovx
