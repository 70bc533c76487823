// The small common code tables.
//
// Sources: transfer functions follow the transfer function codes of the HART
// common tables. The number of wires uses the texts of the wizard's number of
// wires pick dialog. Pressure measurement types, cold junction compensation,
// probe connection and wave form are this library's own tables; their
// numbering matches the defaults map files carry (probe connection 1 and cold
// junction compensation 1 are the single-sensor, internally compensated
// case) and the fieldbus pressure types 107-109 map onto 0-2. Every table
// shares the HART special codes 250-253.
#include "outside/Conversions.h"

namespace ravelin {
namespace {

#define RAVELIN_SPECIAL_CODES \
  {250, L"Not Used"}, {251, L"None"}, {252, L"Unknown"}, {253, L"Special"}

const CodeTable& TransferFuncTable() {
  static const CodeTable table{
      {0, L"Linear"}, {1, L"Square Root"}, {2, L"Square Root 3rd Power"},
      {3, L"Square Root 5th Power"}, {4, L"Special Curve"}, {5, L"Square"},
      RAVELIN_SPECIAL_CODES,
  };
  return table;
}

const CodeTable& NumWiresTable() {
  static const CodeTable table{
      {2, L"2 wires"}, {3, L"3 wires"}, {4, L"4 wires"}, RAVELIN_SPECIAL_CODES,
  };
  return table;
}

const CodeTable& PressMeasTypeTable() {
  static const CodeTable table{
      {0, L"Gauge"}, {1, L"Absolute"}, {2, L"Differential"},
      {3, L"Sealed Gauge"}, {4, L"Compound"}, {5, L"Vacuum"}, {6, L"Level"},
      RAVELIN_SPECIAL_CODES,
  };
  return table;
}

const CodeTable& CjcTable() {
  static const CodeTable table{
      {0, L"No Compensation"}, {1, L"Internal"}, {2, L"External"},
      {3, L"Fixed Temperature"}, RAVELIN_SPECIAL_CODES,
  };
  return table;
}

const CodeTable& ProbeConnectTable() {
  static const CodeTable table{
      {1, L"Single Sensor"}, {2, L"Differential"}, {3, L"Average"},
      {4, L"Backup"}, {5, L"Sensor 2 Only"}, RAVELIN_SPECIAL_CODES,
  };
  return table;
}

const CodeTable& WaveFormTable() {
  static const CodeTable table{
      {0, L"Sine"}, {1, L"Square"}, {2, L"Triangle"}, {3, L"Sawtooth"},
      {4, L"Pulse"}, RAVELIN_SPECIAL_CODES,
  };
  return table;
}

#undef RAVELIN_SPECIAL_CODES

}  // namespace

CTransferFuncConversion::CTransferFuncConversion()
    : CCommonConversions(TransferFuncTable()) {}
CNumWiresConversion::CNumWiresConversion()
    : CCommonConversions(NumWiresTable()) {}
CPressMeasTypeConversion::CPressMeasTypeConversion()
    : CCommonConversions(PressMeasTypeTable()) {}
CCJCConversion::CCJCConversion() : CCommonConversions(CjcTable()) {}
CProbeConnectConversion::CProbeConnectConversion()
    : CCommonConversions(ProbeConnectTable()) {}
CWaveFormConversion::CWaveFormConversion()
    : CCommonConversions(WaveFormTable()) {}

}  // namespace ravelin
