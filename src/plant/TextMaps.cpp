// Map files only a hand can write: block types the wizard does not offer,
// a formula, a map file kept out of calibration, and the generic map files.
#include "mapfile/MapFileKeys.h"
#include "outside/Conversions.h"
#include "plant/HandMapFile.h"
#include "plant/MapKinds.h"

namespace ravelin::plant {
namespace {

using namespace mapkeys;

constexpr wchar_t kPv[] = L"ItemArray!dynamic_variables!Element!1!Member!";

std::wstring In(const wchar_t* quantity) { return kInput + std::wstring(quantity); }
std::wstring Out(const wchar_t* quantity) { return kOutput + std::wstring(quantity); }
std::wstring MapOf(const std::wstring& quantity) { return quantity + kMapSuffix; }

// The output block of a HART device with a 4-20 mA loop.
void LoopOutputSpecialInfo(HandMapFile& f) {
  for (const wchar_t* quantity : {kUrv, kLrv, kUnits}) f.Entry(Out(quantity), kNoParameter);
}
void LoopOutputDefaults(HandMapFile& f) {
  f.Entry(Out(kUrv), L"20.0");
  f.Entry(Out(kLrv), L"4.0");
  f.Entry(Out(kUnits), L"39");
}

void HartRanges(HandMapFile& f) {
  f.Entry(In(kUrv), kPv + std::wstring(L"UPPER_RANGE_VALUE"));
  f.Entry(In(kLrv), kPv + std::wstring(L"LOWER_RANGE_VALUE"));
  f.Entry(In(kUnits), kPv + std::wstring(L"DIGITAL_UNITS"));
}

// Input and output block of a fieldbus transducer block share parameters.
void FieldbusRanges(HandMapFile& f) {
  for (const auto& side : {In, Out}) {
    f.Entry(side(kUrv), L"Param!SCALE!Member!EU_100");
    f.Entry(side(kLrv), L"Param!SCALE!Member!EU_0");
    f.Entry(side(kUnits), L"Param!PRIMARY_UNITS");
  }
}

void FieldbusTemperatureUnits(HandMapFile& f) {
  const CUnitsConversion units;
  for (const auto& side : {In, Out}) {
    f.Map(MapOf(side(kUnits)), {{1001, 32}, {1002, 33}, {1000, 35}}, units);
  }
}

// A 4-20 mA HART device with a generic input block whose damping and
// transfer function have no parameter, up to its block types.
void HartGenericInput(HandMapFile& f, bool calibration, const wchar_t* damping) {
  f.Identification(calibration, true);
  f.Section(kParameterMap);
  HartRanges(f);
  f.Section(kSpecialInfo);
  LoopOutputSpecialInfo(f);
  f.Entry(kDamping, kNoParameter);
  f.Entry(kTransferFunc, kNoParameter);
  f.Section(kDefaults);
  LoopOutputDefaults(f);
  f.Entry(kDamping, damping);
  f.Entry(kTransferFunc, L"0");
  f.BlockTypes(1, 1);
}

}  // namespace

// Frequency input. The transfer function comes from a formula over the
// linearisation mode; damping has no parameter and, wrongly, no default.
void HartFrequencyText(HandMapFile& f) {
  f.Identification(true, true);
  f.Section(kParameterMap);
  HartRanges(f);
  f.Entry(L"Wave Form", L"Param!WAVE_FORM");
  f.Section(kSpecialInfo);
  LoopOutputSpecialInfo(f);
  f.Entry(kDamping, kNoParameter);
  f.Entry(kTransferFunc, L"Formula");
  f.Section(kDefaults);
  LoopOutputDefaults(f);
  f.Section(L"FORMULAS");
  f.Entry(kTransferFunc, L"{Param!LIN_MODE} % 2");
  f.BlockTypes(4, 1);
  f.Map(MapOf(In(kUnits)), {{38, 38}, {255, 255}}, CUnitsConversion());
  f.Map(MapOf(L"Wave Form"), {{0, 0}, {1, 1}, {4, 4}}, CWaveFormConversion());
}

// A pressure map kept out of calibration: only "All map files" finds it.
void HartExportOnlyText(HandMapFile& f) {
  HartGenericInput(f, false, L"2.0");
  f.Map(MapOf(In(kUnits)), {{12, 12}, {7, 7}, {1, 1}}, CUnitsConversion());
}

// Resistance thermometer input; the output block switches its type with
// the parameter OUTPUT_TYPE.
void FieldbusRtdText(HandMapFile& f) {
  f.Identification(true, true);
  f.Section(kParameterMap);
  FieldbusRanges(f);
  f.Entry(kDamping, L"Param!PV_FTIME");
  f.Entry(kProbeType, L"Param!SENSOR_TYPE");
  f.Entry(kNumWires, L"Param!SENSOR_CONNECTION");
  f.Section(kSpecialInfo);
  f.Entry(kTransferFunc, kNoParameter);
  f.Section(kDefaults);
  f.Entry(kTransferFunc, L"0");
  f.BlockTypes(2, 99);
  f.Entry(L"Parameter to determine output block type", L"OUTPUT_TYPE");
  FieldbusTemperatureUnits(f);
  f.Map(MapOf(kProbeType), {{104, 12}, {105, 15}}, CProbeTypeConversion());
  f.Map(MapOf(kNumWires), {{2, 2}, {3, 3}, {4, 4}}, CNumWiresConversion());
  f.Section(L"DUAL MODE OUTPUT BLOCK TYPE DD to Common Map");
  f.Entry(L"1", L"2");
  f.Entry(L"2", L"4");
}

// Thermocouple input with cold junction compensation and probe connection.
void FieldbusThermocoupleText(HandMapFile& f) {
  f.Identification(true, true);
  f.Section(kParameterMap);
  FieldbusRanges(f);
  f.Entry(kDamping, L"Param!PV_FTIME");
  f.Entry(kProbeType, L"Param!SENSOR_TYPE");
  f.Entry(kCjc, L"Param!CJ_TYPE");
  f.Entry(kProbeConnect, L"Param!SENSOR_MODE");
  f.Section(kSpecialInfo);
  f.Entry(kTransferFunc, kNoParameter);
  f.Section(kDefaults);
  f.Entry(kTransferFunc, L"0");
  f.BlockTypes(3, 1);
  FieldbusTemperatureUnits(f);
  f.Map(MapOf(kProbeType), {{128, 137}, {129, 136}, {130, 141}}, CProbeTypeConversion());
  f.Map(MapOf(kCjc), {{0, 0}, {1, 1}, {2, 2}}, CCJCConversion());
  f.Map(MapOf(kProbeConnect), {{1, 1}, {2, 2}}, CProbeConnectConversion());
}

// Any HART device: the primary variable's ranges and units, every HART
// units code mapped onto itself.
void GenericHartText(HandMapFile& f) {
  HartGenericInput(f, true, L"1.0");
  f.Section(MapOf(In(kUnits)));
  const CUnitsConversion units;
  for (uint16_t code = 1; code < 256; ++code) {
    std::wstring name;
    if (units.GetEnglishName(code, name) == 0) f.Entry(std::to_wstring(code), name);
  }
}

// Any fieldbus transducer block at index 1. Good enough to export data,
// not to calibrate against, so it is kept out of calibration.
void GenericFieldbusText(HandMapFile& f) {
  f.Identification(false, true);
  f.Section(kParameterMap);
  FieldbusRanges(f);
  f.Section(kSpecialInfo);
  f.Entry(kDamping, kNoParameter);
  f.Entry(kTransferFunc, kNoParameter);
  f.Section(kDefaults);
  f.Entry(kDamping, L"1.0");
  f.Entry(kTransferFunc, L"0");
  f.BlockTypes(1, 1);
  const CUnitsConversion units;
  for (const auto& side : {In, Out}) {
    f.Map(MapOf(side(kUnits)), {{1133, 12}, {1137, 7}, {1141, 6}, {1001, 32}, {1002, 33}},
          units);
  }
}

}  // namespace ravelin::plant
