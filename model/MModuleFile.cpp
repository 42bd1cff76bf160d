// Loading a document from a file and saving it to one.
#include <memory>

#include "model/MModule.h"

namespace ovx {

namespace {

constexpr std::size_t At(std::int32_t i) { return static_cast<std::size_t>(i); }

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

// A name for the temporary file beside the target that does not exist yet.
std::string TemporaryNameFor(const std::string& target, TFileSystem& fs) {
  for (unsigned n = 0;; ++n) {
    std::string name = target + ".~" + std::to_string(n) + ".tmp";
    if (!fs.Exists(name) || n == 999) return name;
  }
}

}  // namespace

int TMemoryModule::LoadFromFile(const std::string& name, TFileSystem& fs) {
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
    // One descriptor per 4096 bytes, rounded up to whole steps of 256.
    std::int64_t pages = (fileSize + kBlockSize - 1) / kBlockSize;
    std::int64_t steps = (pages + kTableGrowth - 1) / kTableGrowth;
    ResetTable(static_cast<std::size_t>(std::max<std::int64_t>(steps, 1) * kTableGrowth));

    std::int64_t total = 0;
    std::int32_t previous = -1;
    for (;;) {
      // Read first: a file that ends on a block edge needs no descriptor for its end.
      std::unique_ptr<std::uint8_t[]> data(new std::uint8_t[kBlockSize]);
      std::size_t got = 0;
      error = file->Read(data.get(), kBlockSize, got);
      if (error == 0 && total + static_cast<std::int64_t>(got) > kMaxDocumentSize) error = fs.FileTooLargeCode();
      if (error != 0 || got == 0) break;
      std::int32_t b = TakeFreeDescriptor();  // grows the table only when the file grew meanwhile
      TBlockDescriptor& d = table_[At(b)];
      d.data = data.release();
      d.used = static_cast<std::int32_t>(got);
      d.previous = previous;
      if (previous < 0) {
        head_ = b;
      } else {
        table_[At(previous)].next = b;
      }
      previous = b;
      ++blockCount_;
      total += static_cast<std::int64_t>(got);
      if (got < static_cast<std::size_t>(kBlockSize)) break;
    }
    if (error != 0) {
      // A load that fails part way leaves nothing half loaded.
      Clear();
      return error;
    }
    RebuildIndex();
  }
  Recount(0);
  return 0;
}

int TMemoryModule::SaveToFile(const std::string& name, TFileSystem& fs) {
  TProgressScope progress(*this, "書き込み中...");
  // The target is replaced only by a complete, flushed copy, so a failure never costs the old file.
  const std::string temporary = TemporaryNameFor(name, fs);
  std::unique_ptr<TFile> file;
  int error = fs.CreateNew(temporary, file);
  if (error != 0) return error;
  for (std::int32_t b = head_; b >= 0 && error == 0; b = table_[At(b)].next) {
    const TBlockDescriptor& d = table_[At(b)];
    error = file->Write(d.data, static_cast<std::size_t>(d.used));
  }
  if (error == 0) error = file->Flush();
  int closeError = file->Close();
  if (error == 0) error = closeError;
  file.reset();
  if (error == 0) error = fs.Replace(temporary, name);
  if (error != 0) fs.Delete(temporary);
  return error;
}

}  // namespace ovx
