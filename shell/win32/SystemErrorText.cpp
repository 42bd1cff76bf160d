#include "shell/win32/SystemErrorText.h"

#include "model/win32/Win32ErrorText.h"

namespace ovx {

// The document's file system words its failures the same way.
std::string SystemErrorText(int code) { return Win32ErrorText(code); }

}  // namespace ovx
