// The key/value store of the settings on Windows: the registry under HKEY_CURRENT_USER.
// Implemented in the Win32 layer only.
#pragma once

#include <memory>

#include "shell/KeyValueStore.h"

namespace ovx {

std::unique_ptr<TKeyValueStore> CreateRegistryStore();

}  // namespace ovx
