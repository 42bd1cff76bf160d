#include "editor/win32/FrmInputData.h"

#include <commctrl.h>

#include <algorithm>

#include "shell/win32/WindowDpi.h"
#include "view/win32/BEditor.h"

namespace ovx {

const wchar_t TFrmInputData::kNullText[] =
    L"長さ 0 バイトのデータです.\r\n文字列型、無定型で空のデータを渡した場合と同じ結果になります.\r\n"
    L"検索合致位置を削除したい場合に明示的に設定して下さい.";

namespace {

// The pages' place inside the frame, below the tabs.
constexpr int kPageLeft = 10, kPageTop = 34, kPageWidth = 420, kPageHeight = 256;

struct TCaptionChange {
  const wchar_t *from, *to;
};

BOOL CALLBACK RecaptionChild(HWND child, LPARAM data) {
  const auto& c = *reinterpret_cast<const TCaptionChange*>(data);
  wchar_t text[64] = {};
  GetWindowTextW(child, text, 64);
  if (lstrcmpW(text, c.from) == 0) SetWindowTextW(child, c.to);
  return TRUE;
}

}  // namespace

TFrmInputData::TFrmInputData() = default;
TFrmInputData::~TFrmInputData() = default;

bool TFrmInputData::Create(HWND parent, int x, int y, HFONT font, int dpi, const TEnvironmentSettings& settings,
                           TUserPrompt& prompt) {
  if (!CreatePanel(parent, x, y, font, dpi)) return false;
  const SIZE size = DesignSize();
  pages_ = AddControl(WC_TABCONTROLW, L"", WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, 4, 4, size.cx - 8, size.cy - 8);
  if (!pages_) return false;
  SetTabSpacing(pages_, dpi);
  const wchar_t* const tabs[] = {L"整数型", L"文字列型", L"キャラクタ型", L"無定型", L"ヌル型"};
  for (int i = 0; i < 5; ++i) {
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(tabs[i]);
    SendMessageW(pages_, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  if (!int_.Create(Handle(), kPageLeft, kPageTop, font, dpi) ||
      !str_.Create(Handle(), kPageLeft, kPageTop, font, dpi) ||
      !char_.Create(Handle(), kPageLeft, kPageTop, font, dpi))
    return false;
  int_.SetDialogMode(dmInteger);
  int_.SetIntWidth(vtDoubleWord);
  int_.SetByteOrder(boLittleEndian);
  binaryPanel_ = AddControl(L"STATIC", L"", WS_CLIPCHILDREN, 0, 0, kPageLeft, kPageTop, kPageWidth, kPageHeight);
  binary_ = std::make_unique<TBEditor>(prompt);
  RECT client = {};
  GetClientRect(binaryPanel_, &client);
  if (!binaryPanel_ || !binary_->Create(binaryPanel_, client)) return false;
  binary_->SetEnvironment(settings);
  binary_->SetViewItems(TViewItems::None().With(bvHeader, true));
  binary_->SetFontHeight(12);
  labelNull_ = AddLabel(kNullText, kPageLeft + 8, kPageTop + 8, kPageWidth - 16, 64);
  // The tabs lie under the pages: repainting them must not paint over the open page.
  SetWindowPos(pages_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetActivePage(dpInteger);
  return true;
}

void TFrmInputData::SetActivePage(TDataPage page) {
  page_ = page;
  SendMessageW(pages_, TCM_SETCURSEL, page, 0);
  const HWND shown[] = {int_.Handle(), str_.Handle(), char_.Handle(), binaryPanel_, labelNull_};
  for (int i = 0; i < 5; ++i) ShowWindow(shown[i], i == page ? SW_SHOW : SW_HIDE);
}

void TFrmInputData::Notify(const NMHDR& header) {
  if (header.hwndFrom == pages_ && header.code == static_cast<UINT>(TCN_SELCHANGE))
    SetActivePage(static_cast<TDataPage>(SendMessageW(pages_, TCM_GETCURSEL, 0, 0)));
}

void TFrmInputData::HideNullPage() {
  if (nullPageHidden_) return;
  nullPageHidden_ = true;
  SendMessageW(pages_, TCM_DELETEITEM, dpNull, 0);
  if (page_ == dpNull) SetActivePage(dpInteger);
}

void TFrmInputData::FocusInput(TDataPage page) {
  switch (page) {
    case dpInteger: int_.FocusField(1); return;
    case dpString: SetFocus(str_.EditBox()); return;
    case dpCharacter: SetFocus(char_.SelChar().Handle()); return;
    case dpBinary:
    case dpNull:
      SetActivePage(dpBinary);
      SetFocus(binary_->ViewHandle());
      return;
  }
}

int TFrmInputData::BinaryShortfall() {
  RECT r = {};
  GetWindowRect(binary_->Handle(), &r);
  return std::max(0, binary_->OptimalClientWidth() - static_cast<int>(r.right - r.left));
}

void TFrmInputData::Widen(int pixels) {
  if (pixels <= 0) return;
  for (HWND w : {Handle(), pages_, binaryPanel_}) {
    RECT r = {};
    GetWindowRect(w, &r);
    SetWindowPos(w, nullptr, 0, 0, r.right - r.left + pixels, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT client = {};
  GetClientRect(binaryPanel_, &client);
  binary_->SetBounds(client);
}

void TFrmInputData::Recaption(const wchar_t* from, const wchar_t* to) {
  TCaptionChange change{from, to};
  EnumChildWindows(Handle(), RecaptionChild, reinterpret_cast<LPARAM>(&change));
}

std::vector<std::uint8_t> TFrmInputData::DataBlock() {
  TDataPageValues v;
  switch (page_) {
    case dpInteger:
      v.integer = int_.NetValue();
      v.width = int_.IntWidth();
      v.order = int_.ByteOrder();
      break;
    case dpString:
      v.string = str_.Bytes();
      break;
    case dpCharacter:
      v.character = char_.SelChar().Selected();
      break;
    case dpBinary: {
      TMemoryModule& module = binary_->Module();
      v.binary.resize(static_cast<size_t>(module.Size()));
      if (!v.binary.empty()) module.ReadData(v.binary.data(), 0, module.Size());
      break;
    }
    case dpNull:
      break;
  }
  return ovx::DataBlock(page_, v);
}

}  // namespace ovx
