// The host database's schema (schema.sql, compiled into the library).
#pragma once

#include <string>
#include <vector>

namespace ravelin {

namespace odbc {
class Connection;
}

// The statements of schema.sql, comments dropped, in file order.
std::vector<std::wstring> HostSchemaStatements();

// The names of the schema's tables, in file order (later tables refer to
// earlier ones).
std::vector<std::wstring> HostSchemaTables();

// Creates every table and index on an empty database, within the caller's
// transaction. On PostgreSQL, LONGVARBINARY columns become BYTEA (the one
// type its ODBC driver binds binary data to), so one schema text serves both
// back ends.
void CreateHostSchema(odbc::Connection& connection);

// Drops the schema's tables where they exist, within
// the caller's transaction, so that a server's database can take a new
// plant. Other tables stay.
void DropHostSchema(odbc::Connection& connection);

}  // namespace ravelin
