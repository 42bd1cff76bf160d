// A fresh folder under the system's temporary folder, removed with everything in it at the end.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace ovx::test {

class TTempFolder {
 public:
  TTempFolder() {
    static std::atomic<unsigned> counter{0};
    std::random_device seed;
    const auto base = std::filesystem::temp_directory_path();
    do {
      path_ = base / ("ovx-test-" + std::to_string(seed()) + "-" + std::to_string(counter++));
    } while (!std::filesystem::create_directory(path_));
  }
  ~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  std::filesystem::path Path(const std::string& leaf) const { return path_ / leaf; }
  // The UTF-8 name the core's file functions take.
  std::string Name(const std::string& leaf) const {
    const auto text = Path(leaf).u8string();
    return std::string(text.begin(), text.end());
  }

  void Write(const std::string& leaf, const std::string& content) const {
    std::ofstream out(Path(leaf), std::ios::binary | std::ios::trunc);
    out << content;
  }
  bool Exists(const std::string& leaf) const { return std::filesystem::exists(Path(leaf)); }
  // The content of the file, or "<missing>" when there is none.
  std::string Read(const std::string& leaf) const {
    std::ifstream in(Path(leaf), std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Number of entries in the folder (so stray temporary files show).
  int Count() const {
    int n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(path_)) ++n;
    return n;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace ovx::test
