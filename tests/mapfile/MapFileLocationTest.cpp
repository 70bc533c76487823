#include <gtest/gtest.h>

#include "MapFileTestSupport.h"
#include "platform/Platform.h"

namespace ravelin::testing {
namespace {

TEST(MapFileLocationTest, DirectoryAndPathFollowProtocolAndIdentity) {
  MapFileHost host;
  const CMapFileInformation hart = HartModel(0xa3f7, 0x3, 1);
  const CMapFileInformation fieldbus = FieldbusModel(0xa3f7, 0x3, 1);

  EXPECT_EQ(hart.GetDeviceDirectory(),
            JoinPath(JoinPath(host.HartRoot(), L"00a3f7"), L"0003"));
  EXPECT_EQ(fieldbus.GetDeviceDirectory(),
            JoinPath(JoinPath(host.FieldbusRoot(), L"00a3f7"), L"0003"));

  host.InstallSymbolFile(hart, L"0104.sym");
  EXPECT_EQ(hart.GetDDRevision(), 4);
  EXPECT_EQ(hart.GetMapFilePath(), JoinPath(hart.GetDeviceDirectory(), L"0104.map"));
  // The fieldbus tree has no symbol file yet, so its DD revision is 1.
  EXPECT_EQ(fieldbus.GetMapFilePath(), JoinPath(fieldbus.GetDeviceDirectory(), L"0101.map"));
}

TEST(MapFileLocationTest, HighestDdRevisionOfTheDeviceRevisionWins) {
  MapFileHost host;
  const CMapFileInformation model = HartModel(0x9c, 7, 3);
  EXPECT_EQ(model.GetDDRevision(), 1) << "no symbol file";

  for (const wchar_t* name : {L"0301.sym", L"0310.sym", L"0302.sym", L"0401.sym",
                              L"03zz.txt", L"0399.map"}) {
    host.InstallSymbolFile(model, name);
  }
  EXPECT_EQ(model.GetDDRevision(), 0x10);
  // Looked up anew on every call.
  host.InstallSymbolFile(model, L"0311.sym");
  EXPECT_EQ(model.GetDDRevision(), 0x11);
  EXPECT_EQ(model.GetMapFilePath(), JoinPath(model.GetDeviceDirectory(), L"0311.map"));
}

TEST(MapFileLocationTest, UpperCaseSymbolNamesGiveRevisionZero) {
  MapFileHost host;
  const CMapFileInformation model = HartModel(0x9c, 7, 10);
  host.InstallSymbolFile(model, L"0A01.sym");
  EXPECT_EQ(model.GetDDRevision(), 0);
  EXPECT_EQ(model.GetMapFilePath(), JoinPath(model.GetDeviceDirectory(), L"0a00.map"));

  // A lower-case name beside it is taken.
  host.InstallSymbolFile(model, L"0a03.sym");
  EXPECT_EQ(model.GetDDRevision(), 3);
}

TEST(MapFileLocationTest, MissingInstallationSettingGivesARootlessDirectory) {
  TempDir dir;
  FakePlatform platform(dir.Path());  // no velk.ini at all
  const CMapFileInformation model = HartModel(0xa3f7, 3, 1);
  const std::wstring expected =
      std::wstring(1, kPathSeparator) + L"00a3f7" + kPathSeparator + L"0003";
  EXPECT_EQ(model.GetDeviceDirectory(), expected);
  EXPECT_EQ(model.GetDDRevision(), 1);
}

}  // namespace
}  // namespace ravelin::testing
