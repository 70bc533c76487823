// What a connect string and the data source it names say: the waits the
// wrapper bounds on every connection, and the database file that errors name.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace ravelin::odbc {

// How long a statement waits for another connection's lock before it fails,
// in milliseconds: the SQLite driver's "Timeout" (its own default is 100 s
// per statement, which froze callers for minutes), and on a PostgreSQL server
// its "lock_timeout" (no bound by default). Other drivers ignore the
// attribute.
constexpr int kLockWaitMilliseconds = 2000;

// How long connecting to a server may take, in seconds (the ODBC login
// timeout, which the PostgreSQL driver hands to libpq as connect_timeout),
// and how long one statement may run there, in milliseconds (the session's
// statement_timeout). Neither has a bound by default: a server that stopped
// answering held the tools forever.
constexpr int kConnectWaitSeconds = 10;
constexpr int kStatementWaitMilliseconds = 30000;

// One "key=value" attribute as it stands in a connect string: the name
// trimmed; the value untouched (blanks, braces and doubled "}}" kept) and
// where it starts. A braced value ends at a single '}'; `closed` is false
// when the string ends first. `tight` is false when blanks stand around the
// name or before the brace, which drivers may read differently.
struct WrittenAttribute {
  std::wstring name;
  std::wstring value;
  size_t at = 0;
  bool braced = false;
  bool closed = true;
  bool tight = true;
};
std::vector<WrittenAttribute> WrittenAttributes(const std::wstring& connectString);

// A braced value as drivers take it: the braces removed, "}}" read as '}'.
std::wstring Unbraced(const WrittenAttribute& attribute);

// The "key=value" attributes in order, blanks around names and plain values
// trimmed, braces around a value removed and "}}" in it read as '}' (so a
// value may hold ';' and '}').
std::vector<std::pair<std::wstring, std::wstring>> ConnectAttributes(
    const std::wstring& connectString);

// Whether an attribute's name is one of the password's, "Password" or "PWD".
bool IsPasswordName(const std::wstring& name);

// The connect string with each password's value shown as "***": what
// messages and log lines may name.
std::wstring MaskPassword(const std::wstring& connectString);

// The value of the first "key=value" attribute, the key matched without
// regard to case and braces around the value removed; empty when absent.
std::wstring ConnectAttribute(const std::wstring& connectString, const std::wstring& key);

// The attribute from the connect string, else from the definition of its
// data source ("DSN=") in the odbc.ini that unixODBC reads (ODBCINI, then
// ODBCSYSINI's odbc.ini). Empty when neither gives it.
std::wstring DataSourceAttribute(const std::wstring& connectString, const std::wstring& key);

// The connect string with "Timeout=" kLockWaitMilliseconds, unless it or its
// data source sets a Timeout of its own.
std::wstring WithLockWait(const std::wstring& connectString);

// The login timeout for the connect: kConnectWaitSeconds, or 0 (none) when
// the data source's "pqopt" sets connect_timeout itself (the PostgreSQL
// driver refuses both at once).
int ConnectWaitSeconds(const std::wstring& connectString);

// The statements that bound a PostgreSQL connection's lock waits and
// statements, each left out when the data source's "ConnSettings" sets
// that setting ("lock_timeout", "statement_timeout") itself.
std::vector<std::wstring> PostgreSqlBounds(const std::wstring& connectString);

// What a failed connection's error should add about its database file:
// "; the database file "<file>" does not exist" (or "is a directory"), or
// empty when the file is unknown or there, or the data source names a
// driver other than SQLite's (a server's "Database" is a name, not a file).
std::wstring DescribeDatabaseFile(const std::wstring& connectString);

}  // namespace ravelin::odbc
