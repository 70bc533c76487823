// What the host gives when its database is missing or broken, its profile
// values and its program log.
#include <gtest/gtest.h>

#include <algorithm>

#include "outside/db/DataSource.h"
#include "outside/db/DbwBlockAsgm.h"
#include "outside/db/DbwSession.h"
#include "outside/db/DbwTarnBlock.h"
#include "outside/db/ProgLog.h"
#include "outside/db/VelkDatabase.h"
#include "outside/db/VelkPDevicesJoin.h"
#include "outside/db/VelkProfile.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace ravelin {
namespace {

using testing::FakePlatform;
using testing::ReadBytes;
using testing::TempDir;

size_t CountLines(const std::string& text) {
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

class HostServicesTest : public ::testing::Test {
 protected:
  std::string ProgLog() const { return ReadBytes(ProgLogPath()); }

  TempDir dir_;
  FakePlatform platform_{dir_.Path()};
};

TEST_F(HostServicesTest, MissingDatabaseFindsNothingAndIsLogged) {
  ASSERT_TRUE(WriteVelkDataSource(dir_.Path(), dir_.Join(L"absent.db")));
  CDbwDbSession session;
  EXPECT_FALSE(session.OpenDb());
  EXPECT_FALSE(FileExists(dir_.Join(L"absent.db")));
  const std::string log = ProgLog();
  EXPECT_EQ(CountLines(log), 1u) << log;
  EXPECT_NE(log.find("lumendb("), std::string::npos) << log;
  EXPECT_NE(log.find("0x20000010 Data source \"DSN=VELK\": SQLDriverConnect failed: SQLSTATE "),
            std::string::npos)
      << log;

  {
    // Within a database object's life a failed lookup logs nothing more.
    CVelkDatabase database;
    EXPECT_FALSE(database.IsOpen());
    CDbwExtBlockTag tag;
    tag.Identify(L"PT-101");
    EXPECT_EQ(tag.Access(nullptr), kDbwDatabaseError);
    CDbwTarnBlock block;
    block.Identify(100);
    EXPECT_EQ(block.Access(CDbwDbSession::GetGlobalSessionPtr()), kDbwDatabaseError);
    EXPECT_EQ(block.GetMfrName(), L"");
  }
  EXPECT_EQ(CountLines(ProgLog()), 2u);

  // Without one, each lookup tries the data source itself.
  CDbwTarnBlock block;
  block.Identify(L"PT-101", GetCurrentGMTTime());
  EXPECT_EQ(block.Access(nullptr), kDbwDatabaseError);
  CVelkPDevicesJoin join(nullptr);
  EXPECT_EQ(join.GetAllTemplates(), kDbwDatabaseError);
  EXPECT_TRUE(join.IsEOF());
  EXPECT_EQ(CountLines(ProgLog()), 4u);
}

TEST_F(HostServicesTest, FileThatIsNoDatabaseIsRefused) {
  const std::wstring file =
      dir_.Write(L"velk.db", std::string(4096, 'x') + "not a database");
  ASSERT_TRUE(WriteVelkDataSource(dir_.Path(), file));
  CDbwDbSession session;
  EXPECT_FALSE(session.OpenDb());
  EXPECT_FALSE(session.IsOpen());
  EXPECT_NE(ProgLog().find("DSN=VELK"), std::string::npos);
  EXPECT_NE(ProgLog().find("SQLSTATE"), std::string::npos);

  // A database without the host's tables is no host database either.
  const std::wstring empty = dir_.Join(L"empty.db");
  {
    odbc::Connection creator;
    creator.Open(SqliteConnectString(empty, true));
    creator.Execute(L"CREATE TABLE Other (A INTEGER)");
  }
  ASSERT_TRUE(WriteVelkDataSource(dir_.Path(), empty));
  EXPECT_FALSE(session.OpenDb());
  EXPECT_NE(ProgLog().find("no such table: Devices"), std::string::npos);
}

TEST_F(HostServicesTest, ProfileValuesComeFromTheHostProfile) {
  dir_.Write(L"VelkProfile.ini",
             "[Installation]\r\nDevicePath = /plant/dd \r\nDevicesFolder=\r\n"
             "[Tarn Server 1]\r\nComputer Name=\"PLANT1\"\r\n");
  std::wstring value = L"stale";
  EXPECT_EQ(GetVelkProfileValue(L"INSTALLATION", L"DevicePath", value), 0);
  EXPECT_EQ(value, L"/plant/dd");
  EXPECT_EQ(GetVelkProfileValue(L"Tarn Server 1", L"computer name", value), 0);
  EXPECT_EQ(value, L"PLANT1");
  EXPECT_NE(GetVelkProfileValue(L"INSTALLATION", L"DevicesFolder", value), 0);
  EXPECT_EQ(value, L"");
  value = L"stale";
  EXPECT_NE(GetVelkProfileValue(L"INSTALLATION", L"Missing", value), 0);
  EXPECT_EQ(value, L"");
  EXPECT_EQ(VelkProfilePath(), dir_.Join(L"VelkProfile.ini"));
}

TEST_F(HostServicesTest, ProgramLogAppendsOneLinePerEntry) {
  BssProgLog(L"ExecuteMapFileTest", 212, 2, 0x20000001, L"Server NewRoot failed.");
  platform_.now = {2027, 1, 2, 13, 4, 5};
  BssProgLog(L"ParamInfo", 7, 1, 0x2000000C, L"two\r\nlines \u00e9");
  EXPECT_EQ(ProgLog(),
            "2026-12-08 09:05:07 ExecuteMapFileTest(212) 2 0x20000001 Server NewRoot failed.\r\n"
            "2027-01-02 13:04:05 ParamInfo(7) 1 0x2000000C two  lines \xC3\xA9\r\n");
}

}  // namespace
}  // namespace ravelin
