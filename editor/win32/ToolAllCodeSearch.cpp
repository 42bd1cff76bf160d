// 全コード検索: a text looked for in ASCII, Shift-JIS, EUC-JP, JIS, UTF-16LE and UTF-8 at once over
// the document or the selection; every hit is listed (a virtual list, so hundreds of thousands
// stay quick) and counted per code set. The search runs in slices between the window's messages:
// its status shows the progress, and Esc or 閉じる stops it at once. The list is a snapshot: a
// change of the document says so in the summary until the next search.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>

#include "charset/StrUty.h"
#include "editor/win32/AllCodeSearchTool.h"
#include "editor/win32/EditorWindow.h"
#include "editor/win32/ToolDialog.h"
#include "shell/InputTrace.h"
#include "shell/win32/InputTraceFile.h"
#include "view/AllCodeSearch.h"
#include "view/win32/BEditor.h"

namespace ovx {

namespace {

constexpr UINT kNextSlice = WM_APP + 41;
constexpr UINT_PTR kStaleTimer = 41;
// About 10 ms of scanning: the window answers between slices.
constexpr std::int32_t kSliceBytes = 48 << 20;

std::wstring Wide(const std::string& utf8) { return Utf8ToWide(utf8); }

class TToolAllCodeSearch final : public TToolDialog {
 public:
  explicit TToolAllCodeSearch(TOvnxBinaryFormWClass& window)
      : TToolDialog(L"全コード検索", 18, {520, 360}), window_(window) {}
  ~TToolAllCodeSearch() override {
    if (tips_) DestroyWindow(tips_);
  }

 private:
  TBinaryViewCore& View() { return window_.Editor().Core(); }

  HWND Build() override {
    AddControl(L"STATIC", L"文字列(&T)", SS_LEFT, 0, -1, 8, 11, 70, 16);
    text_ = AddControl(L"EDIT", L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, 0, acText, 80, 8, 432, 22);
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                            0, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (tips_) SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, Scaled(360));
    for (int c = 0; c < SearchCodeCount; ++c) {
      HWND box = AddControl(L"BUTTON", Wide(SearchCodeName(static_cast<TSearchCode>(c))).c_str(),
                            BS_AUTOCHECKBOX | WS_TABSTOP | (c == 0 ? WS_GROUP : 0), 0, acFirstCode + c, 8 + 84 * c, 38,
                            82, 20);
      SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
      if (tips_) {
        TTTOOLINFOW tool = {};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(box);
        tool.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
      }
    }
    AddControl(L"BUTTON", L"文書全体(&W)", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 0, acWhole, 8, 62, 120, 20);
    AddControl(L"BUTTON", L"選択範囲(&R)", BS_AUTORADIOBUTTON, 0, acSelection, 132, 62, 120, 20);
    SendMessageW(GetDlgItem(Handle(), acWhole), BM_SETCHECK, BST_CHECKED, 0);
    list_ = AddControl(WC_LISTVIEWW, L"",
                       LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP |
                           WS_GROUP,
                       0, acList, 8, 86, 504, 200);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT);
    const struct {
      const wchar_t* title;
      int width;
    } columns[] = {{L"アドレス", 84}, {L"文字コード", 78}, {L"前後のバイト", 320}};
    for (int i = 0; i < 3; ++i) {
      LVCOLUMNW column = {};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.pszText = const_cast<wchar_t*>(columns[i].title);
      column.cx = Scaled(columns[i].width);
      ListView_InsertColumn(list_, i, &column);
    }
    // The summary is as wide as the list and has two lines, above the buttons: the counts of six
    // code sets with the out-of-date note are longer than a line.
    status_ = AddControl(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, 0, acStatus, 8, 292, 504, 30);
    AddButtons(L"検索開始");
    SetWindowSubclass(Handle(), Extra, 0, reinterpret_cast<DWORD_PTR>(this));
    SetTimer(Handle(), kStaleTimer, 500, nullptr);
    FollowText();
    return text_;
  }

  // Enter with a hit chosen in the list moves there; otherwise it starts a search.
  void Run() override {
    if (GetFocus() == list_ && ListView_GetNextItem(list_, -1, LVNI_SELECTED) >= 0) {
      GoToHit(ListView_GetNextItem(list_, -1, LVNI_SELECTED));
      return;
    }
    StartSearch();
  }

  bool Command(int id, int code, HWND) override {
    if (id == acText && code == EN_CHANGE) {
      FollowText();
      return true;
    }
    return false;
  }

  std::u16string Text() const {
    const int n = GetWindowTextLengthW(text_);
    std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
    GetWindowTextW(text_, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(n));
    return std::u16string(s.begin(), s.end());
  }

  // A code set that cannot carry the text is disabled, its hint says why; the others show their bytes.
  void FollowText() {
    const std::u16string text = Text();
    for (int c = 0; c < SearchCodeCount; ++c) {
      const TCodeForm form = EncodeForSearch(text, static_cast<TSearchCode>(c));
      HWND box = GetDlgItem(Handle(), acFirstCode + c);
      EnableWindow(box, form.carried || text.empty());
      std::string hint = form.why;
      for (const std::string& p : form.patterns) {
        if (!hint.empty()) hint += " / ";
        for (unsigned char b : p) {
          char hex[4];
          std::snprintf(hex, sizeof(hex), "%02X ", b);
          hint += hex;
        }
        if (!hint.empty() && hint.back() == ' ') hint.pop_back();
      }
      if (!tips_) continue;
      const std::wstring wide = Wide(hint);
      TTTOOLINFOW tool = {};
      tool.cbSize = sizeof(tool);
      tool.hwnd = Handle();
      tool.uId = reinterpret_cast<UINT_PTR>(box);
      tool.lpszText = const_cast<wchar_t*>(wide.c_str());
      SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }

  void SetStatus(const std::string& text) { SetWindowTextW(status_, Wide(text).c_str()); }

  void StartSearch() {
    TAllCodeSearch::TCodeChoice chosen{};
    for (int c = 0; c < SearchCodeCount; ++c) {
      HWND box = GetDlgItem(Handle(), acFirstCode + c);
      chosen[static_cast<std::size_t>(c)] = IsWindowEnabled(box) && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    const TMemoryModule& module = View().Module();
    std::int32_t from = 0, to = module.Size();
    if (SendMessageW(GetDlgItem(Handle(), acSelection), BM_GETCHECK, 0, 0) == BST_CHECKED) {
      const TSelection selection = View().GetSelection();
      if (!selection.active || selection.end <= selection.start) {
        SetStatus("選択範囲がありません.");
        return;
      }
      from = selection.start;
      to = selection.end;
    }
    const std::u16string text = Text();
    search_.reset();
    ListView_SetItemCountEx(list_, 0, 0);
    if (text.empty()) {
      SetStatus("検索する文字列を入力してください.");
      return;
    }
    search_ = std::make_unique<TAllCodeSearch>(text, chosen, from, to);
    if (!search_->HasPatterns()) {
      search_.reset();
      SetStatus("この文字列を表せる文字コードが選ばれていません.");
      return;
    }
    changes_ = module.ChangeCount();
    stale_ = false;
    running_ = true;
    SetStatus("検索中... 0%");
    PostMessageW(Handle(), kNextSlice, 0, 0);
  }

  // A slice is no input message: the trace gets a line of its own for it.
  void NextSlice() {
    TInputTrace* trace = ActiveInputTrace();
    const std::int64_t start = trace ? TraceClockUs() : 0;
    Slice();
    if (trace) trace->Record("search slice", "全コード検索", start, TraceClockUs() - start);
  }

  void Slice() {
    if (!running_ || !search_) return;
    const TMemoryModule& module = View().Module();
    if (!search_->Step(module, kSliceBytes)) {
      const std::int64_t size = std::max<std::int64_t>(1, search_->RangeSize());
      SetStatus("検索中... " + std::to_string(search_->Scanned() * 100 / size) + "%");
      PostMessageW(Handle(), kNextSlice, 0, 0);
      return;
    }
    running_ = false;
    if (module.ChangeCount() != changes_) stale_ = true;
    ListView_SetItemCountEx(list_, static_cast<int>(search_->HitCount()), 0);
    ShowSummary();
  }

  void ShowSummary() {
    if (!search_) return;
    std::string s = search_->Summary();
    if (stale_) s += " (文書が変更されたため, この一覧は古くなっています)";
    SetStatus(s);
  }

  // Esc or 閉じる during a search stops it and keeps the window.
  void Stop() {
    running_ = false;
    search_.reset();
    ListView_SetItemCountEx(list_, 0, 0);
    SetStatus("検索を中止しました.");
  }

  void GoToHit(int index) {
    if (!search_ || running_ || index < 0 || static_cast<std::size_t>(index) >= search_->HitCount()) return;
    const TAllCodeHit hit = search_->HitAt(static_cast<std::size_t>(index));
    TBinaryViewCore& view = View();
    const std::int32_t size = view.Module().Size();
    if (hit.address > size) return;
    view.SetCaret(hit.address, 0);
    view.SetAnchor(std::min(size, hit.address + hit.length));
    view.SetSelectionState(ssTemporary);
  }

  void FillItem(NMLVDISPINFOW& info) {
    if (!search_ || running_ || !(info.item.mask & LVIF_TEXT)) return;
    const auto index = static_cast<std::size_t>(info.item.iItem);
    if (index >= search_->HitCount()) return;
    const TAllCodeHit hit = search_->HitAt(index);
    std::wstring text;
    if (info.item.iSubItem == 0) {
      wchar_t address[16];
      swprintf(address, 16, L"%08X", static_cast<unsigned>(hit.address));
      text = address;
    } else if (info.item.iSubItem == 1) {
      text = Wide(SearchCodeName(hit.code));
    } else {
      const std::u16string context = HitContext(View().Module(), hit);
      text.assign(context.begin(), context.end());
    }
    lstrcpynW(info.item.pszText, text.c_str(), info.item.cchTextMax);
  }

  static LRESULT CALLBACK Extra(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TToolAllCodeSearch*>(data);
    switch (msg) {
      case kNextSlice:
        self->NextSlice();
        return 0;
      case WM_TIMER:
        if (wp == kStaleTimer && self->search_ && !self->running_ && !self->stale_ &&
            self->View().Module().ChangeCount() != self->changes_) {
          self->stale_ = true;
          self->ShowSummary();
        }
        return 0;
      case WM_COMMAND:
        if (LOWORD(wp) == IDCANCEL && self->running_ && IsWindowEnabled(hwnd)) {
          self->Stop();
          return 0;
        }
        break;
      case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lp);
        if (header->hwndFrom != self->list_) break;
        if (header->code == LVN_GETDISPINFOW) self->FillItem(*reinterpret_cast<NMLVDISPINFOW*>(lp));
        if (header->code == NM_DBLCLK)
          self->GoToHit(reinterpret_cast<const NMITEMACTIVATE*>(lp)->iItem);
        return 0;
      }
      case WM_NCDESTROY:
        KillTimer(hwnd, kStaleTimer);
        RemoveWindowSubclass(hwnd, Extra, 0);
        break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
  }

  TOvnxBinaryFormWClass& window_;
  HWND text_ = nullptr, list_ = nullptr, status_ = nullptr, tips_ = nullptr;
  std::unique_ptr<TAllCodeSearch> search_;
  std::uint64_t changes_ = 0;
  bool running_ = false, stale_ = false;
};

}  // namespace

HWND CreateAllCodeSearchTool(TOvnxBinaryFormWClass& window) {
  return TToolDialog::Create(new TToolAllCodeSearch(window), window.Handle());
}

}  // namespace ovx
