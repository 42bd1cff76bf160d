#include "view/win32/Win32ViewClipboard.h"

#include <algorithm>
#include <cstring>

namespace ovx {
namespace {

// Copies the data of one format out of an open clipboard; false when there is none.
bool ReadFormat(UINT format, std::vector<std::uint8_t>& out) {
  HANDLE data = GetClipboardData(format);
  if (data == nullptr) return false;
  const SIZE_T size = GlobalSize(data);
  const void* p = GlobalLock(data);
  if (p == nullptr) return false;
  const auto* bytes = static_cast<const std::uint8_t*>(p);
  out.assign(bytes, bytes + size);
  GlobalUnlock(data);
  return true;
}

// Another program may hold the clipboard for a moment (a clipboard viewer reading what we
// just put there): try again for about a tenth of a second before giving up.
bool OpenClipboardPatiently(HWND owner) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(5);
  }
  return false;
}

bool ReadClipboard(HWND owner, UINT format, std::vector<std::uint8_t>& out) {
  if (!OpenClipboardPatiently(owner)) return false;
  const bool ok = ReadFormat(format, out);
  CloseClipboard();
  return ok;
}

}  // namespace

UINT TWin32ViewClipboard::PrivateFormat() {
  static const UINT format = RegisterClipboardFormatW(L"Ovnx Clipboard Format");
  return format;
}

bool TWin32ViewClipboard::PutPrivate(const std::vector<std::uint8_t>& block) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, std::max<SIZE_T>(block.size(), 1));
  if (memory == nullptr) return false;
  void* p = GlobalLock(memory);
  if (p == nullptr) {
    GlobalFree(memory);
    return false;
  }
  if (!block.empty()) std::memcpy(p, block.data(), block.size());
  GlobalUnlock(memory);
  if (!OpenClipboardPatiently(owner_)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool placed = SetClipboardData(PrivateFormat(), memory) != nullptr;
  CloseClipboard();
  if (!placed) GlobalFree(memory);  // the clipboard owns it only once placed
  return placed;
}

bool TWin32ViewClipboard::HasPrivate() { return IsClipboardFormatAvailable(PrivateFormat()) != 0; }
bool TWin32ViewClipboard::HasText() { return IsClipboardFormatAvailable(CF_TEXT) != 0; }

bool TWin32ViewClipboard::GetPrivate(std::vector<std::uint8_t>& block) {
  return ReadClipboard(owner_, PrivateFormat(), block);
}

bool TWin32ViewClipboard::GetText(std::string& bytes) {
  std::vector<std::uint8_t> raw;
  if (!ReadClipboard(owner_, CF_TEXT, raw)) return false;
  const auto end = std::find(raw.begin(), raw.end(), 0);
  bytes.assign(raw.begin(), end);
  return true;
}

}  // namespace ovx
