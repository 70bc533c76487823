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

// Creates every table and index on an empty database, in one transaction.
void CreateHostSchema(odbc::Connection& connection);

}  // namespace ravelin
