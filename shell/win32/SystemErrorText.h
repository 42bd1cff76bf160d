// The system's own text for an error code, as a message box shows it.
#pragma once

#include <string>

namespace ovx {

// UTF-8, without the trailing line break; "エラー N" when the system has no text for it.
std::string SystemErrorText(int code);

}  // namespace ovx
