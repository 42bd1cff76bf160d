#include "app/win32/EnvironmentDialog.h"

#include <algorithm>

#include <commctrl.h>
#include <commdlg.h>

#include "charset/StrUty.h"
#include "shell/win32/CommandListResource.h"
#include "shell/win32/Help.h"
#include "shell/win32/Win32UserPrompt.h"
#include "shell/win32/WindowDpi.h"

namespace ovx {

namespace {

// Control ids: the setting controls by their place in OptionControls(), the rest fixed.
constexpr int kTab = 100;
constexpr int kApply = 101;
constexpr int kSettingFirst = 1000;  // + control index; its spin arrows + 500
constexpr int kSpinOffset = 500;
constexpr int kColorFirst = 2000;    // + row * 3: sample, text colour, background
constexpr int kSameColor = 2100;
constexpr int kTemplate = 3000, kShift = 3001, kKeys = 3002, kOperateName = 3003, kOperate = 3004,
              kOperateClear = 3005;

std::wstring W(const char* text) { return Utf8ToWide(text); }

COLORREF ScreenColor(std::uint32_t color) {
  return (color & 0xFF000000u) ? GetSysColor(static_cast<int>(color & 0xFF)) : static_cast<COLORREF>(color);
}

}  // namespace

TDlgEnvironment::TDlgEnvironment(const TEnvironmentSettings& record, const std::string& title, std::wstring helpFile,
                                 TEnvironmentForm::TApply apply, TClosed closed)
    : TCodeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW,
                  {424, 304}, L"環境オプション - " + Utf8ToWide(title)),
      form_(record, std::move(apply)),
      helpFile_(std::move(helpFile)),
      closed_(std::move(closed)) {}

TDlgEnvironment::~TDlgEnvironment() {
  // Freed by its owner: no close callback from here.
  closed_ = nullptr;
  if (Handle()) DestroyWindow(Handle());
}

bool TDlgEnvironment::Show(HINSTANCE instance) {
  if (!CreateModeless(instance, nullptr)) return false;
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  return true;
}

HWND TDlgEnvironment::AddOnPage(TOptionPage page, const wchar_t* className, const std::wstring& text, DWORD style,
                                int x, int y, int width, int height, int id, DWORD exStyle) {
  HWND control = AddControl(className, text, style, x, y, width, height, id, exStyle);
  pages_[page].push_back(control);
  return control;
}

void TDlgEnvironment::OnCreate() {
  HWND tab = AddControl(WC_TABCONTROLW, L"", WS_TABSTOP | WS_CLIPSIBLINGS, 6, 6, 412, 262, kTab);
  SetTabSpacing(tab, Dpi());
  for (int p = 0; p < OptionPageCount; ++p) {
    std::wstring caption = W(OptionPages[p].caption);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tab, TCM_INSERTITEMW, p, reinterpret_cast<LPARAM>(&item));
  }
  for (int p = opGlobal; p <= opWindow; ++p) CreateSettingPage(static_cast<TOptionPage>(p));
  CreateColorPage();
  CreateKeyPage();
  AddControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 182, 274, 76, 24, IDOK);
  AddControl(L"BUTTON", L"キャンセル", WS_TABSTOP, 262, 274, 76, 24, IDCANCEL);
  AddControl(L"BUTTON", L"適用(&A)", WS_TABSTOP, 342, 274, 76, 24, kApply);
  // The pages lie above the tab control in the tab order and in drawing.
  for (auto& page : pages_)
    for (HWND control : page) SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  FillSettingControls();
  RefreshColorRows();
  SendMessageW(Item(kTemplate), CB_SETCURSEL, form_.TemplateIndex(), 0);
  SendMessageW(Item(kShift), CB_SETCURSEL, 0, 0);
  FillKeyList();
  ShowPage(0);
  RefreshApplyButton();
  // Centred on the screen.
  RECT r = {};
  GetWindowRect(Handle(), &r);
  SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void TDlgEnvironment::CreateSettingPage(TOptionPage page) {
  const auto& controls = OptionControls();
  int y = 38;
  for (size_t i = 0; i < controls.size(); ++i) {
    const TOptionControl& c = controls[i];
    if (c.page != page) continue;
    const int id = kSettingFirst + static_cast<int>(i);
    if (c.kind == ockCheck) {
      AddOnPage(page, L"BUTTON", W(c.caption), WS_TABSTOP | BS_AUTOCHECKBOX, 14, y, 402, 20, id);
      y += 20;
      continue;
    }
    AddOnPage(page, L"STATIC", W(c.caption), SS_LEFT, 20, y + 4, 176, 18, -1);
    if (c.kind == ockList) {
      HWND list = AddOnPage(page, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 200, y, 180, 200, id);
      for (const char* item : c.items) SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(item).c_str()));
    } else if (c.kind == ockEdit) {
      AddOnPage(page, WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, 200, y, 180, 22, id, WS_EX_CLIENTEDGE);
    } else {
      HWND edit = AddOnPage(page, WC_EDITW, L"", WS_TABSTOP | ES_NUMBER, 200, y, 80, 22, id, WS_EX_CLIENTEDGE);
      HWND spin = AddOnPage(page, UPDOWN_CLASSW, L"",
                            UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0,
                            id + kSpinOffset);
      SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
      SendMessageW(spin, UDM_SETRANGE32, c.min, c.max);
      if (c.unit) AddOnPage(page, L"STATIC", W(c.unit), SS_LEFT, 286, y + 4, 40, 18, -1);
    }
    y += 28;
  }
  // The notes at the foot of the page; the second one may take two lines.
  const auto notes = OptionPageNotes(page);
  int noteY = notes.size() > 1 ? 212 : 240;
  for (const char* note : notes) {
    AddOnPage(page, L"STATIC", W(note), SS_LEFT, 16, noteY, NoteWidth(W(note)), noteY == 212 ? 18 : 32, -1);
    noteY += 18;
  }
}

// A note that does not fit the page's width is broken into two lines of about equal length
// rather than leaving its last character or two alone on the second line.
int TDlgEnvironment::NoteWidth(const std::wstring& note) const {
  constexpr int kFull = 396;
  HDC dc = GetDC(Handle());
  HGDIOBJ old = SelectObject(dc, Font());
  SIZE size = {};
  GetTextExtentPoint32W(dc, note.c_str(), static_cast<int>(note.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(Handle(), dc);
  const int width = MulDiv(size.cx, 96, Dpi());
  return width <= kFull ? kFull : std::min(kFull, width / 2 + 14);
}

void TDlgEnvironment::CreateColorPage() {
  for (int row = 0; row < ColorRowCount; ++row) {
    const TColorRow& r = ColorRows[row];
    const int y = 36 + row * 25;
    const int id = kColorFirst + row * 3;
    AddOnPage(opColor, L"STATIC", W(r.label), SS_LEFT, 20, y + 4, 130, 18, -1);
    if (r.sample) AddOnPage(opColor, L"STATIC", W(r.sample), SS_CENTER | SS_CENTERIMAGE, 154, y, 60, 22, id, WS_EX_CLIENTEDGE);
    AddOnPage(opColor, L"BUTTON", r.background ? L"文字色" : L"線色", WS_TABSTOP, 222, y, 76, 22, id + 1);
    if (r.background) AddOnPage(opColor, L"BUTTON", L"背景色", WS_TABSTOP, 304, y, 76, 22, id + 2);
  }
  AddOnPage(opColor, L"BUTTON", L"同じ色(&C)", WS_TABSTOP | BS_AUTOCHECKBOX, 20, 238, 200, 20, kSameColor);
}

void TDlgEnvironment::CreateKeyPage() {
  AddOnPage(opKey, L"STATIC", L"標準テンプレート(&T)", SS_LEFT, 12, 40, 124, 18, -1);
  HWND templates = AddOnPage(opKey, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 138, 36, 132, 200,
                             kTemplate);
  for (const char* item : KeyTemplateItems)
    SendMessageW(templates, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(item).c_str()));
  AddOnPage(opKey, L"STATIC", L"シフトキー状態(&S)", SS_LEFT, 12, 68, 124, 18, -1);
  HWND shift = AddOnPage(opKey, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 138, 64, 132, 240,
                         kShift);
  for (const char* item : KeyShiftItems) SendMessageW(shift, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(item).c_str()));
  AddOnPage(opKey, L"STATIC", L"現在の割り当て機能", SS_LEFT, 280, 40, 134, 18, -1);
  AddOnPage(opKey, WC_EDITW, L"", ES_READONLY | ES_AUTOHSCROLL, 280, 58, 130, 22, kOperateName, WS_EX_CLIENTEDGE);
  AddOnPage(opKey, L"BUTTON", L"クリア(&C)", WS_TABSTOP, 330, 86, 80, 22, kOperateClear);
  AddOnPage(opKey, L"STATIC", L"割り当てるキー(&K)", SS_LEFT, 16, 94, 120, 18, -1);
  AddOnPage(opKey, L"LISTBOX", L"", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 16, 112, 124, 148,
            kKeys, WS_EX_CLIENTEDGE);
  AddOnPage(opKey, L"STATIC", L"機能一覧(&O)", SS_LEFT, 150, 94, 120, 18, -1);
  HWND tree = AddOnPage(opKey, WC_TREEVIEWW, L"", WS_TABSTOP | TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_FULLROWSELECT,
                        150, 112, 260, 148, kOperate, WS_EX_CLIENTEDGE);
  // The command list as the program carries it.
  for (const TCommandGroup& group : ParseCommandList(LoadCommandListResource())) {
    std::wstring caption = Utf8ToWide(group.caption);
    TVINSERTSTRUCTW insert = {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = caption.data();
    insert.item.lParam = NoCommand;
    HTREEITEM node = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    for (TCommandId id : group.commands) {
      std::wstring description = Utf8ToWide(CommandDescription(id));
      insert.hParent = node;
      insert.item.pszText = description.data();
      insert.item.lParam = id;
      SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
    }
  }
}

void TDlgEnvironment::ShowPage(int page) {
  page_ = page;
  for (int p = 0; p < OptionPageCount; ++p)
    for (HWND control : pages_[p]) ShowWindow(control, p == page ? SW_SHOW : SW_HIDE);
  SendMessageW(Item(kTab), TCM_SETCURSEL, page, 0);
}

void TDlgEnvironment::FillSettingControls() {
  for (std::size_t i = 0; i < OptionControls().size(); ++i) FillSettingControl(i);
}

void TDlgEnvironment::FillSettingControl(std::size_t index) {
  filling_ = true;
  const TOptionControl& c = OptionControls()[index];
  const int id = kSettingFirst + static_cast<int>(index);
  const TOptionValue value = OptionValueOf(c, form_.Record());
  switch (c.kind) {
    case ockList:
      SendMessageW(Item(id), CB_SETCURSEL, value.number, 0);
      break;
    case ockCheck:
      CheckDlgButton(Handle(), id, value.number ? BST_CHECKED : BST_UNCHECKED);
      break;
    case ockSpin:
      // The arrows stop at their range; the field shows the setting as it is, also outside it.
      SendMessageW(Item(id + kSpinOffset), UDM_SETPOS32, 0, value.number);
      SetDlgItemInt(Handle(), id, static_cast<UINT>(value.number), TRUE);
      break;
    case ockEdit:
      SetWindowTextW(Item(id), Utf8ToWide(value.text).c_str());
      break;
  }
  filling_ = false;
}

std::optional<TOptionValue> TDlgEnvironment::ReadSettingControl(std::size_t index) {
  const TOptionControl& c = OptionControls()[index];
  const int id = kSettingFirst + static_cast<int>(index);
  TOptionValue value;
  switch (c.kind) {
    case ockList:
      value.number = static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0));
      if (value.number < 0) return std::nullopt;
      break;
    case ockCheck:
      value.number = IsDlgButtonChecked(Handle(), id) == BST_CHECKED;
      break;
    case ockSpin:
    case ockEdit: {
      std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(Item(id))) + 1, L'\0');
      text.resize(static_cast<std::size_t>(GetWindowTextW(Item(id), text.data(), static_cast<int>(text.size()))));
      if (c.kind == ockEdit) {
        value.text = WideToUtf8(text);
        break;
      }
      const std::optional<int> number = SpinNumber(WideToUtf8(text));
      if (!number) return std::nullopt;
      value.number = *number;
      break;
    }
  }
  return value;
}

// The changed controls go into the record; those read show what it holds now (a number held
// in its range, or the kept setting of a field that held no number).
void TDlgEnvironment::ApplyChanges() {
  for (std::size_t index : form_.Apply([this](std::size_t i) { return ReadSettingControl(i); }))
    FillSettingControl(index);
  RefreshApplyButton();
}

void TDlgEnvironment::RefreshApplyButton() { EnableWindow(Item(kApply), form_.ApplyEnabled()); }

void TDlgEnvironment::RefreshColorRows() {
  CheckDlgButton(Handle(), kSameColor, form_.SameColor() ? BST_CHECKED : BST_UNCHECKED);
  for (HBRUSH b : sampleBrushes_) DeleteObject(b);
  sampleBrushes_.clear();
  for (int row = 0; row < ColorRowCount; ++row) {
    const auto background = ColorRows[row].background;
    sampleBrushes_.push_back(background ? CreateSolidBrush(ScreenColor(form_.Color(background))) : nullptr);
    if (ColorRows[row].background) EnableWindow(Item(kColorFirst + row * 3 + 2), form_.ColorButtonEnabled(row, true));
    if (ColorRows[row].sample) InvalidateRect(Item(kColorFirst + row * 3), nullptr, TRUE);
  }
}

void TDlgEnvironment::PickColor(int row, bool background) {
  auto member = background ? ColorRows[row].background : ColorRows[row].font;
  static COLORREF custom[16] = {};
  CHOOSECOLORW choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = Handle();
  choose.rgbResult = ScreenColor(form_.Color(member));
  choose.lpCustColors = custom;
  choose.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&choose)) return;
  form_.SetColor(member, choose.rgbResult & 0x00FFFFFFu);
  RefreshColorRows();
  RefreshApplyButton();
}

void TDlgEnvironment::FillKeyList() {
  HWND keys = Item(kKeys);
  SendMessageW(keys, LB_RESETCONTENT, 0, 0);
  for (const std::string& name : form_.KeyNames())
    SendMessageW(keys, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(name).c_str()));
  RefreshSelectedKey();
}

// OperateName shows the selected key's command, and the tree selects its first node.
void TDlgEnvironment::RefreshSelectedKey() {
  SetWindowTextW(Item(kOperateName), Utf8ToWide(form_.OperateName()).c_str());
  const TCommandId id = form_.SelectedEntry();
  if (id == NoCommand) return;
  HWND tree = Item(kOperate);
  for (HTREEITEM group = TreeView_GetRoot(tree); group; group = TreeView_GetNextSibling(tree, group)) {
    for (HTREEITEM node = TreeView_GetChild(tree, group); node; node = TreeView_GetNextSibling(tree, node)) {
      TVITEMW item = {};
      item.mask = TVIF_PARAM;
      item.hItem = node;
      TreeView_GetItem(tree, &item);
      if (static_cast<TCommandId>(item.lParam) == id) {
        TreeView_SelectItem(tree, node);
        return;
      }
    }
  }
}

void TDlgEnvironment::OnTreeDoubleClick() {
  HWND tree = Item(kOperate);
  TVHITTESTINFO hit = {};
  GetCursorPos(&hit.pt);
  ScreenToClient(tree, &hit.pt);
  HTREEITEM node = TreeView_HitTest(tree, &hit);
  if (!node || !(hit.flags & TVHT_ONITEM) || node != TreeView_GetSelection(tree)) return;
  TVITEMW item = {};
  item.mask = TVIF_PARAM;
  item.hItem = node;
  TreeView_GetItem(tree, &item);
  if (static_cast<TCommandId>(item.lParam) == NoCommand) return;
  if (!form_.Assign(static_cast<TCommandId>(item.lParam))) return;
  SetWindowTextW(Item(kOperateName), Utf8ToWide(form_.OperateName()).c_str());
  SendMessageW(Item(kTemplate), CB_SETCURSEL, form_.TemplateIndex(), 0);
  RefreshApplyButton();
}

void TDlgEnvironment::OnCommand(int id, int code, HWND) {
  switch (id) {
    case IDOK:
      form_.Ok([this](std::size_t i) { return ReadSettingControl(i); });
      Close();
      return;
    case IDCANCEL:
      Close();
      return;
    case kApply:
      ApplyChanges();
      return;
    case kSameColor:
      if (code == BN_CLICKED) {
        form_.SetSameColor(IsDlgButtonChecked(Handle(), kSameColor) == BST_CHECKED);
        RefreshColorRows();
        RefreshApplyButton();
      }
      return;
    case kTemplate:
      if (code == CBN_SELCHANGE) {
        form_.SetTemplate(static_cast<int>(SendMessageW(Item(kTemplate), CB_GETCURSEL, 0, 0)));
        RefreshSelectedKey();
        RefreshApplyButton();
      }
      return;
    case kShift:
      if (code == CBN_SELCHANGE) {
        form_.SetShiftItem(static_cast<int>(SendMessageW(Item(kShift), CB_GETCURSEL, 0, 0)));
        FillKeyList();
      }
      return;
    case kKeys:
      if (code == LBN_SELCHANGE) {
        form_.SelectKey(static_cast<int>(SendMessageW(Item(kKeys), LB_GETCURSEL, 0, 0)));
        RefreshSelectedKey();
      }
      return;
    case kOperateClear:
      if (form_.ClearSelected()) {
        SetWindowTextW(Item(kOperateName), L"");
        SendMessageW(Item(kTemplate), CB_SETCURSEL, form_.TemplateIndex(), 0);
        RefreshApplyButton();
      }
      return;
    default:
      break;
  }
  if (id >= kColorFirst && id < kColorFirst + ColorRowCount * 3 && code == BN_CLICKED) {
    const int row = (id - kColorFirst) / 3, part = (id - kColorFirst) % 3;
    if (part > 0) PickColor(row, part == 2);
    return;
  }
  if (id >= kSettingFirst && id < kSettingFirst + static_cast<int>(OptionControls().size()) && !filling_) {
    const bool changed = code == CBN_SELCHANGE || code == BN_CLICKED || code == EN_CHANGE;
    if (changed) {
      form_.Changed(static_cast<std::size_t>(id - kSettingFirst));
      RefreshApplyButton();
    }
  }
}

bool TDlgEnvironment::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  switch (msg) {
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(lp);
      if (header->idFrom == kTab && header->code == TCN_SELCHANGE)
        ShowPage(static_cast<int>(SendMessageW(Item(kTab), TCM_GETCURSEL, 0, 0)));
      if (header->idFrom == kOperate && header->code == NM_DBLCLK) OnTreeDoubleClick();
      return false;
    }
    case WM_CTLCOLORSTATIC: {
      const HWND control = reinterpret_cast<HWND>(lp);
      const int id = GetDlgCtrlID(control);
      if (id < kColorFirst || id >= kColorFirst + ColorRowCount * 3 || (id - kColorFirst) % 3 != 0) {
        // Labels and check boxes stand on the page's background, not the dialog's.
        wchar_t className[16] = {};
        GetClassNameW(control, className, 16);
        if (_wcsicmp(className, WC_EDITW) == 0) return false;
        SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOW));
        result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
        return true;
      }
      const TColorRow& row = ColorRows[(id - kColorFirst) / 3];
      HDC dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, ScreenColor(form_.Color(row.font)));
      SetBkColor(dc, ScreenColor(form_.Color(row.background)));
      result = reinterpret_cast<INT_PTR>(sampleBrushes_[(id - kColorFirst) / 3]);
      return true;
    }
    case WM_HELP: {
      TWin32UserPrompt prompt;
      prompt.SetApplicationWindow(Handle());
      ShowHelp(Handle(), WideToUtf8(helpFile_), OptionPages[page_].helpContext, prompt);
      result = TRUE;
      return true;
    }
    case WM_CLOSE:
      Close();
      result = TRUE;
      return true;
    case WM_NCDESTROY:
      for (HBRUSH b : sampleBrushes_) DeleteObject(b);
      sampleBrushes_.clear();
      if (closed_) closed_();
      return false;
    default:
      return false;
  }
}

// The next window below in the desktop's order that can take the focus comes to the front.
void TDlgEnvironment::Close() {
  HWND main = GetWindow(Handle(), GW_OWNER);
  for (HWND w = GetWindow(Handle(), GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
    wchar_t className[64] = {};
    GetClassNameW(w, className, 64);
    if (!IsWindowVisible(w) || !IsWindowEnabled(w) || IsIconic(w) || w == main || w == GetDesktopWindow() ||
        wcscmp(className, L"TOvnxMainProcessWClass") == 0)
      continue;
    SetForegroundWindow(w);
    break;
  }
  End(IDCANCEL);
}

}  // namespace ovx
