// The embedded default host database: a SQLite file reached through the
// SQLite ODBC driver under the data source name VELK. The same data source
// may instead name a database on a PostgreSQL server, reached through the
// PostgreSQL ODBC driver (docs/host-database.md).
//
// The data source is defined in two ini files in the host root: odbc.ini
// ([VELK] with the database file) and odbcinst.ini (the driver). The driver
// manager (unixODBC) finds them through the environment variables ODBCSYSINI
// (the host root) and ODBCINI (its odbc.ini), which UseHostDataSources sets
// for this process. A Windows host defines VELK in its own ODBC
// configuration instead.
#pragma once

#include <string>

namespace ravelin {

// A connect string that reaches a SQLite file without a data source. With
// `create` false a missing file is an error instead of a new, empty database.
// Throws odbc::OdbcError for a path the driver cannot take (one with ';').
std::wstring SqliteConnectString(const std::wstring& databaseFile, bool create);

// Creates a database file with the host schema; throws odbc::OdbcError when
// the file exists already or cannot be made.
void CreateHostDatabase(const std::wstring& databaseFile);

// Writes odbc.ini and odbcinst.ini into the host root so that "DSN=VELK"
// names `databaseFile`, then calls UseHostDataSources. False when a file
// cannot be written. The sample plant's data source uses the write-ahead log
// with synchronous=NORMAL: a committed device survives a crash of the
// program, and a commit costs no disk sync.
bool WriteVelkDataSource(const std::wstring& hostRoot,
                         const std::wstring& databaseFile);

// A connect string that reaches a database on a PostgreSQL server through its
// ODBC driver: `attributes` are the driver's "key=value" pairs separated by
// ';' ("Servername=/run/postgresql;Database=velk;Username=me"). Throws
// odbc::OdbcError when they name a data source or a driver, or no database,
// hold a line break (odbc.ini could not keep them), leave a brace open, or
// give a password that the driver would read otherwise than odbc.ini can
// keep it (blanks around its name, given twice, a '%' it cannot decode).
// Error texts show the password masked.
std::wstring PostgreSqlConnectString(const std::wstring& attributes);

// Writes odbc.ini and odbcinst.ini into the host root so that "DSN=VELK"
// names the server database of `attributes`, which PostgreSqlConnectString
// accepts (one line each; the password as "Password=", encoded so that the
// driver reads back the one it used, and the file then readable by its
// owner only), then calls UseHostDataSources. False when a file cannot be
// written.
bool WriteVelkServerDataSource(const std::wstring& hostRoot,
                               const std::wstring& attributes);

// Points this process's driver manager at the ini files of the host root.
void UseHostDataSources(const std::wstring& hostRoot);

}  // namespace ravelin
