#include "model/SafeReplace.h"

namespace ovx {
namespace {

// The lowest temporary name of the target whose file does not exist; empty when all are taken.
std::string FreeTemporaryName(const std::string& target, TFileSystem& fs) {
  for (int n = 0; n < kTemporaryNames; ++n) {
    std::string name = TemporaryFileName(target, n);
    if (!fs.Exists(name)) return name;
  }
  return {};
}

// `oldContent`, the old file set aside by this save, goes without the save waiting for it.
void RemoveTemporaryFiles(const std::string& target, const std::string& oldContent, TFileSystem& fs) {
  for (int n = 0; n < kTemporaryNames; ++n) {
    const std::string name = TemporaryFileName(target, n);
    if (name == oldContent) fs.DeleteLater(name);
    else if (fs.Exists(name)) fs.Delete(name);  // one that cannot go now goes with a later save
  }
}

}  // namespace

std::string TemporaryFileName(const std::string& target, int number) {
  return target + ".~" + std::to_string(number) + ".tmp";
}

int CreateTemporaryFile(const std::string& target, TFileSystem& fs, std::string& temporary,
                        std::unique_ptr<TFile>& file) {
  temporary = FreeTemporaryName(target, fs);
  // Every name taken by a stray that could not be deleted: creating the last one says so.
  if (temporary.empty()) temporary = TemporaryFileName(target, kTemporaryNames - 1);
  return fs.CreateNew(temporary, file);
}

TPlaceResult PutInPlace(const std::string& temporary, const std::string& target, const std::string& backup,
                        TFileSystem& fs) {
  std::string setAside;
  if (!fs.Exists(target)) {
    if (const int error = fs.Replace(temporary, target, {}); error != 0) return {poUntouched, error};
  } else {
    const std::string aside = backup.empty() ? FreeTemporaryName(target, fs) : backup;
    if (backup.empty()) setAside = aside;
    if (const int error = fs.Replace(temporary, target, aside); error != 0) {
      if (fs.Exists(target)) return {poUntouched, error};
      // The old content moved aside but the new content did not follow: finish the move, or
      // else put the old content back under its name.
      if (fs.Replace(temporary, target, {}) != 0) {
        const bool restored = !aside.empty() && fs.Rename(aside, target) == 0;
        return {restored ? poUntouched : poStranded, error};
      }
    }
  }
  RemoveTemporaryFiles(target, setAside, fs);
  return {poPlaced, 0};
}

}  // namespace ovx
