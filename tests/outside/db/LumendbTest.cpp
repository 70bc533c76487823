#include <gtest/gtest.h>

#include "outside/db/DbwBlockAsgm.h"
#include "outside/db/DbwTarnBlock.h"
#include "outside/db/HostDatabase.h"
#include "outside/db/VelkDatabase.h"
#include "outside/db/VelkPDevicesJoin.h"

namespace ravelin {
namespace {

using testing::HostDatabaseTest;

using LumendbTest = HostDatabaseTest;

// The block a tag names at a time; -1 when the tag or assignment is missing.
int32_t BlockOfTag(const std::wstring& tag, const CDbwEventId& at) {
  int32_t blockKey = -1;
  FindBlockOfTag(nullptr, tag, at, &blockKey);
  return blockKey;
}

TEST_F(LumendbTest, BlockRecordAnswersForItsDevice) {
  AddDevice(1, 3, L"PT-101", kUnixEpochDay, kOpenEndDay);
  AddDevice(2, 2, L"PT-102", kUnixEpochDay, kOpenEndDay);
  CDbwTarnBlock block;
  block.Identify(2);
  ASSERT_EQ(block.Access(&session_), kDbwOk);
  EXPECT_EQ(block.GetMfrName(), L"Maker 2");
  EXPECT_EQ(block.GetDeviceTypeName(), L"Transmitter 2");
  EXPECT_EQ(block.GetMfrId(), 0x28);
  EXPECT_EQ(block.GetDeviceTypeCode(), 0x122);
  EXPECT_EQ(block.GetDeviceRevisionCode(), 10);
  EXPECT_EQ(block.GetProtocolId(), 2);
  EXPECT_EQ(block.GetTarnDeviceId(), L"ID-2");
  EXPECT_EQ(block.GetDeviceSerialIdentifier(), L"SERIAL-2");
  std::wstring category = L"untouched";
  EXPECT_EQ(block.GetMajorCategoryName(category), kDbwOk);
  EXPECT_EQ(category, L"Pressure");

  // A failed read forgets the previous record.
  block.Identify(3);
  EXPECT_EQ(block.Access(&session_), kDbwNotFound);
  EXPECT_EQ(block.GetMfrName(), L"");
  EXPECT_EQ(block.GetProtocolId(), 0);
  category = L"untouched";
  EXPECT_NE(block.GetMajorCategoryName(category), kDbwOk);
  EXPECT_EQ(category, L"untouched");

  // A device type without a category still reads, without a category name.
  session_.ExecuteSQL(L"DELETE FROM MajorDeviceCategories WHERE MajorCategoryId = 1");
  block.Identify(1);
  ASSERT_EQ(block.Access(&session_), kDbwOk);
  EXPECT_EQ(block.GetDeviceSerialIdentifier(), L"SERIAL-1");
  EXPECT_NE(block.GetMajorCategoryName(category), kDbwOk);
  EXPECT_EQ(category, L"untouched");
}

TEST_F(LumendbTest, AssignmentHoldsFromDayInUntilBeforeDayOut) {
  AddDevice(1, 3, L"PT-101", 40000, 45000);
  AddDevice(2, 3, L"TT-200", kUnixEpochDay, kOpenEndDay);
  // PT-101 moved to block 2 on day 45000.
  AssignTag(1, 2, 45000, kOpenEndDay);

  EXPECT_EQ(BlockOfTag(L"PT-101", {39999, kMillisecondsPerDay - 1}), -1);
  EXPECT_EQ(BlockOfTag(L"PT-101", {40000, 0}), 1);
  EXPECT_EQ(BlockOfTag(L"PT-101", {44999, kMillisecondsPerDay - 1}), 1);
  EXPECT_EQ(BlockOfTag(L"PT-101", {45000, 0}), 2);
  EXPECT_EQ(BlockOfTag(L"PT-101", {kTagLookupDay, 0}), 2);
  EXPECT_EQ(BlockOfTag(L"PT-101", {kOpenEndDay, 0}), -1);
  EXPECT_EQ(BlockOfTag(L"TT-200", {kTagLookupDay, 0}), 2);
  EXPECT_EQ(BlockOfTag(L"pt-101", {kTagLookupDay, 0}), -1);
  EXPECT_EQ(BlockOfTag(L"PT-101' OR ''='", {kTagLookupDay, 0}), -1);

  // The block record found by tag and time.
  CDbwTarnBlock block;
  block.Identify(L"PT-101", CDbwEventId(42000, 5));
  ASSERT_EQ(block.Access(nullptr), kDbwOk);
  EXPECT_EQ(block.GetTarnDeviceId(), L"ID-1");
  block.Identify(L"PT-101", GetCurrentGMTTime());
  ASSERT_EQ(block.Access(nullptr), kDbwOk);
  EXPECT_EQ(block.GetTarnDeviceId(), L"ID-2");
  block.Identify(L"PT-101", CDbwEventId(30000, 0));
  EXPECT_EQ(block.Access(nullptr), kDbwNotFound);
  block.Identify(L"NO-TAG", GetCurrentGMTTime());
  EXPECT_EQ(block.Access(nullptr), kDbwNotFound);
  EXPECT_EQ(ProgLog(), "");
}

TEST_F(LumendbTest, MissingRecordsLeaveOutputsUntouched) {
  CDbwExtBlockTag tag;
  tag.Identify(L"NO-TAG");
  EXPECT_EQ(tag.Access(nullptr), kDbwNotFound);
  int32_t id = 77;
  tag.GetExtBlockTagId(&id);
  EXPECT_EQ(id, 77);

  CDbwExtBlockTagId key;
  key.PutId(5);
  CDbwBlockAsgm assignment;
  assignment.Identify(key, CDbwEventId(kTagLookupDay, 0));
  EXPECT_EQ(assignment.Access(&session_), kDbwNotFound);
  int32_t blockId = 77;
  assignment.GetBlockId(&blockId);
  EXPECT_EQ(blockId, 77);
}

TEST_F(LumendbTest, DatabaseObjectProvidesTheGlobalSession) {
  AddDevice(1, 1, L"PT-101", kUnixEpochDay, kOpenEndDay);
  EXPECT_EQ(CDbwDbSession::GetGlobalSessionPtr(), nullptr);
  {
    CVelkDatabase database;
    EXPECT_TRUE(database.IsOpen());
    CDbwDbSession* global = CDbwDbSession::GetGlobalSessionPtr();
    ASSERT_NE(global, nullptr);
    {
      CVelkDatabase nested;
      EXPECT_EQ(CDbwDbSession::GetGlobalSessionPtr(), global);
    }
    EXPECT_EQ(CDbwDbSession::GetGlobalSessionPtr(), global);
    CDbwTarnBlock block;
    block.Identify(1);
    EXPECT_EQ(block.Access(CDbwDbSession::GetGlobalSessionPtr()), kDbwOk);
  }
  EXPECT_EQ(CDbwDbSession::GetGlobalSessionPtr(), nullptr);
}

TEST_F(LumendbTest, TemplatesAreListedByName) {
  CVelkPDevicesJoin join(&session_);
  ASSERT_EQ(join.GetAllTemplates(), kDbwOk);
  EXPECT_TRUE(join.IsEOF());
  EXPECT_EQ(join.GetTemplateName(), L"");

  session_.ExecuteSQL(
      L"INSERT INTO NamedConfigs VALUES (3, 1, 'Sensor B'), (1, 1, 'Sensor A'),"
      L" (2, 1, 'Sensor B'), (4, 1, 'Flow ''X''')");
  ASSERT_EQ(join.GetAllTemplates(), kDbwOk);
  std::vector<std::wstring> names;
  for (; !join.IsEOF(); join.MoveNext()) names.push_back(join.GetTemplateName());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Flow 'X'", L"Sensor A",
                                              L"Sensor B", L"Sensor B"}));
  join.MoveNext();
  EXPECT_TRUE(join.IsEOF());
}

}  // namespace
}  // namespace ravelin
