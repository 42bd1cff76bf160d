// The system's own text for a Win32 error code, as a message box shows it.
#pragma once

#include <string>

namespace ovx {

// UTF-8, without the trailing line break; "エラー N" when the system has no text for it.
std::string Win32ErrorText(int code);

}  // namespace ovx
