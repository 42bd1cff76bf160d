#include "shell/win32/CommandListResource.h"

namespace ovx {

std::string LoadCommandListResource(HMODULE module) {
  HRSRC info = FindResourceW(module, L"IDM_CMDLIST", RT_RCDATA);
  if (!info) return {};
  HGLOBAL handle = LoadResource(module, info);
  const void* data = handle ? LockResource(handle) : nullptr;
  if (!data) return {};
  return std::string(static_cast<const char*>(data), SizeofResource(module, info));
}

}  // namespace ovx
