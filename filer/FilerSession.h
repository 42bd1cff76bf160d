// Re-read and apply of a loaded template: the order in which the initialisation list, the
// fields and the end list meet the document, with the undo groups closed around them.
#pragma once

#include <vector>

#include "filer/FilerFields.h"
#include "filer/FilerLayout.h"
#include "filer/FilerParser.h"
#include "filer/FilerTarget.h"
#include "model/UserPrompt.h"

namespace ovx {

// The document of the editor window that owns a filer tool.
class TFilerDocument : public TFilerTarget {
 public:
  // The following writes form an undo group of their own.
  virtual void CloseUndoGroup() = 0;
  // The editor window shows the document's new content.
  virtual void Refresh() = 0;
};

struct TFilerProgram {
  TFilerCommandList initialize, edit, finalize;
  TFilerLayout layout;
  // One value per field of the layout.
  std::vector<TFilerFieldValue> values;
};

// Parses the edit list into pages and gives every field its starting value.
void LayOutFilerProgram(TFilerProgram& program, const TFilerMeasure& measure);

// Runs the initialisation list (unless view-only) and reads every field. False when there are
// no pages, and nothing happened.
bool RereadFiler(TFilerProgram& program, TFilerDocument& document, TUserPrompt& prompt);

// Writes the fields the user changed since the last read, runs the end list, and counts the
// fields unchanged again. False when there are no pages or the view is view-only, and nothing happened.
bool ApplyFiler(TFilerProgram& program, TFilerDocument& document, TUserPrompt& prompt);

}  // namespace ovx
