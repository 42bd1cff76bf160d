// The editor window's filer command: the template-open dialog on the folder "filer" beside the
// program, then the filer tool over this window's document.
#include "editor/win32/EditorWindow.h"
#include "filer/win32/DlgFilerOpen.h"
#include "filer/win32/ToolFiler.h"
#include "shell/LongPath.h"
#include "shell/win32/SettingsPlatform.h"

namespace ovx {

HWND TOvnxBinaryFormWClass::CreateFilerTool() {
  TFilerToolOwner owner;
  owner.window = hwnd_;
  owner.editor = editor_.get();
  owner.prompt = &host_.Prompt();
  owner.waits = this;
  owner.helpFile = host_.HelpFile();
  owner.dpi = dpi_;
  owner.filerFolder = ExpandLongPathName(ExecutableFolder() + "filer");
  std::string path;
  {
    TWaitScope wait(this);
    if (!ExecuteDlgFilerOpen(hwnd_, owner.filerFolder, path)) return nullptr;
  }
  return TToolFiler::Create(owner, path);
}

}  // namespace ovx
