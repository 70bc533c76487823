// Map files per second: writing a typical map file, reading it into a fresh
// model (the profile reader's cache holds the parsed file), and writing then
// reading it, so that every read parses the new file.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "mapfile/MapFileInformation.h"
#include "platform/HostRoot.h"
#include "platform/Platform.h"

using namespace ravelin;

namespace {

constexpr int kRounds = 10000;

template <typename Step>
void Measure(const char* what, Step step) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRounds; ++i) step();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("  %-28s %8.3f s  %8.1f us/file  %9.0f files/s\n", what, took.count(),
              took.count() * 1e6 / kRounds, kRounds / took.count());
}

CMapFileInformation TypicalDevice() {
  // A HART pressure transmitter with its units mapped and a totalizer.
  CMapFileInformation model(L"PT-101", L"!ID!PT-101!Hart", L"PLANT1", 0x9c, 7, 3, 0);
  model.m_nInputBlockType = 5;
  model.m_bPressMeasDefault = false;
  model.m_strPressMeasParam = L"Param!pressure_type";
  for (int32_t code : {107, 108, 109}) model.SetPressMeasMapping(code, model.FieldbusPressMeasToCommon(code));
  for (int32_t code : {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 237, 238, 239}) {
    model.SetUnitsMapping(code, code);
  }
  model.m_bTotalizer = true;
  model.m_strTotalizerUnitsParam = L"Param!totalizer_units";
  model.m_strTotalizerValueParam = L"Param!totalizer_value";
  for (int32_t code : {40, 41, 42, 43}) model.SetTotalizerUnitsMapping(code, code);
  return model;
}

}  // namespace

int main() {
  const auto root = std::filesystem::temp_directory_path() / "ravelin-bench-mapfile";
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root / "dd" / "00009c" / "0007");
  std::ofstream(root / "dd" / "00009c" / "0007" / "0302.sym");
  std::ofstream(root / "velk.ini", std::ios::binary)
      << "[INSTALLATION]\r\nDevicePath=" << (root / "dd").string() << "\r\n";
  SetHostRoot(root.wstring());

  const CMapFileInformation model = TypicalDevice();
  model.WriteMapFile();
  std::printf("map file of %ju bytes, %d rounds\n",
              std::filesystem::file_size(FsPath(model.GetMapFilePath())), kRounds);
  Measure("write", [&] { model.WriteMapFile(); });
  Measure("read (parsed file cached)", [] {
    CMapFileInformation(L"PT-101", L"!ID!PT-101!Hart", L"PLANT1", 0x9c, 7, 3, 0);
  });
  Measure("write, then read", [&] {
    model.WriteMapFile();
    CMapFileInformation(L"PT-101", L"!ID!PT-101!Hart", L"PLANT1", 0x9c, 7, 3, 0);
  });
  std::filesystem::remove_all(root);
  return 0;
}
