// The pictures of the filer tool's buttons: one character each, drawn once into an image list.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace ovx {

// Images in this order: open, re-read, apply, help, close, jump to the data's address.
enum TFilerGlyph : int { fgOpen, fgRefresh, fgApply, fgHelp, fgClose, fgJump, FilerGlyphCount };

// A 16 × 16 masked image list; the caller destroys it.
HIMAGELIST CreateFilerGlyphs();

// The icons of the template-open dialog's rows: parent folder, folder, template file.
HIMAGELIST CreateFilerListIcons();

}  // namespace ovx
