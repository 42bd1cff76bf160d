#include "app/win32/MainProcessWindow.h"
#include "app/win32/SelectWindowDialog.h"
#include "app/win32/VersionDialog.h"

#include "charset/StrUty.h"
#include "app/CommandLine.h"
#include "app/InstanceRequest.h"
#include "shell/SettingsLists.h"
#include "shell/ShellTexts.h"
#include "shell/win32/InputTraceFile.h"
#include "shell/win32/InstanceConnection.h"
#include "shell/win32/SettingsPlatform.h"
#include "shell/win32/WindowObject.h"
#include "editor/FileStamp.h"
#include "editor/WindowGeometry.h"
#include "editor/WindowLoops.h"
#include "editor/win32/EditorCompare.h"

namespace ovx {

namespace {

struct TClassSearch {
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK MatchTopLevelWindow(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<TClassSearch*>(lp);
  wchar_t name[64];
  if (IsWindowVisible(hwnd) && !GetWindow(hwnd, GW_OWNER) && GetClassNameW(hwnd, name, 64) &&
      wcscmp(name, s->className) == 0) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// A visible, unowned top-level window of the class anywhere on the desktop.
HWND FindTopLevelWindowByClass(const wchar_t* className) {
  TClassSearch search = {className, nullptr};
  EnumWindows(MatchTopLevelWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM lp) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info)) {
    const RECT& w = info.rcWork;
    reinterpret_cast<std::vector<TScreenRect>*>(lp)->push_back({w.left, w.top, w.right, w.bottom});
  }
  return TRUE;
}

// The work area of every monitor.
std::vector<TScreenRect> WorkAreas() {
  std::vector<TScreenRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

// A window placed from a profile that lies outside every work area is moved inside one.
void KeepOnScreen(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  const TScreenRect placed{r.left, r.top, r.right, r.bottom};
  const TScreenRect moved = BringIntoWorkArea(placed, WorkAreas());
  if (!(moved == placed))
    SetWindowPos(window, nullptr, moved.left, moved.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

TMainProcessWindow::~TMainProcessWindow() {
  // Close: the remaining editor windows go with the main process window.
  std::vector<TOvnxBinaryFormWClass*> remaining = windows_.Items();
  for (TOvnxBinaryFormWClass* w : remaining) {
    windows_.Remove(w);
    DestroyWindow(w->Handle());
  }
  if (hwnd_) DestroyWindow(hwnd_);
  if (trayMenu_) DestroyMenu(trayMenu_);
  for (HBITMAP b : menuImages_) DeleteObject(b);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

bool TMainProcessWindow::Create(HINSTANCE instance, const std::vector<std::string>& arguments) {
  instance_ = instance;
  HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.lpszClassName = kMainProcessClass;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  TOvnxBinaryFormWClass::RegisterWindowClass(instance, icon, smallIcon_);
  // Never shown, no taskbar button, no border icons.
  hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kMainProcessClass, kMainProcessCaption, WS_POPUP, 0, 0, 0, 0, nullptr,
                          nullptr, instance, this);
  if (!hwnd_) return false;
  prompt_.SetApplicationWindow(hwnd_);

  // 1. Help file beside the program.
  helpFile_ = Utf8ToWide(LongPathName(ExecutableFolder())) + L"OVX.HLP";
  // 2.-3. Flags and lists.
  phase_ = TProcessPhase::Starting;
  dialogOpen_ = false;
  menuUpdatesEnabled_ = true;
  // 3.-4. Lists and settings.
  {
    const TTracedPart part("settings");
    CreateSettingsStore();
    store_->LoadSettings();
  }
  // 5. The opening screen stays at least until this tick count.
  const DWORD deadline = GetTickCount() + 1000;
  // 6. Notification icon. Adding it costs the start some milliseconds, so it comes with the
  // first messages served, after the first window is drawn.
  trayIconShown_ = false;
  PostMessageW(hwnd_, kShowTrayIconMessage, 0, 0);
  // 7. The opening screen: the version dialog without its close button, not modal.
  std::unique_ptr<TDlgVersion> opening;
  if (Options().OpeningDlg) {
    opening = std::make_unique<TDlgVersion>(true);
    if (opening->CreateModeless(instance, hwnd_)) {
      ShowWindow(opening->Handle(), SW_SHOWNOACTIVATE);
      UpdateWindow(opening->Handle());
    }
  }
  // 8.-9. Editor windows from the command line; a box they show (a view-only notice, a failed
  // load) stands above the opening screen, not hidden under it.
  prompt_.SetBoxesTopmost(opening != nullptr);
  OpenCommandLine(arguments);
  // 10. The opening screen goes once it has stood a second. It waits without serving messages;
  // a look into the queue (which removes nothing) lets the system put the drawn screen on show.
  // Other starts that arrive meanwhile wait in the queue of deferred requests, served below.
  if (opening) {
    SetWindowPos(opening->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RedrawWindow(opening->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    MSG pending;
    PeekMessageW(&pending, nullptr, 0, 0, PM_NOREMOVE);
    const LONG left = static_cast<LONG>(deadline - GetTickCount());
    if (left > 0) Sleep(static_cast<DWORD>(left));
    opening.reset();
    prompt_.SetBoxesTopmost(false);
  }
  ServeDeferredRequests();
  // 11. Other starts are served from now on; without a window the process ends.
  phase_ = TProcessPhase::Running;
  if (EditorWindowCount() == 0) BeginShutdown();
  return true;
}

void TMainProcessWindow::OpenCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.size() <= 1) {
    NewEditorWindow();
    return;
  }
  for (const std::string& file : FileArguments(arguments)) OpenOrActivate(file);
}

TOvnxBinaryFormWClass* TMainProcessWindow::OpenOrActivate(const std::string& given) {
  const std::string name = LongPathName(given);
  TOvnxBinaryFormWClass* window = FindEditorWindow(name);
  if (!window && !IsFileOnDisk(name)) {
    // A name of nothing on disk gets no window of its own, least of all an unnamed one.
    prompt_.MessageDlgBeep(name + " が見付かりません.", mtWarning, mbOK);
    return nullptr;
  }
  if (!window) window = OpenEditorWindow(name);
  if (window) window->BringToFront();
  return window;
}

void TMainProcessWindow::ServeDeferredRequests() {
  // Opening a window may show a box that lets more requests in: they join the queue.
  if (serving_) return;
  serving_ = true;
  while (!deferred_.empty()) {
    std::optional<std::string> request = std::move(deferred_.front());
    deferred_.erase(deferred_.begin());
    if (!request) {
      if (TOvnxBinaryFormWClass* w = NewEditorWindow()) w->BringToFront();
    } else {
      OpenOrActivate(*request);
    }
  }
  serving_ = false;
}

TOvnxBinaryFormWClass* TMainProcessWindow::CreateEditorWindow() {
  const TTracedPart part("window creation");
  auto* window = new TOvnxBinaryFormWClass(*this);
  if (!window->FormCreate(instance_)) {
    delete window;
    return nullptr;
  }
  windows_.Append(window);
  TEnvironmentSettings settings = Options();
  settings.NewWindow = true;
  window->ApplySettings(settings);
  window->OptimizeWindowSize(smFit);
  return window;
}

TOvnxBinaryFormWClass* TMainProcessWindow::NewEditorWindow() {
  TOvnxBinaryFormWClass* window = CreateEditorWindow();
  if (!window) return nullptr;
  if (Options().NewWindowMoveCenter) CenterWindowInWorkArea(window->Handle());
  window->ShowAndRepaint();
  UpdateWindowMenus();
  return window;
}

TOvnxBinaryFormWClass* TMainProcessWindow::OpenEditorWindow(const std::string& path) {
  TOvnxBinaryFormWClass* window = CreateEditorWindow();
  if (!window) return nullptr;
  const TEnvironmentSettings& options = Options();
  TWindowProfile profile;
  bool found = false;
  if (options.ProfileWindowLoad || options.ProfilePositionLoad) found = store_->LookupProfile(path, profile);
  if (options.ProfileWindowLoad) {
    if (found) {
      SetWindowPos(window->Handle(), nullptr, profile.Left, profile.Top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      // Profiles of windows closed minimised by older versions hold no client area: such a
      // window keeps the size it was made with.
      if (profile.ClientWidth > 0 && profile.ClientHeight > 0)
        window->SetClientSize(profile.ClientWidth, profile.ClientHeight);
      KeepOnScreen(window->Handle());
    } else if (options.ProfileNotExistToCenter) {
      CenterWindowInWorkArea(window->Handle());
    }
  }
  {
    const TTracedPart part("window shown");
    window->Show();
  }
  // The window is painted with its file's first part in (a long load paints it after the first
  // slab), not empty before.
  window->LoadIntoWindow(path);
  if (found && options.ProfilePositionLoad) window->SetViewPosition(profile);
  window->PaintNow();
  UpdateWindowMenus();
  return window;
}

void TMainProcessWindow::CenterWindowInWorkArea(HWND window) {
  RECT area = {}, frame = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  GetWindowRect(window, &frame);
  TPlacement p = CenterInArea(area.left, area.top, area.right - area.left, area.bottom - area.top,
                              frame.right - frame.left, frame.bottom - frame.top);
  SetWindowPos(window, nullptr, p.left, p.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TOvnxBinaryFormWClass* TMainProcessWindow::FindEditorWindow(const std::string& path) {
  std::string name = LongPathName(path);
  return windows_.Find([&name](const TOvnxBinaryFormWClass& w) { return SameFileName(w.FileName(), name); });
}

void TMainProcessWindow::StoreWindowProfile(TOvnxBinaryFormWClass& window) {
  if (window.FileName().empty()) return;
  TWindowProfile profile;
  window.GetWindowPosition(profile);
  window.GetViewPosition(profile);
  store_->StoreProfile(window.FileName(), profile);
}

void TMainProcessWindow::EditorWindowClosed(TOvnxBinaryFormWClass& window) {
  StoreWindowProfile(window);
  windows_.Remove(&window);
  if (EditorWindowCount() == 0)
    BeginShutdown();
  else
    UpdateWindowMenus();
}

TOvnxBinaryFormWClass* TMainProcessWindow::NextEditorWindow(HWND window) const {
  return windows_.Next([window](const TOvnxBinaryFormWClass& w) { return w.Handle() == window; });
}

void TMainProcessWindow::UpdateWindowMenus() {
  if (!menuUpdatesEnabled_) return;
  for (TOvnxBinaryFormWClass* w : windows_.Items()) w->RebuildFileMenus();
}

// The window list as the core's loops over all windows see it.
class TMainWindowLoopSite final : public TWindowLoopSite {
 public:
  explicit TMainWindowLoopSite(TMainProcessWindow& main) : main_(main) {}
  int WindowCount() override { return main_.EditorWindowCount(); }
  bool Modified(int i) override { return main_.EditorWindowAt(i)->Modified(); }
  bool ViewOnly(int i) override { return main_.EditorWindowAt(i)->ViewOnly(); }
  void BringToFront(int i) override { main_.EditorWindowAt(i)->BringToFront(); }
  bool Save(int i) override { return main_.EditorWindowAt(i)->RunSaveCommand(); }
  bool Close(int i) override {
    TOvnxBinaryFormWClass* w = main_.EditorWindowAt(i);
    w->RunCloseCommand();
    return main_.windows_.IndexOf(w) < 0;
  }
  void SuspendMenuRebuild() override { main_.menuUpdatesEnabled_ = false; }
  void ResumeMenuRebuild() override {
    main_.menuUpdatesEnabled_ = true;
    main_.UpdateWindowMenus();
  }

 private:
  TMainProcessWindow& main_;
};

void TMainProcessWindow::CloseAllWindows() {
  TMainWindowLoopSite site(*this);
  ovx::CloseAllWindows(site);
}

void TMainProcessWindow::SaveAllWindows() {
  TMainWindowLoopSite site(*this);
  ovx::SaveAllWindows(site);
}

void TMainProcessWindow::SaveAndCloseAllWindows() {
  TMainWindowLoopSite site(*this);
  ovx::SaveAndCloseAllWindows(site);
}

std::vector<std::string> TMainProcessWindow::History() {
  std::vector<std::string> names;
  for (size_t i = 0; i < store_->History().Count(); ++i) names.push_back(store_->History().Entry(i));
  return names;
}

void TMainProcessWindow::RemoveHistoryEntry(const std::string& name) {
  THistoryList& history = store_->History();
  for (size_t i = 0; i < history.Count(); ++i) {
    if (SameFileName(history.Entry(i), name)) {
      history.Delete(i);
      return;
    }
  }
}

bool TMainProcessWindow::DocumentHeld(TOvnxBinaryFormWClass& window) {
  return DocumentHeldByWait(windows_.Items(), window);
}

void TMainProcessWindow::WaitsEnded() { RunKeptCloses(windows_.Items()); }

bool TMainProcessWindow::LookupProfile(const std::string& name, TWindowProfile& profile) {
  return store_->LookupProfile(name, profile);
}

std::string TMainProcessWindow::HelpFile() { return WideToUtf8(helpFile_); }

// A modal box or form is open: counted ones, and any that disabled one of our windows.
bool TMainProcessWindow::IsBusy() const {
  if (dialogOpen_ || ModalDepth() > 0) return true;
  if (!IsWindowEnabled(hwnd_)) return true;
  for (TOvnxBinaryFormWClass* w : windows_.Items())
    if (!IsWindowEnabled(w->Handle())) return true;
  return false;
}

void TMainProcessWindow::HideInactiveDialogs(HWND active) {
  for (TOvnxBinaryFormWClass* w : windows_.Items())
    if (w->Handle() != active || IsIconic(w->Handle())) w->HideToolWindows();
}

TOvnxBinaryFormWClass* TMainProcessWindow::SelectEditorWindow(const std::wstring& caption,
                                                             TOvnxBinaryFormWClass* reference) {
  // The windows as listed, each with its handle: one that goes while the list is open is not
  // chosen, nor is a new one that happens to take its place.
  struct TListed {
    TOvnxBinaryFormWClass* window;
    HWND handle;
  };
  std::vector<TListed> listed;
  std::vector<std::string> names;
  for (TOvnxBinaryFormWClass* w : windows_.Items()) {
    listed.push_back({w, w->Handle()});
    names.push_back(w->FileName());
  }
  HWND over = reference ? reference->Handle() : nullptr;
  TDlgSelectWindow dialog(WindowListLines(names), caption, over);
  std::optional<int> line;
  {
    TWaitScope wait(reference ? &reference->WaitSite() : nullptr);
    line = dialog.Choose(instance_, over ? over : hwnd_);
  }
  if (!line || *line < 0 || *line >= static_cast<int>(listed.size())) return nullptr;
  const TListed chosen = listed[*line];
  return windows_.IndexOf(chosen.window) >= 0 && chosen.window->Handle() == chosen.handle ? chosen.window : nullptr;
}

void TMainProcessWindow::DocumentFileChanged(TOvnxBinaryFormWClass& window, const std::string& name) {
  SwitchFileComparisons(windows_.Items(), window, name);
}

void TMainProcessWindow::DocumentGoingAway(TOvnxBinaryFormWClass& window) {
  EndComparisonsWith(windows_.Items(), window);
}

void TMainProcessWindow::OnIdle() { TOvnxBinaryFormWClass::RefreshFunctionBars(windows_.Items()); }

TInstanceAction TMainProcessWindow::AdmitRequest(const std::optional<std::string>& request) {
  const TInstanceAction action = DecideInstanceRequest(phase_, IsBusy(), serving_);
  if (action == TInstanceAction::Defer) deferred_.push_back(request);
  if (action == TInstanceAction::Beep) MessageBeep(MB_OK);
  return action;
}

LRESULT TMainProcessWindow::OnNewWindowRequest() {
  switch (AdmitRequest(std::nullopt)) {
    case TInstanceAction::Refuse:
      return kRequestEnding;
    case TInstanceAction::Defer:  // the window opens later and comes to the front then
    case TInstanceAction::Beep:
      return kRequestRefused;
    case TInstanceAction::Serve:
      break;
  }
  // A new empty window asks nothing: the sender waits no longer than its creation.
  TOvnxBinaryFormWClass* window = NewEditorWindow();
  return window ? reinterpret_cast<LRESULT>(window->Handle()) : kRequestRefused;
}

LRESULT TMainProcessWindow::OnOpenFileRequest(const COPYDATASTRUCT* data) {
  std::optional<std::wstring> wideName = data ? DecodeFileName(*data) : std::nullopt;
  if (!wideName) return kRequestRefused;
  // A name as the sender's folder would resolve it cannot be known here: an older sender's
  // relative name is taken in this process's folder, and made full before anything keeps it.
  const std::string name = WideToUtf8(FullPathName(*wideName));
  switch (AdmitRequest(name)) {
    case TInstanceAction::Refuse:
      return kRequestEnding;
    case TInstanceAction::Beep:
      return kRequestRefused;
    case TInstanceAction::Defer:
      return kRequestTaken;  // the file opens once start-up, or the opening before it, has finished
    case TInstanceAction::Serve:
      break;
  }
  // Opened after the answer: the sender never waits on a box the opening shows (a view-only
  // notice, a missing file, a failed load).
  deferred_.push_back(name);
  PostMessageW(hwnd_, kServeRequestsMessage, 0, 0);
  return kRequestTaken;
}

void TMainProcessWindow::BeginShutdown() { SetTimer(hwnd_, kShutdownTimer, kShutdownPeriodMs, nullptr); }

void TMainProcessWindow::OnShutdownTick() {
  // A request answered but not yet served keeps the process: its window is about to come.
  if (!deferred_.empty()) return;
  if (FindTopLevelWindowByClass(TOvnxBinaryFormWClass::kClassName)) return;
  EndApplication();
}

void TMainProcessWindow::QuitAll() {
  CloseAllWindows();
  if (EditorWindowCount() == 0) BeginShutdown();
}

void TMainProcessWindow::EndApplication() {
  if (phase_ == TProcessPhase::Ending) return;
  // Before saving: a request served from here on would open a window that dies with the loop.
  phase_ = TProcessPhase::Ending;
  KillTimer(hwnd_, kShutdownTimer);
  SetTrayIcon(false);
  store_->SaveSettings();
  PostQuitMessage(0);
}

void TMainProcessWindow::OnEndSession() {
  // The windows stay open to the end: their profiles are taken now. Their changes were
  // asked about when the session asked whether it may end.
  for (TOvnxBinaryFormWClass* w : windows_.Items()) StoreWindowProfile(*w);
  EndApplication();
}

LRESULT CALLBACK TMainProcessWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TMainProcessWindow* self = WindowObject<TMainProcessWindow>(hwnd, msg, lp);
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCCREATE) self->hwnd_ = hwnd;
  if (msg == WM_NCDESTROY) {
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  return self->HandleMessage(msg, wp, lp);
}

LRESULT TMainProcessWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_USER:
      return OnNewWindowRequest();
    case kTrayMessage:
      if (phase_ == TProcessPhase::Running) OnTrayMessage(lp);
      return 0;
    case WM_COPYDATA:
      return OnOpenFileRequest(reinterpret_cast<const COPYDATASTRUCT*>(lp));
    case WM_TIMER:
      if (wp == kShutdownTimer) OnShutdownTick();
      return 0;
    case WM_COMMAND:
      if (HIWORD(wp) == 0) OnTrayCommand(LOWORD(wp));
      return 0;
    case WM_ACTIVATEAPP:
      if (!wp) HideInactiveDialogs(nullptr);
      break;
    case WM_CLOSE:
      // Not the default, which would destroy the window and leave the process without an end.
      if (phase_ != TProcessPhase::Running) return 0;
      if (IsBusy())
        MessageBeep(MB_OK);
      else
        QuitAll();
      return 0;
    case WM_DESTROY:
      // Destroyed before the process came to its end: it ends as the shutdown ends it.
      EndApplication();
      return 0;
    case kServeRequestsMessage:
      if (phase_ == TProcessPhase::Running) ServeDeferredRequests();
      return 0;
    case kShowTrayIconMessage:
      if (phase_ != TProcessPhase::Ending) {
        const TTracedPart part("tray icon");
        SetTrayIcon(true);
      }
      return 0;
    case kOptionsClosedMessage:
      options_.reset();
      return 0;
    case WM_ENDSESSION:
      if (wp) OnEndSession();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace ovx
