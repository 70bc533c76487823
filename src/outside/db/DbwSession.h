// The database library's session and environment. A session is one ODBC
// connection to the host's data source. The global session is the one the
// host's database object (CVelkDatabase) keeps open; record classes use it
// when they are given no session.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "outside/db/Odbc.h"

namespace ravelin {

// Results of the record classes' Access: zero when the record was found.
constexpr int32_t kDbwOk = 0;
constexpr int32_t kDbwNotFound = 1;
// The database could not be read; a program-log entry says why.
constexpr int32_t kDbwDatabaseError = 2;

// The program-log code of database errors (category 2, source "lumendb").
constexpr uint32_t kDbwLogCode = 0x20000010;

// The host's data source, as the tools name it in their messages.
constexpr wchar_t kHostDataSource[] = L"DSN=VELK";

class CDbwTarnEnv {
 public:
  // kHostDataSource with the "ODBC;" prefix of the host's connect strings.
  static std::wstring GetDataSourceConnectString();
};

class CDbwDbSession {
 public:
  CDbwDbSession() = default;
  virtual ~CDbwDbSession();
  CDbwDbSession(const CDbwDbSession&) = delete;
  CDbwDbSession& operator=(const CDbwDbSession&) = delete;

  // Connects and checks that the host's tables can be read. On failure:
  // false, and a program-log entry naming the data source and the ODBC error.
  bool OpenDb(const std::wstring& connectString =
                  CDbwTarnEnv::GetDataSourceConnectString());
  void CloseDb();
  bool IsOpen() const { return connection_.IsOpen(); }

  // Executes a statement that returns no rows; throws odbc::OdbcError.
  void ExecuteSQL(const std::wstring& sql);

  odbc::Connection& GetConnection() { return connection_; }
  // The connect string of the last OpenDb, without "ODBC;" and with its
  // password masked: for messages.
  const std::wstring& GetDataSource() const { return dataSource_; }

  // Writes a program-log entry for a failed database call on this session
  // and keeps it as the last error.
  void LogError(const odbc::OdbcError& error);
  // The last failed call's error on this session; its text is empty after
  // a successful OpenDb.
  const odbc::OdbcError& GetLastError() const { return lastError_; }
  // The same as the tools say it: "data source \"<connect string>\": <error>".
  std::wstring DescribeLastError() const;

  // The session of the open CVelkDatabase, or null.
  static CDbwDbSession* GetGlobalSessionPtr();

 private:
  friend class CVelkDatabase;
  static void SetGlobalSession(CDbwDbSession* session);

  odbc::Connection connection_;
  std::wstring dataSource_;  // the masked connect string, for log entries
  odbc::OdbcError lastError_{L"", L""};
};

// Runs a lookup of a record class on `session`; null means the global
// session, or a session of its own when no database object is open. An ODBC
// error is logged and gives kDbwDatabaseError; a closed session gives it
// silently (its open failure was logged).
int32_t RunLookup(CDbwDbSession* session,
                  const std::function<int32_t(odbc::Connection&)>& lookup);

}  // namespace ravelin
