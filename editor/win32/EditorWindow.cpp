#include "editor/win32/EditorWindow.h"

#include <shellapi.h>

#include <utility>

#include "charset/StrUty.h"
#include "editor/FileMenuEntries.h"
#include "editor/ToolBarImages.h"
#include "editor/win32/AllCodeSearchTool.h"
#include "editor/win32/EditorFileSite.h"
#include "editor/win32/JumpTools.h"
#include "editor/win32/PendingMessages.h"
#include "editor/win32/ToolBarImageList.h"
#include "editor/win32/DlgSearch.h"
#include "editor/win32/TypedInputDialogs.h"
#include "shell/win32/InputTraceFile.h"
#include "shell/win32/KeyState.h"
#include "shell/win32/WindowDpi.h"
#include "shell/win32/WindowObject.h"
#include "view/win32/BEditor.h"
#include "view/win32/BinaryView.h"

namespace ovx {

const wchar_t TOvnxBinaryFormWClass::kClassName[] = L"TOvnxBinaryFormWClass";
const wchar_t TOvnxBinaryFormWClass::kPanelClassName[] = L"TOvnxPanel";

namespace {

const DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
const DWORD kExStyle = WS_EX_ACCEPTFILES;

// The view's context menu shows the pictures of the main menu items of the same commands.
int ContextMenuImage(TCommandId id) {
  std::optional<TMenuItem> item = MenuItemOfCommand(id);
  return item ? MenuItemDef(*item).image : -1;
}

}  // namespace

bool TOvnxBinaryFormWClass::RegisterWindowClass(HINSTANCE instance, HICON icon, HICON smallIcon) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hIconSm = smallIcon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  bool ok = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  // The panels: plain areas that pass their children's messages to the window.
  WNDCLASSEXW panel = {};
  panel.cbSize = sizeof panel;
  panel.lpfnWndProc = PanelProc;
  panel.hInstance = instance;
  panel.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  panel.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  panel.lpszClassName = kPanelClassName;
  return (RegisterClassExW(&panel) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) && ok;
}

TOvnxBinaryFormWClass* TOvnxBinaryFormWClass::FromHandle(HWND hwnd) {
  wchar_t name[64];
  if (!hwnd || !GetClassNameW(hwnd, name, 64) || wcscmp(name, kClassName) != 0) return nullptr;
  return reinterpret_cast<TOvnxBinaryFormWClass*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

TOvnxBinaryFormWClass::TOvnxBinaryFormWClass(TEditorWindowHost& host)
    : host_(host),
      prompt_(host.Prompt(), *this),
      editor_(std::make_unique<TBEditor>(prompt_)),
      fileSite_(std::make_unique<TFileSite>(*this)) {}

TOvnxBinaryFormWClass::~TOvnxBinaryFormWClass() {
  if (font_) DeleteObject(font_);
  menuImages_.reset();
  if (images_) ImageList_Destroy(images_);
}

TEditorFileSite& TOvnxBinaryFormWClass::FileSite() { return *fileSite_; }
TMemoryModule& TOvnxBinaryFormWClass::Document() { return editor_->Module(); }
bool TOvnxBinaryFormWClass::Modified() { return editor_->Module().Modified() != 0; }
bool TOvnxBinaryFormWClass::ViewOnly() { return editor_->Core().InputMode() == imViewOnly; }

bool TOvnxBinaryFormWClass::FormCreate(HINSTANCE instance) {
  state_ = TEditorWindowState{};
  state_.creating = true;
  RECT frame = {0, 0, kDefaultClientWidth, kDefaultClientHeight};
  AdjustWindowRectEx(&frame, kStyle, TRUE, kExStyle);
  // Desktop as parent and no owner window: every editor window has its own taskbar button.
  hwnd_ = CreateWindowExW(kExStyle, kClassName, L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                          frame.bottom - frame.top, nullptr, nullptr, instance, this);
  if (!hwnd_) return false;
  dpi_ = WindowDpi(hwnd_);
  SetFileName("");
  if (!CreateParts()) {
    DestroyWindow(hwnd_);
    return false;
  }
  // The default client size with the menu bar in place, however it wraps.
  SetClientSize(Scaled(kDefaultClientWidth), Scaled(kDefaultClientHeight));
  ConnectEvents();
  editor_->SetViewItems(TViewItems::All());
  editor_->SetFontHeight(14);
  editor_->SetContextMenuImages(images_, ContextMenuImage);
  editor_->View().MenuWaits = this;
  UpdateStatusBar();
  RefreshFunctionBar(true);
  OptimizeWindowSize(smFit);
  state_.creating = false;
  return true;
}

bool TOvnxBinaryFormWClass::CreateParts() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  CreateUiFont();
  images_ = LoadToolBarImages(instance, dpi_);
  menuImages_ = std::make_unique<TMenuImages>(images_);
  TMenuImages* pictures = menuImages_.get();
  menus_.SetImageSource([pictures](int image) { return pictures->Get(image); });
  if (!menus_.Build()) return false;
  SetMenu(hwnd_, menus_.MainMenu());
  if (!toolBar_.Create(hwnd_, images_, font_)) return false;
  auto panel = [&](HWND parent) {
    return CreateWindowExW(0, kPanelClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0,
                           0, 0, parent, nullptr, instance, nullptr);
  };
  panelBinary_ = panel(hwnd_);
  panelInformation_ = panelBinary_ ? panel(panelBinary_) : nullptr;
  panelFunction_ = panel(hwnd_);
  if (!panelBinary_ || !panelInformation_ || !panelFunction_) return false;
  RECT none = {0, 0, TBEditor::kDefaultWidth, TBEditor::kDefaultHeight};
  if (!editor_->Create(panelBinary_, none)) return false;
  if (!information_.Create(panelInformation_, font_, images_, dpi_)) return false;
  if (!statusBar_.Create(hwnd_, font_, dpi_)) return false;
  if (!functionKeys_.Create(panelFunction_, FunctionBarButtonCount(FunctionKeyCount()), font_)) return false;
  toolWindows_ = std::make_unique<TEditorToolWindows>(hwnd_);
  // The tool windows are made by their own parts; kinds without one open nothing.
  toolWindows_->SetCreator([this](TToolWindowKind kind) -> HWND {
    if (kind == twFiler) return CreateFilerTool();
    if (kind == twAddressJump) return CreateAddressJumpDialog(*this);
    if (kind == twRelativeJump) return CreateRelativeJumpTool(*this);
    if (kind == twAllCodeSearch) return CreateAllCodeSearchTool(*this);
    if (kind == twSearch || kind == twReplace) return CreateSearchDialog(*this, kind);
    return CreateTypedInputDialog(*this, kind);
  });
  ShowWindow(toolBar_.Handle(), SW_SHOW);
  ShowWindow(statusBar_.Handle(), SW_SHOW);
  LayoutParts();
  return true;
}

void TOvnxBinaryFormWClass::CreateUiFont() {
  if (font_) DeleteObject(font_);
  font_ = CreateFontW(-Scaled(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, L"ＭＳ Ｐゴシック");
}

void TOvnxBinaryFormWClass::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi > 0 ? dpi : 96;
  HFONT old = font_;
  font_ = nullptr;
  CreateUiFont();
  for (HWND part : {toolBar_.Handle(), statusBar_.Handle()})
    SendMessageW(part, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  for (int i = 0; i < functionKeys_.Count(); ++i)
    SendMessageW(functionKeys_.Button(i), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  if (old) DeleteObject(old);
  statusBar_.SetDpi(dpi_);
  editor_->SetDpi(dpi_);
  information_.SetDpi(dpi_, font_);
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutParts();
}

void TOvnxBinaryFormWClass::ConnectEvents() {
  TBEditorEvents events;
  events.OnStateChange = [this] { BringUpToDate(updates_.Mark(upStatus)); };
  events.OnCaretMove = [this] { BringUpToDate(updates_.Mark(upInformation)); };
  events.OnMessageBegin = [this] { updates_.Enter(); };
  events.OnMessageEnd = [this] { BringUpToDate(updates_.Leave()); };
  events.OnCommand = [this](TCommandId id) { DoMenuCommand(id); };
  events.OnKeyState = [this] { RefreshFunctionBar(false); };
  editor_->SetEvents(std::move(events));
  editor_->Module().OnProgress = [this](TMemoryModule&, const std::string& text) { statusBar_.SetProgress(text); };
  editor_->Module().OnLoadStep = [this](TMemoryModule&, std::int64_t, std::int64_t) { return LoadGoesOn(); };
}

bool TOvnxBinaryFormWClass::LoadGoesOn() {
  // The file's first rows are on screen at once; the window then answers between slabs.
  if (!loadShown_) {
    const TTracedPart part("load first part");
    loadShown_ = true;
    // The view drew its rows when the first part came in; the panels are still to paint.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  const TTracedPart part("load pump");
  // A close that reached the window meanwhile was kept by the load's wait: the load ends for it.
  return RunPendingMessages(hwnd_, true) && !waits_.CloseKept();
}

void TOvnxBinaryFormWClass::BringUpToDate(unsigned parts) {
  if (!PartsReady()) return;
  if (parts & upStatus)
    UpdateStatusBar();
  else if (parts & upInformation)
    UpdateInformationPanel();
}

void TOvnxBinaryFormWClass::WaitBegins() {
  editor_->View().DrawHeldRows();
  BringUpToDate(updates_.Flush());
}

void TOvnxBinaryFormWClass::SetFileName(const std::string& name) {
  state_.fileName = name;
  SetWindowTextW(hwnd_, Utf8ToWide(EditorCaptionText(name, host_.ApplicationTitle())).c_str());
  if (!name.empty()) host_.AddHistory(name);
  if (!state_.creating) host_.UpdateWindowMenus();
}

void TOvnxBinaryFormWClass::Show() { ShowWindow(hwnd_, SW_SHOWNORMAL); }

void TOvnxBinaryFormWClass::PaintNow() { UpdateWindow(hwnd_); }

void TOvnxBinaryFormWClass::ShowAndRepaint() {
  Show();
  PaintNow();
}

void TOvnxBinaryFormWClass::BringToFront() {
  if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  SetForegroundWindow(hwnd_);
}

void TOvnxBinaryFormWClass::SetClientSize(int width, int height) {
  RECT frame = {0, 0, width, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
  // The menu bar's height as it stands (it may wrap onto two lines).
  MENUBARINFO bar = {};
  bar.cbSize = sizeof bar;
  int menuHeight = GetMenuBarInfo(hwnd_, OBJID_MENU, 0, &bar) ? bar.rcBar.bottom - bar.rcBar.top + 1 : 0;
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + menuHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Correct for whatever the estimate missed.
  RECT client = {};
  GetClientRect(hwnd_, &client);
  if (client.right != width || client.bottom != height) {
    RECT now = {};
    GetWindowRect(hwnd_, &now);
    SetWindowPos(hwnd_, nullptr, 0, 0, now.right - now.left + width - client.right,
                 now.bottom - now.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TOvnxBinaryFormWClass::ClientSize(int& width, int& height) const {
  RECT client = {};
  GetClientRect(hwnd_, &client);
  width = client.right;
  height = client.bottom;
}

void TOvnxBinaryFormWClass::GetWindowPosition(TWindowProfile& profile) const {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  GetWindowPlacement(hwnd_, &placement);
  const RECT& normal = placement.rcNormalPosition;
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromRect(&normal, MONITOR_DEFAULTTONEAREST), &monitor);
  TClientPlacement p = NormalClientPlacement(
      {normal.left, normal.top, normal.right, normal.bottom},
      {monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top},
      {normalFrame_.cx, normalFrame_.cy});
  profile.Left = p.left;
  profile.Top = p.top;
  profile.ClientWidth = p.clientWidth;
  profile.ClientHeight = p.clientHeight;
}

void TOvnxBinaryFormWClass::GetViewPosition(TWindowProfile& profile) const {
  TViewPosition p = editor_->Core().GetViewPosition();
  profile.TopRow = p.topRow;
  profile.CaretRow = p.caretRow;
  profile.CaretColumn = p.caretColumn;
  profile.CaretDigit = p.lowNibble;
  profile.CaretArea = p.inputArea;
}

void TOvnxBinaryFormWClass::SetViewPosition(const TWindowProfile& profile) {
  TViewPosition p;
  p.topRow = profile.TopRow;
  p.caretRow = profile.CaretRow;
  p.caretColumn = profile.CaretColumn;
  p.lowNibble = profile.CaretDigit;
  p.inputArea = profile.CaretArea;
  editor_->Core().SetViewPosition(p);
  editor_->Repaint();
}

void TOvnxBinaryFormWClass::RunCloseCommand() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

bool TOvnxBinaryFormWClass::FormCloseQuery() {
  if (!QuerySaveOnClose(FileSite(), prompt_)) return false;
  host_.DocumentGoingAway(*this);
  toolWindows_->Close(twInputInt);
  toolWindows_->Close(twRelativeJump);
  toolWindows_->Close(twFiler);
  return true;
}

// The next window below this one that can take the focus: visible, enabled, not minimised,
// and none of the process's hidden windows.
void TOvnxBinaryFormWClass::ActivateNextWindowBelow() {
  for (HWND w = GetWindow(hwnd_, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == GetDesktopWindow() || !IsWindowVisible(w) || !IsWindowEnabled(w) || IsIconic(w)) continue;
    if (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) continue;
    SetForegroundWindow(w);
    return;
  }
}

void TOvnxBinaryFormWClass::FormClose() {
  editor_->SetEvents(TBEditorEvents{});
  editor_->Module().OnProgress = nullptr;
  editor_->Module().OnLoadStep = nullptr;
  host_.EditorWindowClosed(*this);
  toolWindows_->CloseAll();
  DestroyWindow(hwnd_);
}

bool TOvnxBinaryFormWClass::RefusedWhileWaiting() {
  if (!waits_.Waiting()) return false;
  prompt_.Beep();
  return true;
}

void TOvnxBinaryFormWClass::RunKeptClose() {
  if (waits_.TakeKeptClose(host_.DocumentHeld(*this))) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TOvnxBinaryFormWClass::WaitsEnded() {
  if (settingsAfterWait_) ApplySettings(*std::exchange(settingsAfterWait_, std::nullopt));
  // A file this window compares with may have been opened in another window meanwhile.
  if (state_.compareMode == 1)
    if (TOvnxBinaryFormWClass* holder = host_.FindEditorWindow(state_.compareFileName))
      if (holder != this) StartWindowCompare(*holder);
  host_.WaitsEnded();
}

LRESULT CALLBACK TOvnxBinaryFormWClass::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TOvnxBinaryFormWClass* self = WindowObject<TOvnxBinaryFormWClass>(hwnd, msg, lp);
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCCREATE) {
    self->hwnd_ = hwnd;
    self->prompt_.SetOwner(hwnd);
  }
  if (msg == WM_NCDESTROY) {
    // The window is freed on close; a window that fails while it is made is freed by its maker.
    if (self->state_.creating)
      self->hwnd_ = nullptr;
    else
      delete self;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  return self->HandleMessage(msg, wp, lp);
}

// Panels pass what their children report on to the editor window.
LRESULT CALLBACK TOvnxBinaryFormWClass::PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM: {
      HWND top = GetAncestor(hwnd, GA_ROOT);
      return top ? SendMessageW(top, msg, wp, lp) : 0;
    }
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT TOvnxBinaryFormWClass::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      // A second close while the first one asks is the same close. A close under a wait would
      // free the window before the wait returns into it: it is kept and runs after the wait.
      if (closing_ || !waits_.AdmitClose(host_.DocumentHeld(*this))) return 0;
      closing_ = true;
      if (FormCloseQuery()) {
        ActivateNextWindowBelow();
        FormClose();  // the window is freed
        return 0;
      }
      closing_ = false;
      return 0;
    case WM_QUERYENDSESSION:
      // The session may end once the changes are saved or given up; Cancel keeps it, and so does
      // a question of this window that is still waiting for its answer.
      if (closing_ || waits_.Waiting()) return FALSE;
      if (Modified()) BringToFront();
      return QuerySaveOnClose(FileSite(), prompt_) ? TRUE : FALSE;
    case WM_SIZE: {
      LayoutParts();
      // Only a change of size ends the optimisation (showing the window reports its size again).
      const SIZE now = {LOWORD(lp), HIWORD(lp)};
      const bool changed = now.cx != lastClient_.cx || now.cy != lastClient_.cy;
      if (wp == SIZE_RESTORED) {
        RECT frame = {};
        GetWindowRect(hwnd_, &frame);
        normalFrame_ = {frame.right - frame.left - now.cx, frame.bottom - frame.top - now.cy};
      }
      if (wp != SIZE_MINIMIZED) lastClient_ = now;
      if (changed && !optimizing_ && wp != SIZE_MINIMIZED && !state_.creating) sizeMode_.OnResize();
      return 0;
    }
    case WM_MOVE:
      if (toolWindows_) toolWindows_->OwnerMoved(state_.settings.dialogFollow);
      break;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && PartsReady()) {
        host_.HideInactiveDialogs(hwnd_);
        if (!HIWORD(wp)) ShowToolWindows();
        editor_->Repaint();
        if (editor_->ViewHandle()) SetFocus(editor_->ViewHandle());
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (PartsReady() && editor_->ViewHandle()) SetFocus(editor_->ViewHandle());
      return 0;
    case WM_ENABLE: {
      // A window made active while its dialog disabled it could not hand the view the keys
      // then (a disabled window's children take no focus); it does when the dialog ends.
      const HWND focus = GetFocus();
      if (wp && PartsReady() && editor_->ViewHandle() && (focus == hwnd_ || (!focus && GetActiveWindow() == hwnd_)))
        SetFocus(editor_->ViewHandle());
      break;
    }
    case WM_COMMAND:
      if (!RefusedWhileWaiting()) OnCommand(LOWORD(wp), reinterpret_cast<HWND>(lp));
      return 0;
    case WM_INITMENUPOPUP: {
      HMENU menu = reinterpret_cast<HMENU>(wp);
      for (const TMenuItemDef& d : MenuItemTable())
        if (menus_.SubmenuOf(d.item) == menu && d.kind == mkSub && RefreshesStatesOnOpen(d.item)) EnableSetting();
      return 0;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lp);
      // The history button's drop-down menu is a wait of this window.
      std::optional<TWaitScope> dropDown;
      if (header->code == static_cast<UINT>(TBN_DROPDOWN)) dropDown.emplace(&WaitSite(), wkMenu);
      if (toolBar_.HandleNotify(header, menus_.SubmenuOf(miPU_History), hwnd_)) return TBDDRET_DEFAULT;
      if (header->hwndFrom == statusBar_.Handle() && header->code == static_cast<UINT>(NM_CLICK)) {
        OnStatusBarClick(static_cast<int>(reinterpret_cast<const NMMOUSE*>(lp)->pt.x));
      }
      return 0;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (item->hwndItem == statusBar_.Handle()) {
        statusBar_.DrawIconPanel(*item, images_, imInfoMode);
        return TRUE;
      }
      break;
    }
    case WM_ENTERIDLE:  // a dialog or menu of this window waits for input: the keys may be up by now
      RefreshFunctionBars(host_.EditorWindows());
      break;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return 0;
    case kCloseCommandMessage:
      if (!RefusedWhileWaiting()) RunCloseItem(static_cast<TMenuItem>(wp));  // the window may be gone now
      return 0;
    case MenuPopupMessage:
      if (!RefusedWhileWaiting()) ShowPopupAtCaret(static_cast<TCommandId>(lp));
      return 0;
    case WM_DROPFILES:
      if (RefusedWhileWaiting())
        DragFinish(reinterpret_cast<HDROP>(wp));
      else
        DropFiles(reinterpret_cast<HDROP>(wp));
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace ovx
