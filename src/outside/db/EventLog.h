// The host's event log as a record set that appends events. Each event gets a
// unique event id from FillDefaults: the current GMT time, moved past the
// newest id in the log and the last id this process gave out, so ids
// increase even when events come faster than the clock ticks.
#pragma once

#include <cstdint>
#include <string>

#include "outside/db/DbwTime.h"

namespace ravelin {

class CDbwDbSession;

class CEventLog {
 public:
  // Works on `session`; null means the global session.
  explicit CEventLog(CDbwDbSession* session);
  virtual ~CEventLog() = default;

  // Opens the log for appending; `filter` is an SQL condition on its columns
  // (the rows it selects are not read). False, with a program-log entry, when
  // the log cannot be read.
  bool Open(const std::wstring& filter);
  bool IsOpen() const { return open_; }

  // Starts a new record with every field empty and the event day -1.
  void AddNew();
  // Gives the new record a fresh event id and zero numbers. The event day
  // stays -1 when the log cannot be read (a program-log entry says why).
  void FillDefaults();
  // Inserts the new record; throws odbc::OdbcError when it cannot.
  void Update();

  // Makes this process's next event ids start `milliseconds` past the last
  // one given out: after another writer took an id at the same moment, the
  // id that follows it is likely the one that writer takes next.
  static void LeaveGap(int32_t milliseconds);

  int32_t m_EventIdDay = -1;
  int32_t m_EventIdFraction = 0;
  int32_t m_BlockKey = 0;
  std::wstring m_EventText;
  int32_t m_EventCategory = 0;
  int32_t m_EventStatus = 0;
  int32_t m_EventCode = 0;

 private:
  CDbwDbSession* Session() const;
  void ClearFields();

  CDbwDbSession* session_;
  bool open_ = false;
  bool adding_ = false;
};

}  // namespace ravelin
