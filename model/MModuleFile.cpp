// Loading a document from a file and saving it to one.
#include <algorithm>
#include <memory>
#include <new>

#include "model/MModule.h"
#include "model/SafeReplace.h"

namespace ovx {

namespace {

constexpr std::size_t At(std::int32_t i) { return static_cast<std::size_t>(i); }

// One descriptor per 4096 bytes, rounded up to whole steps of 256.
std::size_t DescriptorsFor(std::int64_t bytes) {
  const std::int64_t pages = (bytes + kBlockSize - 1) / kBlockSize;
  const std::int64_t steps = (pages + kTableGrowth - 1) / kTableGrowth;
  return static_cast<std::size_t>(std::max<std::int64_t>(steps, 1) * kTableGrowth);
}

// Raises the progress text on construction and the empty text when the operation ends.
class TProgressScope {
 public:
  TProgressScope(TMemoryModule& module, const char* text) : module_(module) {
    if (module_.OnProgress) module_.OnProgress(module_, text);
  }
  ~TProgressScope() {
    if (module_.OnProgress) module_.OnProgress(module_, std::string());
  }

 private:
  TMemoryModule& module_;
};

}  // namespace

int TMemoryModule::LoadFromFile(const std::string& name, TFileSystem& fs) {
  try {
    return ReadFromFile(name, fs);
  } catch (const std::bad_alloc&) {
    // A file whose content cannot be held leaves an empty document, as any other failed load;
    // the user learns that memory ran out, not that the file passed the size limit.
    Clear();
    return fs.OutOfMemoryCode();
  }
}

int TMemoryModule::ReadFromFile(const std::string& name, TFileSystem& fs) {
  std::unique_ptr<TFile> file;
  int error;
  {
    TProgressScope progress(*this, "読み込み実行中...");
    Clear();
    error = fs.OpenRead(name, file);
    if (error != 0) return error;
    std::int64_t fileSize = 0;
    error = file->Size(fileSize);
    if (error != 0) return error;
    if (fileSize > kMaxDocumentSize) return fs.FileTooLargeCode();
    // The table takes the whole file once the first slab is shown: writing a large table first
    // would keep the first rows off the screen.
    const std::size_t wholeTable = DescriptorsFor(fileSize);
    ResetTable(std::min(wholeTable, DescriptorsFor(static_cast<std::int64_t>(kSlabBytes))));

    std::int64_t total = 0;
    std::int32_t previous = -1;
    // The first slab is shown while the rest loads: its chain ends there, and the slabs after it
    // form a chain of their own that joins it when the whole file is in.
    std::int32_t shownTail = -1;
    std::int32_t restHead = -1;
    for (;;) {
      // A whole slab at a time, read straight into the memory of its blocks.
      std::uint8_t* slab = pool_.AllocateSlab();
      if (slab == nullptr) throw std::bad_alloc();  // ends the load for want of memory
      std::size_t got = 0;
      error = file->Read(slab, kSlabBytes, got);
      if (error == 0 && total + static_cast<std::int64_t>(got) > kMaxDocumentSize) error = fs.FileTooLargeCode();
      const std::size_t pieces = error != 0 ? 0 : (got + kPieceBytes - 1) / kPieceBytes;
      for (std::size_t i = pieces; i < kSlabBlocks; ++i) pool_.Free(slab + i * kPieceBytes);
      if (error != 0) break;
      for (std::size_t i = 0; i < pieces; ++i) {
        std::int32_t b = TakeFreeDescriptor();  // grows the table only when the file grew meanwhile
        TBlockDescriptor& d = table_[At(b)];
        d.data = slab + i * kPieceBytes;
        d.used = static_cast<std::int32_t>(std::min(kPieceBytes, got - i * kPieceBytes));
        d.previous = previous == shownTail ? -1 : previous;
        if (previous < 0) {
          head_ = b;
        } else if (previous == shownTail) {
          restHead = b;
        } else {
          table_[At(previous)].next = b;
        }
        previous = b;
      }
      blockCount_ += static_cast<std::int32_t>(pieces);
      total += static_cast<std::int64_t>(got);
      if (got < kSlabBytes) break;
      if (OnLoadStep) {
        if (shownTail < 0) {
          shownTail = previous;
          RebuildIndex();
          Recount(0);
        }
        if (!OnLoadStep(*this, total, fileSize)) {
          error = kLoadCancelled;
          break;
        }
      }
      GrowTable(wholeTable);
    }
    if (error != 0) {
      // A load that fails part way, or is ended, leaves nothing half loaded.
      Clear();
      return error;
    }
    if (restHead >= 0) {
      table_[At(shownTail)].next = restHead;
      table_[At(restHead)].previous = shownTail;
    }
    RebuildIndex();
  }
  Recount(0);
  return 0;
}

int TMemoryModule::SaveToTemporary(const std::string& name, std::string& temporary, TFileSystem& fs) {
  TProgressScope progress(*this, "書き込み中...");
  std::unique_ptr<TFile> file;
  int error = CreateTemporaryFile(name, fs, temporary, file);
  if (error != 0) return error;
  for (std::int32_t b = head_; b >= 0 && error == 0; b = table_[At(b)].next) {
    const TBlockDescriptor& d = table_[At(b)];
    error = file->Write(d.data, static_cast<std::size_t>(d.used));
  }
  if (error == 0) error = file->Flush();
  int closeError = file->Close();
  if (error == 0) error = closeError;
  file.reset();
  if (error != 0) fs.Delete(temporary);
  return error;
}

int TMemoryModule::SaveToFile(const std::string& name, TFileSystem& fs) {
  std::string temporary;
  if (const int error = SaveToTemporary(name, temporary, fs); error != 0) return error;
  const TPlaceResult placed = PutInPlace(temporary, name, {}, fs);
  if (placed.outcome == poUntouched) fs.Delete(temporary);
  return placed.error;
}

}  // namespace ovx
