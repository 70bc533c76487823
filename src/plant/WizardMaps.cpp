// Map files the wizard itself could have written: the model is filled as
// the wizard's pages would fill it, then written by WriteMapFile.
#include "mapfile/MapFileInformation.h"
#include "plant/MapKinds.h"

namespace ravelin::plant {
namespace {

constexpr wchar_t kPv[] = L"ItemArray!dynamic_variables!Element!1!Member!";

std::wstring Pv(const wchar_t* member) { return kPv + std::wstring(member); }

// A HART device's ranges and units from its primary variable.
void HartRanges(CMapFileInformation& m) {
  m.m_strUrvParam = Pv(L"UPPER_RANGE_VALUE");
  m.m_strLrvParam = Pv(L"LOWER_RANGE_VALUE");
  m.m_strUnitsParam = Pv(L"DIGITAL_UNITS");
  m.m_bUrvDefault = m.m_bLrvDefault = m.m_bUnitsDefault = false;
  m.m_strTagParam = L"Param!tag";
}

// A fieldbus transducer block's ranges and units.
void FieldbusRanges(CMapFileInformation& m, int32_t blockIndex) {
  m.m_nBlockIndex = blockIndex;
  m.m_strUrvParam = L"Param!SCALE!Member!EU_100";
  m.m_strLrvParam = L"Param!SCALE!Member!EU_0";
  m.m_strUnitsParam = L"Param!PRIMARY_UNITS";
  m.m_bUrvDefault = m.m_bLrvDefault = m.m_bUnitsDefault = false;
  for (int32_t code : {1133, 1137, 1141}) {
    m.SetUnitsMapping(code, m.FieldbusUnitsToCommon(code));
  }
}

}  // namespace

// Pressure with a 4-20 mA output. The units map leaves DD code 237 out and
// the device describes 7 as "BAR" and 1 as "inH2O@68F": one unmapped code,
// one exact match by case only, one non-exact name.
void HartPressureModel(CMapFileInformation& m) {
  HartRanges(m);
  m.SetUnitsMapping(12, 12);  // kPa
  m.SetUnitsMapping(7, 7);    // bar
  m.SetUnitsMapping(1, 1);    // inH2O @68F
  m.m_nInputBlockType = 5;
  m.m_bPressMeasDefault = false;
  m.m_strPressMeasParam = L"Param!pressure_type";
  m.SetPressMeasMapping(0, 0);
  m.SetPressMeasMapping(1, 1);
  m.m_bTransferFuncDefault = false;
  m.m_strTransferFuncParam = L"Param!transfer_function";
  m.SetTransferFuncMapping(0, 0);
  m.SetTransferFuncMapping(1, 1);
  m.m_bDampingDefault = true;
  m.m_strDampingDefault = L"1.5";
}

// A multivariable temperature input: the sensor type selects RTD,
// thermocouple or millivolt input through the dual-mode section.
void HartTemperatureModel(CMapFileInformation& m) {
  HartRanges(m);
  m.SetUnitsMapping(32, 32);  // degC
  m.SetUnitsMapping(33, 33);  // degF
  m.SetUnitsMapping(35, 35);  // Kelvin
  m.m_nInputBlockType = 99;
  m.m_strProbeTypeParam = L"Param!SENSOR_TYPE";
  m.SetProbeTypeMapping(1, 12);   // Pt100 a=385: RTD
  m.SetProbeTypeMapping(2, 137);  // TC Type K: thermocouple
  m.SetProbeTypeMapping(3, 129);  // Millivolts: generic
  m.m_bNumWiresDefault = false;
  m.m_strNumWiresParam = L"Param!SENSOR_WIRES";
  m.SetNumWiresMapping(2, 2);
  m.SetNumWiresMapping(3, 3);
  m.SetNumWiresMapping(4, 4);
  m.m_bDampingDefault = false;
  m.m_strDampingParam = Pv(L"DAMPING_VALUE");
}

// A flow meter with a totalizer. Its transfer function parameter is an
// integer, not an enumeration.
void HartFlowModel(CMapFileInformation& m) {
  HartRanges(m);
  m.SetUnitsMapping(16, 16);  // gal/min
  m.SetUnitsMapping(17, 17);  // L/min
  m.SetUnitsMapping(19, 19);  // Cum/h
  m.m_nInputBlockType = 1;
  m.m_bDampingDefault = false;
  m.m_strDampingParam = Pv(L"DAMPING_VALUE");
  m.m_bTransferFuncDefault = false;
  m.m_strTransferFuncParam = L"Param!FLOW_CHAR";
  m.m_bTotalizer = true;
  m.m_strTotalizerUnitsParam = L"Param!TOTAL_UNITS";
  m.m_strTotalizerValueParam = L"Param!TOTAL";
  m.SetTotalizerUnitsMapping(40, 40);  // gal
  m.SetTotalizerUnitsMapping(41, 41);  // L
  m.SetTotalizerUnitsMapping(43, 43);  // Cum
}

void FieldbusPressureModel(CMapFileInformation& m) {
  FieldbusRanges(m, 1);
  m.m_nInputBlockType = 5;
  m.m_bPressMeasDefault = false;
  m.m_strPressMeasParam = L"Param!PRESSURE_TYPE";
  for (int32_t code : {107, 108, 109}) {
    m.SetPressMeasMapping(code, m.FieldbusPressMeasToCommon(code));
  }
  m.m_bDampingDefault = false;
  m.m_strDampingParam = L"Param!PV_FTIME";
}

// A conventional (non-communicating) instrument: everything is a default.
void ConventionalModel(CMapFileInformation& m) {
  m.m_bUrvDefault = m.m_bLrvDefault = m.m_bUnitsDefault = true;
  m.m_strUrvDefault = L"100.0";
  m.m_strLrvDefault = L"0.0";
  m.m_nUnitsDefault = 32;  // degC
  m.m_nInputBlockType = 1;
}

// The transducer block of the devices that test device creation makes.
void TemplateFieldbusModel(CMapFileInformation& m) {
  FieldbusRanges(m, 1);
  m.m_nInputBlockType = 1;
}

}  // namespace ravelin::plant
