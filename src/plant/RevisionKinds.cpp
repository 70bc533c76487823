// Each kind's recorded item tree (docs/recording-format.md) and the values a
// device of the kind holds. Enumeration texts are the common names, except
// where a kind shows a name that differs by letter case or by a blank.
#include "plant/RevisionKinds.h"

#include <cstdio>
#include <string>

#include "plant/MapKinds.h"

namespace ravelin::plant {

const wchar_t* CategoryName(int32_t category) {
  switch (category) {
    case kPressure: return L"Pressure";
    case kTemperature: return L"Temperature";
    case kFlow: return L"Flow";
    case kFrequency: return L"Frequency";
    default: return L"Generic";
  }
}

namespace {

#define PV L"ItemArray!dynamic_variables!Element!1!Member!"

const char kHartPressureBody[] = R"body(  param tag type=9 label=Tag
  param transfer_function type=6 label="Transfer function"
    enum 0 Linear
    enum 1 "Square Root"
  param pressure_type type=6 label="Pressure type"
    enum 0 Gauge
    enum 1 Absolute
  param descriptor type=10 label=Descriptor help="Text kept in the device"
  param sensor_temperature type=5 label="Sensor temperature (°C)" help="Accuracy ±0.5 °C" units=degC
  param sensor_resistance type=4 label="Sensor resistance" help="Measured in Ω" units=Ohm
  param final_assembly_number type=3 label="Final assembly number"
  param device_info kind=109 label="Device information"
    member MANUFACTURER type=6 label=Manufacturer
      enum 38 "Alder Instruments"
    member SERIAL_NUMBER type=3 label="Serial number"
    member LONG_TAG type=9 label="Long tag"
    member UPPER_SENSOR_LIMIT type=4 label="Upper sensor limit" units=kPa
  dynamic 1 label=PV
    member DIGITAL_UNITS type=6 label="PV units"
      enum 12 kPa
      enum 7 BAR
      enum 1 inH2O@68F
      enum 237 MPa
    member UPPER_RANGE_VALUE type=4 label="Upper range value"
    member LOWER_RANGE_VALUE type=4 label="Lower range value"
    member ANALOG_VALUE type=4 label="Loop current" units=mA
  dynamic 2 label=SV
    member DIGITAL_UNITS type=6 label="SV units"
      enum 32 degC
      enum 33 degF
    member DIGITAL_VALUE type=5 label="Sensor temperature" units=degC
    member SENSOR_NAME type=9 label="Sensor name"
    member CLASSIFICATION type=2 label="Variable classification"
)body";

const char kHartTemperatureBody[] = R"(  param tag type=9 label=Tag
  param SENSOR_TYPE type=6 label="Sensor type"
    enum 1 "Pt100 a=385"
    enum 2 "TC Type K"
    enum 3 Millivolts
  param SENSOR_WIRES type=6 label="Sensor wires"
    enum 2 "2 wires"
    enum 3 "3 wires"
    enum 4 "4 wires"
  dynamic 1 label=PV
    member DIGITAL_UNITS type=6 label="PV units"
      enum 32 degC
      enum 33 degF
      enum 35 Kelvin
    member UPPER_RANGE_VALUE type=4
    member LOWER_RANGE_VALUE type=4
    member DAMPING_VALUE type=4 units=s
    member ANALOG_VALUE type=4 units=mA
)";

const char kHartFlowBody[] = R"(  param tag type=9 label=Tag
  param FLOW_CHAR type=2 label="Flow characteristic"
  param TOTAL type=4 label=Totalizer units=gal
  param TOTAL_UNITS type=6 label="Totalizer units"
    enum 40 gal
    enum 41 L
    enum 43 Cum
  dynamic 1 label=PV
    member DIGITAL_UNITS type=6 label="PV units"
      enum 16 gal/min
      enum 17 L/min
      enum 19 Cum/h
    member UPPER_RANGE_VALUE type=4
    member LOWER_RANGE_VALUE type=4
    member DAMPING_VALUE type=4 units=s
    member ANALOG_VALUE type=4 units=mA
)";

const char kHartFrequencyBody[] = R"(  param WAVE_FORM type=6 label="Wave form"
    enum 0 Sine
    enum 1 Square
    enum 4 Pulse
  param LIN_MODE type=3 label="Linearisation mode"
  dynamic 1 label=PV
    member DIGITAL_UNITS type=6
      enum 38 Hz
      enum 255 kHz
    member UPPER_RANGE_VALUE type=4
    member LOWER_RANGE_VALUE type=4
    member ANALOG_VALUE type=4 units=mA
)";

#define HART_BASIC_PV \
  "  dynamic 1 label=PV\n" \
  "    member DIGITAL_UNITS type=6\n" \
  "      enum 12 kPa\n" \
  "      enum 6 psi\n" \
  "    member UPPER_RANGE_VALUE type=4\n" \
  "    member LOWER_RANGE_VALUE type=4\n" \
  "    member ANALOG_VALUE type=4 units=mA\n"

const char kHartBasicBody[] = HART_BASIC_PV;
// The basic device without a map file also has a probe type, so that the
// wizard can map it as a temperature transmitter.
const char kHartGenericBody[] =
    "  param PROBE_TYPE type=6 label=\"Probe type\"\n"
    "    enum 1 \"Pt100 a=385\"\n"
    "    enum 2 \"TC Type K\"\n" HART_BASIC_PV;

#define FIELDBUS_RESOURCE_BLOCK "  block 0 name=RESOURCE label=Resource\n"
#define FIELDBUS_RANGES \
  "    param SCALE kind=109 label=Scale\n" \
  "      member EU_100 type=4 index=1\n" \
  "      member EU_0 type=4 index=2\n" \
  "    param PV_FTIME type=4 label=\"Filter time\" units=s\n"
#define FIELDBUS_TEMPERATURE_UNITS \
  "    param PRIMARY_UNITS type=6 label=\"Primary value units\"\n" \
  "      enum 1001 degC\n" \
  "      enum 1002 degF\n" \
  "      enum 1000 Kelvin\n"

const char kFieldbusRtdBody[] = FIELDBUS_RESOURCE_BLOCK
    "  block 1 name=TRANSDUCER label=\"RTD transducer\"\n"
    FIELDBUS_TEMPERATURE_UNITS FIELDBUS_RANGES R"(    param SENSOR_TYPE type=6
      enum 104 "Pt100 a=385"
      enum 105 "PT1000 A=385"
    param SENSOR_CONNECTION type=6
      enum 2 "2 wires"
      enum 3 "3 wires"
      enum 4 4wires
    param OUTPUT_TYPE type=6
      enum 1 "Temperature: RTD"
      enum 2 Frequency
)";

const char kFieldbusThermocoupleBody[] = FIELDBUS_RESOURCE_BLOCK
    "  block 1 name=TRANSDUCER label=\"Thermocouple transducer\"\n"
    FIELDBUS_TEMPERATURE_UNITS FIELDBUS_RANGES R"(    param SENSOR_TYPE type=6
      enum 128 "TC Type K"
      enum 129 "TC Type J"
      enum 130 "TC Type T"
    param CJ_TYPE type=6
      enum 0 "No Compensation"
      enum 1 Internal
      enum 2 External
    param SENSOR_MODE type=6
      enum 1 "Single Sensor"
      enum 2 Differential
)";

#define FIELDBUS_PRESSURE_UNITS \
  "    param PRIMARY_UNITS type=6 itemid=0x20001 index=1 label=\"Primary value units\"\n" \
  "      enum 1133 kPa\n" \
  "      enum 1137 bar\n" \
  "      enum 1141 psi\n"

const char kFieldbusPressureBody[] = FIELDBUS_RESOURCE_BLOCK
    "  block 1 name=TRANSDUCER label=\"Pressure transducer\"\n"
    FIELDBUS_PRESSURE_UNITS FIELDBUS_RANGES R"(    param PRESSURE_TYPE type=6
      enum 107 Gauge
      enum 108 Absolute
      enum 109 Differential
    param SENSOR_TEMPERATURE type=5 label="Sensor temperature" units=degC
    param TAG_DESC type=9 label="Tag description"
    param SENSOR_SN type=10 label="Sensor serial number"
    param ACCESS_CODE type=11 label="Access code"
    param ALERT_KEY type=2 label="Alert key"
    param SENSOR_RANGE kind=109 label="Sensor range"
      member EU_100 type=4 label="Upper limit"
      member EU_0 type=4 label="Lower limit"
      member UNITS_INDEX type=6 label=Units
        enum 1133 kPa
        enum 1137 bar
      member DECIMAL type=2 label="Decimal places"
  block 2 name=AI label="Analog input"
    param OUT kind=109 label=Output
      member STATUS type=2 label=Status
      member VALUE type=4 label=Value
    param CHANNEL type=3 label=Channel
    param L_TYPE type=6 label="Linearization type"
      enum 1 Direct
      enum 2 Indirect
      enum 3 "Indirect square root"
  block 3 label="Vendor block"
    param VENDOR_DATA type=9
)";

// A block of 1,000 parameters whose first is an enumeration of 500 entries,
// listed out of alphabetical order, for the browsing benchmark.
std::string DiagnosticsBlock() {
  std::string text = "  block 4 name=DIAGNOSTICS label=Diagnostics\n"
                     "    param ACTIVE_CONDITION type=6 label=\"Active condition\"\n";
  char line[128];
  for (int value = 0; value < 500; ++value) {
    std::snprintf(line, sizeof line, "      enum %d \"Condition %03d\"\n", value,
                  value * 263 % 500);
    text += line;
  }
  constexpr int kTypes[] = {4, 6, 9, 3, 5};
  for (int i = 2; i <= 1000; ++i) {
    const int type = kTypes[i % 5];
    std::snprintf(line, sizeof line,
                  "    param DIAG_%04d type=%d label=\"Diagnostic %d\" help=\"Diagnostic value "
                  "%d of the device\"%s\n",
                  i, type, i, i, type == 4 || type == 5 ? " units=%" : "");
    text += line;
    if (type == 6) text += "      enum 0 Off\n      enum 1 On\n";
  }
  return text;
}

const char kFieldbusNoMapBody[] = FIELDBUS_RESOURCE_BLOCK
    "  block 1 name=TRANSDUCER label=\"Level transducer\"\n"
    FIELDBUS_PRESSURE_UNITS FIELDBUS_RANGES;

// The blocks that test device creation walks: parameters with item ids and
// indexes, floating values named for their defaults (hi, lo, 100, 0).
const char kTemplateFieldbusBody[] = R"(  block 0 name=RESOURCE label=Resource
    param MANUFAC_ID type=8 itemid=0x10001 index=1
  block 1 name=TRANSDUCER label="Pressure transducer"
    param PRIMARY_UNITS type=6 itemid=0x20001 index=1
      enum 1133 kPa
      enum 1137 bar
    param SCALE kind=109 itemid=0x20002 index=2
      member EU_100 type=4 index=1
      member EU_0 type=4 index=2
    param SENSOR_HI_LIM type=4 itemid=0x20003 index=3
    param SENSOR_LO_LIM type=4 itemid=0x20004 index=4
    param PV_FTIME type=4 itemid=0x20005 index=5
  block 2 name=AI label="Analog input"
    param CHANNEL type=3 itemid=0x30001 index=1
    param L_TYPE type=6 itemid=0x30002 index=2
      enum 1 Direct
      enum 2 Indirect
    param STRATEGY type=18 itemid=0x30003 index=3
)";

const Values kHartRangeValues = {
    {PV L"UPPER_RANGE_VALUE", L"250.0"},
    {PV L"LOWER_RANGE_VALUE", L"0.0"},
    {PV L"ANALOG_VALUE", L"12.0"},
};

Values With(Values values, const Values& more) {
  values.insert(values.end(), more.begin(), more.end());
  return values;
}

const Values kFieldbusRangeValues = {
    {L"BlkId!1!Param!SCALE!Member!EU_100", L"100.0"},
    {L"BlkId!1!Param!SCALE!Member!EU_0", L"0.0"},
    {L"BlkId!1!Param!PV_FTIME", L"0.8"},
};

}  // namespace

const RevisionKind kHartPressure{
    L"Pressure transmitter", kPressure, kHartPressureBody, HartPressureModel, nullptr, 0,
    With(kHartRangeValues, {{PV L"DIGITAL_UNITS", L"12"},
                            {L"Param!transfer_function", L"0"},
                            {L"Param!pressure_type", L"0"}})};

const RevisionKind kHartExportOnly{
    L"Pressure transmitter (export map)", kPressure, kHartPressureBody, nullptr,
    HartExportOnlyText, 0, With(kHartRangeValues, {{PV L"DIGITAL_UNITS", L"7"}})};

const RevisionKind kHartTemperature{
    L"Temperature transmitter", kTemperature, kHartTemperatureBody, HartTemperatureModel,
    nullptr, 0,
    With(kHartRangeValues, {{PV L"DIGITAL_UNITS", L"32"},
                            {PV L"DAMPING_VALUE", L"2.0"},
                            {L"Param!SENSOR_TYPE", L"1"},
                            {L"Param!SENSOR_WIRES", L"3"}})};

const RevisionKind kHartFlow{
    L"Flow meter", kFlow, kHartFlowBody, HartFlowModel, nullptr, 0,
    With(kHartRangeValues, {{PV L"DIGITAL_UNITS", L"16"},
                            {PV L"DAMPING_VALUE", L"1.0"},
                            {L"Param!FLOW_CHAR", L"0"},
                            {L"Param!TOTAL", L"1234.5"},
                            {L"Param!TOTAL_UNITS", L"40"}})};

const RevisionKind kHartFrequency{
    L"Frequency transmitter", kFrequency, kHartFrequencyBody, nullptr, HartFrequencyText, 0,
    With(kHartRangeValues, {{PV L"DIGITAL_UNITS", L"38"},
                            {L"Param!WAVE_FORM", L"1"},
                            {L"Param!LIN_MODE", L"3"}})};

const RevisionKind kHartGenericOnly{
    L"Basic transmitter", kGeneric, kHartGenericBody, nullptr, nullptr, 0,
    With(kHartRangeValues, {{PV L"DIGITAL_UNITS", L"6"}})};

const RevisionKind kConventional{
    L"Conventional transmitter", kGeneric, kHartBasicBody, ConventionalModel, nullptr, 0,
    kHartRangeValues};

const RevisionKind kFieldbusRtd{
    L"RTD temperature transmitter", kTemperature, kFieldbusRtdBody, nullptr,
    FieldbusRtdText, 1,
    With(kFieldbusRangeValues, {{L"BlkId!1!Param!PRIMARY_UNITS", L"1001"},
                                {L"BlkId!1!Param!SENSOR_TYPE", L"104"},
                                {L"BlkId!1!Param!SENSOR_CONNECTION", L"3"},
                                {L"BlkId!1!Param!OUTPUT_TYPE", L"1"}})};

const RevisionKind kFieldbusThermocouple{
    L"Thermocouple temperature transmitter", kTemperature, kFieldbusThermocoupleBody,
    nullptr, FieldbusThermocoupleText, 1,
    With(kFieldbusRangeValues, {{L"BlkId!1!Param!PRIMARY_UNITS", L"1001"},
                                {L"BlkId!1!Param!SENSOR_TYPE", L"128"},
                                {L"BlkId!1!Param!CJ_TYPE", L"1"},
                                {L"BlkId!1!Param!SENSOR_MODE", L"1"}})};

const RevisionKind kFieldbusPressure{
    L"Fieldbus pressure transmitter", kPressure, kFieldbusPressureBody,
    FieldbusPressureModel, nullptr, 1,
    With(kFieldbusRangeValues, {{L"BlkId!1!Param!PRIMARY_UNITS", L"1133"},
                                {L"BlkId!1!Param!PRESSURE_TYPE", L"107"}}),
    DiagnosticsBlock};

const RevisionKind kFieldbusNoMap{
    L"Fieldbus level transmitter", kGeneric, kFieldbusNoMapBody, nullptr, nullptr, 1,
    With(kFieldbusRangeValues, {{L"BlkId!1!Param!PRIMARY_UNITS", L"1137"}})};

const RevisionKind kTemplateFieldbus{
    L"Template transmitter", kPressure, kTemplateFieldbusBody, TemplateFieldbusModel,
    nullptr, 1, {}};

#undef PV

}  // namespace ravelin::plant
