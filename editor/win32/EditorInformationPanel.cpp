// The information panel of an editor window follows the caret, the selection and the size,
// and the open dialogs that capture values get them at the same time.
#include "editor/win32/EditorWindow.h"
#include "shell/win32/InputTraceFile.h"
#include "view/win32/BEditor.h"

namespace ovx {

void TOvnxBinaryFormWClass::UpdateInformationPanel() {
  const TTracedPart part("information panel");
  UpdateToolBar();
  const TBinaryViewCore& view = editor_->Core();
  TInformationInput in;
  in.caretAddress = view.CaretAddress();
  const TSelection selection = view.GetSelection();
  in.selectionStart = selection.start;
  in.selectionEnd = selection.end;
  in.size = view.Module().Size();
  const TCaretBytes peek = view.PeekCaretBytes();
  in.available = peek.available;
  for (int i = 0; i < 4; ++i) in.bytes[i] = peek.bytes[i];
  in.byteOrder = state_.settings.infoByteOrder;
  if (PartVisible(panelInformation_)) information_.Show(InformationTexts(in));
  const TCaptureValues values = CaptureValuesOf(in);
  captureFeed_.SetLast(values);
  captureFeed_.Feed(values);
}

}  // namespace ovx
