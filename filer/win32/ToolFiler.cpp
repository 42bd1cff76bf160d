#include "filer/win32/ToolFiler.h"

#include <algorithm>
#include <utility>

#include "charset/StrUty.h"
#include "filer/FilerDefine.h"
#include "filer/win32/DlgFilerOpen.h"
#include "filer/win32/FilerGlyphs.h"
#include "shell/LongPath.h"
#include "shell/win32/Help.h"
#include "shell/win32/WindowDpi.h"
#include "shell/win32/WindowObject.h"

namespace ovx {
namespace {

enum : int {
  idFilerOpen = 101, idClose, idRefresh, idOutData, idHelp,
  idPageSelect = 201, idPrevPage, idNextPage,
};
constexpr UINT kLoadMessage = WM_APP + 1;
constexpr int kPageBarHeight = 28;
constexpr int kPageButtonWidth = 22;

// The document of the owning editor window, as the template's lists and fields see it.
class TEditorFilerDocument final : public TFilerDocument {
 public:
  explicit TEditorFilerDocument(TBEditor& editor) : editor_(editor) {}
  std::int32_t Size() const override { return editor_.Core().Module().Size(); }
  void ReadData(std::uint8_t* buffer, std::int32_t address, std::int32_t count) const override {
    editor_.Core().Module().ReadData(buffer, address, count);
  }
  void PatchBytes(const std::uint8_t* data, std::int32_t address, std::int32_t count) override {
    editor_.Core().PatchBytes(data, address, count);
  }
  bool ViewOnly() const override { return editor_.Core().InputMode() == imViewOnly; }
  void CloseUndoGroup() override { editor_.Core().CloseUndoGroup(); }
  void Refresh() override { editor_.Repaint(); }

 private:
  TBEditor& editor_;
};

// Text widths in the tool's font; control heights from the font's height.
// Both at 96 DPI, as the layout places controls.
class TWindowMeasure final : public TFilerMeasure {
 public:
  TWindowMeasure(HWND hwnd, HFONT font, int dpi) : hwnd_(hwnd), dc_(GetDC(hwnd)), dpi_(dpi) {
    old_ = SelectObject(dc_, font);
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc_, &tm);
    textHeight_ = MulDiv(tm.tmHeight, 96, dpi_);
  }
  ~TWindowMeasure() override {
    SelectObject(dc_, old_);
    ReleaseDC(hwnd_, dc_);
  }
  int TextWidth(std::string_view utf8) const override {
    const std::wstring text = Utf8ToWide(utf8);
    SIZE size = {};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return MulDiv(size.cx, 96, dpi_);
  }
  int Height(TFilerControlKind kind) const override {
    switch (kind) {
      case fcInteger: case fcString: case fcSelect: return textHeight_ + 8;
      case fcBit: return textHeight_ + 4;
      default: return textHeight_;
    }
  }

 private:
  HWND hwnd_;
  HDC dc_;
  HGDIOBJ old_;
  int dpi_;
  int textHeight_ = 12;
};

const wchar_t* HintOf(int id) {
  switch (id) {
    case idFilerOpen: return L"ファイラーの読み込み";
    case idRefresh: return L"設定内容の再読み込み";
    case idOutData: return L"設定内容の反映";
    case idHelp: return L"ヘルプ";
    case idClose: return L"閉じる";
    default: return L"";
  }
}

std::string LoadErrorText(const std::string& path, const TAnalyzeError& error) {
  return path + " に記述エラーがあります.\r\n\r\n[行番号]\t" + std::to_string(error.Line) + "\r\n[エラー内容]\t" +
         error.Message + "\r\n\r\nファイラーの読み込みに失敗しました.";
}

}  // namespace

TToolFiler::TToolFiler(const TFilerToolOwner& owner) : owner_(owner), prompt_(*owner.prompt, *owner.waits) {}

bool TToolFiler::RegisterClass(HINSTANCE instance) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  const bool ok = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return TFilerPages::RegisterClasses(instance) && ok;
}

HWND TToolFiler::Create(const TFilerToolOwner& owner, const std::string& templatePath) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterClass(instance) || !owner.editor || !owner.prompt || !owner.waits) return nullptr;
  auto* tool = new TToolFiler(owner);
  tool->pendingTemplate_ = templatePath;
  HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, Utf8ToWide(FilerWindowCaption("(no title)")).c_str(),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, CW_USEDEFAULT,
                              CW_USEDEFAULT, MulDiv(400, owner.dpi, 96), MulDiv(400, owner.dpi, 96), owner.window,
                              nullptr, instance, tool);
  if (!hwnd) return nullptr;  // WM_NCDESTROY freed the object
  PostMessageW(hwnd, kLoadMessage, 0, 0);
  return hwnd;
}

LRESULT CALLBACK TToolFiler::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TToolFiler* self = WindowObject<TToolFiler>(hwnd, msg, lp);
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCCREATE) self->hwnd_ = hwnd;
  if (msg == WM_NCDESTROY) {
    delete self;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  return self->HandleMessage(msg, wp, lp);
}

LRESULT TToolFiler::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      return CreateParts() ? 0 : -1;
    case WM_SIZE:
      LayoutParts();
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {Scaled(240), Scaled(240)};
      return 0;
    case kLoadMessage:
      if (!pendingTemplate_.empty()) LoadFiler(std::exchange(pendingTemplate_, std::string()));
      return 0;
    case WM_COMMAND:
    case WM_CLOSE:
      // Disabled while its editor window waits (its own questions included): nothing it would
      // do may happen behind the wait, and it does not go from under its own box.
      if (!IsWindowEnabled(hwnd_)) {
        ProgramBeep();
        return 0;
      }
      if (msg == WM_CLOSE) {
        if (FormCloseQuery()) DestroyWindow(hwnd_);
        return 0;
      }
      OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lp));
    case WM_CTLCOLORSTATIC: {
      // The message areas are read-only edits in the tooltip colours.
      HWND control = reinterpret_cast<HWND>(lp);
      wchar_t cls[16] = {};
      GetClassNameW(control, cls, 16);
      if (lstrcmpiW(cls, L"EDIT") != 0 || !(GetWindowLongPtrW(control, GWL_STYLE) & ES_MULTILINE)) break;
      HDC dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
      SetBkColor(dc, GetSysColor(COLOR_INFOBK));
      return reinterpret_cast<LRESULT>(infoBrush_);
    }

    case WM_DESTROY:
      pages_.Clear();
      if (font_) DeleteObject(font_);
      if (images_) ImageList_Destroy(images_);
      if (jumpIcon_) DestroyIcon(jumpIcon_);
      if (infoBrush_) DeleteObject(infoBrush_);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

HMENU TToolFiler::BuildMenu() {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu(), edit = CreatePopupMenu(), help = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, idFilerOpen, L"ファイラーの読み込み(&F)");
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(file, MF_STRING, idClose, L"閉じる(&C)");
  AppendMenuW(edit, MF_STRING, idRefresh, L"設定内容の再読み込み(&R)");
  AppendMenuW(edit, MF_STRING, idOutData, L"設定内容の反映(&O)");
  AppendMenuW(help, MF_STRING, idHelp, L"ヘルプ(&H)");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"ファイル(&F)");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"編集(&E)");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"ヘルプ(&H)");
  return bar;
}

bool TToolFiler::CreateParts() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  SetMenu(hwnd_, BuildMenu());
  font_ = CreateUiFont(owner_.dpi);
  images_ = CreateFilerGlyphs(owner_.dpi);
  jumpIcon_ = ImageList_GetIcon(images_, fgJump, ILD_NORMAL);
  infoBrush_ = CreateSolidBrush(GetSysColor(COLOR_INFOBK));
  prompt_.SetOwner(hwnd_);

  toolBar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP,
                             0, 0, 0, 0, hwnd_, nullptr, instance, nullptr);
  if (!toolBar_) return false;
  SendMessageW(toolBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(toolBar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
  // Image and command of each button; a command of 0 is a separator.
  const std::pair<int, int> layout[] = {{fgOpen, idFilerOpen}, {0, 0},          {fgRefresh, idRefresh},
                                        {fgApply, idOutData},  {0, 0},          {fgHelp, idHelp},
                                        {fgClose, idClose}};
  for (auto [image, command] : layout) {
    TBBUTTON button = {};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = command ? TBSTATE_ENABLED : 0;
    button.fsStyle = command ? BTNS_BUTTON : BTNS_SEP;
    SendMessageW(toolBar_, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
  }
  SendMessageW(toolBar_, TB_AUTOSIZE, 0, 0);

  auto child = [&](HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
    HWND w = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return w;
  };
  pagePanel_ = child(hwnd_, TFilerPages::PanelClass(), L"", WS_CLIPCHILDREN, 0);
  pageLabel_ = child(pagePanel_, L"STATIC", L"ページ名", SS_LEFT, 0);
  pageSelect_ = child(pagePanel_, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, idPageSelect);
  prevPage_ = child(pagePanel_, L"BUTTON", L"▲", BS_PUSHBUTTON | BS_FLAT, idPrevPage);
  nextPage_ = child(pagePanel_, L"BUTTON", L"▼", BS_PUSHBUTTON | BS_FLAT, idNextPage);
  mainPanel_ = child(hwnd_, TFilerPages::PanelClass(), L"", WS_CLIPCHILDREN, 0);
  statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, hwnd_,
                               nullptr, instance, nullptr);
  SendMessageW(statusBar_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  int parts[] = {MulDiv(32, owner_.dpi, 96), -1};
  SendMessageW(statusBar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance, nullptr);
  for (auto [button, hint] : {std::pair{prevPage_, L"前のページへ"}, std::pair{nextPage_, L"次のページへ"}}) {
    TTTOOLINFOW info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = pagePanel_;
    info.uId = reinterpret_cast<UINT_PTR>(button);
    info.lpszText = const_cast<wchar_t*>(hint);
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
  EnableWindow(prevPage_, FALSE);
  EnableWindow(nextPage_, FALSE);
  return pagePanel_ && mainPanel_ && statusBar_;
}

void TToolFiler::LayoutParts() {
  if (!statusBar_) return;
  RECT client = {}, r = {};
  GetClientRect(hwnd_, &client);
  SendMessageW(toolBar_, TB_AUTOSIZE, 0, 0);
  SendMessageW(statusBar_, WM_SIZE, 0, 0);
  GetWindowRect(toolBar_, &r);
  const int top = r.bottom - r.top;
  GetWindowRect(statusBar_, &r);
  const int bottom = client.bottom - (r.bottom - r.top);
  const int pageBar = Scaled(kPageBarHeight);
  MoveWindow(pagePanel_, 0, top, client.right, pageBar, TRUE);
  MoveWindow(mainPanel_, 0, top + pageBar, client.right, std::max<int>(0, bottom - top - pageBar), TRUE);
  GetClientRect(mainPanel_, &r);
  pages_.Resize(r.right, r.bottom);
  PagePanelResize();
}

void TToolFiler::OnDpiChanged(int dpi, const RECT& suggested) {
  owner_.dpi = dpi > 0 ? dpi : 96;
  HFONT old = font_;
  font_ = CreateUiFont(owner_.dpi);
  for (HWND part : {pageLabel_, pageSelect_, prevPage_, nextPage_, statusBar_})
    SendMessageW(part, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  // The pages are laid out again in the new font, keeping what the user typed and the page shown.
  if (pages_.Count() > 0) {
    std::vector<TFilerFieldValue> typed = program_.values;
    std::string refused;
    pages_.Collect(program_.layout, typed, refused);
    const int page = static_cast<int>(SendMessageW(pageSelect_, CB_GETCURSEL, 0, 0));
    ShowWindow(mainPanel_, SW_HIDE);
    pages_.Clear();
    LayOutFilerProgram(program_, TWindowMeasure(hwnd_, font_, owner_.dpi));
    pages_.Build(mainPanel_, program_.layout, font_, jumpIcon_, tooltip_, owner_.dpi);
    filling_ = true;
    pages_.Fill(program_.layout, typed);
    filling_ = false;
    program_.values = std::move(typed);
    ShowWindow(mainPanel_, SW_SHOW);
    SelectPage(page);
  }
  if (old) DeleteObject(old);
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutParts();
}

void TToolFiler::PagePanelResize() {
  RECT r = {};
  GetClientRect(pagePanel_, &r);
  const int left = Scaled(60), button = Scaled(kPageButtonWidth), top = Scaled(3);
  MoveWindow(pageLabel_, Scaled(6), Scaled(7), left - Scaled(8), Scaled(14), TRUE);
  MoveWindow(pageSelect_, left, top, std::max<int>(0, r.right - left - Scaled(52)), Scaled(240), TRUE);
  MoveWindow(prevPage_, r.right - 2 * button - Scaled(4), top, button, button, TRUE);
  MoveWindow(nextPage_, r.right - button - Scaled(4), top, button, button, TRUE);
}

void TToolFiler::SetBusy(bool busy) {
  for (int id : {idFilerOpen, idRefresh, idOutData, idHelp, idClose})
    SendMessageW(toolBar_, TB_ENABLEBUTTON, id, MAKELONG(!busy, 0));
  HMENU menu = GetMenu(hwnd_);
  for (UINT position : {0u, 1u}) EnableMenuItem(menu, position, MF_BYPOSITION | (busy ? MF_GRAYED : MF_ENABLED));
  DrawMenuBar(hwnd_);
  if (busy) {
    EnableWindow(prevPage_, FALSE);
    EnableWindow(nextPage_, FALSE);
  }
}

void TToolFiler::SetStatus(const std::wstring& text) {
  SendMessageW(statusBar_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

void TToolFiler::SetModified(bool modified) {
  modified_ = modified;
  SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(modified ? L"\t変更" : L""));
}

void TToolFiler::LoadFiler(const std::string& requested) {
  const std::string path = ExpandLongPathName(requested);
  SetBusy(true);
  SetStatus(Utf8ToWide(path) + L" を読み込んでいます...");
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  TFilerProgram parsed;
  TAnalyzeError error;
  AnalyzeFiler(path, parsed.initialize, parsed.edit, error, parsed.finalize);
  if (error.Error) {
    prompt_.MessageDlgBeep(LoadErrorText(path, error), mtError, mbAbort);
  } else {
    ShowWindow(mainPanel_, SW_HIDE);
    pages_.Clear();
    SendMessageW(pageSelect_, CB_RESETCONTENT, 0, 0);
    program_ = std::move(parsed);
    LayOutFilerProgram(program_, TWindowMeasure(hwnd_, font_, owner_.dpi));
    if (program_.layout.title) SetWindowTextW(hwnd_, Utf8ToWide(FilerWindowCaption(*program_.layout.title)).c_str());
    pages_.Build(mainPanel_, program_.layout, font_, jumpIcon_, tooltip_, owner_.dpi);
    for (const TFilerPage& page : program_.layout.pages)
      SendMessageW(pageSelect_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(page.title).c_str()));
    MM_RefreshClick();
    SetModified(false);
    SendMessageW(pageSelect_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    evtPageChange();
  }
  SetStatus(L"");
  ShowWindow(mainPanel_, SW_SHOW);
  SetBusy(false);
  evtPageChange();
}

void TToolFiler::MM_RefreshClick() {
  TEditorFilerDocument document(*owner_.editor);
  if (!RereadFiler(program_, document, prompt_)) return;
  filling_ = true;
  pages_.Fill(program_.layout, program_.values);
  filling_ = false;
  SetModified(false);
}

bool TToolFiler::MM_OutDataClick() {
  std::string problem;
  const int refused = pages_.Collect(program_.layout, program_.values, problem);
  if (refused >= 0) {
    SelectPage(pages_.PageOfField(refused));
    pages_.FocusField(refused);
    prompt_.MessageDlgBeep(problem, mtError, mbOK);
    return false;
  }
  TEditorFilerDocument document(*owner_.editor);
  if (!ApplyFiler(program_, document, prompt_)) return true;
  SetModified(false);
  return true;
}

void TToolFiler::TB_FileOpenClick() {
  std::string path;
  {
    // A wait of the editor window: the tool is not freed under its open dialog.
    TWaitScope wait(owner_.waits, wkQuestion, hwnd_);
    if (!ExecuteDlgFilerOpen(hwnd_, owner_.filerFolder, path)) return;
  }
  LoadFiler(path);
}

void TToolFiler::TB_HelpClick() {
  ShowHelp(hwnd_, owner_.helpFile, kHelpContext, prompt_);
}

void TToolFiler::evtPageChange() {
  const int count = pages_.Count();
  int page = static_cast<int>(SendMessageW(pageSelect_, CB_GETCURSEL, 0, 0));
  if (page < 0 && count > 0) {
    page = 0;
    SendMessageW(pageSelect_, CB_SETCURSEL, 0, 0);
  }
  pages_.Show(page);
  EnableWindow(prevPage_, page > 0);
  EnableWindow(nextPage_, page >= 0 && page + 1 < count);
}

void TToolFiler::SelectPage(int page) {
  if (page < 0 || page >= pages_.Count()) return;
  SendMessageW(pageSelect_, CB_SETCURSEL, static_cast<WPARAM>(page), 0);
  evtPageChange();
}

bool TToolFiler::FormCloseQuery() {
  if (!modified_) return true;
  switch (prompt_.MessageDlgBeep("設定が変更されています.\r\n閉じる前に設定を反映しますか？", mtConfirmation,
                                 mbYes | mbNo | mbCancel)) {
    case mrYes:
      return MM_OutDataClick();
    case mrNo:
      return true;
    default:
      return false;
  }
}

void TToolFiler::Jump(int field) {
  if (field < 0 || field >= static_cast<int>(program_.layout.fields.size())) return;
  owner_.editor->Core().SetCaret(program_.layout.fields[field].address, 0);
}

void TToolFiler::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case idFilerOpen: TB_FileOpenClick(); return;
    case idClose: SendMessageW(hwnd_, WM_CLOSE, 0, 0); return;
    case idRefresh: MM_RefreshClick(); return;
    case idOutData: MM_OutDataClick(); return;
    case idHelp: TB_HelpClick(); return;
    case idPageSelect:
      if (code == CBN_SELCHANGE) evtPageChange();
      return;
    case idPrevPage:
      SelectPage(static_cast<int>(SendMessageW(pageSelect_, CB_GETCURSEL, 0, 0)) - 1);
      return;
    case idNextPage:
      SelectPage(static_cast<int>(SendMessageW(pageSelect_, CB_GETCURSEL, 0, 0)) + 1);
      return;
    default:
      break;
  }
  std::optional<TFilerControlId> of = TFilerPages::OfControlId(id);
  if (!of || !control) return;
  if (of->role == frJump && code == BN_CLICKED) {
    Jump(of->field);
  } else if (of->role == frEditor && code == EN_KILLFOCUS && of->field < static_cast<int>(program_.layout.fields.size()) &&
             program_.layout.fields[of->field].kind == fcInteger) {
    // Like a spin edit, the field shows a typed value outside its bounds as the nearer bound.
    pages_.Spin(program_.layout.fields[of->field], of->field, 0);
  } else if (of->role == frEditor && !filling_ && of->field < static_cast<int>(program_.values.size()) &&
             (code == EN_CHANGE || code == CBN_SELCHANGE || code == BN_CLICKED)) {
    program_.values[of->field].changed = true;
    SetModified(true);
  }
}

LRESULT TToolFiler::OnNotify(NMHDR* header) {
  if (header->code == TTN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    if (!(info->uFlags & TTF_IDISHWND)) info->lpszText = const_cast<wchar_t*>(HintOf(static_cast<int>(header->idFrom)));
    return 0;
  }
  if (header->code == UDN_DELTAPOS) {
    std::optional<TFilerControlId> of = TFilerPages::OfControlId(static_cast<int>(header->idFrom));
    if (of && of->role == frSpin && of->field < static_cast<int>(program_.layout.fields.size()))
      pages_.Spin(program_.layout.fields[of->field], of->field, reinterpret_cast<NMUPDOWN*>(header)->iDelta);
    return 1;  // the spin's own position never moves
  }
  return 0;
}

}  // namespace ovx
