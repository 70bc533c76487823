// A small plant recording for the toolkit tests, installed as the recording
// of server PLANT1 under a fresh host root.
#pragma once

#include <string>

#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace ravelin::testing {

inline const char kSampleRecording[] = R"(ravelin-recording 1
# HART pressure transmitter
revision 000026 0122 0a hart
  param tag type=9 label=Tag
  param damping type=4 itemid=0x4001 index=2 label=Damping help="Damping time" units=s
  param transfer_function type=6 index=3
    enum 0 Linear
    enum 1 "Square root"
  param range kind=109 itemid=0x4010 index=4
    member upper type=4 index=1
    member units_code type=6 index=2
  dynamic 1 label=PV
    member DIGITAL_UNITS type=6
      enum 12 kPa
      enum 7 bar
      enum 1 inH2O
    member ANALOG_VALUE type=4 units=mA

# Two fieldbus revisions of the same device type, both below the HART one
revision 000026 0122 05 fieldbus
  block 1 name=OLD_TRANSDUCER
revision 000026 0122 07 fieldbus
  block 0
  block 1 name=TRANSDUCER label="Pressure transducer"
    param PRIMARY_UNITS type=6 itemid=0x20001 index=10
      enum 1133 kPa
      enum 1130 Pa
    param SCALE kind=109 itemid=0x20002 index=11
      member EU_100 type=4 index=1
      member EU_0 type=4 index=2
    param SERIAL type=9
    param TOTAL type=5 units=m3

device 000026 0122 0a hart id=HART-1 tag=PT-101 blockkey=7
  view 104
    value Param!damping 1.5
    value Param!tag "PT 101"
    value ItemArray!dynamic_variables!Element!1!Member!DIGITAL_UNITS 12
device 000026 0122 07 fieldbus serial=0000260122SN1 tag=FT-200
  view 104
    value BlkId!1!Param!PRIMARY_UNITS 1133
    value BlkId!1!Param!TOTAL 1234.5
config 000026 0122 0a hart name="PT template"
  view 111
    value Param!damping 2.5
  view 104
    value Param!damping 0.5
)";

// A host root whose recordings folder holds `text` as the recording of
// `server`; the platform answers with that root while the object lives.
class SamplePlant {
 public:
  explicit SamplePlant(const std::string& text = kSampleRecording,
                       const std::wstring& server = L"PLANT1")
      : platform_(dir_.Path()) {
    Write(server, text);
  }

  std::wstring Write(const std::wstring& server, const std::string& text) const {
    return dir_.Write(JoinPath(L"recordings", server + L".rec"), text);
  }

 private:
  TempDir dir_;
  FakePlatform platform_;
};

}  // namespace ravelin::testing
