// The value check over a recorded template and hand-written map files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks/NonEnumParamInfo.h"
#include "outside/db/ProgLog.h"
#include "tester/MiniHost.h"

namespace ravelin {
namespace {

using testing::CrLf;
using testing::HartIdentity;
using testing::MiniHost;
using testing::OpenDevice;
using Lines = std::vector<std::wstring>;

constexpr wchar_t kNothing[] = L"No errors or warnings detected.";
constexpr wchar_t kDefaultNote[] =
    L"No Associated Parameter is defined. Reading value directly from map file.";
constexpr wchar_t kUnreadable[] =
    L"ERROR: Unable to read the value using the moniker in the map file.";

constexpr char kRecording[] = R"(
revision 000026 0122 0a hart
  param damping type=4
  dynamic 1
    member UPPER_RANGE_VALUE type=4
    member LOWER_RANGE_VALUE type=4
config 000026 0122 0a hart name=T1
  view 111
    value ItemArray!dynamic_variables!Element!1!Member!UPPER_RANGE_VALUE 100.5
)";

class NonEnumParamInfoTest : public ::testing::Test {
 protected:
  void SetUp() override { host_.Recording(kRecording); }

  template <class Checker, class... Args>
  Lines Check(uint32_t manufacturer, const std::wstring& level, Args... args) {
    OpenDevice device(HartIdentity(manufacturer, 0x122, 0x0a), L"!NamedConfig!T1", 111);
    Checker checker(&device.info, args...);
    Lines out{L"before"};
    checker.CheckParameter(out, device.kind, level);
    out.erase(out.begin());
    return out;
  }

  MiniHost host_;
};

TEST_F(NonEnumParamInfoTest, AValueTheDeviceDeliversIsNotReported) {
  host_.MapFile(0x26, 0x122, 0x0a, "");
  EXPECT_EQ(Check<CUpperRangeValueInfo>(0x26, L"ALL", 0), Lines{});
  EXPECT_EQ(Check<CUpperRangeValueInfo>(0x26, L"ERRORS", 0), Lines{kNothing});
  EXPECT_EQ(Check<CUpperRangeValueInfo>(0x26, L"warnings", 0), Lines{kNothing});
  // The lower range value has no value in the template's view.
  EXPECT_EQ(Check<CLowerRangeValueInfo>(0x26, L"ALL", 0), Lines{kUnreadable});
}

TEST_F(NonEnumParamInfoTest, OutputRangeWithoutParameterReadsTheBareSuffix) {
  host_.MapFile(0x26, 0x122, 0x0a, "");
  EXPECT_EQ(Check<CUpperRangeValueInfo>(0x26, L"ALL", 1), Lines{kUnreadable});
  EXPECT_EQ(Check<CLowerRangeValueInfo>(0x26, L"WARNINGS", 1), Lines{kUnreadable});
  // The map file's parameter replaces the default moniker.
  host_.MapFile(0x26, 0x122, 0x0a,
                CrLf({"[PARAMETER MAP]",
                      "output block Upper Range Value=ItemArray!dynamic_variables!Element!1!"
                      "Member!UPPER_RANGE_VALUE"}));
  EXPECT_EQ(Check<CUpperRangeValueInfo>(0x26, L"ALL", 1), Lines{});
}

TEST_F(NonEnumParamInfoTest, DefaultValuesAreShownOnlyForDeviceSpecificFiles) {
  const std::string body =
      CrLf({"[PARAMETER SPECIAL INFO]", "Damping Value=No Associated Parameter",
            "[DEFAULT PARAMETER VALUES]", "Damping Value=1.5"});
  host_.MapFile(0x26, 0x122, 0x0a, body);
  EXPECT_EQ(Check<CDampingValueInfo>(0x26, L"ALL"),
            (Lines{kDefaultNote, L"Value: 1.500000"}));
  EXPECT_EQ(Check<CDampingValueInfo>(0x26, L"ERRORS"), Lines{kNothing});

  const Lines notRead{
      kDefaultNote,
      L"Map file is either generic, or for a conventional device. No value was read."};
  host_.GenericMapFile(body);
  EXPECT_EQ(Check<CDampingValueInfo>(0x44, L"ALL"), notRead);
  host_.MapFile(0x7d, 0x122, 0x0a, body);
  EXPECT_EQ(Check<CDampingValueInfo>(0x7d, L"ALL"), notRead);
}

TEST_F(NonEnumParamInfoTest, FailuresAreOneErrorLineAtEveryLevel) {
  host_.MapFile(0x26, 0x122, 0x0a,
                CrLf({"[PARAMETER SPECIAL INFO]", "Damping Value=No Associated Parameter"}));
  const Lines noDefault{
      L"ERROR: No Associated Parameter is defined, but unable to read the value from the "
      L"map file."};
  for (const wchar_t* level : {L"ALL", L"ERRORS", L"WARNINGS"}) {
    EXPECT_EQ(Check<CDampingValueInfo>(0x26, level), noDefault) << level;
    EXPECT_EQ(Check<CDampingValueInfo>(0x99, level), Lines{L"ERROR: There is no map file."});
  }
  EXPECT_NE(testing::ReadBytes(ProgLogPath())
                .find("NonEnumParamInfo(", 0),
            std::string::npos);
}

}  // namespace
}  // namespace ravelin
