// Whole block sections of the driver over recorded templates (no database).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Text.h"
#include "outside/db/ProgLog.h"
#include "outside/desc/MapFileLocation.h"
#include "tester/ExecuteMapFileTest.h"
#include "tester/MiniHost.h"

namespace ravelin {
namespace {

using testing::CrLf;
using testing::MiniHost;
using testing::ReadBytes;

const std::string kStart = std::string(24, '%') + " Start of Test " + std::string(33, '%');
const std::string kResults = std::string(23, '*') + " Test results " + std::string(23, '*');
const std::string kSep(40, '*');
const std::string kEnd = std::string(25, '%') + " End of Test " + std::string(34, '%') + "\r\n";
constexpr char kDate[] = "The test was conducted at 9:5:7 on 12-8-2026";
constexpr char kNoErrors[] = "No errors detected.";
constexpr char kNothing[] = "No errors or warnings detected.";

// The file text of report lines.
std::string Report(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n\r\n";
  return text;
}

constexpr char kRecording[] = R"(
revision 000026 0122 0a hart
  param SEL type=6
    enum 1 "Temperature: RTD"
  param TOTAL type=4 units=m3
  param TOTAL_INT type=6 units=m3
    enum 1 Cum
  dynamic 1
    member ANALOG_VALUE type=4 units=mA
config 000026 0122 0a hart name=T1
  view 111
    value Param!SEL 1
  view 104
    value Param!TOTAL 12.5
    value Param!TOTAL_INT 3
revision 00007d 010a 01 hart
config 00007d 010a 01 hart name=C1
revision 000044 0001 01 hart
config 000044 0001 01 hart name=G1
)";

// Every quantity defaulted: a clean device at every level.
const std::string kDefaulted = CrLf({
    "[PARAMETER SPECIAL INFO]", "input block Upper Range Value=No Associated Parameter",
    "input block Lower Range Value=No Associated Parameter",
    "input block Units Code=No Associated Parameter",
    "output block Upper Range Value=No Associated Parameter",
    "output block Lower Range Value=No Associated Parameter",
    "output block Units Code=No Associated Parameter",
    "Damping Value=No Associated Parameter", "Transfer Function Code=No Associated Parameter",
    "[DEFAULT PARAMETER VALUES]", "input block Upper Range Value=100.0",
    "input block Lower Range Value=0.0", "input block Units Code=12",
    "output block Upper Range Value=20.0", "output block Lower Range Value=4.0",
    "output block Units Code=39", "Damping Value=0.5", "Transfer Function Code=0"});

class ExecuteMapFileTestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.Recording(kRecording);
    test_.m_openReportAfterTest = 0;
    test_.m_reportFilePath = host_.dir.Join(L"report.txt");
  }
  std::string ReportText() const { return ReadBytes(test_.m_reportFilePath); }
  std::string MapPath(uint32_t m, uint32_t t, uint32_t r) const {
    return ToUtf8(MapFilePath(m, t, r, false));
  }
  // The section head of template T1 up to the results banner.
  std::vector<std::string> Head(const char* name, const char* ids, const std::string& path) {
    return {kStart, std::string(name) + "    " + ids, kDate, "Map file is " + path, kResults};
  }

  MiniHost host_;
  CExecuteMapFileTest test_;
};

TEST_F(ExecuteMapFileTestTest, CleanTemplateAtLevelErrorsKeepsEveryTitle) {
  host_.MapFile(0x26, 0x122, 0x0a, kDefaulted + CrLf({"[INPUT BLOCK TYPE]", "Input block=1"}));
  test_.m_outputLevel = L"ERRORS";
  test_.TestDevice(L"PLANT1", L"!NamedConfig!T1");
  std::vector<std::string> lines = Head("T1", "(26  122  a)", MapPath(0x26, 0x122, 0x0a));
  for (const std::string& line :
       std::vector<std::string>{"Input block unit", kNoErrors, kSep,
                                "Input Block Upper Range Value", kNothing, kSep,
                                "Input Block Lower Range Value", kNothing, kSep,
                                "Output block unit", kNoErrors, kSep,
                                "Output Block Upper Range Value", kNothing, kSep,
                                "Output Block Lower Range Value", kNothing, kSep,
                                "Damping Value", kNothing, kSep, "Transfer function",
                                kNoErrors, kSep, "Input block type is Generic", kEnd}) {
    lines.push_back(line);
  }
  EXPECT_EQ(ReportText(), Report(lines));
  EXPECT_TRUE(test_.m_reportLines.empty());
}

TEST_F(ExecuteMapFileTestTest, SectionsOfARunFollowInTestOrder) {
  host_.MapFile(0x26, 0x122, 0x0a, kDefaulted);
  test_.m_outputLevel = L"ALL";
  test_.TestDevice(L"PLANT1", L"!NamedConfig!Nobody");
  test_.TestDevice(L"PLANT1", L"!NamedConfig!T1");
  test_.TestDevice(L"PLANT1", L"!NamedConfig!T1");
  const std::string text = ReportText();
  ASSERT_EQ(text.rfind("Map file does not exist.\r\n\r\n" + kStart, 0), 0u) << text;
  const size_t first = text.find(kEnd);
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(text.find(kStart, first), first + kEnd.size() + 4);
  EXPECT_EQ(text.size(), text.rfind(kEnd) + kEnd.size() + 4);
  // The default "Input block" is Generic; the loop units come from the device.
  EXPECT_NE(text.find("  '    mA'    39'      '    mA\r\n"), std::string::npos);
  EXPECT_NE(text.find("Value: 0.500000"), std::string::npos);
}

TEST_F(ExecuteMapFileTestTest, ServerFailuresWriteOnlyTheErrorAndTheEndBanner) {
  host_.MapFile(0x26, 0x122, 0x0a, kDefaulted);
  test_.TestBlock(L"NOSUCH", L"T1", L"!NamedConfig!T1", 0x26, 0x122, 0x0a, false);
  test_.TestBlock(L"PLANT1", L"T1", L"!NamedConfig!Nobody", 0x26, 0x122, 0x0a, false);
  const std::string failed = Report({"Error: Can't create server object.", kEnd});
  EXPECT_EQ(ReportText(), failed + failed);
  const std::string log = ReadBytes(ProgLogPath());
  EXPECT_NE(log.find(" 2 0x20000001 Server NewRoot failed."), std::string::npos) << log;
  EXPECT_NE(log.find(" 2 0x20000001 Server Item failed."), std::string::npos) << log;
}

TEST_F(ExecuteMapFileTestTest, GenericMapFilesAreUsedOnlyWhenAllowed) {
  host_.GenericMapFile(kDefaulted);
  test_.TestDevice(L"PLANT1", L"!NamedConfig!G1");
  EXPECT_EQ(ReportText(),
            Report({kStart, "G1    (44  1  1)", kDate,
                    "Generic map file would be used but tester chose to prevent this. No "
                    "test performed.",
                    kEnd}));
  DeleteFileIfExists(test_.m_reportFilePath);
  test_.m_allowGenericMapFile = 1;
  test_.TestDevice(L"PLANT1", L"!NamedConfig!G1");
  const std::string generic =
      ToUtf8(JoinPath(JoinPath(host_.HartRoot(), L"Generic"), L"Generic.map"));
  EXPECT_EQ(ReportText().rfind(Report({kStart, "G1    (44  1  1)", kDate,
                                       "A Generic map file is being used.",
                                       "Map file is " + generic, kResults,
                                       "Input block unit"}),
                               0),
            0u);
}

TEST_F(ExecuteMapFileTestTest, TwoConventionalDeviceTypesHaveNoOutputBlock) {
  host_.MapFile(0x7d, 0x10a, 0x01, kDefaulted);
  test_.TestDevice(L"PLANT1", L"!NamedConfig!C1");
  const std::string text = ReportText();
  EXPECT_NE(text.find(Report({"Input Block Lower Range Value", kNothing, kSep,
                              "Transfer function"})),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("Output block unit"), std::string::npos);
  EXPECT_EQ(text.find("Damping Value"), std::string::npos);
}

TEST_F(ExecuteMapFileTestTest, MultivariableBlocks) {
  const std::string dual = CrLf({"[DUAL MODE INPUT BLOCK TYPE DD TO COMMON MAP]", "1=2"});
  host_.MapFile(0x26, 0x122, 0x0a,
                kDefaulted +
                    CrLf({"[INPUT BLOCK TYPE]", "Input block=99",
                          "Parameter for current PV=SEL", "[OUTPUT BLOCK TYPE]",
                          "Output block=65635",
                          "Parameter to determine output block type=ITEMARRAY!x!y"}) +
                    dual);
  test_.TestDevice(L"PLANT1", L"!NamedConfig!T1");
  std::string text = ReportText();
  EXPECT_NE(text.find(Report({kSep, "Multiple input block", kNothing, kSep,
                              "Multiple output block",
                              "ERROR: Can't read Param 'Type' by using parameter moniker "
                              "ITEMARRAY!x!y",
                              "WARNING: This parameter 'Type' is not an enumeration", kSep, "Input block type is TempRtd", "Probe type",
                              "Error: No moniker for Probe Type", kSep, "Number of wires",
                              "Error: No moniker for Number of Wires", kEnd})),
            std::string::npos)
      << text;

  DeleteFileIfExists(test_.m_reportFilePath);
  host_.MapFile(0x26, 0x122, 0x0a,
                kDefaulted +
                    CrLf({"[INPUT BLOCK TYPE]", "Input block=99", "[OUTPUT BLOCK TYPE]",
                          "Output block=99",
                          "Parameter to determine output block type=OUT_SEL"}));
  test_.TestDevice(L"PLANT1", L"!NamedConfig!T1");
  text = ReportText();
  EXPECT_NE(text.find(Report({"Multiple input block",
                              "ERROR: Cannot get the moniker to do mappings.", kSep,
                              "Multiple output block",
                              "ERROR: Can't read Param 'Type' by using parameter moniker "
                              "Param!OUT_SEL",
                              "WARNING: This parameter 'Type' is not an enumeration"})),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(Report({kSep, "ERROR: Unsupported or unable to read input block type.",
                              kEnd})),
            std::string::npos);
}

TEST_F(ExecuteMapFileTestTest, EachInputBlockTypeRunsItsSensorChecks) {
  const std::pair<const char*, std::vector<std::string>> types[] = {
      {"2", {"Input block type is TempRtd", "Probe type", "Error: No moniker for Probe Type",
             kSep, "Number of wires", "Error: No moniker for Number of Wires"}},
      {"3", {"Input block type is TempTC", "Probe type", "Error: No moniker for Probe Type",
             kSep, "Cold junction compensation",
             "Error: No moniker for Cold Junction Compensation", kSep, "Probe connect",
             "Error: No moniker for Probe Connect"}},
      {"4", {"Input block type is Frequency", "Wave form", "Error: No moniker for Wave Form"}},
      {"5", {"Input block type is Pressure", "Pressure measurement type",
             "Error: No moniker for Pressure Measurement Type"}},
      {"7", {"ERROR: Unsupported or unable to read input block type."}},
  };
  for (const auto& [type, expected] : types) {
    SCOPED_TRACE(type);
    DeleteFileIfExists(test_.m_reportFilePath);
    host_.MapFile(0x26, 0x122, 0x0a,
                  kDefaulted +
                      CrLf({"[INPUT BLOCK TYPE]", (std::string("Input block=") + type).c_str()}));
    test_.TestDevice(L"PLANT1", L"!NamedConfig!T1");
    std::vector<std::string> tail{kNothing, kSep};
    tail.insert(tail.end(), expected.begin(), expected.end());
    tail.push_back(kEnd);
    const std::string text = ReportText();
    EXPECT_EQ(text.substr(text.size() - Report(tail).size()), Report(tail));
  }
}

TEST_F(ExecuteMapFileTestTest, TotalizerAtEachLevel) {
  auto totalizer = [&](const char* value) {
    host_.MapFile(0x26, 0x122, 0x0a,
                  kDefaulted + CrLf({"[PARAMETER MAP]", "Totalizer Units=Param!TOTAL_INT",
                                     (std::string("Totalizer Value=") + value).c_str(),
                                     "[Totalizer Units DD to Common Map]", "1=Cum"}));
    DeleteFileIfExists(test_.m_reportFilePath);
    test_.TestDevice(L"PLANT1", L"!NamedConfig!T1");
    const std::string text = ReportText();
    const size_t at = text.find("Totalizer units");
    return at == std::string::npos ? text : text.substr(at);
  };
  const std::string value =
      "Totalizer value - Note: this must be read from a LIVE (Connected) device\r\n\r\n";
  test_.m_outputLevel = L"ALL";
  EXPECT_EQ(totalizer("Param!TOTAL"),
            Report({"Totalizer units",
                    "DD Code, DD String, Common Code, Common String in English, Common String",
                    "1'    Cum'    43'    Cum'    Cum", kSep}) +
                value + Report({"Totalizer", "Value: 12.500000", "unit: m3", kEnd}));
  const std::string units = Report({"Totalizer units", kNothing, kSep}) + value;
  test_.m_outputLevel = L"warnings";
  EXPECT_EQ(totalizer("Param!TOTAL"),
            units + Report({"No errors or warning detected", kEnd}));
  EXPECT_EQ(totalizer("Param!TOTAL_INT"),
            units + Report({"Totalizer is not a floating point value", kEnd}));
  EXPECT_EQ(totalizer("Param!NONE"), units + Report({"Unable to read totalizer value", kEnd}));
}

TEST_F(ExecuteMapFileTestTest, ReplacingTheReportOpensIt) {
  host_.dir.Write(L"notepad.exe", "");
  host_.dir.Write(L"dd/readme.txt", "");
  test_.m_openReportAfterTest = 1;
  test_.m_reportFilePath.clear();
  test_.TestDevice(L"PLANT1", L"!NamedConfig!Nobody");
  test_.TestDevice(L"PLANT1", L"!NamedConfig!Nobody");
  const std::wstring expected = JoinPath(host_.HartRoot(), L"MapFileTestResults.txt");
  EXPECT_EQ(test_.m_reportFilePath, expected);
  EXPECT_EQ(ReportText(), Report({"Map file does not exist."}));
  ASSERT_EQ(host_.platform.started.size(), 2u);
  EXPECT_EQ(host_.platform.started[1].second, expected);
}

TEST_F(ExecuteMapFileTestTest, AnUnwritableReportLosesTheSectionAndSaysSo) {
  test_.m_reportFilePath = host_.dir.Path();
  test_.TestDevice(L"PLANT1", L"!NamedConfig!Nobody");
  ASSERT_EQ(host_.platform.boxes.size(), 1u);
  EXPECT_EQ(host_.platform.boxes[0].text, host_.dir.Path() + L" can't be opened.");
  EXPECT_EQ(host_.platform.boxes[0].caption, L"Open Mapfile Test Ouput File Error");
  EXPECT_EQ(test_.LostReportSections(), 1);
  EXPECT_TRUE(test_.m_reportLines.empty());
}

}  // namespace
}  // namespace ravelin
