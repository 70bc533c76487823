#include "outside/db/DbwSession.h"

#include <optional>

#include "base/Text.h"
#include "outside/db/ConnectString.h"
#include "outside/db/ProgLog.h"

namespace ravelin {

namespace {
CDbwDbSession* g_globalSession = nullptr;
}  // namespace

std::wstring CDbwTarnEnv::GetDataSourceConnectString() {
  return std::wstring(L"ODBC;") + kHostDataSource;
}

CDbwDbSession::~CDbwDbSession() {
  if (g_globalSession == this) g_globalSession = nullptr;
}

bool CDbwDbSession::OpenDb(const std::wstring& connectString) {
  CloseDb();
  dataSource_ = odbc::MaskPassword(odbc::StripOdbcPrefix(connectString));
  lastError_ = odbc::OdbcError(L"", L"");
  try {
    connection_.Open(connectString);
    // A missing file is refused by the driver; a file that is no host
    // database shows only when a table is read.
    connection_.Execute(L"SELECT DeviceKey FROM Devices WHERE 1 = 0");
    return true;
  } catch (const odbc::OdbcError& error) {
    LogError(error);
    connection_.Close();
    return false;
  }
}

void CDbwDbSession::CloseDb() { connection_.Close(); }

void CDbwDbSession::ExecuteSQL(const std::wstring& sql) {
  connection_.Execute(sql);
}

void CDbwDbSession::LogError(const odbc::OdbcError& error) {
  BssProgLog(L"lumendb", __LINE__, 2, kDbwLogCode,
             Format(L"Data source \"%s\": %s", dataSource_.c_str(), error.Text().c_str()));
  lastError_ = error;
}

std::wstring CDbwDbSession::DescribeLastError() const {
  return Format(L"data source \"%s\": %s", dataSource_.c_str(), lastError_.Text().c_str());
}

CDbwDbSession* CDbwDbSession::GetGlobalSessionPtr() { return g_globalSession; }

void CDbwDbSession::SetGlobalSession(CDbwDbSession* session) {
  g_globalSession = session;
}

int32_t RunLookup(CDbwDbSession* session,
                  const std::function<int32_t(odbc::Connection&)>& lookup) {
  std::optional<CDbwDbSession> own;
  if (session == nullptr) session = CDbwDbSession::GetGlobalSessionPtr();
  if (session == nullptr) {
    own.emplace();
    if (!own->OpenDb()) return kDbwDatabaseError;
    session = &*own;
  }
  if (!session->IsOpen()) return kDbwDatabaseError;
  try {
    return lookup(session->GetConnection());
  } catch (const odbc::OdbcError& error) {
    session->LogError(error);
    return kDbwDatabaseError;
  }
}

}  // namespace ravelin
