// The enumerated check over a recorded template and hand-written map files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks/Checkers.h"
#include "outside/db/ProgLog.h"
#include "tester/MiniHost.h"

namespace ravelin {
namespace {

using testing::CrLf;
using testing::HartIdentity;
using testing::MiniHost;
using testing::OpenDevice;
using Lines = std::vector<std::wstring>;

constexpr wchar_t kHeader[] =
    L"DD Code, DD String, Common Code, Common String in English, Common String";
constexpr wchar_t kNonExact[] =
    L"WARNING: Non-exact \"DD String\" <-> \"Common String\" comparison found";
constexpr wchar_t kBadMap[] = L"ERROR: Invalid DD Code mapping found.";
constexpr wchar_t kNoErrors[] = L"No errors detected.";
constexpr wchar_t kNoWarnings[] = L"No errors or warnings detected.";
constexpr wchar_t kNotEnum[] = L"WARNING: This parameter 'Type' is not an enumeration";
constexpr wchar_t kDefaultNote[] =
    L"No Associated Parameter is defined. Reading value directly from map file.";

std::wstring Row(const wchar_t* a, const wchar_t* b, const wchar_t* c, const wchar_t* d,
                 const wchar_t* e) {
  return std::wstring(a) + L"'    " + b + L"'    " + c + L"'    " + d + L"'    " + e;
}

constexpr char kRecording[] = R"(
revision 000026 0122 0a hart
  param PV_UNITS type=6
    enum 12 kPa
    enum 7 BAR
  param SPACED type=6
    enum 12 "k Pa"
  param MIXED type=6
    enum 12 kPa
    enum 7 "ba r"
  param UNMAPPED type=6
    enum 12 kPa
    enum 99 Foo
  param TWO_BAD type=6
    enum 98 X
    enum 99 Y
  param FLOAT type=4
  param BIG type=6
    enum 70000 kPa
  param EMPTY type=6
  param SEL type=6
    enum 1 "temperature: rtd"
    enum 2 TC
  dynamic 1
    member ANALOG_VALUE type=4 units=mA
config 000026 0122 0a hart name=T1
revision 00007d 0109 0a hart
config 00007d 0109 0a hart name=C1
)";

// A unit check of parameter `param` of template T1 with a map file whose
// units map is `units` (DD code=English name lines).
class ParamInfoTest : public ::testing::Test {
 protected:
  void SetUp() override { host_.Recording(kRecording); }

  void UnitsMap(const std::string& param, const std::string& entries) {
    host_.MapFile(0x26, 0x122, 0x0a,
                  CrLf({"[PARAMETER MAP]", ("input block Units Code=Param!" + param).c_str(),
                        "[input block Units Code DD to Common Map]"}) +
                      entries);
  }

  template <class Checker, class... Args>
  Lines Check(const std::wstring& level, int32_t suppress, Args... args) {
    return CheckOn<Checker>(HartIdentity(0x26, 0x122, 0x0a), L"!NamedConfig!T1", level,
                            suppress, args...);
  }

  template <class Checker, class... Args>
  Lines CheckOn(DeviceIdentification id, const std::wstring& moniker,
                const std::wstring& level, int32_t suppress, Args... args) {
    OpenDevice device(id, moniker, 111);
    Checker checker(&device.info, args...);
    Lines out{L"before"};
    checker.CheckParameter(out, 111, device.kind, level, suppress);
    EXPECT_EQ(out.front(), L"before");  // appended, never replaced
    out.erase(out.begin());
    return out;
  }

  MiniHost host_;
};

TEST_F(ParamInfoTest, ExactElementsReportNothingAtTheFilteredLevels) {
  UnitsMap("PV_UNITS", CrLf({"12=kPa", "7=bar"}));
  const Lines full{kHeader, Row(L"12", L"kPa", L"12", L"kPa", L"kPa"),
                   Row(L"7", L"BAR", L"7", L"bar", L"bar")};
  EXPECT_EQ(Check<CUnitInfo>(L"ALL", 0, 0), full);
  EXPECT_EQ(Check<CUnitInfo>(L"anything", 0, 0), full);
  EXPECT_EQ(Check<CUnitInfo>(L"errors", 0, 0), Lines{kNoErrors});
  EXPECT_EQ(Check<CUnitInfo>(L"WARNINGS", 0, 0), Lines{kNoWarnings});
}

TEST_F(ParamInfoTest, NonExactNamesWarnUnlessSuppressed) {
  UnitsMap("SPACED", CrLf({"12=kPa"}));
  const std::wstring row = Row(L"12", L"k Pa", L"12", L"kPa", L"kPa");
  EXPECT_EQ(Check<CUnitInfo>(L"WARNINGS", 0, 0), (Lines{kHeader, kNonExact, row}));
  EXPECT_EQ(Check<CUnitInfo>(L"ALL", 0, 0), (Lines{kHeader, kNonExact, row}));
  EXPECT_EQ(Check<CUnitInfo>(L"ERRORS", 0, 0), Lines{kNoErrors});
  EXPECT_EQ(Check<CUnitInfo>(L"WARNINGS", 1, 0), Lines{kNoWarnings});
  EXPECT_EQ(Check<CUnitInfo>(L"ALL", 1, 0), (Lines{kHeader, row}));
}

TEST_F(ParamInfoTest, FindingsStandBeforeTheirRowInElementOrder) {
  UnitsMap("MIXED", CrLf({"12=kPa", "7=bar"}));
  EXPECT_EQ(Check<CUnitInfo>(L"ALL", 0, 0),
            (Lines{kHeader, Row(L"12", L"kPa", L"12", L"kPa", L"kPa"), kNonExact,
                   Row(L"7", L"ba r", L"7", L"bar", L"bar")}));

  UnitsMap("UNMAPPED", CrLf({"12=kPa"}));
  const std::wstring bad = Row(L"99", L"Foo", L"Error", L"Error", L"Error");
  EXPECT_EQ(Check<CUnitInfo>(L"ALL", 0, 0),
            (Lines{kHeader, Row(L"12", L"kPa", L"12", L"kPa", L"kPa"), kBadMap, bad}));
  EXPECT_EQ(Check<CUnitInfo>(L"ERRORS", 0, 0), (Lines{kHeader, kBadMap, bad}));
  EXPECT_EQ(Check<CUnitInfo>(L"WARNINGS", 1, 0), (Lines{kHeader, kBadMap, bad}));
}

TEST_F(ParamInfoTest, TwoFailuresShareOneHeader) {
  UnitsMap("TWO_BAD", "");
  const Lines expected{kHeader, kBadMap, Row(L"98", L"X", L"Error", L"Error", L"Error"),
                       kBadMap, Row(L"99", L"Y", L"Error", L"Error", L"Error")};
  EXPECT_EQ(Check<CUnitInfo>(L"ERRORS", 0, 0), expected);
  EXPECT_EQ(Check<CUnitInfo>(L"WARNINGS", 0, 0), expected);
}

TEST_F(ParamInfoTest, OnlyTheLowSixteenBitsOfADdCodeReachTheMap) {
  // 70000 & 0xFFFF is 4464; the English column is read by the full code.
  UnitsMap("BIG", CrLf({"4464=kPa", "70000=kPa"}));
  EXPECT_EQ(Check<CUnitInfo>(L"ALL", 0, 0),
            (Lines{kHeader, Row(L"70000", L"kPa", L"12", L"kPa", L"kPa")}));
  UnitsMap("BIG", CrLf({"4464=kPa"}));
  EXPECT_EQ(Check<CUnitInfo>(L"ALL", 0, 0),
            (Lines{kHeader, Row(L"70000", L"kPa", L"12", L"Error", L"kPa")}));
}

TEST_F(ParamInfoTest, ParametersThatAreNoReadableEnumeration) {
  UnitsMap("FLOAT", "");
  EXPECT_EQ(Check<CUnitInfo>(L"ALL", 0, 0), Lines{kNotEnum});
  EXPECT_EQ(Check<CUnitInfo>(L"WARNINGS", 0, 0), Lines{kNotEnum});
  EXPECT_EQ(Check<CUnitInfo>(L"ERRORS", 0, 0), Lines{kNoErrors});

  UnitsMap("NOPE", "");
  const std::wstring typeError =
      L"ERROR: Can't read Param 'Type' by using parameter moniker Param!NOPE";
  EXPECT_EQ(Check<CUnitInfo>(L"ALL", 0, 0), (Lines{typeError, kNotEnum}));
  EXPECT_EQ(Check<CUnitInfo>(L"ERRORS", 0, 0), Lines{typeError});

  UnitsMap("EMPTY", "");
  EXPECT_EQ(Check<CUnitInfo>(L"WARNINGS", 0, 0),
            Lines{L"ERROR: Can't read values by using parameter moniker Param!EMPTY"});
}

TEST_F(ParamInfoTest, MissingMapFileOrMonikerIsOneLineAtEveryLevel) {
  for (const wchar_t* level : {L"ALL", L"ERRORS", L"WARNINGS"}) {
    EXPECT_EQ(CheckOn<CUnitInfo>(HartIdentity(0x27, 1, 1), L"!NamedConfig!T1", level, 0, 0),
              Lines{L"ERROR: There is no map file."});
  }
  UnitsMap("PV_UNITS", "");
  // Not counted as an error: mixed case.
  for (const wchar_t* level : {L"ALL", L"ERRORS"}) {
    EXPECT_EQ(Check<CPrbTypeInfo>(level, 1), Lines{L"Error: No moniker for Probe Type"});
  }
}

TEST_F(ParamInfoTest, DefaultCodeFromTheMapFile) {
  auto defaulted = [&](const char* value) {
    host_.MapFile(0x26, 0x122, 0x0a,
                  CrLf({"[PARAMETER SPECIAL INFO]",
                        "input block Units Code=No Associated Parameter",
                        "[DEFAULT PARAMETER VALUES]",
                        (std::string("input block Units Code=") + value).c_str()}));
  };
  defaulted("12");
  EXPECT_EQ(Check<CUnitInfo>(L"ALL", 0, 0),
            (Lines{kDefaultNote, kHeader, Row(L"  ", L"  ", L"12", L"  ", L"kPa")}));
  EXPECT_EQ(Check<CUnitInfo>(L"ERRORS", 0, 0), Lines{kNoErrors});

  defaulted("9999");
  const std::wstring noName = L"ERROR: Unable to get Common String from Common Code.";
  const std::wstring row = Row(L"  ", L"  ", L"9999", L"  ", L"Error");
  EXPECT_EQ(Check<CUnitInfo>(L"ALL", 0, 0), (Lines{kDefaultNote, noName, kHeader, row}));
  EXPECT_EQ(Check<CUnitInfo>(L"ERRORS", 0, 0), (Lines{noName, kHeader, row}));

  defaulted("");
  const Lines noDefault{
      L"ERROR: No Associated Parameter is defined, but unable to read the value directly "
      L"from the map file."};
  EXPECT_EQ(Check<CUnitInfo>(L"ALL", 0, 0), noDefault);
  EXPECT_EQ(Check<CUnitInfo>(L"WARNINGS", 0, 0), noDefault);
  const std::string log = testing::ReadBytes(ProgLogPath());
  EXPECT_NE(log.find(" 2 0x20000001 The map file for this device indicates that there is no "
                     "associated parameter for \"input block Units Code\" but the map "
                     "file does not specify a default value."),
            std::string::npos)
      << log;
}

TEST_F(ParamInfoTest, OutputUnitsAreReadFromTheLoopOnlyForDeviceSpecificHartFiles) {
  const std::string body = CrLf({"[PARAMETER SPECIAL INFO]",
                                 "output block Units Code=No Associated Parameter",
                                 "[DEFAULT PARAMETER VALUES]", "output block Units Code=39"});
  const Lines read{kDefaultNote, kHeader, Row(L"  ", L"mA", L"39", L"  ", L"mA")};
  const Lines notRead{kDefaultNote, kHeader, Row(L"  ", L"  ", L"39", L"  ", L"mA")};

  host_.MapFile(0x26, 0x122, 0x0a, body);
  EXPECT_EQ(Check<CUnitInfo>(L"ALL", 0, 1), read);

  host_.MapFile(0x26, 0x122, 0x0a, body, false, CrLf({"Block Index=1"}));
  EXPECT_EQ(Check<CUnitInfo>(L"ALL", 0, 1), notRead);

  host_.GenericMapFile(body);
  EXPECT_EQ(CheckOn<CUnitInfo>(HartIdentity(0x44, 1, 1), L"!NamedConfig!T1", L"ALL", 0, 1),
            notRead);

  host_.MapFile(0x7d, 0x109, 0x0a, body);
  EXPECT_EQ(CheckOn<CUnitInfo>(HartIdentity(0x7d, 0x109, 0x0a), L"!NamedConfig!C1", L"ALL",
                               0, 1),
            notRead);

  // The template of another revision has no loop value to read.
  host_.MapFile(0x26, 0x122, 0x0a, body);
  const std::wstring failed = Row(L"  ", L"Error", L"39", L"  ", L"mA");
  const std::wstring error = L"ERROR: Unable to read the units using a default moniker.";
  EXPECT_EQ(CheckOn<CUnitInfo>(HartIdentity(0x26, 0x122, 0x0a), L"!NamedConfig!C1",
                               L"ERRORS", 0, 1),
            (Lines{error, kHeader, failed}));
}

TEST_F(ParamInfoTest, CodeFromAFormula) {
  auto formula = [&](const char* expression) {
    host_.MapFile(0x26, 0x122, 0x0a,
                  CrLf({"[PARAMETER SPECIAL INFO]", "input block Units Code=Formula",
                        "[FORMULAS]",
                        (std::string("input block Units Code=") + expression).c_str()}));
  };
  constexpr wchar_t kNote[] = L"Determining parameter value from formula.";
  formula("10 + 2");
  EXPECT_EQ(Check<CUnitInfo>(L"ALL", 0, 0),
            (Lines{kNote, kHeader, Row(L"  ", L"  ", L"12", L"  ", L"kPa")}));
  EXPECT_EQ(Check<CUnitInfo>(L"WARNINGS", 0, 0), Lines{kNoWarnings});

  formula("1 / 0");
  const std::wstring failed =
      L"ERROR: Unable to get results from using formula defined in map file.";
  const std::wstring row = Row(L"  ", L"  ", L"Error", L"  ", L"Error");
  const Lines filtered{kNote, kHeader, failed, row};
  EXPECT_EQ(Check<CUnitInfo>(L"ALL", 0, 0), filtered);
  EXPECT_EQ(Check<CUnitInfo>(L"ERRORS", 0, 0), filtered);
  EXPECT_EQ(Check<CUnitInfo>(L"WARNINGS", 0, 0), filtered);

  formula("9000 + 999");
  EXPECT_EQ(Check<CUnitInfo>(L"ERRORS", 0, 0),
            (Lines{kNote, kHeader,
                   L"ERROR: Unable to get Common String from Common Code generated by "
                   L"formula.",
                   Row(L"  ", L"  ", L"9999", L"  ", L"Error")}));
}

// The host's own server (PLANT1) holds the same template with other
// entries: only the server the device was reached on counts.
TEST_F(ParamInfoTest, EntriesComeFromTheServerTheDeviceWasReachedOn) {
  UnitsMap("PV_UNITS", CrLf({"12=kPa", "7=bar", "32=degC"}));
  host_.dir.Write(L"recordings/PLANT2.rec", R"(ravelin-recording 1
revision 000026 0122 0a hart
  param PV_UNITS type=6
    enum 32 degC
config 000026 0122 0a hart name=T1
)");
  OpenDevice device(HartIdentity(0x26, 0x122, 0x0a), L"!NamedConfig!T1", 111, -1, L"PLANT2");
  CUnitInfo checker(&device.info, 0);
  Lines out;
  checker.CheckParameter(out, 111, device.kind, L"ALL", 0);
  EXPECT_EQ(out, (Lines{kHeader, Row(L"32", L"degC", L"32", L"degC", L"degC")}));
}

TEST_F(ParamInfoTest, BlockTypeRowsCompareWithTheEnglishBlockName) {
  host_.MapFile(0x26, 0x122, 0x0a,
                CrLf({"[DUAL MODE INPUT BLOCK TYPE DD TO COMMON MAP]", "1=2", "2=3"}));
  EXPECT_EQ(Check<CDualBlckTypeInfo>(L"ALL", 0, 0, std::wstring(L"Param!SEL")),
            (Lines{kHeader, Row(L"1", L"temperature: rtd", L"2", L"Temperature: RTD", L""),
                   kNonExact, Row(L"2", L"TC", L"3", L"Temperature: TC", L"")}));
}

}  // namespace
}  // namespace ravelin
