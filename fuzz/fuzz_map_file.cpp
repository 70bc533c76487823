// Any bytes as a map file: the model reads them and writes them back out
// without crashing or hanging.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "mapfile/MapFileInformation.h"
#include "platform/HostRoot.h"
#include "platform/Platform.h"

using namespace ravelin;

namespace {

// A host root whose HART and fieldbus DD roots are one folder, so both
// protocols find the same map file.
std::wstring MapFilePath() {
  static const std::wstring path = [] {
    const auto root = std::filesystem::temp_directory_path() / "ravelin-fuzz-map-file";
    const auto devices = root / "dd" / "000001" / "0001";
    std::filesystem::create_directories(devices);
    std::ofstream(root / "velk.ini", std::ios::binary)
        << "[INSTALLATION]\r\nDevicePath=" << (root / "dd").string()
        << "\r\nDevicePathFF=" << (root / "dd").string() << "\r\n";
    SetHostRoot(root.wstring());
    return (devices / "0101.map").wstring();
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::wstring path = MapFilePath();
  {
    std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }
  // A fresh time stamp for every input: the profile cache must not serve the
  // previous input's content when both have the same size.
  static auto stamp = std::filesystem::file_time_type::clock::now();
  stamp += std::chrono::seconds(1);
  std::filesystem::last_write_time(FsPath(path), stamp);

  const CMapFileInformation model(L"TAG", L"!ID!TAG!Hart", L"PLANT", 1, 1, 1, data[0] & 1);
  model.WriteMapFile();
  return 0;
}
