#pragma once
// A fresh temporary directory for one test, removed with everything in it when the object ends.
// Works natively and under Wine: paths come in this build's own form ("\\" on Windows, "/" on POSIX).
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace vorlane::test {

class TempDir {
 public:
  TempDir() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device entropy;
    std::mt19937_64 random(entropy() ^ static_cast<std::uint64_t>(
                                           std::chrono::steady_clock::now().time_since_epoch().count()));
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::filesystem::path candidate = base / ("vorlane-test-" + std::to_string(random() % 100000000));
      std::error_code error;
      if (std::filesystem::create_directory(candidate, error)) {
        path_ = candidate;
        return;
      }
    }
    throw std::runtime_error("cannot create a temporary directory");
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory itself, without a trailing separator.
  std::u16string Path() const { return path_.u16string(); }
  const std::filesystem::path& FsPath() const { return path_; }

  // `relative` ("a/b.txt"; "/" separates) below the directory, in this build's form.
  std::u16string Join(std::u16string_view relative) const { return Resolve(relative).u16string(); }

  // Creates the file (and its directories) with exactly these bytes.
  void WriteFile(std::u16string_view relative, std::string_view bytes) const {
    const std::filesystem::path file = Resolve(relative);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write a test file");
  }

  // The file's bytes; empty when it cannot be read.
  std::string ReadFile(std::u16string_view relative) const {
    std::ifstream in(Resolve(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  bool Exists(std::u16string_view relative) const { return std::filesystem::exists(Resolve(relative)); }

  void MakeDir(std::u16string_view relative) const { std::filesystem::create_directories(Resolve(relative)); }

 private:
  std::filesystem::path Resolve(std::u16string_view relative) const {
    return (path_ / std::filesystem::path(std::u16string(relative))).make_preferred();
  }

  std::filesystem::path path_;
};

}  // namespace vorlane::test
