#include "view/win32/Win32ViewClipboard.h"

#include <algorithm>

namespace ovx {
bool OpenClipboardPatiently(HWND owner) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(5);
  }
  return false;
}

namespace {

// The clipboard held open until the end of the scope, however it is left: a paste that runs
// out of memory while the clipboard's data is read must not keep it from every other program.
class TOpenClipboard {
 public:
  explicit TOpenClipboard(HWND owner) : open_(OpenClipboardPatiently(owner)) {}
  ~TOpenClipboard() {
    if (open_) CloseClipboard();
  }
  TOpenClipboard(const TOpenClipboard&) = delete;
  TOpenClipboard& operator=(const TOpenClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

// A global memory block locked until the end of the scope.
class TLockedGlobal {
 public:
  explicit TLockedGlobal(HGLOBAL memory) : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr) {}
  ~TLockedGlobal() {
    if (data_) GlobalUnlock(memory_);
  }
  TLockedGlobal(const TLockedGlobal&) = delete;
  TLockedGlobal& operator=(const TLockedGlobal&) = delete;
  std::uint8_t* Data() const { return static_cast<std::uint8_t*>(data_); }

 private:
  HGLOBAL memory_;
  void* data_;
};

bool ReadFormat(HWND owner, UINT format, const TClipboardRead& read) {
  TOpenClipboard clipboard(owner);
  if (!clipboard.IsOpen()) return false;
  HANDLE data = GetClipboardData(format);
  const TLockedGlobal locked(data);
  if (!locked.Data()) return false;
  read(locked.Data(), GlobalSize(data));
  return true;
}

}  // namespace

UINT TWin32ViewClipboard::PrivateFormat() {
  static const UINT format = RegisterClipboardFormatW(L"Ovnx Clipboard Format");
  return format;
}

TClipboardPut TWin32ViewClipboard::PutPrivate(std::size_t size, const TClipboardFill& fill) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, std::max<SIZE_T>(size, 1));
  if (memory == nullptr) return cpOutOfMemory;
  try {
    const TLockedGlobal locked(memory);
    if (!locked.Data()) {
      GlobalFree(memory);
      return cpOutOfMemory;
    }
    fill(locked.Data());
  } catch (...) {
    GlobalFree(memory);
    throw;
  }
  TOpenClipboard clipboard(owner_);
  if (!clipboard.IsOpen()) {
    GlobalFree(memory);
    return cpNotPlaced;
  }
  EmptyClipboard();
  if (SetClipboardData(PrivateFormat(), memory) == nullptr) {
    GlobalFree(memory);  // the clipboard owns it only once placed
    return cpNotPlaced;
  }
  return cpPlaced;
}

bool TWin32ViewClipboard::HasPrivate() { return IsClipboardFormatAvailable(PrivateFormat()) != 0; }
bool TWin32ViewClipboard::HasText() { return IsClipboardFormatAvailable(CF_TEXT) != 0; }

bool TWin32ViewClipboard::ReadPrivate(const TClipboardRead& read) { return ReadFormat(owner_, PrivateFormat(), read); }
bool TWin32ViewClipboard::ReadText(const TClipboardRead& read) { return ReadFormat(owner_, CF_TEXT, read); }

}  // namespace ovx
