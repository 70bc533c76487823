// Profile lookups per second on a 200-key file: the parsed file alone, the
// cached lookup by file name (one file-status check per lookup) and, in the
// Windows build, the system's GetPrivateProfileStringW on the same file.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/Text.h"
#include "platform/Platform.h"
#include "platform/Profile.h"

#ifdef _WIN32
#include <windows.h>
#endif

using namespace ravelin;

namespace {

template <typename Lookup>
double PerSecond(int count, Lookup lookup) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) lookup(i);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return count / took.count();
}

}  // namespace

int main() {
  const int kKeys = 200;
  std::string content = "[IDENTIFICATION]\r\nManufacturer=9c\r\n[PARAMETER MAP]\r\n";
  std::vector<std::wstring> keys;
  for (int i = 0; i < kKeys; ++i) {
    keys.push_back(L"Key Number " + std::to_wstring(i));
    content += "Key Number " + std::to_string(i) + "=Param!value_" + std::to_string(i) + "\r\n";
  }
  const auto dir = std::filesystem::temp_directory_path() / "ravelin-bench-profile";
  std::filesystem::create_directories(dir);
  const std::wstring path = (dir / "bench.ini").wstring();
  std::ofstream(FsPath(path), std::ios::binary) << content;

  const ProfileFile parsed(content);
  wchar_t buffer[260];
  const int kLookups = 200000;
  const double inMemory = PerSecond(kLookups, [&](int i) {
    parsed.GetString(L"PARAMETER MAP", keys[i % kKeys].c_str(), L"", buffer, 260);
  });
  const double byName = PerSecond(kLookups, [&](int i) {
    ProfileString(path, L"PARAMETER MAP", keys[i % kKeys], L"");
  });
  std::printf("profile lookups on a %d-key file\n", kKeys);
  std::printf("  parsed file:             %12.0f lookups/s\n", inMemory);
  std::printf("  by file name (cached):   %12.0f lookups/s\n", byName);
#ifdef _WIN32
  const int kApiLookups = 20000;
  const double api = PerSecond(kApiLookups, [&](int i) {
    GetPrivateProfileStringW(L"PARAMETER MAP", keys[i % kKeys].c_str(), L"", buffer,
                             260, path.c_str());
  });
  std::printf("  GetPrivateProfileStringW: %11.0f lookups/s\n", api);
#endif
  std::filesystem::remove_all(dir);
  return 0;
}
