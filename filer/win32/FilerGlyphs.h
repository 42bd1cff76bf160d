// The pictures of the filer tool's buttons: one character each, drawn once into an image list.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace ovx {

// Images in this order: open, re-read, apply, help, close, jump to the data's address.
enum TFilerGlyph : int { fgOpen, fgRefresh, fgApply, fgHelp, fgClose, fgJump, FilerGlyphCount };

// A masked image list, 16 × 16 at 96 DPI and as much larger as the DPI; the caller destroys it.
HIMAGELIST CreateFilerGlyphs(int dpi);

// The icons of the template-open dialog's rows: parent folder, folder, template file.
HIMAGELIST CreateFilerListIcons(int dpi);

}  // namespace ovx
