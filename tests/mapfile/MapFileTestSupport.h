// A host installation for map file tests: a temporary Windows directory with
// velk.ini naming a HART and a fieldbus DD root, both below the directory.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "../support/FakePlatform.h"
#include "../support/TempDir.h"
#include "base/Text.h"
#include "mapfile/MapFileInformation.h"

namespace ravelin::testing {

class MapFileHost {
 public:
  MapFileHost() : platform_(dir_.Path()) {
    dir_.Write(L"velk.ini", ToCp1252(L"[INSTALLATION]\r\nDevicePath=" + HartRoot() +
                                     L"\r\nDevicePathFF=" + FieldbusRoot() + L"\r\n"));
  }

  std::wstring HartRoot() const { return dir_.Join(L"dd"); }
  std::wstring FieldbusRoot() const { return dir_.Join(L"ddff"); }
  const TempDir& Dir() const { return dir_; }

  // Creates the device directory of the model and a symbol file in it.
  void InstallSymbolFile(const CMapFileInformation& model, const std::wstring& name) const {
    WriteFile(JoinPath(model.GetDeviceDirectory(), name), "");
  }

  // Writes raw bytes as the model's map file, creating its directory.
  void WriteMapFile(const CMapFileInformation& model, const std::string& bytes) const {
    WriteFile(model.GetMapFilePath(), bytes);
  }

  static void WriteFile(const std::wstring& path, const std::string& bytes) {
    std::filesystem::create_directories(FsPath(path).parent_path());
    std::ofstream(FsPath(path), std::ios::binary | std::ios::trunc) << bytes;
  }

 private:
  TempDir dir_;
  FakePlatform platform_;
};

// A model of a device without a map file yet, so that the constructor keeps
// its defaults.
inline CMapFileInformation HartModel(uint32_t manufacturer = 0x9c, uint32_t type = 7,
                                     uint32_t revision = 3) {
  return CMapFileInformation(L"PT-101", L"!ID!PT-101!Hart", L"PLANT1", manufacturer, type,
                             revision, 0);
}

inline CMapFileInformation FieldbusModel(uint32_t manufacturer = 0x9c, uint32_t type = 7,
                                         uint32_t revision = 3) {
  return CMapFileInformation(L"TT-201", L"!PhysicalDevice!TT-201", L"PLANT1", manufacturer,
                             type, revision, 1);
}

}  // namespace ravelin::testing
