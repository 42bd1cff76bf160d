// An in-memory file system holding named byte strings, for loading templates in tests.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "model/FileSystem.h"

namespace ovx::test {

class TMemoryFileSystem : public TFileSystem {
 public:
  std::map<std::string, std::string> files;
  static constexpr int kNotFound = 2;
  static constexpr int kNotSupported = 50;

  int OpenRead(const std::string& name, std::unique_ptr<TFile>& file) override {
    auto it = files.find(name);
    if (it == files.end()) return kNotFound;
    file = std::make_unique<TReader>(it->second);
    return 0;
  }
  int Create(const std::string&, std::unique_ptr<TFile>&) override { return kNotSupported; }
  int CreateNew(const std::string&, std::unique_ptr<TFile>&) override { return kNotSupported; }
  bool Exists(const std::string& name) override { return files.count(name) != 0; }
  int Delete(const std::string&) override { return kNotSupported; }
  int Rename(const std::string&, const std::string&) override { return kNotSupported; }
  int Replace(const std::string&, const std::string&, const std::string&) override { return kNotSupported; }
  int FileTooLargeCode() const override { return 223; }

 private:
  class TReader : public TFile {
   public:
    explicit TReader(std::string data) : data_(std::move(data)) {}
    int Size(std::int64_t& size) override {
      size = static_cast<std::int64_t>(data_.size());
      return 0;
    }
    int Read(void* buffer, std::size_t n, std::size_t& got) override {
      got = std::min(n, data_.size() - pos_);
      data_.copy(static_cast<char*>(buffer), got, pos_);
      pos_ += got;
      return 0;
    }
    int Write(const void*, std::size_t) override { return kNotSupported; }
    int Flush() override { return 0; }
    int Close() override { return 0; }

   private:
    std::string data_;
    std::size_t pos_ = 0;
  };
};

}  // namespace ovx::test
