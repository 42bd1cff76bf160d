#include "filer/FilerSession.h"

#include "filer/FilerRunner.h"

namespace ovx {

void LayOutFilerProgram(TFilerProgram& program, const TFilerMeasure& measure) {
  program.layout = LayoutFilerPages(program.edit, measure);
  program.values.clear();
  for (const TFilerField& field : program.layout.fields) program.values.push_back(InitialFilerFieldValue(field));
}

bool RereadFiler(TFilerProgram& program, TFilerDocument& document, TUserPrompt& prompt) {
  if (program.layout.pages.empty()) return false;
  const bool writable = !document.ViewOnly();
  if (writable) {
    document.CloseUndoGroup();
    RunFilerSection(program.initialize, document, prompt);
  }
  for (std::size_t i = 0; i < program.layout.fields.size(); ++i)
    ReadFilerField(program.layout.fields[i], program.values[i], document);
  if (writable) {
    document.CloseUndoGroup();
    document.Refresh();
  }
  return true;
}

bool ApplyFiler(TFilerProgram& program, TFilerDocument& document, TUserPrompt& prompt) {
  if (program.layout.pages.empty() || document.ViewOnly()) return false;
  document.CloseUndoGroup();
  for (std::size_t i = 0; i < program.layout.fields.size(); ++i) {
    WriteFilerField(program.layout.fields[i], program.values[i], document);
    program.values[i].changed = false;
  }
  RunFilerSection(program.finalize, document, prompt);
  document.CloseUndoGroup();
  document.Refresh();
  return true;
}

}  // namespace ovx
