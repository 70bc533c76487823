// Device tags resolved through the host database, by protocol.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/Text.h"
#include "outside/db/HostDatabase.h"
#include "outside/db/VelkDatabase.h"
#include "tester/DeviceLookup.h"
#include "tester/ExecuteMapFileTest.h"
#include "tester/FakeLauncherView.h"
#include "tester/MapFileTestLauncherDlg.h"
#include "tester/TesterIds.h"
#include "tester/MiniHost.h"

namespace ravelin {
namespace {

using testing::CrLf;
using testing::ReadBytes;

constexpr char kRecording[] = R"(ravelin-recording 1
revision 000027 0122 0a hart
  param PV_UNITS type=6
    enum 12 kPa
device 000027 0122 0a hart id=ID-1 blockkey=1
revision 000028 0122 0a hart
  param PV_UNITS type=6
    enum 12 kPa
device 000028 0122 0a hart id=ID-2
revision 000029 0122 0a fieldbus
  block 1 name=TRANSDUCER
    param PV_UNITS type=6
      enum 12 kPa
device 000029 0122 0a fieldbus serial=SERIAL-3
)";

const std::string kUnits = CrLf({"[PARAMETER MAP]", "input block Units Code=Param!PV_UNITS",
                                 "[input block Units Code DD to Common Map]", "12=kPa"});
constexpr char kRow[] = "12'    kPa'    12'    kPa'    kPa";

class DeviceTagTest : public testing::HostDatabaseTest {
 protected:
  void SetUp() override {
    HostDatabaseTest::SetUp();
    const std::string dd = ToUtf8(dir_.Join(L"dd")), ff = ToUtf8(dir_.Join(L"ddff"));
    dir_.Write(L"velk.ini", CrLf({"[INSTALLATION]", ("DevicePath=" + dd).c_str(),
                                  ("DevicePathFF=" + ff).c_str()}));
    dir_.Write(L"VelkProfile.ini", CrLf({"[INSTALLATION]", ("DevicePath=" + dd).c_str(),
                                         "[Tarn Server 1]", "Computer Name=PLANT1"}));
    dir_.Write(L"recordings/PLANT1.rec", kRecording);
    // The present assignment holds; an old one of another tag has ended.
    AddDevice(1, 1, L"PT-1", 40000, 60000);
    AddDevice(2, 2, L"PT-2", 40000, 60000);
    AddDevice(3, 3, L"FT-3", 40000, 60000);
    AddDevice(4, 4, L"XX-4", 40000, 60000);
    AddDevice(5, 1, L"OLD-5", 40000, 45000);
    test_.m_openReportAfterTest = 0;
    test_.m_outputLevel = L"ALL";
    test_.m_reportFilePath = dir_.Join(L"report.txt");
  }
  std::string TestTag(const std::wstring& tag) {
    DeleteFileIfExists(test_.m_reportFilePath);
    test_.TestDevice(L"PLANT1", tag);
    return ReadBytes(test_.m_reportFilePath);
  }
  void Map(const char* folder, int manufacturer, const std::string& extra = "") {
    dir_.Write(Format(L"%s/%06x/0122/0a01.map", FromUtf8(folder).c_str(), manufacturer),
               CrLf({"[IDENTIFICATION]", "Use for CalMgmt=Yes"}) + extra + kUnits);
  }

  CExecuteMapFileTest test_;
};

TEST_F(DeviceTagTest, TagLookupFollowsThePresentAssignment) {
  int32_t blockKey = -7;
  EXPECT_TRUE(FindBlockKeyForTag(L"FT-3", blockKey));
  EXPECT_EQ(blockKey, 3);
  blockKey = -7;
  EXPECT_FALSE(FindBlockKeyForTag(L"OLD-5", blockKey));
  EXPECT_FALSE(FindBlockKeyForTag(L"nobody", blockKey));
  EXPECT_EQ(blockKey, -7);
  std::wstring maker = L"m", type = L"t";
  GetBlockNames(99, maker, type);
  EXPECT_EQ(maker + type, L"mt");
  GetBlockNames(2, maker, type);
  EXPECT_EQ(maker + L"/" + type, L"Maker 2/Transmitter 2");
  EXPECT_TRUE(IsNamedConfigMoniker(L"!namedConfig!x"));
  EXPECT_FALSE(IsNamedConfigMoniker(L"NAMED CONFIG"));
}

TEST_F(DeviceTagTest, EachProtocolOpensItsMoniker) {
  Map("dd", 0x27);
  Map("dd", 0x28);
  Map("ddff", 0x29, CrLf({"Block Index=1"}));
  Map("dd", 0x2a);
  CVelkDatabase database;

  // HART: the recorded block key names the block, so the header names it.
  std::string report = TestTag(L"PT-1");
  EXPECT_NE(report.find("\r\nMaker 1 Transmitter 1  Rev. 10    (27  122  a)\r\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find(kRow), std::string::npos);

  report = TestTag(L"PT-2");  // through the block index collection
  EXPECT_NE(report.find("\r\nPT-2    (28  122  a)\r\n"), std::string::npos) << report;
  EXPECT_NE(report.find(kRow), std::string::npos);

  // Fieldbus: the units are those of the map file's block.
  report = TestTag(L"FT-3");
  EXPECT_NE(report.find("\r\nMaker 3 Transmitter 3  Rev. 10    (29  122  a)\r\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find(kRow), std::string::npos);

  report = TestTag(L"XX-4");
  EXPECT_NE(report.find("Error: Can't create server object."), std::string::npos) << report;
  EXPECT_NE(ProgLog().find(" 1 0x2000000C ProtocolId is incorrect in the database."),
            std::string::npos);

  EXPECT_EQ(TestTag(L"nobody"), "Map file does not exist.\r\n\r\n");
}

// A device that could not be reached is told apart from one that was, while
// the report keeps the same lines.
TEST_F(DeviceTagTest, UnreachedDevicesSayWhy) {
  Map("dd", 0x27);
  dir_.Write(L"recordings/PLANT2.rec", "ravelin-recording 1\nrevision 000027 0122 0a hart\n");
  CVelkDatabase database;
  const struct {
    const wchar_t* server;
    const wchar_t* key;
    const char* reason;  // empty: reached
  } rows[] = {
      {L"PLANT1", L"PT-1", ""},
      {L"PLANT1", L"PT-10l", "no device carries this tag in the host database"},
      {L"PLANT1", L"!NamedConfig!Presure template", "no such device template on server PLANT1"},
      {L"OFFLINE", L"!NamedConfig!T", "server OFFLINE cannot be reached: "},
      {L"OFFLINE", L"PT-1", "server OFFLINE cannot be reached: "},
      {L"PLANT2", L"PT-1", "server PLANT2 does not know the device !ID!ID-1!Hart"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(ToUtf8(row.key));
    DeleteFileIfExists(test_.m_reportFilePath);
    test_.TestDevice(row.server, row.key);
    EXPECT_EQ(ToUtf8(test_.UnreachedReason()).substr(0, std::strlen(row.reason)), row.reason);
    EXPECT_EQ(test_.UnreachedReason().empty(), row.reason[0] == '\0');
  }
}

// A statement the database refused is said as such, not as a missing tag or
// template, and ends the run there.
TEST_F(DeviceTagTest, TheLauncherStopsAtADatabaseThatCannotBeRead) {
  const struct {
    int source;
    const wchar_t* table;
    std::wstring box;
  } rows[] = {
      {IDC_DEVICES_FROM_FILE, L"ExtBlockTags",
       L"3 of 3 devices could not be tested:\r\n\r\nPT-1: the host database could not be"
       L" read: data source \"DSN=VELK\": SQLPrepare failed: SQLSTATE HY000: [SQLite]no such"
       L" table: ExtBlockTags (1)\r\n\r\nThe run stopped there; 2 more devices were not tried."},
      {IDC_ALL_TEMPLATES, L"NamedConfigs",
       L"No device template was tested: the host database could not be read: data source"
       L" \"DSN=VELK\": SQLPrepare failed: SQLSTATE HY000: [SQLite]no such table: NamedConfigs"
       L" (1)."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(ToUtf8(row.table));
    Db().Execute(std::wstring(L"ALTER TABLE ") + row.table + L" RENAME TO gone");
    testing::FakeView view;
    CMapFileTestLauncherDlg launcher(L"PLANT1");
    launcher.Attach(&view);
    launcher.OnInitDialog();
    view.CheckRadio(IDC_ALL_TEMPLATES, IDC_DEVICES_FROM_FILE, row.source);
    view.texts[IDC_INPUT_FILE] = dir_.Write(L"devices.txt", "PT-1\nFT-3\nPT-2\n");
    view.texts[IDC_OUTPUT_FILE] = test_.m_reportFilePath;
    platform_.boxes.clear();
    launcher.OnCommand(IDC_RUN_TEST);
    ASSERT_EQ(platform_.boxes.size(), 1u);
    EXPECT_EQ(platform_.boxes[0].text, row.box);
    // No completion dialog tells of a run that completed.
    EXPECT_TRUE(view.completions.empty());
    Db().Execute(std::wstring(L"ALTER TABLE gone RENAME TO ") + row.table);
  }
}

}  // namespace
}  // namespace ravelin
