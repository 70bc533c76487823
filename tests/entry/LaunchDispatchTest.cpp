#include "entry/LaunchDispatch.h"

#include <gtest/gtest.h>

#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace ravelin {
namespace {

using testing::FakePlatform;
using testing::TempDir;

// Records which tool ran with which values; one line per call.
class RecordingTools : public Tools {
 public:
  void RunDeviceTester(const std::wstring& server, const std::wstring& tag) override {
    calls.push_back(L"tester server=" + server + L" tag=" + tag);
  }
  void RunMapFileWizard(const std::wstring& tag, const std::wstring& moniker,
                        const std::wstring& server, int32_t manufacturer,
                        int32_t type, int32_t revision, bool fieldbus) override {
    calls.push_back(L"wizard tag=" + tag + L" moniker=" + moniker + L" server=" +
                    server + L" id=" + std::to_wstring(manufacturer) + L"/" +
                    std::to_wstring(type) + L"/" + std::to_wstring(revision) +
                    (fieldbus ? L" ff" : L" hart"));
  }
  void CreateTestDevices(const std::wstring& server) override {
    calls.push_back(L"create server=" + server);
  }
  void RunBatchTester(const std::wstring& server) override {
    calls.push_back(L"batch server=" + server);
  }
  std::vector<std::wstring> calls;
};

const wchar_t kHartData[] =
    L"<TARNTAG>PT-101</TARNTAG><MONIKER>!ID!PT-101!Hart</MONIKER>"
    L"<HART_MANUFACTURER_ID_CODE>38</HART_MANUFACTURER_ID_CODE>"
    L"<HART_DEVICE_TYPE>7</HART_DEVICE_TYPE><HART_DEVICE_REVISION>3</HART_DEVICE_REVISION>"
    L"<PLANTSERVERNAME>PLANT1</PLANTSERVERNAME>";

TEST(LaunchFenletTest, EachOperationHandsItsToolThePlainValues) {
  TempDir root;
  FakePlatform platform(root.Path());
  struct Case {
    const wchar_t* operation;
    const wchar_t* data;
    std::vector<std::wstring> expected;
  } cases[] = {
      {L"0", kHartData, {L"tester server=PLANT1 tag=PT-101"}},
      {L"1", kHartData,
       {L"wizard tag=PT-101 moniker=!ID!PT-101!Hart server=PLANT1 id=38/7/3 hart"}},
      {L"1",
       L"<FFDevice>yes</FFDevice><TARNTAG>FT-7</TARNTAG><MONIKER>m</MONIKER>"
       L"<MANUFACTURER_ID>4874</MANUFACTURER_ID><DEVICE_TYPE_ID>8</DEVICE_TYPE_ID>"
       L"<DEVICE_REVISION>2</DEVICE_REVISION><PLANTSERVERNAME>S</PLANTSERVERNAME>",
       {L"wizard tag=FT-7 moniker=m server=S id=4874/8/2 ff"}},
      {L"3", kHartData, {L"batch server=PLANT1"}},
      {L" +3xyz", L"<PLANTSERVERNAME>A</PLANTSERVERNAME>", {L"batch server=A"}},
      // An empty or non-numeric operation is 0: the single-device tester.
      {L"", kHartData, {L"tester server=PLANT1 tag=PT-101"}},
      {L"x", kHartData, {L"tester server=PLANT1 tag=PT-101"}},
      {L"7", kHartData, {}},
      {L"-1", kHartData, {}},
      {L"4", kHartData, {}},
  };
  for (const auto& c : cases) {
    RecordingTools tools;
    LaunchFenlet(c.operation, c.data, tools);
    EXPECT_EQ(tools.calls, c.expected) << "operation \"" << ::testing::PrintToString(std::wstring(c.operation)) << "\"";
  }
  EXPECT_TRUE(platform.boxes.empty());
}

TEST(LaunchFenletTest, ServerNameFallsBackToVelkIni) {
  TempDir root;
  FakePlatform platform(root.Path());
  {
    RecordingTools tools;
    LaunchFenlet(L"3", L"", tools);  // no velk.ini at all
    EXPECT_EQ(tools.calls, std::vector<std::wstring>{L"batch server="});
  }
  root.Write(L"velk.ini",
             "[INSTALLATION]\r\nDevicePath=C:\\DD\r\n"
             "[tarn server 1]\r\ncomputer name = VELKSRV \r\n");
  RecordingTools tools;
  LaunchFenlet(L"3", L"", tools);
  LaunchFenlet(L"0", L"<TARNTAG>T</TARNTAG><PLANTSERVERNAME></PLANTSERVERNAME>", tools);
  LaunchFenlet(L"3", L"<PLANTSERVERNAME>OWN</PLANTSERVERNAME>", tools);
  EXPECT_EQ(tools.calls, (std::vector<std::wstring>{
                             L"batch server=VELKSRV",
                             L"tester server=VELKSRV tag=T",
                             L"batch server=OWN"}));
}

TEST(LaunchFenletTest, OperationTwoCreatesDevicesOnlyWhenConfirmed) {
  TempDir root;
  FakePlatform platform(root.Path());
  platform.answers = {kIdNo, kIdYes};
  RecordingTools tools;
  LaunchFenlet(L"2", L"<PLANTSERVERNAME>P</PLANTSERVERNAME>", tools);
  EXPECT_TRUE(tools.calls.empty());
  LaunchFenlet(L"2", L"<PLANTSERVERNAME>P</PLANTSERVERNAME>", tools);
  EXPECT_EQ(tools.calls, std::vector<std::wstring>{L"create server=P"});
  ASSERT_EQ(platform.boxes.size(), 2u);
  EXPECT_EQ(platform.boxes[0].text,
            L"This will create new FF Devices.\nAre you sure you want this?");
  EXPECT_EQ(platform.boxes[0].style, unsigned(kMbYesNo));
}

}  // namespace
}  // namespace ravelin
