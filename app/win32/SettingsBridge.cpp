// The main process window's side of the settings store.
#include "shell/LongPath.h"
#include "app/win32/MainProcessWindow.h"
#include "charset/StrUty.h"
#include "shell/win32/InstanceConnection.h"
#include "shell/win32/SettingsPlatform.h"

namespace ovx {

// Names are kept, compared and shown as full paths, never relative to a current folder that
// file dialogs and the filer tool move.
std::string TMainProcessWindow::LongPathName(const std::string& name) {
  return ExpandLongPathName(WideToUtf8(FullPathName(Utf8ToWide(name))));
}

void TMainProcessWindow::AddHistory(const std::string& name) { store_->AddHistory(name); }

void TMainProcessWindow::CreateSettingsStore() {
  // The first run shows the shortcut maintenance dialog before anything else is on screen.
  store_ = std::make_unique<TSettingsStore>(Win32SettingsPlatform(prompt_, [this] { ShowShortcutDialog(nullptr); }));
}

}  // namespace ovx
