// Indexes of the pictures in the image list ToolBarImages, shared by menu items, tool buttons
// and the status bar. tools/gen_toolbar_images.py draws them in this order; slots without a
// name here stay empty (transparent).
#pragma once

namespace ovx {

// The name of the bitmap resource that holds the pictures side by side.
constexpr char kToolBarImagesResource[] = "TOOLBARIMAGES";
constexpr int ToolBarImageSize = 16;
// The transparent colour of the bitmap (0x00BBGGRR).
constexpr unsigned ToolBarImageMaskColor = 0x00FF00FF;

enum TToolBarImage : int {
  imNone = -1,
  imNewFile = 0,
  imOpenFile = 1,
  imHistoryEntry = 2,      // a file of the history menus
  imSaveFile = 3,
  imCut = 4,
  imCopy = 5,
  imPaste = 6,
  imUndo = 7,
  imRedo = 8,
  imSearchData = 9,
  imReplaceData = 10,
  imSearchPrev = 11,
  imSearchNext = 12,
  imCompareFile = 13,
  imCompareWindow = 14,
  imComparePresent = 15,
  imCompareQuit = 16,
  imComparePrev = 17,
  imCompareNext = 18,
  imOption = 19,
  imOpenHelp = 20,
  imClose = 21,
  imDelete = 22,
  imSelectAll = 23,
  imSaveAllFile = 24,
  imReload = 25,
  imAddressJump = 26,
  imAllCodeSearch = 27,
  imWindowEntry = 46,      // a window of the window menus
  imMoreWindows = 48,      // "& : more..."
  imInfoMode = 59,         // the status bar's menu panel
  ToolBarImageCount = 60,
};

}  // namespace ovx
