// Menu pictures: the images of ToolBarImages as bitmaps on the menu's background colour,
// made once per image and kept until the owner goes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>

namespace ovx {

class TMenuImages {
 public:
  explicit TMenuImages(HIMAGELIST images) : images_(images) {}
  ~TMenuImages();
  TMenuImages(const TMenuImages&) = delete;
  TMenuImages& operator=(const TMenuImages&) = delete;
  // Null without an image list or for an index outside it; kBlank gives an empty picture of
  // the same size in the menu's colour.
  HBITMAP Get(int index);

  // Items of a menu with pictures that have none of their own carry the empty one, so that
  // every system measures their captions from the same place: Wine leaves the pictures' width
  // out of the measure of an item without one yet draws its caption after it, so the caption
  // ran into its shortcut or its submenu arrow. Never for check and radio items: Windows
  // shows a checked picture instead of the check mark.
  static constexpr int kBlank = -1;

 private:
  HIMAGELIST images_;
  std::map<int, HBITMAP> bitmaps_;
};

}  // namespace ovx
