// The 全コード検索 tool window of an editor window (one per window): a text found in every
// Japanese code set at once, each hit listed with its code set.
#pragma once

#include <windows.h>

namespace ovx {

class TOvnxBinaryFormWClass;

// Control ids: the text, the six code set boxes (ASCII first, in TSearchCode order), whole
// document or selection, the hit list, the summary line.
enum TAllCodeSearchControl : int {
  acText = 701, acFirstCode = 711, acWhole = 721, acSelection, acList = 731, acStatus = 741
};

// The tool for the window, hidden; null when the platform refused it.
HWND CreateAllCodeSearchTool(TOvnxBinaryFormWClass& window);

}  // namespace ovx
