#include "outside/db/EventLog.h"

#include <algorithm>

#include "outside/db/DbwSession.h"

namespace ravelin {

namespace {
// The newest event id given out by this process.
CDbwEventId g_lastIssued;
}  // namespace

CEventLog::CEventLog(CDbwDbSession* session) : session_(session) {}

CDbwDbSession* CEventLog::Session() const {
  return session_ ? session_ : CDbwDbSession::GetGlobalSessionPtr();
}

bool CEventLog::Open(const std::wstring& filter) {
  open_ = false;
  CDbwDbSession* session = Session();
  if (session == nullptr) return false;
  open_ = RunLookup(session, [&filter](odbc::Connection& connection) {
            odbc::Statement& query = connection.Prepared(
                L"SELECT EventIdDay, EventIdFraction FROM EventLog WHERE " + filter);
            query.Execute();
            query.CloseCursor();
            return kDbwOk;
          }) == kDbwOk;
  return open_;
}

void CEventLog::ClearFields() {
  m_EventIdDay = -1;
  m_EventIdFraction = 0;
  m_BlockKey = 0;
  m_EventText.clear();
  m_EventCategory = 0;
  m_EventStatus = 0;
  m_EventCode = 0;
}

void CEventLog::AddNew() {
  ClearFields();
  adding_ = true;
}

void CEventLog::FillDefaults() {
  ClearFields();
  CDbwEventId newest = g_lastIssued;
  if (!open_ ||
      RunLookup(Session(), [&newest](odbc::Connection& connection) {
        // One row read backwards through the primary key. A maximum per day
        // walked every event of that day, so creating devices grew
        // quadratically with the events they log.
        odbc::Statement& query = connection.Prepared(
            L"SELECT EventIdDay, EventIdFraction FROM EventLog"
            L" ORDER BY EventIdDay DESC, EventIdFraction DESC LIMIT 1");
        query.Execute();
        if (query.Fetch()) {
          newest = std::max(newest, CDbwEventId(query.GetInt(1), query.GetInt(2)));
        }
        query.CloseCursor();
        return kDbwOk;
      }) != kDbwOk) {
    return;
  }
  const CDbwEventId id =
      std::max(GetCurrentGMTTime().GetEventId(), newest.Next());
  g_lastIssued = id;
  m_EventIdDay = id.GetDay();
  m_EventIdFraction = id.GetFraction();
}

void CEventLog::LeaveGap(int32_t milliseconds) {
  CDbwEventId id = std::max(g_lastIssued, GetCurrentGMTTime().GetEventId());
  for (int32_t i = 0; i < milliseconds; ++i) id = id.Next();
  g_lastIssued = id;
}

void CEventLog::Update() {
  if (!open_ || !adding_) {
    throw odbc::OdbcError(L"Update failed: the event log has no new record", L"");
  }
  odbc::Statement& insert = Session()->GetConnection().Prepared(
      L"INSERT INTO EventLog (EventIdDay, EventIdFraction, BlockKey, EventText,"
      L" EventCategory, EventStatus, EventCode) VALUES (?, ?, ?, ?, ?, ?, ?)");
  insert.Bind(1, m_EventIdDay);
  insert.Bind(2, m_EventIdFraction);
  insert.Bind(3, m_BlockKey);
  insert.Bind(4, m_EventText);
  insert.Bind(5, m_EventCategory);
  insert.Bind(6, m_EventStatus);
  insert.Bind(7, m_EventCode);
  insert.Execute();
  adding_ = false;
}

}  // namespace ravelin
