#include "shell/ProfileFile.h"

#include <cstdint>
#include <cstring>
#include <memory>

#include "model/FileSystem.h"

namespace ovx {
namespace {

constexpr std::size_t kSignatureSize = 12;
constexpr std::size_t kHeaderSize = kSignatureSize + 8;
constexpr std::size_t kProfileSize = 32;
// A profile file is a few kilobytes; anything past this is not one.
constexpr std::int64_t kLargestImage = 64 * 1024 * 1024;

void PutInt32(std::string& out, std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) out += static_cast<char>((u >> (8 * i)) & 0xFF);
}

std::int32_t GetInt32(const std::string& in, std::size_t at) {
  std::uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= std::uint32_t(static_cast<unsigned char>(in[at + i])) << (8 * i);
  return static_cast<std::int32_t>(u);
}

void PutProfile(std::string& out, const TWindowProfile& p) {
  for (std::int32_t v : {p.Left, p.Top, p.ClientWidth, p.ClientHeight, p.TopRow, p.CaretRow, p.CaretColumn})
    PutInt32(out, v);
  out += static_cast<char>(p.CaretDigit);
  out += static_cast<char>(p.CaretArea);
  out.append(2, '\0');
}

TWindowProfile GetProfile(const std::string& in, std::size_t at) {
  TWindowProfile p;
  std::int32_t* fields[] = {&p.Left, &p.Top, &p.ClientWidth, &p.ClientHeight, &p.TopRow, &p.CaretRow, &p.CaretColumn};
  for (std::int32_t* f : fields) {
    *f = GetInt32(in, at);
    at += 4;
  }
  p.CaretDigit = static_cast<std::uint8_t>(in[at]);
  p.CaretArea = static_cast<std::uint8_t>(in[at + 1]);
  return p;
}

}  // namespace

std::string EncodeProfileFile(const std::vector<TProfileRecord>& records) {
  std::size_t size = kHeaderSize;
  for (const auto& r : records) size += 4 + r.NameBytes.size() + kProfileSize;
  std::string out;
  out.reserve(size);
  out.append(ProfileSignature, kSignatureSize);
  PutInt32(out, static_cast<std::int32_t>(records.size()));
  PutInt32(out, static_cast<std::int32_t>(size));
  for (const auto& r : records) {
    PutInt32(out, static_cast<std::int32_t>(r.NameBytes.size()));
    out += r.NameBytes;
    PutProfile(out, r.Profile);
  }
  return out;
}

bool DecodeProfileFile(const std::string& image, std::vector<TProfileRecord>& records) {
  records.clear();
  if (image.size() < kHeaderSize || std::memcmp(image.data(), ProfileSignature, kSignatureSize) != 0) return false;
  std::int32_t count = GetInt32(image, kSignatureSize);
  std::int32_t size = GetInt32(image, kSignatureSize + 4);
  if (size < 0 || static_cast<std::uint64_t>(size) != image.size()) return false;
  std::size_t at = kHeaderSize;
  for (std::int32_t i = 0; i < count; ++i) {
    std::size_t left = image.size() - at;
    if (left < 4 + kProfileSize) break;
    std::int32_t n = GetInt32(image, at);
    if (n < 0 || static_cast<std::size_t>(n) > left - 4 - kProfileSize) break;
    at += 4;
    TProfileRecord r;
    r.NameBytes = image.substr(at, static_cast<std::size_t>(n));
    at += static_cast<std::size_t>(n);
    r.Profile = GetProfile(image, at);
    at += kProfileSize;
    records.push_back(std::move(r));
  }
  return true;
}

int ReadWholeFile(TFileSystem& fs, const std::string& name, std::string& image) {
  image.clear();
  std::unique_ptr<TFile> file;
  if (int rc = fs.OpenRead(name, file)) return rc;
  std::int64_t size = 0;
  if (int rc = file->Size(size)) return rc;
  if (size < 0 || size > kLargestImage) return fs.FileTooLargeCode();
  image.resize(static_cast<std::size_t>(size));
  std::size_t got = 0;
  if (int rc = file->Read(image.data(), image.size(), got)) return rc;
  image.resize(got);
  return file->Close();
}

int WriteWholeFile(TFileSystem& fs, const std::string& name, const std::string& image) {
  const std::string temp = name + ".new";
  std::unique_ptr<TFile> file;
  int rc = fs.Create(temp, file);
  if (rc == 0) rc = file->Write(image.data(), image.size());
  if (rc == 0) rc = file->Flush();
  if (rc == 0) rc = file->Close();
  file.reset();
  if (rc == 0) rc = fs.Replace(temp, name, {});
  if (rc != 0 && fs.Exists(temp)) fs.Delete(temp);
  return rc;
}

}  // namespace ovx
