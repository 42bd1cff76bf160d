// The search and replace dialogs of an editor window and the query a replace asks at each match.
#pragma once

#include <windows.h>

#include "editor/ToolWindows.h"
#include "view/ViewSearch.h"

namespace ovx {

class TOvnxBinaryFormWClass;

// Control ids of both dialogs.
enum : int {
  idSearchDirPrev = 501, idSearchDirNext, idSearchCompareCheck, idSearchReplaceCheck, idReplaceQueryAll, idSearchCount
};

// TDlgSearch for twSearch, TDlgReplace for twReplace, hidden; null for any other kind.
HWND CreateSearchDialog(TOvnxBinaryFormWClass& window, TToolWindowKind kind);

// The 相違領域のみを検索 boxes of the window's open dialogs follow whether it compares.
void FollowComparing(TOvnxBinaryFormWClass& window, bool comparing);

// TDlgReplaceQuery at the window's caret, after the pending messages ran; any close but the
// three answers is Cancel.
TReplaceAnswer AskReplaceQuery(TOvnxBinaryFormWClass& window);

}  // namespace ovx

namespace ovx {

// 下方向へ再検索 and 上方向へ再検索: the view repeats its last search; before any search they bring
// up the search dialog (an open one comes to the front rather than closing).
void RepeatSearch(TOvnxBinaryFormWClass& window, bool backward);

}  // namespace ovx
