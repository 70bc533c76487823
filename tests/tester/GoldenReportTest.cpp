// Whole report sections of the sample plant's devices, line for line: every
// path through the driver and every check at each output level. The expected
// texts are written out from what each device and its map file hold
// (docs/plant.md), never copied from a report.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "base/Text.h"
#include "outside/db/VelkDatabase.h"
#include "plant/GeneratedPlant.h"
#include "platform/Platform.h"
#include "tester/ExecuteMapFileTest.h"

namespace ravelin {
namespace {

using Lines = std::vector<std::string>;

enum class Level { kErrors, kWarnings, kAll };
const Level kLevels[] = {Level::kErrors, Level::kWarnings, Level::kAll};

const wchar_t* LevelWord(Level level) {
  switch (level) {
    case Level::kErrors: return L"ERRORS";
    case Level::kWarnings: return L"WARNINGS";
    default: return L"ALL";
  }
}

const std::string kStart =
    std::string(24, '%') + " Start of Test " + std::string(33, '%');
const std::string kResults =
    std::string(23, '*') + " Test results " + std::string(23, '*');
const std::string kSep(40, '*');
const std::string kEnd = std::string(25, '%') + " End of Test " + std::string(34, '%');
// 14:05:09 on 7 March 2024, written without leading zeros.
const std::string kDate = "The test was conducted at 14:5:9 on 3-7-2024";

const std::string kHeader =
    "DD Code, DD String, Common Code, Common String in English, Common String";
const std::string kFromMap =
    "No Associated Parameter is defined. Reading value directly from map file.";
const std::string kNoValueRead =
    "Map file is either generic, or for a conventional device. No value was read.";
const std::string kNonExact =
    "WARNING: Non-exact \"DD String\" <-> \"Common String\" comparison found";
const std::string kInvalidCode = "ERROR: Invalid DD Code mapping found.";
const std::string kNoErrors = "No errors detected.";
const std::string kNoWarnings = "No errors or warnings detected.";

// The report file's bytes: every line stands above an empty line, and the
// end banner above two.
std::string ReportBytes(const Lines& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += line + "\r\n\r\n";
    if (line == kEnd) bytes += "\r\n";
  }
  return bytes;
}

Lines Cat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// What an enumerated check leaves at the level, from its three lists.
Lines Enumerated(Level level, Lines full, Lines warnings = {}, Lines errors = {}) {
  if (level == Level::kErrors) return errors.empty() ? Lines{kNoErrors} : errors;
  if (level == Level::kWarnings) return warnings.empty() ? Lines{kNoWarnings} : warnings;
  return full;
}

// What a value check leaves at the level; it has no warnings of its own.
Lines Valued(Level level, Lines full, Lines errors = {}) {
  if (level != Level::kAll) return errors.empty() ? Lines{kNoWarnings} : errors;
  return full;
}

// A value the device delivers: nothing to say.
Lines ReadFromDevice(Level level) { return Valued(level, {}); }
Lines Default(Level level, const std::string& value) {
  return Valued(level, {kFromMap, "Value: " + value});
}
Lines DefaultNotRead(Level level) { return Valued(level, {kFromMap, kNoValueRead}); }

// "output block Units Code" taken from the map file's default 39 (mA); a
// device-specific HART map file reads the loop's units from the device.
Lines LoopUnits(Level level, bool readFromDevice) {
  return Enumerated(level, {kFromMap, kHeader,
                            readFromDevice ? "  '    mA'    39'      '    mA"
                                           : "  '      '    39'      '    mA"});
}
Lines LinearByDefault(Level level) {
  return Enumerated(level, {kFromMap, kHeader, "  '      '    0'      '    Linear"});
}

// Section head up to the test results banner.
Lines Head(const std::string& device, const std::wstring& mapFile, bool generic = false) {
  Lines head{kStart, device, kDate};
  if (generic) head.push_back("A Generic map file is being used.");
  head.push_back("Map file is " + ToUtf8(mapFile));
  head.push_back(kResults);
  return head;
}

// The units of the HART pressure revision: 12 maps exactly, 7 ("BAR") by
// case only, 1 ("inH2O@68F") lacks the blank of "inH2O @68F", 237 has no
// map entry.
Lines PressureUnits(Level level) {
  const std::string nonExactRow = "1'    inH2O@68F'    1'    inH2O @68F'    inH2O @68F";
  const std::string unmappedRow = "237'    MPa'    Error'    Error'    Error";
  return Enumerated(level,
                    {kHeader, "12'    kPa'    12'    kPa'    kPa",
                     "7'    BAR'    7'    bar'    bar", kNonExact, nonExactRow,
                     kInvalidCode, unmappedRow},
                    {kHeader, kNonExact, nonExactRow, kInvalidCode, unmappedRow},
                    {kHeader, kInvalidCode, unmappedRow});
}

// Below the banner: the pressure transmitter's map file (PT-101, PT-102 and
// the pressure template).
Lines PressureChecks(Level level) {
  return Cat({
      {"Input block unit"}, PressureUnits(level),
      {kSep, "Input Block Upper Range Value"}, ReadFromDevice(level),
      {kSep, "Input Block Lower Range Value"}, ReadFromDevice(level),
      {kSep, "Output block unit"}, LoopUnits(level, true),
      {kSep, "Output Block Upper Range Value"}, Default(level, "20.000000"),
      {kSep, "Output Block Lower Range Value"}, Default(level, "4.000000"),
      {kSep, "Damping Value"}, Default(level, "1.500000"),
      {kSep, "Transfer function"},
      Enumerated(level, {kHeader, "0'    Linear'    0'    Linear'    Linear",
                         "1'    Square Root'    1'    Square Root'    Square Root"}),
      {kSep, "Input block type is Pressure", "Pressure measurement type"},
      Enumerated(level, {kHeader, "0'    Gauge'    0'    Gauge'    Gauge",
                         "1'    Absolute'    1'    Absolute'    Absolute"}),
  });
}

// The HART temperature revision's units and output block, up to the
// transfer function (TT-201, TT-202).
Lines TemperatureBlocks(Level level) {
  return Cat({
      {"Input block unit"},
      Enumerated(level, {kHeader, "32'    degC'    32'    degC'    degC",
                         "33'    degF'    33'    degF'    degF",
                         "35'    Kelvin'    35'    Kelvin'    Kelvin"}),
      {kSep, "Input Block Upper Range Value"}, ReadFromDevice(level),
      {kSep, "Input Block Lower Range Value"}, ReadFromDevice(level),
      {kSep, "Output block unit"}, LoopUnits(level, true),
      {kSep, "Output Block Upper Range Value"}, Default(level, "20.000000"),
      {kSep, "Output Block Lower Range Value"}, Default(level, "4.000000"),
      {kSep, "Damping Value"}, ReadFromDevice(level),
      {kSep, "Transfer function"}, LinearByDefault(level),
  });
}

// SENSOR_TYPE through the dual-mode section: none of its texts is the
// name of the block type it selects.
Lines DualModeInput(Level level) {
  const Lines rows{"1'    Pt100 a=385'    2'    Temperature: RTD'    ",
                   "2'    TC Type K'    3'    Temperature: TC'    ",
                   "3'    Millivolts'    1'    Generic'    "};
  const Lines warned{kHeader, kNonExact, rows[0], kNonExact, rows[1], kNonExact, rows[2]};
  return Cat({{kSep, "Multiple input block"}, Enumerated(level, warned, warned)});
}

// Units of a fieldbus temperature transducer block, input or output side.
Lines FieldbusTemperatureUnits(Level level) {
  return Enumerated(level, {kHeader, "1001'    degC'    32'    degC'    degC",
                            "1002'    degF'    33'    degF'    degF",
                            "1000'    Kelvin'    35'    Kelvin'    Kelvin"});
}

Lines FieldbusPressureUnits(Level level) {
  return Enumerated(level, {kHeader, "1133'    kPa'    12'    kPa'    kPa",
                            "1137'    bar'    7'    bar'    bar",
                            "1141'    psi'    6'    psi'    psi"});
}

// A fieldbus transducer block whose ranges, units and damping are all
// parameters of the block; the transfer function is the default 0.
Lines FieldbusBlocks(Level level, Lines (*units)(Level)) {
  return Cat({
      {"Input block unit"}, units(level),
      {kSep, "Input Block Upper Range Value"}, ReadFromDevice(level),
      {kSep, "Input Block Lower Range Value"}, ReadFromDevice(level),
      {kSep, "Output block unit"}, units(level),
      {kSep, "Output Block Upper Range Value"}, ReadFromDevice(level),
      {kSep, "Output Block Lower Range Value"}, ReadFromDevice(level),
      {kSep, "Damping Value"}, ReadFromDevice(level),
      {kSep, "Transfer function"}, LinearByDefault(level),
  });
}

// The flow meter up to its totalizer (FT-301 and the flow template).
Lines FlowChecks(Level level) {
  return Cat({
      {"Input block unit"},
      Enumerated(level, {kHeader, "16'    gal/min'    16'    gal/min'    gal/min",
                         "17'    L/min'    17'    L/min'    L/min",
                         "19'    Cum/h'    19'    Cum/h'    Cum/h"}),
      {kSep, "Input Block Upper Range Value"}, ReadFromDevice(level),
      {kSep, "Input Block Lower Range Value"}, ReadFromDevice(level),
      {kSep, "Output block unit"}, LoopUnits(level, true),
      {kSep, "Output Block Upper Range Value"}, Default(level, "20.000000"),
      {kSep, "Output Block Lower Range Value"}, Default(level, "4.000000"),
      {kSep, "Damping Value"}, ReadFromDevice(level),
      // FLOW_CHAR is an integer (DD type 2).
      {kSep, "Transfer function"},
      Enumerated(level, {"WARNING: This parameter 'Type' is not an enumeration"},
                 {"WARNING: This parameter 'Type' is not an enumeration"}),
      {kSep, "Input block type is Generic"},
      {kSep, "Totalizer units"},
      Enumerated(level, {kHeader, "40'    gal'    40'    gal'    gal",
                         "41'    L'    41'    L'    L", "43'    Cum'    43'    Cum'    Cum"}),
      {kSep, "Totalizer value - Note: this must be read from a LIVE (Connected) device"},
  });
}

// The HART generic map file over a device with units 12 (kPa) and 6 (psi):
// GN-601 and the generic template.
Lines HartGenericChecks(Level level) {
  return Cat({
      {"Input block unit"},
      Enumerated(level, {kHeader, "12'    kPa'    12'    kPa'    kPa",
                         "6'    psi'    6'    psi'    psi"}),
      {kSep, "Input Block Upper Range Value"}, ReadFromDevice(level),
      {kSep, "Input Block Lower Range Value"}, ReadFromDevice(level),
      {kSep, "Output block unit"}, LoopUnits(level, false),
      {kSep, "Output Block Upper Range Value"}, DefaultNotRead(level),
      {kSep, "Output Block Lower Range Value"}, DefaultNotRead(level),
      {kSep, "Damping Value"}, DefaultNotRead(level),
      {kSep, "Transfer function"}, LinearByDefault(level),
      {kSep, "Input block type is Generic"},
  });
}

// A conventional device: every quantity is a map file default, and none is
// read from the device.
Lines ConventionalInput(Level level) {
  return Cat({
      {"Input block unit"},
      Enumerated(level, {kFromMap, kHeader, "  '      '    32'      '    degC"}),
      {kSep, "Input Block Upper Range Value"}, DefaultNotRead(level),
      {kSep, "Input Block Lower Range Value"}, DefaultNotRead(level),
  });
}

struct Options {
  std::wstring server = L"PLANT1";
  std::wstring usage = L"Use for CalMgmt";
  bool generic = false;
};

class GoldenReportTest : public testing::GeneratedPlantTest {
 protected:
  void SetUp() override {
    GeneratedPlantTest::SetUp();
    platform_.now = {2024, 3, 7, 14, 5, 9};
    database_ = std::make_unique<CVelkDatabase>();
    ASSERT_TRUE(database_->IsOpen());
    report_ = JoinPath(JoinPath(Root(), L"reports"), L"golden.txt");
    DeleteFileIfExists(report_);
  }
  void TearDown() override { database_.reset(); }

  // Tests one device into the report file and returns the file.
  std::string Run(const std::wstring& key, Level level, const Options& options = {}) {
    DeleteFileIfExists(report_);
    Append(key, LevelWord(level), options);
    return testing::ReadBytes(report_);
  }
  void Append(const std::wstring& key, const std::wstring& level,
              const Options& options = {}) {
    CExecuteMapFileTest test;
    test.m_openReportAfterTest = 0;
    test.m_reportFilePath = report_;
    test.m_outputLevel = level;
    test.m_allowGenericMapFile = options.generic ? 1 : 0;
    test.m_mapFileUsage = options.usage;
    test.TestDevice(options.server, key);
  }

  static std::wstring Hart(const wchar_t* path) { return JoinPath(HartRoot(), path); }
  static std::wstring Fieldbus(const wchar_t* path) { return JoinPath(FieldbusRoot(), path); }
  static std::wstring HartMap(const wchar_t* maker, const wchar_t* type, const wchar_t* file) {
    return Hart(JoinPath(JoinPath(maker, type), file).c_str());
  }
  static std::wstring FieldbusMap(const wchar_t* maker, const wchar_t* type,
                                  const wchar_t* file) {
    return Fieldbus(JoinPath(JoinPath(maker, type), file).c_str());
  }

  std::unique_ptr<CVelkDatabase> database_;
  std::wstring report_;
};

TEST_F(GoldenReportTest, DeviceTagOfEachProtocol) {
  const std::string pressure = "Alder Instruments Pressure transmitter  Rev. 3    (26  7  3)";
  const std::wstring pressureMap = HartMap(L"000026", L"0007", L"0302.map");
  for (Level level : kLevels) {
    SCOPED_TRACE(ToUtf8(LevelWord(level)));
    const std::string hart = ReportBytes(
        Cat({Head(pressure, pressureMap), PressureChecks(level), {kEnd}}));
    // Protocol 1 opens "!ID!<id>!Hart", protocol 2 "!ID!<id>!BlockIndCol!0":
    // the same HART device either way.
    EXPECT_EQ(Run(L"PT-101", level), hart);
    EXPECT_EQ(Run(L"PT-102", level), hart);

    // Protocol 3: the transducer block that the map file's block index names.
    EXPECT_EQ(
        Run(L"PT-501", level),
        ReportBytes(Cat({
            Head("Birch Fieldbus Systems Fieldbus pressure transmitter  Rev. 2    "
                 "(a1b2  103  2)",
                 FieldbusMap(L"00a1b2", L"0103", L"0201.map")),
            FieldbusBlocks(level, FieldbusPressureUnits),
            {kSep, "Input block type is Pressure", "Pressure measurement type"},
            Enumerated(level, {kHeader, "107'    Gauge'    0'    Gauge'    Gauge",
                               "108'    Absolute'    1'    Absolute'    Absolute",
                               "109'    Differential'    2'    Differential'    Differential"}),
            {kEnd},
        })));
  }
}

TEST_F(GoldenReportTest, TemplatesAppendTheirSectionsInOrder) {
  // A template has no block key: its header is its name and identity, from
  // the "DDL" item 0000A1 1000 0A, and it is read in view 111.
  const Lines pressure =
      Cat({Head("Pressure template    (a1  1000  a)", HartMap(L"0000a1", L"1000", L"0a01.map")),
           PressureChecks(Level::kAll), {kEnd}});
  // A configuration has no live totalizer value to read.
  const Lines flow =
      Cat({Head("Flow template    (a1  3000  a)", HartMap(L"0000a1", L"3000", L"0a01.map")),
           FlowChecks(Level::kWarnings), {"Unable to read totalizer value"}, {kEnd}});
  // No map file of its own: the HART generic one.
  const Lines generic = Cat({Head("Generic template    (a1  4000  a)",
                                  Hart(JoinPath(L"Generic", L"Generic.map").c_str()), true),
                             HartGenericChecks(Level::kAll), {kEnd}});
  Append(L"!NamedConfig!Pressure template", L"ALL");
  Append(L"!NamedConfig!Flow template", L"WARNINGS");
  Append(L"!NamedConfig!Generic template", L"ALL", {.generic = true});
  EXPECT_EQ(testing::ReadBytes(report_), ReportBytes(Cat({pressure, flow, generic})));
}

TEST_F(GoldenReportTest, NoMapFileIsOneLineWithoutBanners) {
  // NM-602 has no map file, and the fieldbus generic one is for export only.
  for (Level level : kLevels) {
    EXPECT_EQ(Run(L"NM-602", level, {.generic = true}), ReportBytes({"Map file does not exist."}));
  }
}

TEST_F(GoldenReportTest, GenericMapFileAllowedOrRefused) {
  const std::string basic = "Alder Instruments Basic transmitter  Rev. 1    (26  f0  1)";
  const std::wstring hartGeneric = Hart(JoinPath(L"Generic", L"Generic.map").c_str());
  for (Level level : kLevels) {
    SCOPED_TRACE(ToUtf8(LevelWord(level)));
    EXPECT_EQ(Run(L"GN-601", level, {.generic = true}),
              ReportBytes(Cat({Head(basic, hartGeneric, true), HartGenericChecks(level),
                               {kEnd}})));
    EXPECT_EQ(Run(L"GN-601", level),
              ReportBytes({kStart, basic, kDate,
                           "Generic map file would be used but tester chose to prevent "
                           "this. No test performed.",
                           kEnd}));
  }

  // PT-305's own map file is for export only: calibration falls back to the
  // generic map file, "all map files" finds its own.
  const std::string exportOnly =
      "Alder Instruments Pressure transmitter (export map)  Rev. 1    (26  b  1)";
  EXPECT_EQ(Run(L"PT-305", Level::kAll, {.generic = true}),
            ReportBytes(Cat({Head(exportOnly, hartGeneric, true),
                             {"Input block unit"},
                             Enumerated(Level::kAll,
                                        {kHeader, "12'    kPa'    12'    kPa'    kPa",
                                         "7'    BAR'    7'    bar'    bar", kNonExact,
                                         "1'    inH2O@68F'    1'    inH2O @68F'    inH2O @68F",
                                         "237'    MPa'    237'    MPa'    MPa"}),
                             {kSep, "Input Block Upper Range Value"},
                             {kSep, "Input Block Lower Range Value"},
                             {kSep, "Output block unit"}, LoopUnits(Level::kAll, false),
                             {kSep, "Output Block Upper Range Value", kFromMap, kNoValueRead},
                             {kSep, "Output Block Lower Range Value", kFromMap, kNoValueRead},
                             {kSep, "Damping Value", kFromMap, kNoValueRead},
                             {kSep, "Transfer function"}, LinearByDefault(Level::kAll),
                             {kSep, "Input block type is Generic"}, {kEnd}})));
  EXPECT_EQ(Run(L"PT-305", Level::kAll, {.usage = L"Use for Export"}),
            ReportBytes(Cat({Head(exportOnly, HartMap(L"000026", L"000b", L"0101.map")),
                             {"Input block unit"}, PressureUnits(Level::kAll),
                             {kSep, "Input Block Upper Range Value"},
                             {kSep, "Input Block Lower Range Value"},
                             {kSep, "Output block unit"}, LoopUnits(Level::kAll, true),
                             {kSep, "Output Block Upper Range Value"},
                             Default(Level::kAll, "20.000000"),
                             {kSep, "Output Block Lower Range Value"},
                             Default(Level::kAll, "4.000000"),
                             {kSep, "Damping Value"}, Default(Level::kAll, "2.000000"),
                             {kSep, "Transfer function"}, LinearByDefault(Level::kAll),
                             {kSep, "Input block type is Generic"}, {kEnd}})));

  // For export the fieldbus generic map file serves NM-602's block 1.
  EXPECT_EQ(
      Run(L"NM-602", Level::kAll, {.usage = L"Use for Export", .generic = true}),
      ReportBytes(Cat({Head("Birch Fieldbus Systems Fieldbus level transmitter  Rev. 1    "
                            "(a1b2  1f0  1)",
                            Fieldbus(JoinPath(L"Generic", L"Generic.map").c_str()), true),
                       {"Input block unit"}, FieldbusPressureUnits(Level::kAll),
                       {kSep, "Input Block Upper Range Value"},
                       {kSep, "Input Block Lower Range Value"},
                       {kSep, "Output block unit"}, FieldbusPressureUnits(Level::kAll),
                       {kSep, "Output Block Upper Range Value"},
                       {kSep, "Output Block Lower Range Value"},
                       {kSep, "Damping Value"}, DefaultNotRead(Level::kAll),
                       {kSep, "Transfer function"}, LinearByDefault(Level::kAll),
                       {kSep, "Input block type is Generic"}, {kEnd}})));
}

TEST_F(GoldenReportTest, UnreachableDeviceHasNoHeader) {
  const std::string unreachable = ReportBytes({"Error: Can't create server object.", kEnd});
  for (Level level : kLevels) {
    // A server without a recording, and a device its server does not know.
    EXPECT_EQ(Run(L"PT-101", level, {.server = L"OFFLINE"}), unreachable);
    EXPECT_EQ(Run(L"PT-900", level), unreachable);
  }
}

TEST_F(GoldenReportTest, ConventionalDevicesOfManufacturer7D) {
  const std::string header = "Conventional Devices Conventional transmitter  Rev. 1    ";
  for (Level level : kLevels) {
    SCOPED_TRACE(ToUtf8(LevelWord(level)));
    EXPECT_EQ(Run(L"CV-701", level),
              ReportBytes(Cat({Head(header + "(7d  1  1)",
                                    HartMap(L"00007d", L"0001", L"0101.map")),
                               ConventionalInput(level),
                               {kSep, "Output block unit"}, LoopUnits(level, false),
                               {kSep, "Output Block Upper Range Value"}, DefaultNotRead(level),
                               {kSep, "Output Block Lower Range Value"}, DefaultNotRead(level),
                               {kSep, "Damping Value"}, DefaultNotRead(level),
                               {kSep, "Transfer function"}, LinearByDefault(level),
                               {kSep, "Input block type is Generic"}, {kEnd}})));
    // Type 0x109 has neither output block nor damping.
    EXPECT_EQ(Run(L"CV-702", level),
              ReportBytes(Cat({Head(header + "(7d  109  1)",
                                    HartMap(L"00007d", L"0109", L"0101.map")),
                               ConventionalInput(level),
                               {kSep, "Transfer function"}, LinearByDefault(level),
                               {kSep, "Input block type is Generic"}, {kEnd}})));
  }
}

TEST_F(GoldenReportTest, MultivariableInputAndOutputBlocks) {
  const std::string temperature =
      "Alder Instruments Temperature transmitter  Rev. 1    (26  8  1)";
  const std::wstring temperatureMap = HartMap(L"000026", L"0008", L"0101.map");
  for (Level level : kLevels) {
    SCOPED_TRACE(ToUtf8(LevelWord(level)));
    // SENSOR_TYPE 1 selects type 2, a resistance thermometer.
    EXPECT_EQ(Run(L"TT-201", level),
              ReportBytes(Cat({
                  Head(temperature, temperatureMap), TemperatureBlocks(level),
                  DualModeInput(level),
                  {kSep, "Input block type is TempRtd", "Probe type"},
                  Enumerated(level,
                             {kHeader, "1'    Pt100 a=385'    12'    Pt100 a=385'    Pt100 a=385",
                              "2'    TC Type K'    137'    TC Type K'    TC Type K",
                              "3'    Millivolts'    129'    Millivolts'    Millivolts"}),
                  {kSep, "Number of wires"},
                  Enumerated(level, {kHeader, "2'    2 wires'    2'    2 wires'    2 wires",
                                     "3'    3 wires'    3'    3 wires'    3 wires",
                                     "4'    4 wires'    4'    4 wires'    4 wires"}),
                  {kEnd},
              })));
    // SENSOR_TYPE 9 has no entry in the dual-mode section.
    EXPECT_EQ(Run(L"TT-202", level),
              ReportBytes(Cat({
                  Head(temperature, temperatureMap), TemperatureBlocks(level),
                  DualModeInput(level),
                  {kSep, "ERROR: Unsupported or unable to read input block type."},
                  {kEnd},
              })));

    // The output block's type follows OUTPUT_TYPE, whose texts are the
    // block types' names. Wires "4wires" is not exact, but the sensor
    // checks keep quiet about that.
    EXPECT_EQ(
        Run(L"TT-401", level),
        ReportBytes(Cat({
            Head("Birch Fieldbus Systems RTD temperature transmitter  Rev. 1    (a1b2  101  1)",
                 FieldbusMap(L"00a1b2", L"0101", L"0101.map")),
            FieldbusBlocks(level, FieldbusTemperatureUnits),
            {kSep, "Multiple output block"},
            Enumerated(level, {kHeader, "1'    Temperature: RTD'    2'    Temperature: RTD'    ",
                               "2'    Frequency'    4'    Frequency'    "}),
            {kSep, "Input block type is TempRtd", "Probe type"},
            Enumerated(level,
                       {kHeader, "104'    Pt100 a=385'    12'    Pt100 a=385'    Pt100 a=385",
                        "105'    PT1000 A=385'    15'    Pt1000 a=385'    Pt1000 a=385"}),
            {kSep, "Number of wires"},
            Enumerated(level, {kHeader, "2'    2 wires'    2'    2 wires'    2 wires",
                               "3'    3 wires'    3'    3 wires'    3 wires",
                               "4'    4wires'    4'    4 wires'    4 wires"}),
            {kEnd},
        })));
  }
}

TEST_F(GoldenReportTest, SensorChecksOfEachInputBlockType) {
  for (Level level : kLevels) {
    SCOPED_TRACE(ToUtf8(LevelWord(level)));
    // Type 3: thermocouple with compensation and probe connection.
    EXPECT_EQ(
        Run(L"TT-402", level),
        ReportBytes(Cat({
            Head("Birch Fieldbus Systems Thermocouple temperature transmitter  Rev. 1    "
                 "(a1b2  102  1)",
                 FieldbusMap(L"00a1b2", L"0102", L"0101.map")),
            FieldbusBlocks(level, FieldbusTemperatureUnits),
            {kSep, "Input block type is TempTC", "Probe type"},
            Enumerated(level, {kHeader, "128'    TC Type K'    137'    TC Type K'    TC Type K",
                               "129'    TC Type J'    136'    TC Type J'    TC Type J",
                               "130'    TC Type T'    141'    TC Type T'    TC Type T"}),
            {kSep, "Cold junction compensation"},
            Enumerated(level,
                       {kHeader,
                        "0'    No Compensation'    0'    No Compensation'    No Compensation",
                        "1'    Internal'    1'    Internal'    Internal",
                        "2'    External'    2'    External'    External"}),
            {kSep, "Probe connect"},
            Enumerated(level,
                       {kHeader, "1'    Single Sensor'    1'    Single Sensor'    Single Sensor",
                        "2'    Differential'    2'    Differential'    Differential"}),
            {kEnd},
        })));

    // Type 4: wave form. Damping has no parameter and no default; the
    // transfer function is {LIN_MODE} % 2 = 3 % 2 = 1.
    const std::string noDamping =
        "ERROR: No Associated Parameter is defined, but unable to read the value from the "
        "map file.";
    EXPECT_EQ(
        Run(L"FQ-403", level),
        ReportBytes(Cat({
            Head("Alder Instruments Frequency transmitter  Rev. 1    (26  a  1)",
                 HartMap(L"000026", L"000a", L"0101.map")),
            {"Input block unit"},
            Enumerated(level, {kHeader, "38'    Hz'    38'    Hz'    Hz",
                               "255'    kHz'    255'    kHz'    kHz"}),
            {kSep, "Input Block Upper Range Value"}, ReadFromDevice(level),
            {kSep, "Input Block Lower Range Value"}, ReadFromDevice(level),
            {kSep, "Output block unit"}, LoopUnits(level, true),
            {kSep, "Output Block Upper Range Value"}, Default(level, "20.000000"),
            {kSep, "Output Block Lower Range Value"}, Default(level, "4.000000"),
            {kSep, "Damping Value"}, Valued(level, {noDamping}, {noDamping}),
            {kSep, "Transfer function"},
            Enumerated(level, {"Determining parameter value from formula.", kHeader,
                               "  '      '    1'      '    Square Root"}),
            {kSep, "Input block type is Frequency", "Wave form"},
            Enumerated(level, {kHeader, "0'    Sine'    0'    Sine'    Sine",
                               "1'    Square'    1'    Square'    Square",
                               "4'    Pulse'    4'    Pulse'    Pulse"}),
            {kEnd},
        })));
  }
}

TEST_F(GoldenReportTest, TotalizerAtEachLevel) {
  const std::string flow = "Alder Instruments Flow meter  Rev. 2    (26  9  2)";
  const std::wstring flowMap = HartMap(L"000026", L"0009", L"0201.map");
  for (Level level : kLevels) {
    SCOPED_TRACE(ToUtf8(LevelWord(level)));
    const Lines value = level == Level::kAll
                            ? Lines{"Totalizer", "Value: 1234.500000", "unit: gal"}
                            : Lines{"No errors or warning detected"};
    EXPECT_EQ(Run(L"FT-301", level),
              ReportBytes(Cat({Head(flow, flowMap), FlowChecks(level), value, {kEnd}})));
  }
  // The level word is matched without regard to case.
  DeleteFileIfExists(report_);
  Append(L"FT-301", L"warnings");
  Append(L"FT-301", L"all");
  EXPECT_EQ(testing::ReadBytes(report_),
            ReportBytes(Cat({Head(flow, flowMap), FlowChecks(Level::kWarnings),
                             {"No errors or warning detected"}, {kEnd},
                             Head(flow, flowMap), FlowChecks(Level::kAll),
                             {"Totalizer", "Value: 1234.500000", "unit: gal"}, {kEnd}})));
}

}  // namespace
}  // namespace ravelin
