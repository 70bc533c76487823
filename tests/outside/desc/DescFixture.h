// A host root with a HART and a fieldbus DD tree, map files written as text
// and a recording of server PLANT1, for the device description library.
#pragma once

#include <string>

#include "base/Text.h"
#include "outside/comm/VelkToolkit.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace ravelin::testing {

inline const char kDescRecording[] = R"(ravelin-recording 1
revision 000026 0007 03 hart
  param SENSOR_SELECT type=6
    enum 0 RTD
    enum 1 TC
  param OFFSET type=3
  param LABEL type=9
device 000026 0007 03 hart id=D1 tag=TT-1
  view 104
    value Param!SENSOR_SELECT 1
    value Param!OFFSET 40
    value Param!LABEL text
)";

class DescFixture {
 public:
  DescFixture() : platform(root.Path()) {
    root.Write(L"velk.ini", "[INSTALLATION]\r\nDevicePath=" + ToUtf8(root.Join(L"hart")) +
                                "\r\nDevicePathFF=" + ToUtf8(root.Join(L"ff")) + "\r\n");
    root.Write(JoinPath(L"recordings", L"PLANT1.rec"), kDescRecording);
  }

  // Writes `text` (lines joined with CR LF) at a path below the host root.
  std::wstring MapFile(const std::wstring& relative, const std::string& text) {
    return root.Write(relative, text);
  }

  // A cursor on device D1 of PLANT1.
  CVelkToolkit DeviceCursor() {
    CVelkToolkit toolkit;
    toolkit.NewRoot(L"\\\\PLANT1", 0);
    toolkit.SetView(104);
    toolkit.Item(&toolkit, L"!ID!D1!Hart");
    return toolkit;
  }

  TempDir root;
  FakePlatform platform;
};

inline std::wstring Under(std::initializer_list<std::wstring> parts) {
  std::wstring path;
  for (const auto& part : parts) path = path.empty() ? part : JoinPath(path, part);
  return path;
}

}  // namespace ravelin::testing
