#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "base/Text.h"
#include "outside/comm/CancelableRead.h"
#include "outside/comm/VelkToolkit.h"
#include "outside/db/DbwBlockAsgm.h"
#include "outside/db/DbwSession.h"
#include "outside/db/DbwTarnBlock.h"
#include "outside/db/Odbc.h"
#include "plant/GeneratedPlant.h"

namespace ravelin {
namespace {

using testing::GeneratedPlantTest;

class PlantDatabaseTest : public GeneratedPlantTest {
 protected:
  void SetUp() override {
    GeneratedPlantTest::SetUp();
    ASSERT_TRUE(session_.OpenDb());
  }

  // The block a tag names on the day the tester looks it up; -1 if none.
  static int32_t BlockKeyOfTag(const std::wstring& tag) {
    int32_t blockKey = -1;
    FindBlockOfTag(nullptr, tag, CDbwEventId(kTagLookupDay, 0), &blockKey);
    return blockKey;
  }

  int32_t Count(const std::wstring& table) {
    odbc::Statement query = session_.GetConnection().Prepare(L"SELECT COUNT(*) FROM " + table);
    query.Execute();
    query.Fetch();
    return query.GetInt(1);
  }

  CDbwDbSession session_;
};

TEST_F(PlantDatabaseTest, TaggedDevicesResolveToTheirProtocolAndItem) {
  struct Case {
    const wchar_t* tag;
    int32_t protocol;
    int32_t manufacturer, deviceType, deviceRevision;
    const wchar_t* moniker;  // what the tester opens; empty: PLANT1 does not know it
  };
  const Case cases[] = {
      {L"PT-101", 1, 0x26, 0x7, 3, L"!ID!PT-101!Hart"},
      {L"PT-102", 2, 0x26, 0x7, 3, L"!ID!PT-102!BlockIndCol!0"},
      {L"TT-202", 2, 0x26, 0x8, 1, L"!ID!TT-202!BlockIndCol!0"},
      {L"TT-401", 3, 0xA1B2, 0x101, 1, L"!PhysicalDevice!00A1B20101-TT-401!Blkid!1"},
      {L"NM-602", 3, 0xA1B2, 0x1F0, 1, L"!PhysicalDevice!00A1B201F0-NM-602!Blkid!1"},
      {L"CV-702", 1, 0x7D, 0x109, 1, L"!ID!CV-702!Hart"},
      {L"PT-101-2", 1, 0x26, 0x7, 3, L"!ID!PT-101-2!Hart"},
      {L"PT-900", 1, 0x26, 0x7, 3, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.tag));
    const int32_t blockKey = BlockKeyOfTag(c.tag);
    ASSERT_GE(blockKey, plant::kPlantKeyBase);
    CDbwTarnBlock block;
    block.Identify(blockKey);
    ASSERT_EQ(block.Access(CDbwDbSession::GetGlobalSessionPtr()), kDbwOk);
    EXPECT_EQ(block.GetProtocolId(), c.protocol);
    EXPECT_EQ(block.GetMfrId(), c.manufacturer);
    EXPECT_EQ(block.GetDeviceTypeCode(), c.deviceType);
    EXPECT_EQ(block.GetDeviceRevisionCode(), c.deviceRevision);
    EXPECT_FALSE(block.GetMfrName().empty());
    EXPECT_FALSE(block.GetDeviceTypeName().empty());
    const bool fieldbus = c.protocol == 3;
    const std::wstring moniker =
        fieldbus ? L"!PhysicalDevice!" + block.GetDeviceSerialIdentifier() + L"!Blkid!1"
                 : Format(c.protocol == 1 ? L"!ID!%s!Hart" : L"!ID!%s!BlockIndCol!0",
                          block.GetTarnDeviceId().c_str());
    CVelkToolkit toolkit;
    ASSERT_EQ(toolkit.NewRoot(L"\\\\PLANT1", fieldbus ? 1 : 0), 0);
    if (*c.moniker == L'\0') {
      EXPECT_NE(toolkit.Item(&toolkit, moniker), 0);
      continue;
    }
    EXPECT_EQ(moniker, c.moniker);
    ASSERT_EQ(toolkit.Item(&toolkit, moniker), 0);
    if (!fieldbus) {
      int32_t recordedKey = -1;
      EXPECT_EQ(CancelableIntRead(toolkit, L"BlockKey", recordedKey, nullptr), 0);
      EXPECT_EQ(recordedKey, blockKey);
    }
  }
  EXPECT_EQ(BlockKeyOfTag(L"NO-SUCH-TAG"), -1);
  CVelkToolkit offline;
  EXPECT_NE(offline.NewRoot(L"\\\\OFFLINE", 0), 0);
}

TEST_F(PlantDatabaseTest, TemplatesGiveTheirIdentityThroughDdl) {
  struct Case {
    const wchar_t* name;
    const wchar_t* ddl;
  };
  const Case cases[] = {
      {L"Pressure template", L"0000A110000A"},
      {L"Generic template", L"0000A140000A"},
      {L"Flow template 3", L"0000A130020A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.name));
    CVelkToolkit toolkit;
    ASSERT_EQ(toolkit.NewRoot(L"\\\\PLANT1", 0), 0);
    toolkit.SetView(111);
    ASSERT_EQ(toolkit.Item(&toolkit, std::wstring(L"!NamedConfig!") + c.name), 0);
    std::wstring name, ddl;
    EXPECT_EQ(CancelableStringRead(toolkit, L"Name", name, nullptr), 0);
    EXPECT_EQ(CancelableStringRead(toolkit, L"DDL", ddl, nullptr), 0);
    EXPECT_EQ(name, c.name);
    EXPECT_EQ(ddl, c.ddl);
    // The tester's reading of the identity: 0A is revision 10.
    EXPECT_EQ(std::wcstoul(ddl.substr(10, 2).c_str(), nullptr, 16), 10u);
  }
  // A test device made from the first template resolves through its
  // fieldbus revision, blocks included.
  CVelkToolkit device;
  ASSERT_EQ(device.NewRoot(L"\\\\PLANT1", 1), 0);
  EXPECT_EQ(device.Item(&device, L"!PhysicalDevice!0000a11000TEST00100!BlkId!2!Param"), 0);
  EXPECT_EQ(device.Enum(&device), 0);
  EXPECT_EQ(device.NextEnum(), 0);
}

TEST_F(PlantDatabaseTest, TemplateJoinListsEachTemplatesBlocksInOrder) {
  odbc::Statement join = session_.GetConnection().Prepare(
      L"SELECT MfrId, DeviceType, DeviceRevision, blockindex, blocktype, DeviceRevisions.TarnDevRevId, NamedConfigBlocks.ConfigKey FROM NamedConfigBlocks INNER JOIN namedconfigs on namedconfigblocks.configkey = namedconfigs.configkey INNER JOIN devicerevisions on namedconfigs.TarnDevRevId = devicerevisions.TarnDevRevId INNER JOIN devicetypes on devicerevisions.TarnDevTypeId = devicetypes.TarnDevTypeId INNER JOIN mfrprotocols on devicetypes.MfrProtocolId = mfrprotocols.MfrProtocolId ORDER BY MfrId, DeviceType, DeviceRevision, blockindex ASC");
  join.Execute();
  int rows = 0;
  int32_t previousType = -1;
  int32_t revision = -1;
  int32_t config = -1;
  while (join.Fetch()) {
    const int32_t index = join.GetInt(4);
    EXPECT_EQ(index, rows % 3);
    EXPECT_EQ(join.GetInt(1), 0xA1);
    EXPECT_EQ(join.GetInt(3), 0x0A);
    if (index == 0) {
      EXPECT_GT(join.GetInt(2), previousType);  // one revision per template
      previousType = join.GetInt(2);
      revision = join.GetInt(6);
      config = join.GetInt(7);
    } else {
      EXPECT_EQ(join.GetInt(6), revision);
      EXPECT_EQ(join.GetInt(7), config);
    }
    EXPECT_FALSE(join.GetText(5).empty());
    ++rows;
  }
  EXPECT_EQ(rows, 3 * static_cast<int>(plant::kDefaultTemplates));

  const wchar_t* data =
      L"SELECT 0, 0, 0, ParamKind, ParamName, '0', ParamDataType, ParamDataSize, ParamData FROM NamedConfigData WHERE ConfigKey = %d AND BlockIndex = %d ORDER BY ParamKind, ParamName ASC";
  odbc::Statement first = session_.GetConnection().Prepare(Format(data, 1, 0));
  first.Execute();
  EXPECT_FALSE(first.Fetch());  // the tagged block carries no data
  odbc::Statement stored = session_.GetConnection().Prepare(Format(data, 1, 1));
  stored.Execute();
  ASSERT_TRUE(stored.Fetch());
  EXPECT_EQ(stored.GetText(4), L"P");
  EXPECT_EQ(stored.GetInt(7), 3);
  EXPECT_EQ(stored.GetInt(8), 12);
  const odbc::Bytes bytes = stored.GetBinary(9);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "014601000000");
}

TEST_F(PlantDatabaseTest, ScaledPlantHoldsAsManyDevicesAsTemplates) {
  testing::TempDir dir;
  const std::wstring scaled = dir.Join(L"scaled");
  plant::GeneratePlant(scaled, 50);
  CDbwDbSession db;
  ASSERT_TRUE(db.OpenDb(SqliteConnectString(JoinPath(scaled, L"velk.db"), false)));
  for (const wchar_t* table : {L"NamedConfigs", L"Devices", L"ExtBlockTags", L"BlockAsgms"}) {
    odbc::Statement query = db.GetConnection().Prepare(std::wstring(L"SELECT COUNT(*) FROM ") + table);
    query.Execute();
    ASSERT_TRUE(query.Fetch());
    EXPECT_EQ(query.GetInt(1), 50) << ToUtf8(table);
  }
  EXPECT_EQ(Count(L"NamedConfigs"), static_cast<int32_t>(plant::kDefaultTemplates));
}

}  // namespace
}  // namespace ravelin
