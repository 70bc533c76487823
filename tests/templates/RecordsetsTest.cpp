// The template record sets over a host database: row order, field shapes,
// limits, and appending to the block data.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "outside/db/DbwSession.h"
#include "templates/BlockDataTable.h"
#include "templates/QueryDevicesFromTemplates.h"
#include "templates/TemplateHost.h"

namespace ravelin {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::TemplateHost;

TEST(RecordsetsTest, TemplateBlocksComeAsConsecutiveOrderedRows) {
  TemplateHost host;
  host.AddRevision(5, 0xa1, 0x2000, 1);
  host.AddRevision(6, 0xa1, 0x1000, 2);
  host.AddRevision(7, 0x22, 0x3000, 1);
  host.AddTemplate(1, 5, {{2, L"C"}, {0, L"A"}, {1, L"B"}});
  host.AddTemplate(2, 6, {{1, std::wstring(300, L'x')}});
  host.AddTemplate(3, 7, {{0, L"it's"}});
  CDbwDbSession session;
  ASSERT_TRUE(session.OpenDb());
  CQueryDevicesFromTemplates query(&session);
  ASSERT_TRUE(query.Open(kTemplateBlocksSql));
  std::vector<std::string> rows;
  for (; !query.IsEOF(); query.MoveNext()) {
    rows.push_back(std::to_string(query.m_MfrId) + " " + std::to_string(query.m_DeviceType) +
                   " " + std::to_string(query.m_DeviceRevision) + " " +
                   std::to_string(query.m_BlockIndex) + " " +
                   std::to_string(query.m_BlockType.size()) + ToUtf8(query.m_BlockType.substr(0, 4)) +
                   " " + std::to_string(query.m_TarnDevRevId) + " " +
                   std::to_string(query.m_ConfigKey));
  }
  // Text fields hold at most 255 characters.
  EXPECT_THAT(rows, ElementsAre("34 12288 1 0 4it's 7 3", "161 4096 2 1 255xxxx 6 2",
                                "161 8192 1 0 1A 5 1", "161 8192 1 1 1B 5 1",
                                "161 8192 1 2 1C 5 1"));
  // The rows were read at open: the connection is free for writing.
  host.Execute(L"DELETE FROM NamedConfigBlocks");
  query.Close();
  EXPECT_TRUE(query.IsEOF());
}

TEST(RecordsetsTest, AFailedOpenIsFalseAndLogged) {
  TemplateHost host;
  host.Execute(L"DROP TABLE DeviceTypes");
  CDbwDbSession session;
  ASSERT_TRUE(session.OpenDb());
  CQueryDevicesFromTemplates query(&session);
  EXPECT_FALSE(query.Open(kTemplateBlocksSql));
  EXPECT_TRUE(query.IsEOF());
  EXPECT_THAT(ToUtf8(query.GetLastError()), HasSubstr("devicetypes"));
  EXPECT_THAT(host.ProgLog(), HasSubstr("QueryDevicesFromTemplates"));
  // Without a statement the default table is read by the bound columns,
  // which the templates table does not have.
  EXPECT_FALSE(query.Open());
  EXPECT_THAT(ToUtf8(query.GetLastError()), HasSubstr("MfrId"));
}

TEST(RecordsetsTest, TemplateDataHasTheShapeOfBlockDataRows) {
  TemplateHost host;
  host.AddStoredData(4, 1, L"P", L"b", std::string(40000, 'z'));
  host.AddStoredData(4, 1, L"P", L"a", "014601000000");
  host.AddStoredData(4, 1, L"D", L"c", "");
  host.AddStoredData(4, 2, L"P", L"other block", "1");
  CDbwDbSession session;
  ASSERT_TRUE(session.OpenDb());
  CBlockDataTable source(&session);
  ASSERT_TRUE(source.Open(CBlockDataTable::kUseDefaultType, kTemplateDataSql, {4, 1}));
  std::vector<std::string> shapes;
  for (; !source.IsEOF(); source.MoveNext()) {
    shapes.push_back(ToUtf8(Format(L"%d %d %d %s %s %s %d %d %zu", source.m_BlockKey,
                                   source.m_EventIdDay, source.m_EventIdFraction,
                                   source.m_ParamKind.c_str(), source.m_ParamName.c_str(),
                                   source.m_ValueMode.c_str(), source.m_ParamDataType,
                                   source.m_ParamDataSize, source.m_ParamData.size())));
  }
  // Ordered by kind and name; data beyond 32767 bytes is not read.
  EXPECT_THAT(shapes, ElementsAre("0 0 0 D c 0 3 0 0", "0 0 0 P a 0 3 12 12",
                                  "0 0 0 P b 0 3 40000 32767"));
  // A block without stored data has no rows.
  ASSERT_TRUE(source.Open(CBlockDataTable::kUseDefaultType, kTemplateDataSql, {4, 3}));
  EXPECT_TRUE(source.IsEOF());
  // A read-only record set takes no new rows.
  EXPECT_THROW(source.AddNew(), odbc::OdbcError);
}

TEST(RecordsetsTest, TheEmptyDynasetAppendsRows) {
  TemplateHost host;
  host.Execute(L"INSERT INTO BlockData VALUES (1, 2, 3, 'K', 'N', 'h', 3, 1, x'41')");
  CDbwDbSession session;
  ASSERT_TRUE(session.OpenDb());
  CBlockDataTable table(&session);
  table.m_strFilter = L"NoSuchColumn = -1";
  EXPECT_FALSE(table.Open(CBlockDataTable::kDynaset));
  EXPECT_THAT(ToUtf8(table.GetLastError()), HasSubstr("NoSuchColumn"));
  table.m_strFilter = L"EventIdDay = -1";
  ASSERT_TRUE(table.Open(CBlockDataTable::kDynaset));
  EXPECT_TRUE(table.IsEOF());
  EXPECT_THROW(table.Update(), odbc::OdbcError);  // no AddNew yet
  for (int32_t key : {10, 11}) {
    table.AddNew();
    EXPECT_EQ(table.m_ParamName, L"");
    table.m_BlockKey = key;
    table.m_EventIdDay = 46000;
    table.m_EventIdFraction = 5;
    table.m_ParamKind = L"P";
    table.m_ParamName = L"it's";
    table.m_ValueMode = L"o";
    table.m_ParamDataType = 3;
    table.m_ParamDataSize = 2;
    table.m_ParamData = {0x00, 0xFF};
    table.Update();
  }
  EXPECT_THAT(host.Rows(L"SELECT BlockKey, EventIdDay, EventIdFraction, ParamKind, ParamName,"
                        L" ValueMode, ParamDataType, ParamDataSize, hex(ParamData) FROM"
                        L" BlockData ORDER BY rowid",
                        9),
              ElementsAre("1|2|3|K|N|h|3|1|41", "10|46000|5|P|it's|o|3|2|00FF",
                          "11|46000|5|P|it's|o|3|2|00FF"));
}

}  // namespace
}  // namespace ravelin
