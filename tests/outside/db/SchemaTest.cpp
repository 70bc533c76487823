// The host's own statement texts, exactly as the plug-in issues them, run on
// the schema: any renamed column or table breaks one of them.
#include <gtest/gtest.h>

#include "base/Text.h"
#include "outside/db/HostSchema.h"
#include "outside/db/Odbc.h"
#include "outside/db/HostDatabase.h"

namespace ravelin {
namespace {

using testing::HostDatabaseTest;

constexpr wchar_t kTemplateBlocks[] =
    L"SELECT MfrId, DeviceType, DeviceRevision, blockindex, blocktype, "
    L"DeviceRevisions.TarnDevRevId, NamedConfigBlocks.ConfigKey FROM "
    L"NamedConfigBlocks INNER JOIN namedconfigs on namedconfigblocks.configkey = "
    L"namedconfigs.configkey INNER JOIN devicerevisions on "
    L"namedconfigs.TarnDevRevId = devicerevisions.TarnDevRevId INNER JOIN "
    L"devicetypes on devicerevisions.TarnDevTypeId = devicetypes.TarnDevTypeId "
    L"INNER JOIN mfrprotocols on devicetypes.MfrProtocolId = "
    L"mfrprotocols.MfrProtocolId ORDER BY MfrId, DeviceType, DeviceRevision, "
    L"blockindex ASC";

constexpr wchar_t kTemplateData[] =
    L"SELECT 0, 0, 0, ParamKind, ParamName, '0', ParamDataType, ParamDataSize, "
    L"ParamData FROM NamedConfigData WHERE ConfigKey = %d AND BlockIndex = %d "
    L"ORDER BY ParamKind, ParamName ASC";

constexpr wchar_t kInsertDevice[] =
    L"INSERT into devices (DeviceKey, TarnDevRevId, TarnDeviceId, Identifier, "
    L"ProtocolRevision, DispositionId, TarnDeviceTag ) values ( %d, %d, '%s', "
    L"'%s', 0, 2, '' )";
constexpr wchar_t kInsertCalStatus[] =
    L"Insert into CalStatus ( DeviceKey, DevLastCalibrationDay, "
    L"DevLastCalibrationFraction, DevNextCalibrationDueDay, "
    L"DevNextCalibrationDueFraction, DevPassedLastCalibration ) values ( %d, 0, "
    L"0, 0, 0, 1 )";
constexpr wchar_t kInsertBlock[] =
    L"INSERT into blocks (BlockKey, DeviceKey, BlockIndex, DispositionId, "
    L"BlockType ) values ( %d, %d, %d, 2, '%s' )";
constexpr wchar_t kInsertTag[] =
    L"INSERT into extblocktags (ExtBlockTagKey, ExtBlocktag, extblockTagDesc, "
    L"TestDefinitionId) values ( %d, '%s', '', -1 )";
constexpr wchar_t kInsertAssignment[] =
    L"INSERT into Blockasgms ( ExtBlockTagKey, BlockKey, EventIddayOut, "
    L"EventIdFractionOut, EventIdDayIn, EventIdfractionIn ) values ( %d, %d, "
    L"49710, 0, 25569, 0 )";
constexpr wchar_t kInsertLocation[] =
    L"Insert into DeviceLocation ( PlantServerKey, BlockKey, NetworkInfoKey, "
    L"TARNPath, HostPath, HostTag, IdentStatus ) values ( 0, %d, -1, '!net', "
    L"'tag', 0, 0 )";

class SchemaTest : public HostDatabaseTest {
 protected:
  // A template of `blocks` blocks for revision `revision` of a device type.
  void AddTemplate(int key, int revision, int mfrId, int deviceType, int blocks) {
    session_.ExecuteSQL(Format(L"INSERT INTO MfrProtocols VALUES (%d, %d, 3)", key, mfrId));
    session_.ExecuteSQL(Format(
        L"INSERT INTO DeviceTypes (TarnDevTypeId, MfrProtocolId, DeviceType,"
        L" DeviceTypeName) VALUES (%d, %d, %d, 'T')",
        key, key, deviceType));
    session_.ExecuteSQL(
        Format(L"INSERT INTO DeviceRevisions VALUES (%d, %d, %d)", key, key, revision));
    session_.ExecuteSQL(Format(L"INSERT INTO NamedConfigs VALUES (%d, %d, 'C%d')",
                               key, key, key));
    for (int index = blocks - 1; index >= 0; --index) {
      session_.ExecuteSQL(Format(
          L"INSERT INTO NamedConfigBlocks VALUES (%d, %d, 'Block%d')", key, index, index));
    }
  }
};

TEST_F(SchemaTest, TemplateQueriesListBlocksInTemplateOrder) {
  AddTemplate(7, 2, 0x26, 0x122, 3);
  AddTemplate(5, 1, 0x26, 0x122, 1);
  AddTemplate(9, 1, 0x11, 0x5, 2);
  odbc::Statement blocks = Db().Prepare(kTemplateBlocks);
  blocks.Execute();
  struct Row {
    int mfrId, deviceType, revision, blockIndex;
    std::wstring blockType;
    int revisionId, configKey;
  };
  const Row expected[] = {
      {0x11, 0x5, 1, 0, L"Block0", 9, 9},     {0x11, 0x5, 1, 1, L"Block1", 9, 9},
      {0x26, 0x122, 1, 0, L"Block0", 5, 5},   {0x26, 0x122, 2, 0, L"Block0", 7, 7},
      {0x26, 0x122, 2, 1, L"Block1", 7, 7},   {0x26, 0x122, 2, 2, L"Block2", 7, 7},
  };
  for (const Row& row : expected) {
    SCOPED_TRACE(row.configKey * 10 + row.blockIndex);
    ASSERT_TRUE(blocks.Fetch());
    EXPECT_EQ(blocks.GetInt(1), row.mfrId);
    EXPECT_EQ(blocks.GetInt(2), row.deviceType);
    EXPECT_EQ(blocks.GetInt(3), row.revision);
    EXPECT_EQ(blocks.GetInt(4), row.blockIndex);
    EXPECT_EQ(blocks.GetText(5), row.blockType);
    EXPECT_EQ(blocks.GetInt(6), row.revisionId);
    EXPECT_EQ(blocks.GetInt(7), row.configKey);
  }
  EXPECT_FALSE(blocks.Fetch());
}

TEST_F(SchemaTest, TemplateDataHasTheShapeOfBlockData) {
  AddTemplate(7, 2, 0x26, 0x122, 3);
  odbc::Statement add = Db().Prepare(
      L"INSERT INTO NamedConfigData VALUES (7, ?, ?, ?, 3, ?, ?)");
  const odbc::Bytes value = {'0', '1', '4', '6', 0, 0xFF};
  for (const auto& [index, kind, name] :
       {std::tuple{1, L"P", L"ZETA"}, {1, L"P", L"ALPHA"}, {0, L"P", L"OTHER"}}) {
    add.Bind(1, index);
    add.Bind(2, std::wstring(kind));
    add.Bind(3, std::wstring(name));
    add.Bind(4, static_cast<int32_t>(value.size()));
    add.Bind(5, value);
    add.Execute();
  }
  odbc::Statement data = Db().Prepare(Format(kTemplateData, 7, 1));
  data.Execute();
  for (const wchar_t* name : {L"ALPHA", L"ZETA"}) {
    ASSERT_TRUE(data.Fetch());
    EXPECT_EQ(data.GetInt(1), 0);
    EXPECT_EQ(data.GetText(4), L"P");
    EXPECT_EQ(data.GetText(5), name);
    EXPECT_EQ(data.GetText(6), L"0");
    EXPECT_EQ(data.GetInt(7), 3);
    EXPECT_EQ(data.GetInt(8), 6);
    EXPECT_EQ(data.GetBinary(9), value);
  }
  EXPECT_FALSE(data.Fetch());
  // Block 2 has no stored data.
  odbc::Statement none = Db().Prepare(Format(kTemplateData, 7, 2));
  none.Execute();
  EXPECT_FALSE(none.Fetch());
}

TEST_F(SchemaTest, TestDeviceInsertsAreAccepted) {
  session_.ExecuteSQL(Format(kInsertDevice, 100, 7,
                             L"A6B0051D-726D-473E-BEE3-000000000100",
                             L"0000260122TEST00100"));
  session_.ExecuteSQL(Format(kInsertCalStatus, 100));
  session_.ExecuteSQL(Format(kInsertBlock, 100, 100, 0, L"Resource"));
  session_.ExecuteSQL(Format(kInsertBlock, 101, 100, 1, L"Transducer"));
  session_.ExecuteSQL(Format(kInsertTag, 100, L"FF,000026,0122,02,100"));
  session_.ExecuteSQL(Format(kInsertAssignment, 100, 100));
  session_.ExecuteSQL(Format(kInsertLocation, 100));
  // The destination of copied block data: no row has day -1.
  odbc::Statement empty =
      Db().Prepare(L"SELECT * FROM BlockData WHERE EventIdDay = -1");
  empty.Execute();
  EXPECT_FALSE(empty.Fetch());

  odbc::Statement joined = Db().Prepare(
      L"SELECT Devices.Identifier, ExtBlockTags.ExtBlockTag, BlockAsgms.EventIdDayIn,"
      L" BlockAsgms.EventIdDayOut, DeviceLocation.TARNPath, CalStatus.DevPassedLastCalibration"
      L" FROM Devices JOIN Blocks ON Blocks.DeviceKey = Devices.DeviceKey"
      L" JOIN BlockAsgms ON BlockAsgms.BlockKey = Blocks.BlockKey"
      L" JOIN ExtBlockTags ON ExtBlockTags.ExtBlockTagKey = BlockAsgms.ExtBlockTagKey"
      L" JOIN DeviceLocation ON DeviceLocation.BlockKey = Blocks.BlockKey"
      L" JOIN CalStatus ON CalStatus.DeviceKey = Devices.DeviceKey");
  joined.Execute();
  ASSERT_TRUE(joined.Fetch());
  EXPECT_EQ(joined.GetText(1), L"0000260122TEST00100");
  EXPECT_EQ(joined.GetText(2), L"FF,000026,0122,02,100");
  EXPECT_EQ(joined.GetInt(3), 25569);
  EXPECT_EQ(joined.GetInt(4), 49710);
  EXPECT_EQ(joined.GetText(5), L"!net");
  EXPECT_EQ(joined.GetInt(6), 1);
  EXPECT_FALSE(joined.Fetch());
}

// The data source the plant writes keeps the write-ahead log with NORMAL
// syncs (1), so a test device's commit costs no disk sync.
TEST_F(SchemaTest, DataSourceUsesTheWriteAheadLog) {
  odbc::Statement mode = Db().Prepare(L"PRAGMA journal_mode");
  mode.Execute();
  ASSERT_TRUE(mode.Fetch());
  EXPECT_EQ(mode.GetText(1), L"wal");
  odbc::Statement sync = Db().Prepare(L"PRAGMA synchronous");
  sync.Execute();
  ASSERT_TRUE(sync.Fetch());
  EXPECT_EQ(sync.GetInt(1), 1);
}

TEST(HostSchemaTest, StatementsAreWholeAndFreeOfComments) {
  const std::vector<std::wstring> statements = HostSchemaStatements();
  ASSERT_FALSE(statements.empty());
  for (const std::wstring& statement : statements) {
    EXPECT_TRUE(statement.starts_with(L"CREATE ")) << ToUtf8(statement);
    EXPECT_EQ(statement.find(L"--"), std::wstring::npos) << ToUtf8(statement);
    EXPECT_EQ(statement.find(L';'), std::wstring::npos) << ToUtf8(statement);
  }
}

}  // namespace
}  // namespace ravelin
