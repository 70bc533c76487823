#include "outside/db/DataSource.h"

#include <fstream>

#include "base/Text.h"
#include "outside/db/ConnectString.h"
#include "outside/db/Environment.h"
#include "outside/db/HostSchema.h"
#include "outside/db/Odbc.h"
#include "platform/Platform.h"

namespace ravelin {

namespace {

constexpr wchar_t kDriver[] = L"" RAVELIN_SQLITE_ODBC_DRIVER;
constexpr wchar_t kServerDriver[] = L"" RAVELIN_POSTGRESQL_ODBC_DRIVER;

// Writes through a temporary file so a failed write leaves no half file.
bool WriteTextFile(const std::wstring& path, const std::wstring& text) {
  const std::wstring temporary = path + L".new";
  {
    std::ofstream out(FsPath(temporary), std::ios::binary | std::ios::trunc);
    out << ToUtf8(text);
    if (!out.flush()) return false;
  }
  return ReplaceFileWith(temporary, path);
}

// Both drivers, so that either kind of data source can be written beside.
bool WriteDrivers(const std::wstring& hostRoot) {
  return WriteTextFile(
      JoinPath(hostRoot, L"odbcinst.ini"),
      Format(L"[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=%s\n\n"
             L"[PostgreSQL]\nDescription=PostgreSQL ODBC Driver\nDriver=%s\n",
             kDriver, kServerDriver));
}

}  // namespace

std::wstring SqliteConnectString(const std::wstring& databaseFile, bool create) {
  // The driver takes the value up to the next ';' and knows no quoting.
  if (databaseFile.find(L';') != std::wstring::npos) {
    throw odbc::OdbcError(
        Format(L"The database path \"%s\" holds a ';', which ODBC cannot pass.",
               databaseFile.c_str()),
        L"");
  }
  return Format(L"DRIVER={%s};Database=%s;NoCreat=%d", kDriver,
                databaseFile.c_str(), create ? 0 : 1);
}

void CreateHostDatabase(const std::wstring& databaseFile) {
  if (FileExists(databaseFile)) {
    throw odbc::OdbcError(
        Format(L"The database \"%s\" exists already.", databaseFile.c_str()), L"");
  }
  odbc::Connection connection;
  connection.Open(SqliteConnectString(databaseFile, true));
  odbc::Transaction transaction(connection);
  CreateHostSchema(connection);
  transaction.Commit();
}

bool WriteVelkDataSource(const std::wstring& hostRoot,
                         const std::wstring& databaseFile) {
  const std::wstring sources = Format(
      L"[VELK]\nDescription=Host database\nDriver=SQLite3\nDatabase=%s\n"
      L"NoCreat=1\nJournalMode=WAL\nSyncPragma=NORMAL\n",
      databaseFile.c_str());
  if (!WriteDrivers(hostRoot) || !WriteTextFile(JoinPath(hostRoot, L"odbc.ini"), sources)) {
    return false;
  }
  UseHostDataSources(hostRoot);
  return true;
}

std::wstring PostgreSqlConnectString(const std::wstring& attributes) {
  for (const wchar_t* refused : {L"DSN", L"FILEDSN", L"DRIVER"}) {
    if (!odbc::ConnectAttribute(attributes, refused).empty()) {
      throw odbc::OdbcError(
          Format(L"The server connection \"%s\" names %s; give the server's own attributes"
                 L" (Servername, Port, Database, Username, ...).",
                 attributes.c_str(), refused),
          L"");
    }
  }
  if (attributes.find_first_of(L"\r\n") != std::wstring::npos) {
    throw odbc::OdbcError(
        Format(L"The server connection \"%s\" holds a line break.", attributes.c_str()), L"");
  }
  if (odbc::ConnectAttribute(attributes, L"Database").empty()) {
    throw odbc::OdbcError(
        Format(L"The server connection \"%s\" names no Database.", attributes.c_str()), L"");
  }
  return Format(L"DRIVER={%s};%s", kServerDriver, attributes.c_str());
}

bool WriteVelkServerDataSource(const std::wstring& hostRoot,
                               const std::wstring& attributes) {
  std::wstring sources = L"[VELK]\nDescription=Host database\nDriver=PostgreSQL\n";
  // odbc.ini takes a value to the end of its line, braces and all.
  for (const auto& [name, value] : odbc::ConnectAttributes(attributes)) {
    sources += name + L"=" + value + L"\n";
  }
  if (!WriteDrivers(hostRoot) || !WriteTextFile(JoinPath(hostRoot, L"odbc.ini"), sources)) {
    return false;
  }
  UseHostDataSources(hostRoot);
  return true;
}

void UseHostDataSources(const std::wstring& hostRoot) {
  SetEnvironmentValue(L"ODBCSYSINI", hostRoot);
  SetEnvironmentValue(L"ODBCINI", JoinPath(hostRoot, L"odbc.ini"));
}

}  // namespace ravelin
