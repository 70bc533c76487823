#include "outside/db/Odbc.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "base/NthFailure.h"
#include "base/Text.h"
#include "outside/db/ConnectString.h"
#include "outside/db/OdbcApi.h"

namespace ravelin::odbc {

namespace {

SQLCHAR* Sql(const std::string& text) {
  return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str()));
}

bool Succeeded(SQLRETURN rc) {
  return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

// The diagnostic records of a failed call, as one error.
OdbcError Diagnose(const char* call, SQLSMALLINT type, SQLHANDLE handle) {
  std::wstring text = FromUtf8(call) + L" failed";
  std::wstring firstState;
  for (SQLSMALLINT record = 1;; ++record) {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLCHAR message[SQL_MAX_MESSAGE_LENGTH + 1] = {};
    SQLSMALLINT length = 0;
    if (!Succeeded(SQLGetDiagRec(type, handle, record, state, &native, message,
                                 sizeof message, &length))) {
      break;
    }
    const std::wstring stateText = FromUtf8(reinterpret_cast<const char*>(state));
    if (record == 1) firstState = stateText;
    text += record == 1 ? L": " : L"; ";
    text += L"SQLSTATE " + stateText + L": " +
            FromUtf8(reinterpret_cast<const char*>(message));
  }
  return OdbcError(text, firstState);
}

void Check(SQLRETURN rc, const char* call, SQLSMALLINT type, SQLHANDLE handle) {
  if (!Succeeded(rc)) throw Diagnose(call, type, handle);
}

struct InjectedFailure {
  NthFailure call;
  std::wstring sqlState;
};

InjectedFailure& Injected() {
  static InjectedFailure failure;
  return failure;
}

// Counts a call about to reach the driver; the failure to give in its
// place when it is the one a test chose.
std::optional<OdbcError> FailureInjectedAt(const char* call) {
  InjectedFailure& failure = Injected();
  if (!failure.call.Strikes()) return std::nullopt;
  return OdbcError(FromUtf8(call) + L" failed: SQLSTATE " + failure.sqlState +
                       L": injected failure",
                   failure.sqlState);
}

void Reaching(const char* call) {
  if (std::optional<OdbcError> failure = FailureInjectedAt(call)) throw *failure;
}

Dbms DbmsOf(SQLHDBC connection) {
  char name[64] = {};
  SQLSMALLINT length = 0;
  if (!Succeeded(SQLGetInfo(connection, SQL_DBMS_NAME, name, sizeof name, &length))) {
    return Dbms::kOther;
  }
  const std::string_view text(name);
  if (text.starts_with("SQLite")) return Dbms::kSqlite;
  if (text.starts_with("PostgreSQL")) return Dbms::kPostgreSql;
  return Dbms::kOther;
}

}  // namespace

OdbcError::OdbcError(const std::wstring& text, std::wstring sqlState)
    : std::runtime_error(ToUtf8(text)), text_(text), sqlState_(std::move(sqlState)) {}

bool IsDuplicateKey(const OdbcError& error) {
  return error.SqlState() == L"23505" ||
         (error.SqlState() == L"HY000" &&
          error.Text().find(L"UNIQUE constraint failed") != std::wstring::npos);
}

std::wstring StripOdbcPrefix(const std::wstring& connectString) {
  constexpr std::wstring_view prefix = L"ODBC;";
  if (connectString.size() >= prefix.size() &&
      EqualsNoCase(std::wstring_view(connectString).substr(0, prefix.size()),
                   prefix)) {
    return connectString.substr(prefix.size());
  }
  return connectString;
}

// ---- Statement ----

struct Statement::Parameter {
  enum class Kind { kNone, kInt, kText, kBinary } kind = Kind::kNone;
  int32_t number = 0;
  std::string bytes;
  SQLLEN length = 0;
};

Statement::Statement(void* connection, const std::wstring& sql) {
  Reaching("SQLPrepare");
  Check(SQLAllocHandle(SQL_HANDLE_STMT, connection, &handle_),
        "SQLAllocHandle", SQL_HANDLE_DBC, connection);
  const std::string text = ToUtf8(sql);
  if (!Succeeded(SQLPrepare(handle_, Sql(text), SQL_NTS))) {
    const OdbcError error = Diagnose("SQLPrepare", SQL_HANDLE_STMT, handle_);
    SQLFreeHandle(SQL_HANDLE_STMT, handle_);
    throw error;
  }
}

Statement::Statement(Statement&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      parameters_(std::move(other.parameters_)) {}

Statement::~Statement() {
  if (handle_) SQLFreeHandle(SQL_HANDLE_STMT, handle_);
}

Statement::Parameter& Statement::At(int index) {
  if (index < 1) throw OdbcError(L"Bind failed: parameter index below 1", L"");
  if (parameters_.size() < static_cast<size_t>(index)) parameters_.resize(index);
  return parameters_[index - 1];
}

void Statement::Bind(int index, int32_t value) {
  Parameter& p = At(index);
  p.kind = Parameter::Kind::kInt;
  p.number = value;
}

void Statement::Bind(int index, const std::wstring& value) {
  Parameter& p = At(index);
  p.kind = Parameter::Kind::kText;
  p.bytes = ToUtf8(value);
}

void Statement::Bind(int index, const Bytes& value) {
  Parameter& p = At(index);
  p.kind = Parameter::Kind::kBinary;
  p.bytes.assign(value.begin(), value.end());
}

void Statement::Execute() {
  SQLFreeStmt(handle_, SQL_CLOSE);
  for (size_t i = 0; i < parameters_.size(); ++i) {
    Parameter& p = parameters_[i];
    const SQLUSMALLINT number = static_cast<SQLUSMALLINT>(i + 1);
    SQLRETURN rc = SQL_ERROR;
    switch (p.kind) {
      case Parameter::Kind::kNone:
        throw OdbcError(Format(L"Execute failed: parameter %d is not bound",
                               static_cast<int>(number)), L"");
      case Parameter::Kind::kInt:
        p.length = 0;
        rc = SQLBindParameter(handle_, number, SQL_PARAM_INPUT, SQL_C_SLONG,
                              SQL_INTEGER, 0, 0, &p.number, 0, &p.length);
        break;
      case Parameter::Kind::kText:
      case Parameter::Kind::kBinary: {
        const bool binary = p.kind == Parameter::Kind::kBinary;
        p.length = static_cast<SQLLEN>(p.bytes.size());
        rc = SQLBindParameter(
            handle_, number, SQL_PARAM_INPUT, binary ? SQL_C_BINARY : SQL_C_CHAR,
            binary ? SQL_LONGVARBINARY : SQL_VARCHAR,
            std::max<SQLULEN>(p.bytes.size(), 1), 0, p.bytes.data(),
            p.length, &p.length);
        break;
      }
    }
    Check(rc, "SQLBindParameter", SQL_HANDLE_STMT, handle_);
  }
  Reaching("SQLExecute");
  const SQLRETURN rc = SQLExecute(handle_);
  // A statement that changes no rows answers SQL_NO_DATA; that is no error.
  if (rc != SQL_NO_DATA) Check(rc, "SQLExecute", SQL_HANDLE_STMT, handle_);
}

bool Statement::Fetch() {
  Reaching("SQLFetch");
  const SQLRETURN rc = SQLFetch(handle_);
  if (rc == SQL_NO_DATA) return false;
  Check(rc, "SQLFetch", SQL_HANDLE_STMT, handle_);
  return true;
}

void Statement::CloseCursor() { SQLFreeStmt(handle_, SQL_CLOSE); }

int64_t Statement::RowCount() {
  SQLLEN count = 0;
  Check(SQLRowCount(handle_, &count), "SQLRowCount", SQL_HANDLE_STMT, handle_);
  return count;
}

int32_t Statement::GetInt(int column) {
  SQLINTEGER value = 0;
  SQLLEN indicator = 0;
  Check(SQLGetData(handle_, static_cast<SQLUSMALLINT>(column), SQL_C_SLONG,
                   &value, 0, &indicator),
        "SQLGetData", SQL_HANDLE_STMT, handle_);
  return indicator == SQL_NULL_DATA ? 0 : value;
}

std::string Statement::ReadLong(int column, short cType, size_t maxBytes) {
  // Character data ends each piece with a NUL the driver counts in the
  // buffer but not in the data.
  const size_t terminator = cType == SQL_C_CHAR ? 1 : 0;
  std::string data;
  char chunk[8192];
  while (data.size() < maxBytes) {
    SQLLEN indicator = 0;
    const SQLRETURN rc =
        SQLGetData(handle_, static_cast<SQLUSMALLINT>(column), cType, chunk,
                   sizeof chunk, &indicator);
    if (rc == SQL_NO_DATA || indicator == SQL_NULL_DATA) break;
    Check(rc, "SQLGetData", SQL_HANDLE_STMT, handle_);
    const size_t room = sizeof chunk - terminator;
    const bool more = rc == SQL_SUCCESS_WITH_INFO &&
                      (indicator == SQL_NO_TOTAL ||
                       static_cast<size_t>(indicator) > room);
    const size_t piece = more ? room : static_cast<size_t>(indicator);
    data.append(chunk, std::min(piece, maxBytes - data.size()));
    if (!more) break;
  }
  return data;
}

std::wstring Statement::GetText(int column) {
  return FromUtf8(ReadLong(column, SQL_C_CHAR,
                           std::numeric_limits<size_t>::max()));
}

Bytes Statement::GetBinary(int column, size_t maxBytes) {
  const std::string data = ReadLong(column, SQL_C_BINARY, maxBytes);
  return Bytes(data.begin(), data.end());
}

// ---- Connection ----

Connection::Connection() {
  if (!Succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment_))) {
    throw OdbcError(L"SQLAllocHandle failed: no ODBC environment", L"");
  }
  SQLSetEnvAttr(environment_, SQL_ATTR_ODBC_VERSION,
                reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  const SQLRETURN rc = SQLAllocHandle(SQL_HANDLE_DBC, environment_, &connection_);
  if (!Succeeded(rc)) {
    SQLFreeHandle(SQL_HANDLE_ENV, environment_);
    throw OdbcError(L"SQLAllocHandle failed: no ODBC connection", L"");
  }
}

Connection::~Connection() {
  Close();
  SQLFreeHandle(SQL_HANDLE_DBC, connection_);
  SQLFreeHandle(SQL_HANDLE_ENV, environment_);
}

void Connection::Open(const std::wstring& connectString) {
  Close();
  const std::wstring plain = StripOdbcPrefix(connectString);
  const std::string text = ToUtf8(WithLockWait(plain));
  // A driver without a login timeout (SQLite's) ignores it.
  SQLSetConnectAttr(connection_, SQL_ATTR_LOGIN_TIMEOUT,
                    reinterpret_cast<SQLPOINTER>(
                        static_cast<SQLULEN>(ConnectWaitSeconds(plain))),
                    0);
  SQLCHAR completed[1024];
  SQLSMALLINT length = 0;
  Reaching("SQLDriverConnect");
  if (!Succeeded(SQLDriverConnect(connection_, nullptr, Sql(text), SQL_NTS, completed,
                                  sizeof completed, &length, SQL_DRIVER_NOPROMPT))) {
    // The SQLite driver says only "connect failed" for a missing file.
    const OdbcError error = Diagnose("SQLDriverConnect", SQL_HANDLE_DBC, connection_);
    throw OdbcError(error.Text() + DescribeDatabaseFile(plain), error.SqlState());
  }
  open_ = true;
  dbms_ = DbmsOf(connection_);
  if (dbms_ == Dbms::kPostgreSql) {
    for (const std::wstring& bound : PostgreSqlBounds(plain)) Execute(bound);
  }
}

void Connection::Close() {
  prepared_.clear();  // statements go before their connection
  if (!open_) return;
  SQLDisconnect(connection_);
  open_ = false;
  dbms_ = Dbms::kOther;
}

void Connection::Execute(const std::wstring& sql) {
  Statement statement = Prepare(sql);
  statement.Execute();
}

Statement Connection::Prepare(const std::wstring& sql) {
  return Statement(connection_, sql);
}

Statement& Connection::Prepared(const std::wstring& sql) {
  auto [slot, inserted] = prepared_.try_emplace(sql);
  if (inserted) {
    try {
      slot->second = std::make_unique<Statement>(Prepare(sql));
    } catch (...) {
      prepared_.erase(slot);
      throw;
    }
  }
  return *slot->second;
}

void Connection::BeginTransaction() {
  Check(SQLSetConnectAttr(connection_, SQL_ATTR_AUTOCOMMIT,
                          reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0),
        "SQLSetConnectAttr", SQL_HANDLE_DBC, connection_);
}

void Connection::Commit() { EndTransaction(SQL_COMMIT); }

void Connection::Rollback() { EndTransaction(SQL_ROLLBACK); }

void Connection::EndTransaction(short completion) {
  std::optional<OdbcError> error =
      completion == SQL_COMMIT ? FailureInjectedAt("SQLEndTran") : std::nullopt;
  if (!error && !Succeeded(SQLEndTran(SQL_HANDLE_DBC, connection_, completion))) {
    error = Diagnose("SQLEndTran", SQL_HANDLE_DBC, connection_);
  } else if (!error && completion == SQL_COMMIT && IsDead()) {
    // A driver that lost its server may answer a commit with success, as
    // there is no transaction left on its side to end.
    error = OdbcError(L"SQLEndTran failed: the connection to the database was lost;"
                      L" the transaction was not committed",
                      L"08S01");
  }
  // Turning autocommit on commits an open transaction: what a failed
  // commit left open is rolled back first, so it stays uncommitted.
  if (error && completion == SQL_COMMIT) SQLEndTran(SQL_HANDLE_DBC, connection_, SQL_ROLLBACK);
  SQLSetConnectAttr(connection_, SQL_ATTR_AUTOCOMMIT,
                    reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
  if (error) throw *error;
}

void Connection::FailNthCall(uint64_t nth, const std::wstring& sqlState) {
  Injected().call.Arm(nth);
  Injected().sqlState = sqlState;
}

uint64_t Connection::CallsCounted() { return Injected().call.Counted(); }

bool Connection::IsDead() const {
  SQLUINTEGER dead = SQL_CD_FALSE;
  return Succeeded(SQLGetConnectAttr(connection_, SQL_ATTR_CONNECTION_DEAD, &dead, 0,
                                     nullptr)) &&
         dead == SQL_CD_TRUE;
}

// ---- Transaction ----

Transaction::Transaction(Connection& connection) : connection_(connection) {
  connection_.BeginTransaction();
}

Transaction::~Transaction() {
  if (done_) return;
  try {
    connection_.Rollback();
  } catch (const OdbcError&) {
    // A destructor cannot report; the driver discards the work on
    // disconnect anyway.
  }
}

void Transaction::Commit() {
  connection_.Commit();
  done_ = true;
}

}  // namespace ravelin::odbc
