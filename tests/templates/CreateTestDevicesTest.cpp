// Test devices created from templates: keys, rows of every table, generated
// default values, failures half-way through a device, and the tester on a
// created device.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/TestCommand.h"
#include "plant/PlantGenerator.h"
#include "support/DatabaseLock.h"
#include "templates/CreateTestDevices.h"
#include "templates/TemplateHost.h"

namespace ravelin {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using testing::TemplateHost;

// Revision 1000/0a: blocks 0-2 with every kind of parameter the generator
// meets; revision 2000/01: two small blocks.
constexpr char kRecording[] = R"(revision 0000a1 1000 0a fieldbus
  block 0 name=RESOURCE
    param MANUFAC_ID type=8 itemid=0x10001 index=1
  block 1 name=TRANSDUCER
    param MODE type=6 itemid=0x20001 index=1
      enum 5 Auto
      enum 1 Manual
    param SCALE kind=109 itemid=0x20002 index=2
      member EU_100 type=4 index=1
      member EU_0 type=4 index=2
      member Top_Hi type=5 index=3
      member Span_LO type=4 index=4
      member Rate type=4 index=5
      member Units type=6 index=0x1a
        enum 1133 kPa
      member Text type=9 index=7
    param sEnSoR_hI type=4 itemid=0x20003 index=3
    param Low_Cut type=5 itemid=0x20004 index=4
    param T_100_0 type=4 itemid=0x20005 index=5
    param HIGH_LOW type=4 itemid=0xA0020006 index=6
    param HIDDEN type=3 class=2 itemid=0x20007
    param SHOWN type=3 class=5 itemid=0x20008
    param DESCRIPTION type=9 itemid=0x20009
    param OTHER_KIND kind=108 type=3 itemid=0x2000a
    param STRATEGY type=18 itemid=0x2000b
    param COUNT type=2 itemid=0x2000c
    param NO_ENTRIES type=6 itemid=0x2000d
  block 2 name=AI
    param CHANNEL type=3 itemid=0x30001 index=1
revision 0000a1 2000 01 fieldbus
  block 0 name=RESOURCE
  block 1 name=T
    param X type=4 itemid=0x40001 index=1
)";

class CreateTestDevicesTest : public ::testing::Test {
 protected:
  // Template 7 of revision 1000/0a with blocks 0-2 (block 1 has stored
  // data), template 3 of revision 2000/01 with blocks 0 and 1.
  static void AddTwoTemplates(TemplateHost& host, const std::wstring& blockType = L"AnalogInput") {
    host.Recording(kRecording);
    host.AddRevision(5, 0xa1, 0x1000, 0x0a);
    host.AddRevision(6, 0xa1, 0x2000, 0x01);
    host.AddTemplate(3, 6, {{1, L"T"}, {0, L"Resource"}});
    host.AddTemplate(7, 5, {{2, blockType}, {0, L"Resource"}, {1, L"Transducer"}});
    host.AddStoredData(7, 1, L"P", L"00020002:01", "01470000C842");
    host.AddStoredData(7, 1, L"P", L"00020001:00", "014601000000");
    host.AddStoredData(7, 2, L"X", L"block 2", "0");
    host.AddStoredData(8, 1, L"X", L"another template", "0");
  }

  static std::vector<std::string> BlockData(TemplateHost& host, int blockKey) {
    return host.Rows(L"SELECT ParamKind, ParamName, ValueMode, ParamDataType, ParamDataSize,"
                     L" CAST(ParamData AS TEXT) FROM BlockData WHERE BlockKey = " +
                         std::to_wstring(blockKey) + L" ORDER BY rowid",
                     6);
  }
};

TEST_F(CreateTestDevicesTest, TwoTemplatesGiveTwoDevicesWithExactRows) {
  TemplateHost host;
  AddTwoTemplates(host);
  const TestDeviceCounts counts = CreateTestDevicesCounted(L"PLANT1");
  EXPECT_EQ(counts.error, L"");
  EXPECT_EQ(counts.devices, 2);
  EXPECT_EQ(counts.blocks, 5);

  EXPECT_THAT(host.Rows(L"SELECT * FROM Devices ORDER BY DeviceKey", 7),
              ElementsAre("100|5|A6B0051D-726D-473E-BEE3-000000000100|0000a11000TEST00100|0|2|",
                          "101|6|A6B0051D-726D-473E-BEE3-000000000101|0000a12000TEST00101|0|2|"));
  EXPECT_THAT(host.Rows(L"SELECT * FROM CalStatus ORDER BY DeviceKey", 6),
              ElementsAre("100|0|0|0|0|1", "101|0|0|0|0|1"));
  EXPECT_THAT(host.Rows(L"SELECT * FROM Blocks ORDER BY BlockKey", 5),
              ElementsAre("100|100|0|2|Resource", "101|100|1|2|Transducer",
                          "102|100|2|2|AnalogInput", "103|101|0|2|Resource", "104|101|1|2|T"));
  // Tag, assignment and location only for each device's first block.
  EXPECT_THAT(host.Rows(L"SELECT * FROM ExtBlockTags ORDER BY ExtBlockTagKey", 4),
              ElementsAre("100|FF,0000A1,1000,0A,100||-1", "101|FF,0000A1,2000,01,101||-1"));
  EXPECT_THAT(host.Rows(L"SELECT * FROM BlockAsgms ORDER BY ExtBlockTagKey", 6),
              ElementsAre("100|100|49710|0|25569|0", "101|103|49710|0|25569|0"));
  EXPECT_THAT(host.Rows(L"SELECT * FROM DeviceLocation ORDER BY BlockKey", 7),
              ElementsAre("0|100|-1|!net|tag|0|0", "0|103|-1|!net|tag|0|0"));

  // One event per further block; its id marks the block's data rows.
  const auto events = host.Rows(
      L"SELECT BlockKey, EventText, EventCategory, EventStatus, EventCode FROM EventLog"
      L" ORDER BY EventIdDay, EventIdFraction",
      5);
  EXPECT_THAT(events, ElementsAre("101|Create Default Data|6|1|28",
                                  "102|Create Default Data|6|1|28",
                                  "104|Create Default Data|6|1|28"));
  EXPECT_THAT(host.Rows(L"SELECT DISTINCT d.BlockKey FROM BlockData d JOIN EventLog e"
                        L" ON d.EventIdDay = e.EventIdDay AND d.EventIdFraction ="
                        L" e.EventIdFraction AND d.BlockKey = e.BlockKey ORDER BY d.BlockKey",
                        1),
              ElementsAre("101", "102", "104"));
  EXPECT_EQ(host.Count(L"BlockData"), counts.dataRows);

  EXPECT_THAT(
      BlockData(host, 101),
      ElementsAreArray({
          // Copied from the template, in parameter name order.
          "P|00020001:00|h|3|12|014601000000",
          "P|00020002:01|h|3|12|01470000C842",
          // Generated: the first enumeration value is 5.
          "P|00020001:00|o|3|12|014605000000",
          // Record members: hi or 100 -> 100.0, lo or 0 -> 0.0, else 1.0;
          // an enumerated member takes its first value; text is skipped.
          "P|00020002:01|o|3|12|01470000C842",
          "P|00020002:02|o|3|12|014700000000",
          "P|00020002:03|o|3|12|01470000C842",
          "P|00020002:04|o|3|12|014700000000",
          "P|00020002:05|o|3|12|01470000803F",
          "P|00020002:1a|o|3|12|01466D040000",
          // Parameters: hi in any case, lo, neither (digits do not count),
          // hi before lo; class bit 2 excludes, other class bits do not.
          "P|00020003:00|o|3|12|01470000C842",
          "P|00020004:00|o|3|12|014700000000",
          "P|00020005:00|o|3|12|01470000803F",
          "P|a0020006:00|o|3|12|01470000C842",
          "P|00020008:00|o|3|12|014601000000",
          "P|0002000b:00|o|3|12|0144FFFEFF00",
          "P|0002000c:00|o|3|12|014601000000",
          // An enumeration without entries keeps integer 1.
          "P|0002000d:00|o|3|12|014601000000",
      }));
  EXPECT_THAT(BlockData(host, 102), ElementsAre("X|block 2|h|3|1|0",
                                                "P|00030001:00|o|3|12|014601000000"));
  EXPECT_THAT(BlockData(host, 104), ElementsAre("P|00040001:00|o|3|12|01470000803F"));
  EXPECT_EQ(counts.dataRows, 20);
}

TEST_F(CreateTestDevicesTest, LaterRunsAndOtherRowsPassOverTakenKeys) {
  TemplateHost host;
  AddTwoTemplates(host);
  // Keys another writer took: device 101, block 102, tag 100.
  host.Execute(L"INSERT INTO Devices (DeviceKey, TarnDevRevId, TarnDeviceId, Identifier)"
               L" VALUES (101, 5, 'other', 'other')");
  host.Execute(L"INSERT INTO Blocks (BlockKey, DeviceKey, BlockIndex, BlockType)"
               L" VALUES (102, 101, 0, 'other')");
  host.Execute(L"INSERT INTO ExtBlockTags (ExtBlockTagKey, ExtBlockTag) VALUES (100, 'other')");

  EXPECT_EQ(CreateTestDevicesCounted(L"PLANT1").error, L"");
  const TestDeviceCounts again = CreateTestDevicesCounted(L"PLANT1");
  EXPECT_EQ(again.error, L"");
  EXPECT_EQ(again.devices, 2);
  EXPECT_THAT(host.Rows(L"SELECT DeviceKey, Identifier FROM Devices WHERE Identifier"
                        L" LIKE '%TEST%' ORDER BY DeviceKey",
                        2),
              ElementsAre("100|0000a11000TEST00100", "102|0000a12000TEST00102",
                          "103|0000a11000TEST00103", "104|0000a12000TEST00104"));
  EXPECT_THAT(host.Rows(L"SELECT BlockKey, DeviceKey, BlockIndex FROM Blocks"
                        L" WHERE BlockType <> 'other' ORDER BY BlockKey",
                        3),
              ElementsAre("100|100|0", "101|100|1", "103|100|2", "104|102|0", "105|102|1",
                          "106|103|0", "107|103|1", "108|103|2", "109|104|0", "110|104|1"));
  EXPECT_THAT(host.Rows(L"SELECT ExtBlockTag FROM ExtBlockTags ORDER BY ExtBlockTagKey", 1),
              ElementsAre("other", "FF,0000A1,1000,0A,101", "FF,0000A1,2000,01,102",
                          "FF,0000A1,1000,0A,103", "FF,0000A1,2000,01,104"));
}

TEST_F(CreateTestDevicesTest, AFailureRollsBackOnlyTheDeviceItHit) {
  // Each fault hits the second device (key 101) at a different step.
  const std::vector<std::wstring> faults = {
      L"BEFORE INSERT ON ExtBlockTags WHEN NEW.ExtBlockTagKey = 101",
      L"BEFORE INSERT ON Blocks WHEN NEW.BlockKey = 104",
      L"BEFORE INSERT ON EventLog WHEN NEW.BlockKey = 104",
      L"BEFORE INSERT ON BlockData WHEN NEW.BlockKey = 104",
  };
  for (const std::wstring& fault : faults) {
    SCOPED_TRACE(ToUtf8(fault));
    TemplateHost host;
    AddTwoTemplates(host);
    host.Execute(L"CREATE TRIGGER fault " + fault +
                 L" BEGIN SELECT RAISE(ABORT, 'disk on fire'); END");
    const TestDeviceCounts counts = CreateTestDevicesCounted(L"PLANT1");
    EXPECT_EQ(counts.devices, 1);
    EXPECT_EQ(counts.blocks, 3);
    EXPECT_THAT(ToUtf8(counts.error),
                HasSubstr("Test device 101 (0000a12000TEST00101) not created: "));
    EXPECT_THAT(ToUtf8(counts.error), HasSubstr("disk on fire"));
    EXPECT_THAT(host.ProgLog(), HasSubstr(ToUtf8(counts.error)));

    EXPECT_THAT(host.Rows(L"SELECT DeviceKey FROM Devices", 1), ElementsAre("100"));
    EXPECT_THAT(host.Rows(L"SELECT DeviceKey FROM CalStatus", 1), ElementsAre("100"));
    EXPECT_THAT(host.Rows(L"SELECT BlockKey FROM Blocks ORDER BY BlockKey", 1),
                ElementsAre("100", "101", "102"));
    EXPECT_THAT(host.Rows(L"SELECT ExtBlockTagKey FROM ExtBlockTags", 1), ElementsAre("100"));
    EXPECT_THAT(host.Rows(L"SELECT BlockKey FROM BlockAsgms", 1), ElementsAre("100"));
    EXPECT_THAT(host.Rows(L"SELECT BlockKey FROM DeviceLocation", 1), ElementsAre("100"));
    EXPECT_THAT(host.Rows(L"SELECT BlockKey FROM EventLog ORDER BY BlockKey", 1),
                ElementsAre("101", "102"));
    EXPECT_EQ(host.Rows(L"SELECT COUNT(*) FROM BlockData WHERE BlockKey >= 103", 1).at(0), "0");
    EXPECT_EQ(host.Count(L"BlockData"), counts.dataRows);
  }
}

TEST_F(CreateTestDevicesTest, TemplatesThatShareAnIdentityStayDevicesOfTheirOwn) {
  // Template 9 beside template 7 of revision 5: of the same revision, or of
  // revision 8, the same numbers under another protocol.
  for (const int32_t revision : {5, 8}) {
    SCOPED_TRACE(revision);
    TemplateHost host;
    AddTwoTemplates(host);
    if (revision == 8) host.AddRevision(8, 0xa1, 0x1000, 0x0a);
    host.AddTemplate(9, revision, {{1, L"Transducer"}, {0, L"Resource"}});
    host.AddStoredData(9, 1, L"X", L"template 9", "9");
    const TestDeviceCounts counts = CreateTestDevicesCounted(L"OFFLINE");
    EXPECT_EQ(counts.error, L"");
    EXPECT_EQ(counts.devices, 3);
    EXPECT_THAT(host.Rows(L"SELECT DeviceKey, TarnDevRevId FROM Devices ORDER BY DeviceKey", 2),
                ElementsAre("100|5", "101|" + std::to_string(revision), "102|6"));
    EXPECT_THAT(host.Rows(L"SELECT BlockKey, DeviceKey, BlockIndex FROM Blocks ORDER BY BlockKey",
                          3),
                ElementsAre("100|100|0", "101|100|1", "102|100|2", "103|101|0", "104|101|1",
                            "105|102|0", "106|102|1"));
    EXPECT_THAT(BlockData(host, 104), ElementsAre("X|template 9|h|3|1|9"));
    EXPECT_EQ(counts.dataRows, 4);
  }
}

TEST_F(CreateTestDevicesTest, ALockedDatabaseFailsSoonNamingTheDataSource) {
  TemplateHost host;
  AddTwoTemplates(host);
  // Another writer's transaction: reading goes on, the first insert waits.
  testing::DatabaseLock lock(host.databaseFile, L"BEGIN IMMEDIATE");
  const TestDeviceCounts counts = CreateTestDevicesCounted(L"OFFLINE");
  EXPECT_EQ(counts.devices, 0);
  EXPECT_THAT(ToUtf8(counts.error), HasSubstr("not created: data source \"DSN=VELK\": "));
  EXPECT_THAT(ToUtf8(counts.error), HasSubstr("database is locked"));
}

TEST_F(CreateTestDevicesTest, QuotesInBlockTypesAreStoredAsGiven) {
  TemplateHost host;
  const std::wstring type = L"AI'); DROP TABLE Devices; --\"";
  AddTwoTemplates(host, type);
  EXPECT_EQ(CreateTestDevicesCounted(L"PLANT1").error, L"");
  EXPECT_THAT(host.Rows(L"SELECT BlockType FROM Blocks WHERE BlockKey = 102", 1),
              ElementsAre(ToUtf8(type)));
  EXPECT_EQ(host.Count(L"Devices"), 2);
}

TEST_F(CreateTestDevicesTest, WithoutTheServerOnlyStoredDataIsCopied) {
  TemplateHost host;
  AddTwoTemplates(host);
  const TestDeviceCounts counts = CreateTestDevicesCounted(L"OFFLINE");
  EXPECT_EQ(counts.error, L"");
  EXPECT_EQ(counts.devices, 2);
  EXPECT_THAT(BlockData(host, 101), ElementsAre("P|00020001:00|h|3|12|014601000000",
                                                "P|00020002:01|h|3|12|01470000C842"));
  EXPECT_THAT(BlockData(host, 102), ElementsAre("X|block 2|h|3|1|0"));
  EXPECT_EQ(counts.dataRows, 3);
  // The event is written even for a block without data.
  EXPECT_EQ(host.Count(L"EventLog"), 3);
}

TEST_F(CreateTestDevicesTest, BlockDataOfOneBlockOnItsOwnConnection) {
  TemplateHost host;
  AddTwoTemplates(host);
  CreateBlockData(L"PLANT1", L"0000a11000TEST00042", 77, 2, 7);
  EXPECT_THAT(BlockData(host, 77), ElementsAre("X|block 2|h|3|1|0",
                                               "P|00030001:00|o|3|12|014601000000"));
  EXPECT_THAT(host.Rows(L"SELECT BlockKey, EventText FROM EventLog", 2),
              ElementsAre("77|Create Default Data"));
}

TEST_F(CreateTestDevicesTest, AnUnreadableDatabaseCreatesNothingAndSaysWhy) {
  TemplateHost host;
  host.Execute(L"DROP TABLE NamedConfigBlocks");
  const TestDeviceCounts counts = CreateTestDevicesCounted(L"PLANT1");
  EXPECT_EQ(counts.devices, 0);
  EXPECT_THAT(ToUtf8(counts.error), HasSubstr("NamedConfigBlocks"));
  EXPECT_THAT(host.ProgLog(), HasSubstr("NamedConfigBlocks"));
  EXPECT_EQ(host.Count(L"Devices"), 0);
}

struct CommandResult {
  int status;
  std::string out;
  std::string err;
};

CommandResult RunCommand(std::vector<std::wstring> args) {
  std::ostringstream out, err;
  const int status = RunTestCommand(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(CreateTestDevicesCommandTest, CreatesDevicesTheTesterThenRunsOn) {
  testing::TempDir dir;
  const std::wstring root = dir.Join(L"plant");
  plant::GeneratePlant(root, 4);
  const CommandResult created =
      RunCommand({L"--host-root", root, L"--create-test-devices"});
  EXPECT_EQ(created.status, 0) << created.err;
  EXPECT_EQ(created.out, "4 test devices, 12 blocks, 52 data rows created\n");

  // The tag of the first device resolves through the database to the
  // created device, whose map file and description the tester finds.
  const std::wstring report = dir.Join(L"report.txt");
  const CommandResult tested = RunCommand({L"--host-root", root, L"--device",
                                           L"FF,0000A1,1000,0A,100", L"--level", L"all",
                                           L"--report", report});
  const std::string text = testing::ReadBytes(report);
  EXPECT_THAT(text, HasSubstr("0000a1"));
  EXPECT_THAT(text, HasSubstr("1133'    kPa'    12'    kPa'    kPa"));
  EXPECT_THAT(text, ::testing::Not(HasSubstr("Map file does not exist.")));
  EXPECT_THAT(text, ::testing::Not(HasSubstr("Can't create server object")));
  EXPECT_THAT(tested.err, HasSubstr("device 1 of 1"));
}

TEST(CreateTestDevicesCommandTest, AMissingDatabaseFailsWithItsReason) {
  testing::TempDir dir;
  const std::wstring root = dir.Join(L"plant");
  plant::GeneratePlant(root, 1);
  std::filesystem::remove(FsPath(JoinPath(root, L"velk.db")));
  const CommandResult result = RunCommand({L"--host-root", root, L"--create-test-devices"});
  EXPECT_EQ(result.status, 2);
  EXPECT_THAT(result.err, HasSubstr("data source \"DSN=VELK\""));
  EXPECT_EQ(result.out, "");
}

}  // namespace
}  // namespace ravelin
