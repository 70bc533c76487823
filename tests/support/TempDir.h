// A fresh directory under the system's temporary folder, removed with its
// content when the test ends.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/Text.h"
#include "platform/Platform.h"

namespace ravelin::testing {

class TempDir {
 public:
  TempDir() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("ravelin-test-" + std::to_string(stamp) + "-" +
             std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory as the core names paths (wide, platform separator).
  std::wstring Path() const { return path_.wstring(); }
  std::wstring Join(const std::wstring& name) const { return JoinPath(Path(), name); }

  // Writes bytes to a file below the directory, creating folders on the way.
  std::wstring Write(const std::wstring& name, const std::string& bytes) const {
    const std::wstring full = Join(name);
    std::filesystem::create_directories(FsPath(full).parent_path());
    std::ofstream out(FsPath(full), std::ios::binary | std::ios::trunc);
    out << bytes;
    return full;
  }

 private:
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(FsPath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace ravelin::testing
