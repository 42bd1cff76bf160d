// Saving over a file so that, wherever the program may be stopped, the file's name holds either
// its old or its new content: the new content is written and flushed to a temporary file beside
// the target first, and only then takes the target's place in one step of the file system. The old
// content is never deleted before the new content is in place: it moves to the backup name, or,
// when no backup is kept, to a temporary name that is deleted afterwards.
//
// Temporary names: "<target>.~N.tmp" in the target's folder, N being the lowest number from 0 to
// kTemporaryNames - 1 whose file does not exist. The program saves one file at a time and renames
// or deletes its temporary files as the save ends (the old content set aside a moment later), so
// such a file is found only when an earlier save of the same target was stopped part way (a killed
// process, a power cut); every successful save of the target deletes all of them.
#pragma once

#include <memory>
#include <string>

#include "model/FileSystem.h"

namespace ovx {

constexpr int kTemporaryNames = 16;

// "<target>.~N.tmp".
std::string TemporaryFileName(const std::string& target, int number);

// Creates a new temporary file for a save of target and names it in `temporary`.
int CreateTemporaryFile(const std::string& target, TFileSystem& fs, std::string& temporary,
                        std::unique_ptr<TFile>& file);

enum TPlaceOutcome : unsigned char {
  poPlaced,     // the target holds the new content (and the backup, when named, the old)
  poUntouched,  // the target still holds its old content; the temporary file is still there
  poStranded,   // the old content moved away and neither content could be put back under the
                // target's name: the temporary file is kept, since it may be the only copy
};

struct TPlaceResult {
  TPlaceOutcome outcome;
  int error;  // 0 when placed, else the platform's error code of the failing step
};

// Puts the finished temporary file in the target's place, the old content going to `backup` when
// that is not empty. After a successful save no temporary file of the target is left, but for the
// old content set aside when no backup is kept, which is deleted without waiting (DeleteLater).
TPlaceResult PutInPlace(const std::string& temporary, const std::string& target, const std::string& backup,
                        TFileSystem& fs);

}  // namespace ovx
