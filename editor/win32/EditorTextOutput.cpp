// テキスト形式で出力: the selection, or the whole document, dumped into a text file.
#include "editor/TextFileWriter.h"
#include "editor/win32/EditorWindow.h"
#include "editor/win32/FileDialogs.h"
#include "shell/win32/SystemErrorText.h"
#include "view/win32/BEditor.h"

namespace ovx {

void TOvnxBinaryFormWClass::TextOutputCommand() {
  const TBinaryViewCore& view = editor_->Core();
  if (view.Module().Size() == 0) return;
  std::string name;
  if (!RunWindowFileDialog(fdTextSave, "テキスト形式で出力", name)) return;
  const TSelection selection = view.GetSelection();
  const std::int32_t start = selection.active ? selection.start : 0;
  const std::int32_t count = selection.active ? selection.end - selection.start : view.Module().Size();
  const int error = WriteTextFile(name, [this, start, count](const TTextLineSink& sink) {
    editor_->OnTextLine = sink;
    editor_->TextOutput(start, count);
  });
  editor_->OnTextLine = nullptr;
  if (error != 0)
    prompt_.MessageDlg("テキスト形式出力中に例外が発生しました.\r\n" + SystemErrorText(error), mtError, mbAbort);
}

}  // namespace ovx
