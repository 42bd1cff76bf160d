#include "editor/win32/EditorToolBar.h"

#include <string>
#include <vector>

#include "charset/StrUty.h"

namespace ovx {

bool TEditorToolBar::Create(HWND parent, HIMAGELIST images, HFONT font) {
  hwnd_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                                         CCS_TOP | CCS_NODIVIDER,
                          0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return false;
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(hwnd_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  if (images) SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  // Everything grows with the pictures, which are made larger at a higher DPI.
  int picture = 16, unused = 16;
  if (images) ImageList_GetIconSize(images, &picture, &unused);
  const auto scaled = [picture](int pixels) { return MulDiv(pixels, picture, 16); };
  SendMessageW(hwnd_, TB_SETINDENT, scaled(kIndent), 0);
  std::vector<TBBUTTON> buttons;
  for (int b = 0; b < ToolButtonCount; ++b) {
    const TToolButtonDef& d = ToolButtonDef(static_cast<TToolButton>(b));
    if (d.separatorBefore) {
      TBBUTTON sepa = {};
      sepa.fsStyle = BTNS_SEP;
      sepa.iBitmap = scaled(6);
      buttons.push_back(sepa);
    }
    TBBUTTON button = {};
    button.iBitmap = d.image;
    button.idCommand = MenuIdOf(d.item);
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON | (d.dropDown ? BTNS_DROPDOWN : 0);
    button.dwData = static_cast<DWORD_PTR>(b);
    buttons.push_back(button);
  }
  SendMessageW(hwnd_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageW(hwnd_, TB_SETBITMAPSIZE, 0, MAKELPARAM(picture, picture));
  SendMessageW(hwnd_, TB_SETBUTTONSIZE, 0, MAKELPARAM(scaled(kButtonSize), scaled(kButtonSize) - 1));
  SendMessageW(hwnd_, TB_AUTOSIZE, 0, 0);
  return true;
}

int TEditorToolBar::Height() const {
  if (!hwnd_) return 0;
  RECT r = {};
  GetWindowRect(hwnd_, &r);
  return r.bottom - r.top;
}

void TEditorToolBar::SetEnabled(const std::array<bool, ToolButtonCount>& enabled) {
  for (int b = 0; b < ToolButtonCount; ++b) {
    const TToolButtonDef& d = ToolButtonDef(static_cast<TToolButton>(b));
    SendMessageW(hwnd_, TB_ENABLEBUTTON, MenuIdOf(d.item), MAKELPARAM(enabled[b] ? TRUE : FALSE, 0));
  }
}

bool TEditorToolBar::Enabled(TToolButton button) const {
  return SendMessageW(hwnd_, TB_ISBUTTONENABLED, MenuIdOf(ToolButtonDef(button).item), 0) != 0;
}

bool TEditorToolBar::HandleNotify(const NMHDR* header, HMENU historyMenu, HWND commandTarget) {
  if (header->code == TTN_GETDISPINFOW) {
    // The tool tip asks for the text of the button with this command id.
    static std::wstring text;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(header));
    text.clear();
    for (int b = 0; b < ToolButtonCount; ++b) {
      const TToolButtonDef& d = ToolButtonDef(static_cast<TToolButton>(b));
      if (static_cast<UINT_PTR>(MenuIdOf(d.item)) == header->idFrom) text = Utf8ToWide(d.hint);
    }
    info->lpszText = text.data();
    return true;
  }
  if (header->hwndFrom == hwnd_ && header->code == TBN_DROPDOWN) {
    auto* drop = reinterpret_cast<const NMTOOLBARW*>(header);
    RECT r = {};
    SendMessageW(hwnd_, TB_GETRECT, drop->iItem, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(hwnd_, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    if (historyMenu && GetMenuItemCount(historyMenu) > 0)
      TrackPopupMenu(historyMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, r.left, r.bottom, 0, commandTarget,
                     nullptr);
    return true;
  }
  return false;
}

}  // namespace ovx
