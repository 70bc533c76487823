#include "outside/db/EventLog.h"

#include <gtest/gtest.h>

#include "outside/db/HostDatabase.h"

namespace ravelin {
namespace {

using testing::HostDatabaseTest;

using EventLogTest = HostDatabaseTest;

CDbwEventId AddEvent(CEventLog& log, int32_t blockKey) {
  log.AddNew();
  log.FillDefaults();
  log.m_BlockKey = blockKey;
  log.m_EventText = L"Create Default Data";
  log.m_EventCategory = 6;
  log.m_EventStatus = 1;
  log.m_EventCode = 28;
  const CDbwEventId id(log.m_EventIdDay, log.m_EventIdFraction);
  log.Update();
  return id;
}

TEST_F(EventLogTest, EventIdsAreUniqueAndIncreasing) {
  CEventLog log(&session_);
  ASSERT_TRUE(log.Open(L"EventIdDay = -1"));
  const CDbwEventId before = GetCurrentGMTTime().GetEventId();
  std::vector<CDbwEventId> ids;
  for (int i = 0; i < 50; ++i) ids.push_back(AddEvent(log, 100 + i));
  EXPECT_GE(ids.front(), before);
  EXPECT_LE(ids.front().GetDay(), GetCurrentGMTTime().GetEventId().GetDay());
  for (size_t i = 1; i < ids.size(); ++i) EXPECT_LT(ids[i - 1], ids[i]) << i;

  odbc::Statement rows = Db().Prepare(
      L"SELECT BlockKey, EventText, EventCategory, EventStatus, EventCode"
      L" FROM EventLog WHERE EventIdDay = ? AND EventIdFraction = ?");
  rows.Bind(1, ids[7].GetDay());
  rows.Bind(2, ids[7].GetFraction());
  rows.Execute();
  ASSERT_TRUE(rows.Fetch());
  EXPECT_EQ(rows.GetInt(1), 107);
  EXPECT_EQ(rows.GetText(2), L"Create Default Data");
  EXPECT_EQ(rows.GetInt(3), 6);
  EXPECT_EQ(rows.GetInt(4), 1);
  EXPECT_EQ(rows.GetInt(5), 28);
}

TEST_F(EventLogTest, NewIdsFollowTheNewestLoggedEvent) {
  // An event from a clock ahead of ours, at the last millisecond of its day.
  session_.ExecuteSQL(Format(
      L"INSERT INTO EventLog VALUES (99999, %d, 1, 'ahead', 0, 0, 0)",
      kMillisecondsPerDay - 1));
  CEventLog log(&session_);
  ASSERT_TRUE(log.Open(L"EventIdDay = -1"));
  EXPECT_EQ(AddEvent(log, 1), CDbwEventId(100000, 0));
  EXPECT_EQ(AddEvent(log, 1), CDbwEventId(100000, 1));
}

TEST_F(EventLogTest, UnopenedOrBrokenLogGivesNoEventId) {
  CEventLog closed(&session_);
  closed.AddNew();
  closed.FillDefaults();
  EXPECT_EQ(closed.m_EventIdDay, -1);
  EXPECT_THROW(closed.Update(), odbc::OdbcError);

  CEventLog badFilter(&session_);
  EXPECT_FALSE(badFilter.Open(L"NoSuchColumn = 1"));
  EXPECT_NE(ProgLog().find("no such column: NoSuchColumn"), std::string::npos);

  CEventLog log(&session_);
  ASSERT_TRUE(log.Open(L"EventIdDay = -1"));
  session_.ExecuteSQL(L"DROP TABLE EventLog");
  log.AddNew();
  log.FillDefaults();
  EXPECT_EQ(log.m_EventIdDay, -1);
  EXPECT_THROW(log.Update(), odbc::OdbcError);
}

}  // namespace
}  // namespace ravelin
