// The recorded plant the mapping page tests read: a HART transmitter with
// one enumerated parameter for each page and a fieldbus temperature block.
#pragma once

#include "mapfile/MapFileInformation.h"

namespace ravelin::testing {

inline constexpr char kPagesRecording[] = R"(revision 000026 0122 0a hart
  param pressure_type type=6
    enum 107 Gauge
    enum 108 Absolute
    enum 109 Differential
    enum 5 Sealed
  param transfer_function type=6
    enum 0 Linear
    enum 1 "Square root"
  param probe_type type=6
    enum 12 "Pt 100"
    enum 300 Custom
  param wires type=6
    enum 2 Two
    enum 3 Three
  param total_units type=6
    enum 40 Gallons
    enum 41 Liters
    enum 240 Barrels
  dynamic 1 label=PV
    member DIGITAL_UNITS type=6
      enum 12 kPa
      enum 7 bar
      enum 254 Special
revision 000026 0123 01 fieldbus
  block 1 name=TRANSDUCER
    param PRIMARY_UNITS type=6
      enum 1000 K
      enum 999 Odd
    param SENSOR_TYPE type=6
      enum 104 "Pt 100"
      enum 500 Other
    param SENSOR_CONNECTION type=6
      enum 2 "Two wires"
      enum 3 "Three wires"
device 000026 0122 0a hart id=HART-1 tag=PT-101
device 000026 0123 01 fieldbus serial=SN1 tag=TT-200
)";

// The HART transmitter, every page's parameter named.
inline CMapFileInformation PagesHartModel() {
  CMapFileInformation model(L"PT-101", L"!ID!HART-1!Hart", L"PLANT1", 0x26, 0x122, 0xa, 0);
  model.m_strPressMeasParam = L"Param!pressure_type";
  model.m_strTransferFuncParam = L"Param!transfer_function";
  model.m_strProbeTypeParam = L"Param!probe_type";
  model.m_strNumWiresParam = L"Param!wires";
  model.m_strTotalizerUnitsParam = L"Param!total_units";
  return model;
}

}  // namespace ravelin::testing
