// The platform's file system with failures on demand: each set code is returned instead of
// doing the operation.
#pragma once

#include <string>

#include "model/DocumentFile.h"
#include "model/FileSystem.h"

namespace ovx::test {

class TFaultFileSystem final : public TFileSystem {
 public:
  int backupDeleteFails = 0;  // deleting a ".bak" file
  int backupFails = 0;        // a replace that would keep the old content under a ".bak" name
  int writeFails = 0;         // creating any file for writing, and replacing one
  int openFails = 0;

  int OpenRead(const std::string& name, std::unique_ptr<TFile>& file) override {
    return openFails ? openFails : real_.OpenRead(name, file);
  }
  int Create(const std::string& name, std::unique_ptr<TFile>& file) override {
    return writeFails ? writeFails : real_.Create(name, file);
  }
  int CreateNew(const std::string& name, std::unique_ptr<TFile>& file) override {
    return writeFails ? writeFails : real_.CreateNew(name, file);
  }
  bool Exists(const std::string& name) override { return real_.Exists(name); }
  int Delete(const std::string& name) override {
    return backupDeleteFails && HasBakExtension(name) ? backupDeleteFails : real_.Delete(name);
  }
  int Rename(const std::string& from, const std::string& to) override { return real_.Rename(from, to); }
  int Replace(const std::string& from, const std::string& to, const std::string& backup) override {
    if (writeFails) return writeFails;
    if (backupFails && HasBakExtension(backup)) return backupFails;
    return real_.Replace(from, to, backup);
  }
  int FileTooLargeCode() const override { return real_.FileTooLargeCode(); }
  // Words of its own, so that a test sees which code reached the user.
  std::string ErrorText(int code) const override { return "reason " + std::to_string(code); }

 private:
  TFileSystem& real_ = PlatformFileSystem();
};

}  // namespace ovx::test
