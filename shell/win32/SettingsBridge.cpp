// The main process window's side of the settings store.
#include "editor/win32/WideText.h"
#include "model/FileSystem.h"
#include "shell/LongPath.h"
#include "shell/RegistryStore.h"
#include "shell/win32/MainProcessWindow.h"

namespace ovx {

std::string TMainProcessWindow::LongPathName(const std::string& name) { return ExpandLongPathName(name); }

void TMainProcessWindow::AddHistory(const std::string& name) { store_->AddHistory(name); }

void TMainProcessWindow::CreateSettingsStore() {
  wchar_t path[MAX_PATH * 2];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  std::wstring exe(path, n);
  registry_ = CreateRegistryStore();
  TSettingsPlatform platform;
  platform.Files = &PlatformFileSystem();
  platform.Registry = registry_.get();
  platform.Prompt = &prompt_;
  platform.ProgramFolder = WideToUtf8(exe.substr(0, exe.find_last_of(L'\\') + 1));
  platform.LongPathName = ExpandLongPathName;
  // The first run shows the shortcut maintenance dialog once that dialog exists.
  store_ = std::make_unique<TSettingsStore>(platform);
}

}  // namespace ovx
