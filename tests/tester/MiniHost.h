// A small host for tester tests: a temporary host root with velk.ini, the
// host's profile values, a recording of plant server PLANT1 and map files
// below the HART and fieldbus DD roots.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "base/Text.h"
#include "outside/comm/VelkToolkit.h"
#include "outside/desc/LumendescBase.h"
#include "outside/desc/MapFile.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace ravelin::testing {

// Lines joined with CR LF, as map files are written.
inline std::string CrLf(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

class MiniHost {
 public:
  MiniHost() {
    const std::string dd = ToUtf8(HartRoot());
    const std::string ff = ToUtf8(FieldbusRoot());
    dir.Write(L"velk.ini", CrLf({"[INSTALLATION]", ("DevicePath=" + dd).c_str(),
                                 ("DevicePathFF=" + ff).c_str(), "[Tarn Server 1]",
                                 "Computer Name=PLANT1"}));
    dir.Write(L"VelkProfile.ini",
              CrLf({"[INSTALLATION]", ("DevicePath=" + dd).c_str(),
                    ("DevicesFolder=" + ToUtf8(dir.Join(L"reports"))).c_str(),
                    "[Tarn Server 1]", "Computer Name=PLANT1"}));
  }

  std::wstring HartRoot() const { return dir.Join(L"dd"); }
  std::wstring FieldbusRoot() const { return dir.Join(L"ddff"); }
  std::wstring ReportPath() const {
    return JoinPath(dir.Join(L"reports"), L"MapFileTestResults.txt");
  }

  void Recording(const std::string& text) const {
    dir.Write(L"recordings/PLANT1.rec", "ravelin-recording 1\n" + text);
  }

  // The map file of a device revision (DD revision 1, no symbol files),
  // usable for calibration unless the lines say otherwise. Returns its path.
  // `identification` adds lines to the IDENTIFICATION section.
  std::wstring MapFile(uint32_t manufacturer, uint32_t deviceType, uint32_t revision,
                       const std::string& body, bool fieldbus = false,
                       const std::string& identification = "") const {
    const std::wstring relative =
        Format(L"%s/%06x/%04x/%02x01.map", fieldbus ? L"ddff" : L"dd", manufacturer,
               deviceType, revision);
    return dir.Write(relative, Identification() + identification + body);
  }
  std::wstring GenericMapFile(const std::string& body, bool fieldbus = false) const {
    return dir.Write(fieldbus ? L"ddff/Generic/Generic.map" : L"dd/Generic/Generic.map",
                     Identification() + body);
  }

  TempDir dir;
  FakePlatform platform{dir.Path()};

 private:
  static std::string Identification() {
    return CrLf({"[IDENTIFICATION]", "Use for CalMgmt=Yes", "Use for Export=Yes"});
  }
};

// A device opened as the driver opens it, on plant server `server`, for
// running one checker.
struct OpenDevice {
  OpenDevice(DeviceIdentification identification, const std::wstring& moniker, int32_t view,
             int32_t blockKey = -1, const std::wstring& server = L"PLANT1")
      : mapFile(identification, &toolkit, L"Use for CalMgmt", &kind, true, true),
        info(blockKey, 0.0, &mapFile, &toolkit) {
    toolkit.NewRoot(L"\\\\" + server,
                    identification.protocol == kIdentProtocolFieldbus ? 1 : 0);
    toolkit.Item(&toolkit, moniker);
    toolkit.SetView(view);
  }
  CVelkToolkit toolkit;
  int32_t kind = 0;
  CMapFile mapFile;
  CLumendescBase info;
};

inline DeviceIdentification HartIdentity(uint32_t manufacturer, uint16_t deviceType,
                                         uint8_t revision) {
  DeviceIdentification id;
  id.manufacturer = manufacturer;
  id.deviceType = deviceType;
  id.deviceRevision = revision;
  return id;
}

}  // namespace ravelin::testing
