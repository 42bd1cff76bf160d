// Reading the command list back from the program's resources.
#pragma once

#include <windows.h>

#include <string>

namespace ovx {

// The bytes of the resource "IDM_CMDLIST" (type RCDATA, UTF-8 text without a
// byte order mark) of the module, nullptr for the running program; empty
// when the module has no such resource.
std::string LoadCommandListResource(HMODULE module = nullptr);

}  // namespace ovx
