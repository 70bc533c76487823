#include "outside/db/Odbc.h"

#include <gtest/gtest.h>

#include "outside/db/ConnectString.h"
#include "outside/db/DataSource.h"
#include "platform/Environment.h"
#include "support/TempDir.h"

namespace ravelin::odbc {
namespace {

using testing::TempDir;

class OdbcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_.Open(SqliteConnectString(dir_.Join(L"t.db"), true));
    db_.Execute(L"CREATE TABLE T (N INTEGER, S VARCHAR(255), B LONGVARBINARY)");
  }

  int Count() {
    Statement query = db_.Prepare(L"SELECT COUNT(*) FROM T");
    query.Execute();
    EXPECT_TRUE(query.Fetch());
    return query.GetInt(1);
  }

  TempDir dir_;
  Connection db_;
};

TEST_F(OdbcTest, BoundValuesComeBackUnchanged) {
  struct Row {
    int32_t number;
    std::wstring text;
    Bytes bytes;
  };
  const Row rows[] = {
      {INT32_MIN, L"O'Brien; DROP TABLE T; --", {0, 1, 0, 255}},
      {INT32_MAX, L"\u00e9\u20ac\u00df \U0001F600 \"q\"", {}},
      {0, L"", {0x27}},
  };
  Statement insert = db_.Prepare(L"INSERT INTO T (N, S, B) VALUES (?, ?, ?)");
  for (const Row& row : rows) {
    insert.Bind(1, row.number);
    insert.Bind(2, row.text);
    insert.Bind(3, row.bytes);
    insert.Execute();
    EXPECT_EQ(insert.RowCount(), 1);
  }
  Statement query = db_.Prepare(L"SELECT N, S, B FROM T WHERE S = ?");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.number);
    query.Bind(1, row.text);
    query.Execute();
    ASSERT_TRUE(query.Fetch());
    EXPECT_EQ(query.GetInt(1), row.number);
    EXPECT_EQ(query.GetText(2), row.text);
    EXPECT_EQ(query.GetBinary(3), row.bytes);
    EXPECT_FALSE(query.Fetch());
  }
  EXPECT_EQ(Count(), 3);
}

TEST_F(OdbcTest, LongValuesAreReadInFull) {
  Bytes big(100000);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 7 + i / 256);
  std::wstring longText;
  for (int i = 0; i < 3000; ++i) longText += L"\u00e9bc";  // 2 bytes + 2 in UTF-8
  Statement insert = db_.Prepare(L"INSERT INTO T (N, S, B) VALUES (1, ?, ?)");
  insert.Bind(1, longText);
  insert.Bind(2, big);
  insert.Execute();

  Statement query = db_.Prepare(L"SELECT B, S, B, N FROM T");
  query.Execute();
  ASSERT_TRUE(query.Fetch());
  EXPECT_EQ(query.GetBinary(1), big);
  EXPECT_EQ(query.GetText(2), longText);
  query.Execute();
  ASSERT_TRUE(query.Fetch());
  const Bytes head = query.GetBinary(1, 32767);
  EXPECT_EQ(head, Bytes(big.begin(), big.begin() + 32767));
  EXPECT_EQ(query.GetInt(4), 1);
}

TEST_F(OdbcTest, TransactionKeepsOnlyCommittedWork) {
  {
    Transaction transaction(db_);
    db_.Execute(L"INSERT INTO T (N) VALUES (1)");
    db_.Execute(L"INSERT INTO T (N) VALUES (2)");
  }
  EXPECT_EQ(Count(), 0);
  try {
    Transaction transaction(db_);
    db_.Execute(L"INSERT INTO T (N) VALUES (1)");
    db_.Execute(L"INSERT INTO Missing (N) VALUES (2)");
    transaction.Commit();
  } catch (const OdbcError&) {
  }
  EXPECT_EQ(Count(), 0);
  {
    Transaction transaction(db_);
    db_.Execute(L"INSERT INTO T (N) VALUES (3)");
    transaction.Commit();
  }
  // Autocommit is back after the transaction.
  db_.Execute(L"INSERT INTO T (N) VALUES (4)");
  db_.Rollback();
  EXPECT_EQ(Count(), 2);
}

// A kept statement is the connection's until it closes; a text that fails
// to prepare is not kept.
TEST_F(OdbcTest, PreparedStatementsAreKeptPerConnection) {
  db_.Execute(L"INSERT INTO T (N) VALUES (1)");
  db_.Execute(L"INSERT INTO T (N) VALUES (2)");
  const std::wstring select = L"SELECT N FROM T WHERE N >= ? ORDER BY N";
  Statement& query = db_.Prepared(select);
  EXPECT_EQ(&db_.Prepared(select), &query);
  query.Bind(1, 1);
  query.Execute();
  ASSERT_TRUE(query.Fetch());
  EXPECT_EQ(query.GetInt(1), 1);
  query.CloseCursor();
  db_.Execute(L"INSERT INTO T (N) VALUES (3)");

  EXPECT_THROW(db_.Prepared(L"SELECT N FROM Missing"), OdbcError);
  EXPECT_THROW(db_.Prepared(L"SELECT N FROM Missing"), OdbcError);  // not kept half-made
  db_.Close();
  db_.Open(SqliteConnectString(dir_.Join(L"t.db"), false));
  Statement& again = db_.Prepared(select);
  again.Bind(1, 3);
  again.Execute();
  ASSERT_TRUE(again.Fetch());
  EXPECT_EQ(again.GetInt(1), 3);
}

TEST_F(OdbcTest, ErrorsCarrySqlStateAndDriverMessage) {
  try {
    db_.Execute(L"SELECT * FROM Missing");
    FAIL() << "no error";
  } catch (const OdbcError& error) {
    EXPECT_EQ(error.SqlState(), L"HY000");
    EXPECT_NE(error.Text().find(L"SQLSTATE HY000: "), std::wstring::npos);
    EXPECT_NE(error.Text().find(L"no such table: Missing"), std::wstring::npos);
    EXPECT_NE(std::string(error.what()).find("no such table"), std::string::npos);
  }
  Statement insert = db_.Prepare(L"INSERT INTO T (N, S) VALUES (?, ?)");
  insert.Bind(2, std::wstring(L"x"));
  EXPECT_THROW(insert.Execute(), OdbcError);  // parameter 1 never bound
  EXPECT_EQ(Count(), 0);

  Connection missing;
  EXPECT_THROW(missing.Open(SqliteConnectString(dir_.Join(L"none.db"), false)),
               OdbcError);
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_THROW(SqliteConnectString(L"/tmp/a;b.db", true), OdbcError);
}

TEST(OdbcPrefixTest, OnlyALeadingOdbcPrefixIsStripped) {
  EXPECT_EQ(StripOdbcPrefix(L"ODBC;DSN=VELK"), L"DSN=VELK");
  EXPECT_EQ(StripOdbcPrefix(L"odbc;DSN=VELK"), L"DSN=VELK");
  EXPECT_EQ(StripOdbcPrefix(L"DSN=VELK"), L"DSN=VELK");
  EXPECT_EQ(StripOdbcPrefix(L"DSN=ODBC;"), L"DSN=ODBC;");
  EXPECT_EQ(StripOdbcPrefix(L"ODBC"), L"ODBC");

  TempDir dir;
  Connection db;
  db.Open(L"ODBC;" + SqliteConnectString(dir.Join(L"p.db"), true));
  EXPECT_TRUE(db.IsOpen());
}

TEST(ConnectStringTest, AttributesComeFromTheStringThenItsDataSource) {
  TempDir dir;
  dir.Write(L"odbc.ini",
            "[VELK]\nDatabase=/p/v\xC3\xA9lk.db\n[SLOW]\nTimeout = 9000\n"
            "[PG]\nDriver=PostgreSQL\nDatabase=" + ToUtf8(dir.Path()) +
                "\nConnSettings=SET LOCK_TIMEOUT=0\npqopt=Connect_Timeout=3\n");
  const std::wstring savedIni = EnvironmentValue(L"ODBCINI");
  const std::wstring savedSys = EnvironmentValue(L"ODBCSYSINI");
  SetEnvironmentValue(L"ODBCINI", dir.Join(L"odbc.ini"));
  SetEnvironmentValue(L"ODBCSYSINI", dir.Join(L"none"));
  const struct {
    const wchar_t* connect;
    const wchar_t* key;
    const wchar_t* value;
  } cases[] = {
      {L"DRIVER={a;b=c};database = x.db ;NoCreat=1", L"Database", L"x.db"},
      {L"DRIVER={a;b=c};database = x.db ;NoCreat=1", L"driver", L"a;b=c"},
      {L"DRIVER={a;b=c};database = x.db ;NoCreat=1", L"b", L""},
      {L"DSN=VELK", L"Database", L"/p/v\u00e9lk.db"},  // odbc.ini is UTF-8
      {L"DSN=VELK;Database=own.db", L"Database", L"own.db"},
      {L"DSN=SLOW", L"Timeout", L"9000"},
      {L"DSN=OTHER", L"Database", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DataSourceAttribute(c.connect, c.key), c.value) << c.connect << L" " << c.key;
  }
  EXPECT_EQ(ConnectAttributes(L" Servername = /s ;Password={a;b} ;;Database=v;PWD={{a}}b}}};U={x"),
            (std::vector<std::pair<std::wstring, std::wstring>>{{L"Servername", L"/s"},
                                                                {L"Password", L"a;b"},
                                                                {L"Database", L"v"},
                                                                {L"PWD", L"{a}b}"},
                                                                {L"U", L"x"}}));
  // Messages show a password's place, never its value.
  for (const auto& [connect, shown] : std::vector<std::pair<std::wstring, std::wstring>>{
           {L"Database=v;Password=se;cret", L"Database=v;Password=***;cret"},
           {L"pwd = {s;e}}c} ;Database=v", L"pwd = *** ;Database=v"},
           {L"DSN=VELK;PASSWORD=a;Pwd={b", L"DSN=VELK;PASSWORD=***;Pwd=***"},
           {L"DSN=VELK;Passwords=a", L"DSN=VELK;Passwords=a"}}) {
    EXPECT_EQ(MaskPassword(connect), shown);
  }
  // A Timeout the string or its data source sets wins.
  EXPECT_EQ(WithLockWait(L"DSN=VELK"), L"DSN=VELK;Timeout=2000");
  EXPECT_EQ(WithLockWait(L"DRIVER=x;"), L"DRIVER=x;Timeout=2000");
  EXPECT_EQ(WithLockWait(L"DSN=SLOW"), L"DSN=SLOW");
  EXPECT_EQ(WithLockWait(L"DSN=VELK;TIMEOUT=5"), L"DSN=VELK;TIMEOUT=5");
  EXPECT_EQ(DescribeDatabaseFile(L"Database=" + dir.Path()),
            L"; the database file \"" + dir.Path() + L"\" is a directory");
  EXPECT_EQ(DescribeDatabaseFile(L"Database=" + dir.Join(L"odbc.ini")), L"");
  // A server's Database is a name, whatever a folder of that name holds.
  EXPECT_EQ(DescribeDatabaseFile(L"DSN=PG"), L"");
  EXPECT_EQ(DescribeDatabaseFile(L"DRIVER={SQLite3};Database=" + dir.Path()),
            L"; the database file \"" + dir.Path() + L"\" is a directory");
  // A bound the data source sets itself wins, each on its own.
  EXPECT_EQ(PostgreSqlBounds(L"DSN=VELK"),
            (std::vector<std::wstring>{L"SET lock_timeout = 2000",
                                       L"SET statement_timeout = 30000"}));
  EXPECT_EQ(PostgreSqlBounds(L"DSN=PG"),
            std::vector<std::wstring>{L"SET statement_timeout = 30000"});
  EXPECT_EQ(PostgreSqlBounds(L"DSN=PG;ConnSettings={SET statement_timeout=5}"),
            std::vector<std::wstring>{L"SET lock_timeout = 2000"});
  EXPECT_EQ(ConnectWaitSeconds(L"DSN=VELK"), 10);
  EXPECT_EQ(ConnectWaitSeconds(L"DSN=PG"), 0);
  EXPECT_EQ(ConnectWaitSeconds(L"DSN=VELK;pqopt={sslmode=disable}"), 10);
  // A server connection gives the server's attributes, with a database.
  for (const wchar_t* refused : {L"DSN=VELK;Database=v", L"Servername=/s;driver={PostgreSQL};"
                                 L"Database=v", L"Servername=/s;Username=me",
                                 L"Database=v;Password=a\nb"}) {
    EXPECT_THROW(PostgreSqlConnectString(refused), OdbcError) << refused;
  }
  EXPECT_EQ(PostgreSqlConnectString(L"Servername=/s;Database=v").find(L"DRIVER={"), 0u);
  SetEnvironmentValue(L"ODBCINI", savedIni);
  SetEnvironmentValue(L"ODBCSYSINI", savedSys);
}

}  // namespace
}  // namespace ravelin::odbc
