#include "app/DialogPlacement.h"

#include "shell/ShellTexts.h"

namespace ovx {

TScreenRect PlaceDialog(TPixelSize dialog, const std::optional<TScreenRect>& reference, const TScreenRect& workArea) {
  const TScreenRect& over = reference ? *reference : workArea;
  const TPlacement p = CenterInArea(over.left, over.top, over.Width(), over.Height(), dialog.width, dialog.height);
  const TScreenRect centred{p.left, p.top, p.left + dialog.width, p.top + dialog.height};
  return reference ? KeepInWorkArea(centred, workArea) : centred;
}

}  // namespace ovx
