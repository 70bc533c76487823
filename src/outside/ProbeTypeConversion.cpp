// Common probe (temperature sensor) types.
//
// Sources: the element names and coefficients of the IEC 60751 (platinum,
// alpha 0.00385), JIS C 1604 (alpha 0.003916) and related resistance
// thermometer curves, and the letter types of IEC 60584 and DIN 43710
// thermocouples. The code numbering is this table's own, grouped so that the
// map file model can tell the block type from the code: 11-81 resistance
// thermometers, 131-147 thermocouples, the rest plain electrical inputs and
// custom curves. The fieldbus probe type translation of the map file model
// maps the fieldbus sensor types onto these codes.
#include "outside/Conversions.h"

namespace ravelin {
namespace {

const CodeTable& ProbeTypeTable() {
  static const CodeTable table{
      {1, L"Ohms"}, {2, L"Volts"}, {3, L"Milliamps"},
      {11, L"Pt10 a=385"}, {12, L"Pt100 a=385"}, {13, L"Pt200 a=385"},
      {14, L"Pt500 a=385"}, {15, L"Pt1000 a=385"},
      {21, L"Pt50 a=391"}, {22, L"Pt100 a=391"},
      {31, L"Pt10 a=3916"}, {32, L"Pt100 a=3916"}, {33, L"Pt200 a=3916"},
      {34, L"Pt500 a=3916"}, {35, L"Pt1000 a=3916"},
      {40, L"Pt100 a=3902"}, {41, L"Pt200 a=3902"}, {42, L"Pt1000 a=3902"},
      {51, L"Pt100 a=3923"},
      {61, L"Ni100 a=618"}, {62, L"Ni120 a=618"}, {63, L"Ni500 a=618"},
      {64, L"Ni1000 a=618"},
      {71, L"Cu10 a=428"}, {72, L"Cu50 a=428"}, {73, L"Cu10 a=427"},
      {74, L"Cu100 a=427"},
      {80, L"Ni120 a=672"}, {81, L"Ni1000 a=672"},
      {128, L"Ohms Custom"}, {129, L"Millivolts"}, {130, L"Volts Custom"},
      {131, L"TC Type B"}, {132, L"TC Type C"}, {133, L"TC Type D"},
      {134, L"TC Type E"}, {135, L"TC Type G"}, {136, L"TC Type J"},
      {137, L"TC Type K"}, {138, L"TC Type N"}, {139, L"TC Type R"},
      {140, L"TC Type S"}, {141, L"TC Type T"}, {142, L"TC Type L (DIN)"},
      {143, L"TC Type U (DIN)"}, {144, L"TC Type L (GOST)"},
      {145, L"TC Type A1"}, {146, L"TC Type A2"}, {147, L"TC Type A3"},
      {220, L"User Defined 1"}, {221, L"User Defined 2"},
      {222, L"User Defined 3"}, {223, L"User Defined 4"},
      {250, L"Not Used"}, {251, L"None"}, {252, L"Unknown"},
      {253, L"Special"},
      {256, L"Callendar-Van Dusen"}, {257, L"Custom Curve 1"},
      {258, L"Custom Curve 2"}, {259, L"Custom Curve 3"},
      {260, L"Custom Curve 4"}, {261, L"Custom Curve 5"},
      {262, L"Custom Curve 6"},
  };
  return table;
}

}  // namespace

CProbeTypeConversion::CProbeTypeConversion()
    : CCommonConversions(ProbeTypeTable()) {}

}  // namespace ravelin
