// The profile file "_profile": the window profiles of recently closed files.
// Little-endian: the signature "Ovnx_Profile" (12 bytes), int32 count, int32 total size,
// then per record an int32 name length n, the n bytes of the name in the ANSI code
// page (no terminator) and the 32-byte TWindowProfile.
#pragma once

#include <string>
#include <vector>

#include "shell/Settings.h"

namespace ovx {

class TFileSystem;

inline constexpr char ProfileFileName[] = "_profile";
inline constexpr char ProfileSignature[] = "Ovnx_Profile";

// One record as stored: the name is in the ANSI code page's bytes.
struct TProfileRecord {
  std::string NameBytes;
  TWindowProfile Profile;
};

// The whole file for these records, in their order.
std::string EncodeProfileFile(const std::vector<TProfileRecord>& records);

// The records of a file image. False, with no records, when the signature is missing or the
// size field does not equal the image's size. A record that would run past the end (its name
// length negative or too large for what is left) ends the reading: the records before it are
// kept.
bool DecodeProfileFile(const std::string& image, std::vector<TProfileRecord>& records);

// Reads the whole file into `image`. 0 or the file system's error code.
int ReadWholeFile(TFileSystem& fs, const std::string& name, std::string& image);

// Writes the image as the whole new content of the file. It goes to a temporary file
// beside it first, which then replaces the file, so a failed write leaves the old file.
int WriteWholeFile(TFileSystem& fs, const std::string& name, const std::string& image);

}  // namespace ovx
