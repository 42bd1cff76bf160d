#include "editor/win32/DlgSearch.h"

#include <initializer_list>
#include <optional>
#include <vector>

#include "editor/SearchRules.h"
#include "editor/win32/EditorWindow.h"
#include "editor/win32/FrmInputData.h"
#include "editor/win32/PendingMessages.h"
#include "editor/win32/StringRefusal.h"
#include "editor/win32/ToolDialog.h"
#include "shell/win32/Win32UserPrompt.h"
#include "shell/win32/WindowDpi.h"
#include "view/AllCodeSearch.h"
#include "view/win32/BEditor.h"
#include "view/win32/BinaryView.h"

namespace ovx {

namespace {

// The replacement frame's own mnemonics, so that the two frames of the replace dialog do not clash.
struct TCaptionChange {
  const wchar_t* from;
  const wchar_t* to;
};
constexpr TCaptionChange kReplacementCaptions[] = {
    {L"型(&V)", L"整数型(&W)"},           {L"2 進数(&B)", L"2 進数(&X)"},
    {L"10 進数(&D)", L"10 進数(&Y)"},     {L"16 進数(&H)", L"16 進数(&Z)"},
    {L"設定(&O)", L"設定(&U)"},           {L"文字コード(&S)", L"文字コード(&E)"},
    {L"改行コード(&L)", L"改行コード(&F)"}, {L"コード(&S)", L"コード(&E)"},
    {L"カーソル位置取込(&G)", L"カーソル位置取込(&I)"},
};

// Where a frame stands in its dialog (96-DPI pixels); its design size is 440 × 300.
constexpr int kFrameWidth = 440, kFrameHeight = 300, kColumnGap = 4;

void MoveBy(HWND w, int dx) {
  RECT r = {};
  GetWindowRect(w, &r);
  MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
  SetWindowPos(w, nullptr, r.left + dx, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// The integer width a frame leaves to remember: its own while its integer page is open.
std::optional<std::uint8_t> IntegerPageWidth(TFrmInputData& frame) {
  if (frame.ActivePage() != dpInteger) return std::nullopt;
  return static_cast<std::uint8_t>(frame.FrmInputInt().IntWidth());
}

// What both dialogs share: the window they search in, frames started from the window's state,
// the direction group, 相違領域のみを検索, the capture values, and the checks of the data typed.
class TSearchDialogBase : public TToolDialog, public TCaptureReceiver {
 protected:
  TSearchDialogBase(TOvnxBinaryFormWClass& window, const wchar_t* caption, DWORD helpContext, SIZE client)
      : TToolDialog(caption, helpContext, client), window_(window), prompt_(window.ProgramPrompt(), window.WaitSite()) {}
  ~TSearchDialogBase() override { window_.CaptureFeed().Remove(this); }

  TBinaryViewCore& View() { return window_.Editor().Core(); }

  // A frame as the window starts it: width, byte order and capture value from the window.
  bool MakeFrame(TFrmInputData& frame, int x, int y) {
    if (!frame.Create(Handle(), x, y, Font(), Dpi(), window_.EnvironmentSettings(), prompt_)) return false;
    const TWindowSettingsState& s = window_.State().settings;
    frame.FrmInputInt().SetIntWidth(static_cast<TVariableType>(s.lastIntWidth));
    frame.FrmInputInt().SetByteOrder(s.infoByteOrder == 1 ? boBigEndian : boLittleEndian);
    frame.FrmInputInt().SetCapturedValue(window_.CaptureFeed().Last().value);
    return true;
  }

  // The direction group at y; with replaceCheck, 置き換え動作の確認 above 相違領域のみを検索.
  void AddSearchOptions(int y, bool replaceCheck) {
    AddControl(L"BUTTON", L" 検索方向 ", BS_GROUPBOX, 0, 0xFFFF, 8, y, 196, 46);
    dirPrev_ = AddControl(L"BUTTON", L"上方向(&P)", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 0, idSearchDirPrev,
                          18, y + 18, 86, 20);
    dirNext_ = AddControl(L"BUTTON", L"下方向(&N)", BS_AUTORADIOBUTTON, 0, idSearchDirNext, 108, y + 18, 90, 20);
    SendMessageW(dirNext_, BM_SETCHECK, BST_CHECKED, 0);
    int checkY = y + 4;
    if (replaceCheck) {
      replaceCheck_ = AddControl(L"BUTTON", L"置き換え動作の確認(&Q)", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 0,
                                 idSearchReplaceCheck, 214, checkY, 226, 20);
      SendMessageW(replaceCheck_, BM_SETCHECK, BST_CHECKED, 0);
      checkY += 22;
    }
    compare_ = AddControl(L"BUTTON", L"相違領域のみを検索(&R)", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 0,
                          idSearchCompareCheck, 214, checkY, 226, 20);
    EnableWindow(compare_, View().Comparing());
  }

  // The 無定型 page's editor gets room for its whole rows: the frames, side by side, grow by what
  // it lacks, the ones on the right move over, and the dialog and its buttons follow.
  void WidenFor(std::initializer_list<std::pair<TFrmInputData*, HWND>> columns) {
    const int shortfall = columns.begin()->first->BinaryShortfall();
    if (shortfall <= 0) return;
    int shift = 0;
    for (const auto& [frame, strip] : columns) {
      MoveBy(frame->Handle(), shift);
      frame->Widen(shortfall);
      if (strip) {
        MoveBy(strip, shift);
        RECT r = {};
        GetWindowRect(strip, &r);
        SetWindowPos(strip, nullptr, 0, 0, r.right - r.left + shortfall, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      shift += shortfall;
    }
    MoveBy(GetDlgItem(Handle(), kRunId), shift);
    MoveBy(GetDlgItem(Handle(), kCloseId), shift);
    RECT r = {};
    GetWindowRect(Handle(), &r);
    SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left + shift, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // A text on the string page that the chosen set cannot carry is named, as typed input names it,
  // and nothing runs: its bytes would be empty and read as "nothing to search".
  bool CarriesItsText(TFrmInputData& frame) {
    return frame.ActivePage() != dpString || CarriedStringInput(frame.FrmInputStr(), prompt_).has_value();
  }

  // Asks about data that cannot be used as it is: true when the run goes on (はい); 再試行 puts the
  // focus on the input at fault.
  bool Accepts(TFrmInputData& frame, const std::optional<TDataWarning>& warning) {
    if (!warning) return true;
    const TModalResult answer = prompt_.MessageDlgBeep(warning->text, mtWarning, warning->buttons);
    if (answer == mrYes) return true;
    if (answer == mrRetry) frame.FocusInput(frame.ActivePage());
    return false;
  }

  bool Forward() const { return Checked(dirNext_); }
  bool DifferencesOnly() { return Checked(compare_) && View().Comparing(); }
  HWND FirstFocus(TFrmInputData& frame) {
    const int radix = window_.State().settings.focusRadix;
    TFrmInputInt& f = frame.FrmInputInt();
    return (radix == 0 ? f.EditBin() : radix == 2 ? f.EditHex() : f.EditDec()).Handle();
  }

  TOvnxBinaryFormWClass& window_;
  // The dialog's own questions are owned by the dialog.
  TWindowUserPrompt prompt_;
  HWND dirPrev_ = nullptr, dirNext_ = nullptr, compare_ = nullptr, replaceCheck_ = nullptr;
};

// 検索: one frame without its ヌル型 page; 検索開始 walks from match to match.
class TDlgSearch final : public TSearchDialogBase {
 public:
  explicit TDlgSearch(TOvnxBinaryFormWClass& window)
      : TSearchDialogBase(window, L"検索", 18, {kFrameWidth + 8, kFrameHeight + 86}) {}

  void TakeCaptureValues(const TCaptureValues& values) override {
    frame_.FrmInputInt().SetCapturedValue(values.value);
  }

 private:
  HWND Build() override {
    prompt_.SetOwner(Handle());
    if (!MakeFrame(frame_, 4, 4)) return nullptr;
    frame_.HideNullPage();
    AddSearchOptions(kFrameHeight + 6, false);
    AddButtons(L"検索開始");
    WidenFor({{&frame_, nullptr}});
    AddCountButton();
    window_.CaptureFeed().Add(this);
    return FirstFocus(frame_);
  }

  // 件数(&K), left of 検索開始 and as large.
  void AddCountButton() {
    RECT run = {};
    GetWindowRect(GetDlgItem(Handle(), kRunId), &run);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&run), 2);
    const int width = run.right - run.left;
    HWND count = CreateWindowExW(0, L"BUTTON", L"件数(&K)", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                 run.left - Scaled(8) - width, run.top, width, run.bottom - run.top, Handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(idSearchCount)),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(count, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    SetWindowPos(count, GetDlgItem(Handle(), kRunId), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  bool Command(int id, int code, HWND) override {
    if (id != idSearchCount || code != BN_CLICKED) return false;
    CountMatches();
    return true;
  }

  // The matches of the pattern in the whole document, counted without moving the caret.
  void CountMatches() {
    if (!CarriesItsText(frame_)) return;
    const std::vector<std::uint8_t> pattern = frame_.DataBlock();
    if (!Accepts(frame_, SearchDataWarning(frame_.ActivePage(), pattern.empty()))) return;
    if (pattern.empty()) return;
    const std::int64_t n = CountPattern(View().Module(), pattern, DifferencesOnly() ? View().ComparePartner() : nullptr);
    if (n == 0) {
      prompt_.MessageDlgBeep("検索情報が見付かりません.", mtWarning, mbOK);
    } else {
      prompt_.MessageDlgBeep(CountFoundText(n), mtInformation, mbOK);
    }
  }

  void Run() override {
    RedrawWindow(window_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (!CarriesItsText(frame_)) return;
    const std::vector<std::uint8_t> pattern = frame_.DataBlock();
    if (!Accepts(frame_, SearchDataWarning(frame_.ActivePage(), pattern.empty()))) return;
    TBinaryViewCore& view = View();
    const auto length = static_cast<std::int32_t>(pattern.size());
    switch (SearchStepOf(view.FoundSearchMatch(), view.IsLastPattern(pattern.data(), length), Forward())) {
      case ssContinueForward: view.SearchNext(); break;
      case ssContinueBackward: view.SearchPrev(); break;
      case ssNewSearch: view.SearchData(pattern.data(), length, !Forward(), DifferencesOnly()); break;
    }
    window_.SetLastIntWidth(static_cast<std::uint8_t>(frame_.FrmInputInt().IntWidth()));
    window_.SetIntegerChoices(frame_.FrmInputInt().LastRadix(), frame_.FrmInputInt().ByteOrder() == boBigEndian);
  }

  TFrmInputData frame_;
};

// 置換: the search frame and the replacement frame side by side.
class TDlgReplace final : public TSearchDialogBase {
 public:
  explicit TDlgReplace(TOvnxBinaryFormWClass& window)
      : TSearchDialogBase(window, L"置換", 19, {2 * kFrameWidth + 12, kFrameHeight + 116}) {}

  void TakeCaptureValues(const TCaptureValues& values) override {
    search_.FrmInputInt().SetCapturedValue(values.value);
    replacement_.FrmInputInt().SetCapturedValue(values.value);
  }

 private:
  HWND Build() override {
    prompt_.SetOwner(Handle());
    constexpr int right = kFrameWidth + 4 + kColumnGap;
    HWND searchStrip = AddControl(L"STATIC", L"検索情報", SS_LEFT | SS_SUNKEN, 0, 0xFFFF, 4, 4, kFrameWidth, 18);
    if (!MakeFrame(search_, 4, 24)) return nullptr;
    search_.HideNullPage();
    HWND replacementStrip = AddControl(L"STATIC", L"置換情報", SS_LEFT | SS_SUNKEN, 0, 0xFFFF, right, 4, kFrameWidth, 18);
    if (!MakeFrame(replacement_, right, 24)) return nullptr;
    for (const TCaptionChange& c : kReplacementCaptions) replacement_.Recaption(c.from, c.to);
    AddSearchOptions(kFrameHeight + 28, true);
    AddButtons(L"置換開始");
    WidenFor({{&search_, searchStrip}, {&replacement_, replacementStrip}});
    window_.CaptureFeed().Add(this);
    return FirstFocus(search_);
  }

  void Run() override {
    if (!CarriesItsText(search_) || !CarriesItsText(replacement_)) return;
    const std::vector<std::uint8_t> pattern = search_.DataBlock();
    if (!Accepts(search_, SearchDataWarning(search_.ActivePage(), pattern.empty()))) return;
    const std::vector<std::uint8_t> replacement = replacement_.DataBlock();
    if (!Accepts(replacement_, ReplaceDataWarning(replacement_.ActivePage(), replacement.empty()))) return;
    const bool backward = !Forward(), confirm = Checked(replaceCheck_), differencesOnly = DifferencesOnly();
    const std::optional<std::uint8_t> searchWidth = IntegerPageWidth(search_);
    const std::optional<std::uint8_t> replacementWidth = IntegerPageWidth(replacement_);
    const int radix = search_.FrmInputInt().LastRadix();
    const bool bigEndian = search_.FrmInputInt().ByteOrder() == boBigEndian;

    // The dialog may be closed while a query waits: from here on only what outlives it is used.
    TOvnxBinaryFormWClass& window = window_;
    const HWND self = Handle();
    const HWND run = GetDlgItem(self, kRunId);
    EnableWindow(run, FALSE);
    SetForegroundWindow(window.Handle());
    // The loop is one wait of the window, between its questions too: the window does not close
    // under it (its view is on this call's stack) and its tool windows change nothing behind it.
    TWaitScope wait(&window.WaitSite());
    window.Editor().Core().ReplaceData(pattern.data(), static_cast<std::int32_t>(pattern.size()), replacement.data(),
                                       static_cast<std::int32_t>(replacement.size()), differencesOnly, confirm,
                                       backward, [&window] { return AskReplaceQuery(window); });
    if (IsWindow(self)) {
      SetForegroundWindow(self);
      EnableWindow(run, TRUE);
    }
    window.SetLastIntWidth(
        LastIntWidthAfterReplace(window.State().settings.lastIntWidth, searchWidth, replacementWidth));
    window.SetIntegerChoices(radix, bigEndian);
    window.Editor().Repaint();
    window.UpdateStatusBar();
  }

  TFrmInputData search_, replacement_;
};

// TDlgReplaceQuery: where it appears and at what DPI.
struct TQueryPlace {
  POINT caret;
  int charHeight;
  int dpi;
};

INT_PTR CALLBACK QueryProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: {
      const auto& place = *reinterpret_cast<const TQueryPlace*>(lp);
      const auto scaled = [&](int pixels) { return MulDiv(pixels, place.dpi, 96); };
      HFONT font = CreateUiFont(place.dpi);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(font));
      SetWindowTextW(hwnd, L"置換しますか？");
      struct TButton {
        int id;
        const wchar_t* text;
        DWORD style;
      };
      const TButton buttons[] = {{IDYES, L"はい(&Y)", BS_DEFPUSHBUTTON},
                                 {IDNO, L"いいえ(&N)", BS_PUSHBUTTON},
                                 {IDCANCEL, L"キャンセル(&C)", BS_PUSHBUTTON},
                                 {idReplaceQueryAll, L"一度に置換(&A)", BS_PUSHBUTTON}};
      for (int i = 0; i < 4; ++i) {
        HWND b = CreateWindowExW(0, L"BUTTON", buttons[i].text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | buttons[i].style,
                                 scaled(4 + 92 * i), scaled(3), scaled(88), scaled(22), hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(buttons[i].id)),
                                 GetModuleHandleW(nullptr), nullptr);
        SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      }
      RECT frame = {0, 0, scaled(372), scaled(28)};
      AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
      const TScreenRect at = ReplaceQueryPlace(place.caret.x, place.caret.y, place.charHeight,
                                               frame.right - frame.left, frame.bottom - frame.top, WorkArea());
      SetWindowPos(hwnd, nullptr, at.left, at.top, at.Width(), at.Height(), SWP_NOZORDER);
      SetFocus(GetDlgItem(hwnd, IDYES));
      return FALSE;
    }
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDYES: EndDialog(hwnd, raYes); return TRUE;
        case IDNO: EndDialog(hwnd, raNo); return TRUE;
        case idReplaceQueryAll: EndDialog(hwnd, raAll); return TRUE;
        case IDCANCEL: EndDialog(hwnd, raCancel); return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      DeleteObject(reinterpret_cast<HFONT>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
      return FALSE;
  }
  return FALSE;
}

}  // namespace

HWND CreateSearchDialog(TOvnxBinaryFormWClass& window, TToolWindowKind kind) {
  TToolDialog* dialog = nullptr;
  switch (kind) {
    case twSearch: dialog = new TDlgSearch(window); break;
    case twReplace: dialog = new TDlgReplace(window); break;
    default: return nullptr;
  }
  return TToolDialog::Create(dialog, window.Handle());
}

void FollowComparing(TOvnxBinaryFormWClass& window, bool comparing) {
  for (TToolWindowKind kind : {twSearch, twReplace})
    if (HWND dialog = window.ToolWindows().Window(kind)) EnableWindow(GetDlgItem(dialog, idSearchCompareCheck), comparing);
}

void RepeatSearch(TOvnxBinaryFormWClass& window, bool backward) {
  HWND open = window.ToolWindows().Window(twSearch);
  if (!window.Editor().Core().LastSearch().stored && open) {
    SetForegroundWindow(open);
    return;
  }
  if (backward) {
    window.Editor().Core().SearchPrev();
  } else {
    window.Editor().Core().SearchNext();
  }
}

TReplaceAnswer AskReplaceQuery(TOvnxBinaryFormWClass& window) {
  // The pending messages run first, so that the view shows the match before the question.
  if (!RunPendingMessages(window.Handle(), false)) return raCancel;
  TBinaryView& view = window.Editor().View();
  const TQueryPlace place = {view.CaretScreenPoint(), view.Painter().CharHeight(), WindowDpi(view.Handle())};
  struct alignas(4) TTemplate {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
  } tmpl = {};
  tmpl.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
  tmpl.header.dwExtendedStyle = WS_EX_TOOLWINDOW;
  INT_PTR answer = -1;
  {
    TModalScope modal;
    answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &tmpl.header, view.Handle(), QueryProcedure,
                                     reinterpret_cast<LPARAM>(&place));
  }
  UpdateWindow(view.Handle());
  switch (answer) {
    case raYes: case raNo: case raAll: return static_cast<TReplaceAnswer>(answer);
    default: return raCancel;
  }
}

}  // namespace ovx
