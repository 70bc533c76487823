#include "outside/db/DataSource.h"

#include <fstream>

#include "base/Text.h"
#include "outside/db/Environment.h"
#include "outside/db/HostSchema.h"
#include "outside/db/Odbc.h"
#include "platform/Platform.h"

namespace ravelin {

namespace {

constexpr wchar_t kDriver[] = L"" RAVELIN_SQLITE_ODBC_DRIVER;

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
  CreateHostSchema(connection);
}

bool WriteVelkDataSource(const std::wstring& hostRoot,
                         const std::wstring& databaseFile) {
  const std::wstring drivers = Format(
      L"[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=%s\n", kDriver);
  const std::wstring sources = Format(
      L"[VELK]\nDescription=Host database\nDriver=SQLite3\nDatabase=%s\n"
      L"NoCreat=1\nJournalMode=WAL\nSyncPragma=NORMAL\n",
      databaseFile.c_str());
  if (!WriteTextFile(JoinPath(hostRoot, L"odbcinst.ini"), drivers) ||
      !WriteTextFile(JoinPath(hostRoot, L"odbc.ini"), sources)) {
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
