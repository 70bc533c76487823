// A small RAII wrapper over the ODBC API: one connection with its own
// environment, statements with bound parameters, column reads, transactions.
// Text crosses the API as UTF-8 through the narrow calls; callers see wide
// strings. Every failure throws OdbcError, whose text carries the SQLSTATE and
// the driver's message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace ravelin::odbc {

class OdbcError : public std::runtime_error {
 public:
  OdbcError(const std::wstring& text, std::wstring sqlState);
  // "<call> failed: SQLSTATE <state>: <driver message>[; ...]"
  const std::wstring& Text() const { return text_; }
  // The first diagnostic record's state, empty when the driver gave none.
  const std::wstring& SqlState() const { return sqlState_; }

 private:
  std::wstring text_;
  std::wstring sqlState_;
};

// A key the database holds already: SQLSTATE 23505 from a server, or the
// SQLite driver's "UNIQUE constraint failed", which it reports as HY000.
bool IsDuplicateKey(const OdbcError& error);

using Bytes = std::vector<uint8_t>;

class Connection;

// The database system behind a connection, where the statements or the set-up
// of the back ends must differ (docs/host-database.md).
enum class Dbms { kSqlite, kPostgreSql, kOther };

class Statement {
 public:
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&&) = delete;
  Statement(const Statement&) = delete;
  ~Statement();

  // Parameters count from 1. A value stays bound until replaced, so a
  // statement can be executed again with some parameters changed.
  void Bind(int index, int32_t value);
  void Bind(int index, const std::wstring& value);
  void Bind(int index, const Bytes& value);

  // Closes any open result and executes with the bound values.
  void Execute();
  // Moves to the next row; false at the end of the result.
  bool Fetch();
  // Ends the result before its last row, so a kept statement holds no
  // read of the database open.
  void CloseCursor();
  // Rows changed by the last INSERT, UPDATE or DELETE.
  int64_t RowCount();

  // Columns count from 1. NULL reads as 0 or empty. Text and binary values
  // are read in chunks, so their length is not limited; GetBinary stops after
  // `maxBytes`.
  int32_t GetInt(int column);
  std::wstring GetText(int column);
  Bytes GetBinary(int column,
                  size_t maxBytes = std::numeric_limits<size_t>::max());

 private:
  friend class Connection;
  Statement(void* connection, const std::wstring& sql);
  std::string ReadLong(int column, short cType, size_t maxBytes);

  struct Parameter;  // holds the driver's length type, which varies
  Parameter& At(int index);

  void* handle_ = nullptr;
  std::vector<Parameter> parameters_;
};

class Connection {
 public:
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Connects with an ODBC connect string ("DSN=..." or "DRIVER=...;..."); an
  // MFC-style "ODBC;" prefix is ignored. Statements wait at most
  // kLockWaitMilliseconds for another connection's lock; on a server the
  // connect and each statement are bounded too (ConnectString.h).
  void Open(const std::wstring& connectString);
  void Close();
  bool IsOpen() const { return open_; }
  // What the driver names as its database system; kOther before Open.
  Dbms GetDbms() const { return dbms_; }

  // Executes a statement without parameters.
  void Execute(const std::wstring& sql);
  Statement Prepare(const std::wstring& sql);
  // The connection's own prepared statement for this text, prepared on
  // first use and kept until the connection closes. For statements run
  // once per row or block: the caller binds every parameter before each
  // execution and reads any result before another caller may use it.
  Statement& Prepared(const std::wstring& sql);

  // Manual commit mode between BeginTransaction and Commit or Rollback.
  void BeginTransaction();
  void Commit();
  void Rollback();

  // For tests only, off until one sets it: the `nth` call from now that
  // would reach a driver (connect, prepare, execute, fetch, commit), on any
  // connection, fails instead with `sqlState`, as if the driver had answered
  // so. 0 turns it off. One thread only.
  static void FailNthCall(uint64_t nth, const std::wstring& sqlState);
  // The calls counted since the last FailNthCall, the failed one included.
  static uint64_t CallsCounted();

 private:
  void EndTransaction(short completion);
  // Whether the driver knows its connection to be lost.
  bool IsDead() const;

  void* environment_ = nullptr;
  void* connection_ = nullptr;
  bool open_ = false;
  Dbms dbms_ = Dbms::kOther;
  std::unordered_map<std::wstring, std::unique_ptr<Statement>> prepared_;
};

// Rolls back on destruction unless committed.
class Transaction {
 public:
  explicit Transaction(Connection& connection);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void Commit();

 private:
  Connection& connection_;
  bool done_ = false;
};

// The connect string without an MFC-style "ODBC;" prefix.
std::wstring StripOdbcPrefix(const std::wstring& connectString);

}  // namespace ravelin::odbc
