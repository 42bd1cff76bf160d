// The platform's file system with failures on demand: each set code is returned instead of
// doing the operation.
#pragma once

#include <string>
#include <vector>

#include "model/FileSystem.h"

namespace ovx::test {

class TFaultFileSystem final : public TFileSystem {
 public:
  int deleteFails = 0;
  int renameFails = 0;
  int writeFails = 0;  // creating any file for writing, and replacing one
  int openFails = 0;
  std::vector<std::string> calls;  // "Delete <name>", "Rename <from> > <to>" in order

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
    calls.push_back("Delete " + name);
    return deleteFails ? deleteFails : real_.Delete(name);
  }
  int Rename(const std::string& from, const std::string& to) override {
    calls.push_back("Rename " + from + " > " + to);
    return renameFails ? renameFails : real_.Rename(from, to);
  }
  int Replace(const std::string& from, const std::string& to) override {
    return writeFails ? writeFails : real_.Replace(from, to);
  }
  int FileTooLargeCode() const override { return real_.FileTooLargeCode(); }

 private:
  TFileSystem& real_ = PlatformFileSystem();
};

}  // namespace ovx::test
