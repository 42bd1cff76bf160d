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
  // Null without an image list or for an index outside it.
  HBITMAP Get(int index);

 private:
  HIMAGELIST images_;
  std::map<int, HBITMAP> bitmaps_;
};

}  // namespace ovx
