#include "outside/db/HostSchema.h"

#include "base/Text.h"
#include "outside/db/Odbc.h"

namespace ravelin {

namespace {

constexpr std::string_view kSchema =
#include "HostSchemaText.inc"
    ;

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// PostgreSQL has no LONGVARBINARY; its driver takes BYTEA for it.
constexpr wchar_t kBinaryType[] = L"LONGVARBINARY";
constexpr wchar_t kServerBinaryType[] = L"BYTEA";
constexpr std::wstring_view kCreateTable = L"CREATE TABLE ";

}  // namespace

std::vector<std::wstring> HostSchemaStatements() {
  std::vector<std::wstring> statements;
  std::string current;
  size_t start = 0;
  while (start < kSchema.size()) {
    size_t end = kSchema.find('\n', start);
    if (end == std::string_view::npos) end = kSchema.size();
    const std::string_view line = Trim(kSchema.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.starts_with("--")) continue;
    current.append(line);
    if (line.ends_with(';')) {
      current.pop_back();
      statements.push_back(FromUtf8(current));
      current.clear();
    } else {
      current.push_back(' ');
    }
  }
  return statements;
}

void CreateHostSchema(odbc::Connection& connection) {
  const bool server = connection.GetDbms() == odbc::Dbms::kPostgreSql;
  for (std::wstring statement : HostSchemaStatements()) {
    if (server) {
      for (size_t at = statement.find(kBinaryType); at != std::wstring::npos;
           at = statement.find(kBinaryType, at)) {
        statement.replace(at, std::size(kBinaryType) - 1, kServerBinaryType);
      }
    }
    connection.Execute(statement);
  }
}

std::vector<std::wstring> HostSchemaTables() {
  std::vector<std::wstring> tables;
  for (const std::wstring& statement : HostSchemaStatements()) {
    if (!statement.starts_with(kCreateTable)) continue;
    const size_t start = kCreateTable.size();
    tables.push_back(statement.substr(start, statement.find(L' ', start) - start));
  }
  return tables;
}

void DropHostSchema(odbc::Connection& connection) {
  const std::vector<std::wstring> tables = HostSchemaTables();
  // Later tables refer to earlier ones.
  for (auto table = tables.rbegin(); table != tables.rend(); ++table) {
    connection.Execute(L"DROP TABLE IF EXISTS " + *table);
  }
}

}  // namespace ravelin
