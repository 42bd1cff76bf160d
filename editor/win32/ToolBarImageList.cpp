#include "editor/win32/ToolBarImageList.h"

#include "charset/StrUty.h"
#include "editor/ToolBarImages.h"

namespace ovx {

HIMAGELIST LoadToolBarImages(HINSTANCE instance) {
  const std::wstring name = Utf8ToWide(kToolBarImagesResource);
  const COLORREF mask = RGB(ToolBarImageMaskColor & 0xFF, (ToolBarImageMaskColor >> 8) & 0xFF,
                            (ToolBarImageMaskColor >> 16) & 0xFF);
  return ImageList_LoadImageW(instance, name.c_str(), ToolBarImageSize, 0, mask, IMAGE_BITMAP, LR_CREATEDIBSECTION);
}

}  // namespace ovx
