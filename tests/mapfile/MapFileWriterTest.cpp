#include <gtest/gtest.h>

#include <filesystem>

#include "MapFileTestSupport.h"
#include "platform/Platform.h"

namespace ravelin::testing {
namespace {

std::string Crlf(const std::string& lines) {
  std::string out;
  for (char c : lines) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

class MapFileWriterTest : public ::testing::Test {
 protected:
  std::string Written(const CMapFileInformation& model) {
    std::filesystem::create_directories(FsPath(model.GetDeviceDirectory()));
    EXPECT_TRUE(model.WriteMapFile());
    return ReadBytes(model.GetMapFilePath());
  }
  static bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }

  MapFileHost host_;
};

TEST_F(MapFileWriterTest, HartPressureTransmitterGolden) {
  CMapFileInformation model = HartModel(0x9c, 7, 3);
  host_.InstallSymbolFile(model, L"0302.sym");
  model.m_nInputBlockType = 5;
  model.SetUnitsMapping(32, 32);
  model.SetUnitsMapping(33, 33);
  model.SetUnitsMapping(57, 57);

  EXPECT_EQ(Written(model), Crlf(R"(;Map File
[IDENTIFICATION]
Manufacturer=9c
Model=7
Device Revision=3
DD Revision=2
Map File Format Version=1
Use for CalMgmt=Yes
Use for Export=Yes

[PARAMETER MAP]
input block Upper Range Value=ItemArray!dynamic_variables!Element!1!Member!UPPER_RANGE_VALUE
input block Lower Range Value=ItemArray!dynamic_variables!Element!1!Member!LOWER_RANGE_VALUE
input block Units Code=ItemArray!dynamic_variables!Element!1!Member!DIGITAL_UNITS
Tag=Param!tag
Message=Param!message
Descriptor=Param!descriptor

[PARAMETER SPECIAL INFO]
output block Upper Range Value=No Associated Parameter
output block Lower Range Value=No Associated Parameter
output block Units Code=No Associated Parameter
Damping Value=No Associated Parameter
Transfer Function Code=No Associated Parameter
Pressure Measurement Type=No Associated Parameter

[DEFAULT PARAMETER VALUES]
output block Upper Range Value=20.0
output block Lower Range Value=4.0
output block Units Code=39
Damping Value=1.0
Transfer Function Code=0
Pressure Measurement Type=1

[INPUT BLOCK TYPE]
;Generic=1,TempRtd=2,TempTC=3,Frequency=4,Pressure=5,Multivariable=99
Input block=5

[OUTPUT BLOCK TYPE]
;Generic=1,TempRtd=2,TempTC=3,Frequency=4,Pressure=5,HART=8,Multivariable=99
Output block=1

[input block Units Code DD to Common Map]
32=degC
33=degF
57=%
)"));
}

TEST_F(MapFileWriterTest, FieldbusTemperatureGolden) {
  CMapFileInformation model = FieldbusModel(0xa3f7, 3, 1);
  host_.InstallSymbolFile(model, L"010a.sym");
  model.m_nBlockIndex = 2;
  model.m_bUnitsDefault = false;
  model.m_strUnitsParam = L"Param!PRIMARY_VALUE_RANGE!Member!UNITS_INDEX";
  model.SetUnitsMapping(1001, 32);
  model.m_nInputBlockType = 99;
  model.m_strProbeTypeParam = L"Param!SENSOR_TYPE";
  model.SetProbeTypeMapping(128, 12);   // RTD
  model.SetProbeTypeMapping(138, 137);  // thermocouple
  model.SetProbeTypeMapping(104, 1);    // neither
  model.m_bNumWiresDefault = false;
  model.m_strNumWiresParam = L"Param!SENSOR_CONNECTION";
  model.SetNumWiresMapping(3, 3);
  model.m_bTotalizer = true;
  model.m_strTotalizerUnitsParam = L"Param!TOTAL_UNITS";
  model.SetTotalizerUnitsMapping(1048, 40);

  EXPECT_EQ(Written(model), Crlf(R"(;Map File
[IDENTIFICATION]
Manufacturer=a3f7
Model=3
Device Revision=1
DD Revision=a
Map File Format Version=1
Use for CalMgmt=Yes
Use for Export=Yes
Block Index=2

[PARAMETER MAP]
input block Units Code=Param!PRIMARY_VALUE_RANGE!Member!UNITS_INDEX
Probe Type=Param!SENSOR_TYPE
Number of Wires=Param!SENSOR_CONNECTION
output block Units Code=Param!PRIMARY_VALUE_RANGE!Member!UNITS_INDEX
Totalizer Units=Param!TOTAL_UNITS

[PARAMETER SPECIAL INFO]
input block Upper Range Value=No Associated Parameter
input block Lower Range Value=No Associated Parameter
output block Upper Range Value=No Associated Parameter
output block Lower Range Value=No Associated Parameter
Damping Value=No Associated Parameter
Transfer Function Code=No Associated Parameter
Probe Connect=No Associated Parameter
Cold Junction Compensation=No Associated Parameter

[DEFAULT PARAMETER VALUES]
input block Upper Range Value=100.0
input block Lower Range Value=0.0
output block Upper Range Value=100.0
output block Lower Range Value=0.0
Damping Value=1.0
Transfer Function Code=0
Probe Connect=1
Cold Junction Compensation=1

[INPUT BLOCK TYPE]
;Generic=1,TempRtd=2,TempTC=3,Frequency=4,Pressure=5,Multivariable=99
Input block=99
Parameter for current PV=SENSOR_TYPE

[OUTPUT BLOCK TYPE]
;Generic=1,TempRtd=2,TempTC=3,Frequency=4,Pressure=5,HART=8,Multivariable=99
Output block=1

[input block Units Code DD to Common Map]
1001=degC

[output block Units Code DD to Common Map]
1001=degC

[DUAL MODE INPUT BLOCK TYPE DD TO COMMON MAP]
128=2
138=3
104=1

[Probe Type DD to Common Map]
128=Pt100 a=385
138=TC Type K
104=Ohms

[Number of Wires DD to Common Map]
3=3 wires

[Totalizer Units DD to Common Map]
1048=gal
)"));
}

TEST_F(MapFileWriterTest, WirelessHartSensorLimitsAndPollingAddress) {
  CMapFileInformation model = HartModel();
  model.m_bWirelessHart = true;
  model.m_bUnitsDefault = true;
  model.m_nUnitsDefault = 32;
  model.m_strTagParam.clear();
  model.m_strMessageParam.clear();
  model.m_strDescriptorParam.clear();
  const std::string text = Written(model);
  EXPECT_TRUE(Contains(text, Crlf(R"(
[PARAMETER MAP]
input block Upper Range Value=ItemArray!dynamic_variables!Element!1!Member!UPPER_RANGE_VALUE
input block Lower Range Value=ItemArray!dynamic_variables!Element!1!Member!LOWER_RANGE_VALUE
output block Upper Range Value=ItemArray!dynamic_variables!Element!1!Member!UPPER_RANGE_VALUE
output block Lower Range Value=ItemArray!dynamic_variables!Element!1!Member!LOWER_RANGE_VALUE
Upper Sensor Limit=ItemArray!dynamic_variables!Element!1!Member!UPPER_RANGE_VALUE
Lower Sensor Limit=ItemArray!dynamic_variables!Element!1!Member!LOWER_RANGE_VALUE

[PARAMETER SPECIAL INFO]
input block Units Code=No Associated Parameter
output block Units Code=No Associated Parameter
Damping Value=No Associated Parameter
Transfer Function Code=No Associated Parameter
Polling Address=No Associated Parameter

[DEFAULT PARAMETER VALUES]
input block Units Code=32
output block Units Code=32
Damping Value=1.0
Transfer Function Code=0
Polling Address=0
)"))) << text;
  EXPECT_TRUE(Contains(text, "Output block=8\r\n"));
  EXPECT_FALSE(Contains(text, "DD to Common Map")) << "units are defaulted";
}

TEST_F(MapFileWriterTest, EdgeLinesOfTheFormat) {
  CMapFileInformation model = HartModel();
  // A loop-powered HART device gets the 4-20 mA output whatever its input.
  model.m_bUrvDefault = true;
  model.m_strUrvDefault = L"55.5";
  model.m_nInputBlockType = 99;  // with an empty probe type parameter
  model.m_bTransferFuncDefault = false;
  model.m_strTransferFuncParam = L"Param!xfer";
  std::string text = Written(model);

  EXPECT_TRUE(Contains(text, "\r\nProbe Type=\r\n"));
  EXPECT_TRUE(Contains(text, "\r\nParameter for current PV=\r\n"));
  EXPECT_TRUE(Contains(text, "\r\ninput block Upper Range Value=55.5\r\n"));
  EXPECT_TRUE(Contains(text, Crlf("\noutput block Upper Range Value=No Associated Parameter\n"
                                  "output block Lower Range Value=No Associated Parameter\n"
                                  "output block Units Code=No Associated Parameter\n")));
  EXPECT_TRUE(Contains(text, Crlf("\noutput block Upper Range Value=20.0\n"
                                  "output block Lower Range Value=4.0\n"
                                  "output block Units Code=39\n")));
  EXPECT_FALSE(Contains(text, "[output block Units Code DD to Common Map]"));
  // Empty lists still get their section headers.
  EXPECT_TRUE(Contains(text, Crlf("\n\n[Transfer Function Code DD to Common Map]\n\n"
                                  "[DUAL MODE INPUT BLOCK TYPE DD TO COMMON MAP]\n\n"
                                  "[Probe Type DD to Common Map]\n\n"
                                  "[Number of Wires DD to Common Map]\n")));
  EXPECT_FALSE(Contains(text, "Block Index"));

  // Every line ends in CR LF, and nothing follows the last one.
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      EXPECT_EQ(text[i - 1], '\r') << i;
    }
    if (text[i] == '\r') {
      EXPECT_EQ(text[i + 1], '\n') << i;
    }
  }
}

// A value that would not read back as it is, is refused and nothing is
// written; 259 characters still read back whole.
TEST_F(MapFileWriterTest, ValuesThatWouldNotReadBackAreRefused) {
  using Model = CMapFileInformation;
  struct Case {
    std::wstring Model::*field;
    std::wstring value;
    std::wstring problem;
  };
  const Case cases[] = {
      {&Model::m_strDescriptorParam, L"Param!\u65e5\u672c_Druck\u65e5",
       Format(L"the value of \"Descriptor\" holds characters that code page %u cannot hold: "
              L"\u65e5 (U+65E5), \u672c (U+672C)",
              AnsiCodePage())},
      {&Model::m_strUrvParam, L"Param!URV\r\n[IDENTIFICATION]\r\nUse for CalMgmt=Yes",
       L"the value of \"input block Upper Range Value\" holds a line break"},
      {&Model::m_strTagParam, L"Param!a\nb", L"the value of \"Tag\" holds a line break"},
      {&Model::m_strMessageParam, L"Param!a\r", L"the value of \"Message\" holds a line break"},
      {&Model::m_strDampingDefault, std::wstring(260, L'5'),
       L"the value of \"Damping Value\" is 260 characters long, and only 259 are read back"},
      {&Model::m_strDescriptorParam, L"Param!" + std::wstring(253, L'd'), L""},
  };
  uint32_t deviceType = 100;
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.value.substr(0, 20)));
    CMapFileInformation model = HartModel(0x9c, ++deviceType);
    host_.WriteMapFile(model, "old content");
    model.*c.field = c.value;
    EXPECT_EQ(model.WriteProblem(), c.problem);
    EXPECT_EQ(model.WriteMapFile(), c.problem.empty());
    if (c.problem.empty()) {
      EXPECT_EQ(HartModel(0x9c, deviceType).*c.field, c.value) << "read back whole";
    } else {
      EXPECT_EQ(ReadBytes(model.GetMapFilePath()), "old content");
    }
  }
}

TEST_F(MapFileWriterTest, FailedWritesReportFalseAndKeepTheOldFile) {
  CMapFileInformation model = HartModel();
  EXPECT_FALSE(model.WriteMapFile()) << "the device directory does not exist";
  EXPECT_FALSE(FileExists(model.GetMapFilePath()));

  host_.WriteMapFile(model, "old content");
  // A folder in the way of the temporary file makes the write fail.
  std::filesystem::create_directories(FsPath(model.GetMapFilePath() + L".tmp"));
  EXPECT_FALSE(model.WriteMapFile());
  EXPECT_EQ(ReadBytes(model.GetMapFilePath()), "old content");

  std::filesystem::remove(FsPath(model.GetMapFilePath() + L".tmp"));
  EXPECT_TRUE(model.WriteMapFile()) << "an existing file is replaced";
  EXPECT_EQ(ReadBytes(model.GetMapFilePath()).substr(0, 11), ";Map File\r\n");
  const auto entries = std::distance(
      std::filesystem::directory_iterator(FsPath(model.GetDeviceDirectory())), {});
  EXPECT_EQ(entries, 1) << "no temporary file is left behind";
}

}  // namespace
}  // namespace ravelin::testing
