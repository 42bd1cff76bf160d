#include "shell/win32/SettingsPlatform.h"

#include <windows.h>

#include <vector>

#include "model/FileSystem.h"
#include "shell/LongPath.h"
#include "shell/RegistryStore.h"

namespace ovx {

std::string ExecutableFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) {
      std::wstring path(buffer.data(), n);
      path.erase(path.find_last_of(L'\\') + 1);
      int size = WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0, nullptr, nullptr);
      std::string out(static_cast<std::size_t>(size), '\0');
      WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), out.data(), size, nullptr, nullptr);
      return out;
    }
    buffer.resize(buffer.size() * 2);
  }
}

TSettingsPlatform Win32SettingsPlatform(TUserPrompt& prompt, std::function<void()> firstRun) {
  static const std::unique_ptr<TKeyValueStore> registry = CreateRegistryStore();
  TSettingsPlatform p;
  p.Files = &PlatformFileSystem();
  p.Registry = registry.get();
  p.Prompt = &prompt;
  p.ProgramFolder = ExecutableFolder();
  p.LongPathName = ExpandLongPathName;
  p.FirstRun = std::move(firstRun);
  return p;
}

}  // namespace ovx
