// ravelin-plant with its host database on the test server, run as a program
// of its own as an administrator runs it: what reaches odbc.ini and the
// messages, a failed run, tables it did not make, and a plant being made.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Text.h"
#include "outside/db/DataSource.h"
#include "outside/db/DbwSession.h"
#include "outside/db/Odbc.h"
#include "plant/PlantDatabase.h"
#include "support/FakePlatform.h"
#include "support/ServerDatabase.h"
#include "support/TempDir.h"

namespace ravelin {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
namespace fs = std::filesystem;

struct Outcome {
  int status;
  std::string out, err;
};

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class PlantServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = testing::TestServer();
    ASSERT_FALSE(server_.empty()) << "run through CTest, which starts the test server";
    admin_.Open(PostgreSqlConnectString(server_ + L";Database=postgres"));
  }

  // `program` with `args`, each quoted for the shell.
  Outcome Start(const char* program, const std::vector<std::string>& args) {
    std::string command = program;
    for (const std::string& arg : args) command += " " + Quoted(arg);
    const std::string out = ToUtf8(dir_.Join(L"run.out"));
    const std::string err = ToUtf8(dir_.Join(L"run.err"));
    const int status = std::system((command + " >" + out + " 2>" + err).c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, testing::ReadBytes(FromUtf8(out)),
            testing::ReadBytes(FromUtf8(err))};
  }
  Outcome Plant(const std::wstring& root, const std::wstring& connection,
            std::vector<std::string> more = {}) {
    std::vector<std::string> args = {ToUtf8(root), "--templates", "1", "--database-server",
                                     ToUtf8(connection)};
    args.insert(args.end(), more.begin(), more.end());
    return Start(RAVELIN_PLANT_PROGRAM, args);
  }

  // The files below `root` with their bytes.
  static std::vector<std::string> Snapshot(const std::wstring& root) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(FsPath(root))) {
      files.push_back(entry.path().string() + "=" +
                      (entry.is_regular_file() ? testing::ReadBytes(entry.path().wstring())
                                               : std::string("folder")));
    }
    std::sort(files.begin(), files.end());
    return files;
  }

  int Count(odbc::Connection& db, const std::wstring& sql) {
    odbc::Statement query = db.Prepare(sql);
    query.Execute();
    return query.Fetch() ? query.GetInt(1) : -1;
  }

  std::wstring server_;
  testing::TempDir dir_;
  odbc::Connection admin_;
};

TEST_F(PlantServerTest, APasswordReachesOdbcIniAsTheDriverTookIt) {
  // A role that must give its password, owning its database as a plant's
  // role may.
  admin_.Execute(L"DO $$BEGIN CREATE ROLE ravelin_password NOLOGIN;"
                 L" EXCEPTION WHEN duplicate_object THEN NULL; END$$");
  admin_.Execute(L"DROP DATABASE IF EXISTS plant_password WITH (FORCE)");
  admin_.Execute(L"DROP ROLE IF EXISTS plant_password");
  admin_.Execute(L"CREATE ROLE plant_password LOGIN IN ROLE ravelin_password");
  admin_.Execute(L"CREATE DATABASE plant_password OWNER plant_password ENCODING 'UTF8'"
                 L" TEMPLATE template0");
  // The fixture's attributes end with its own user's.
  const std::wstring connection = server_.substr(0, server_.find(L";Username=")) +
                                  L";Database=plant_password;Username=plant_password";
  const struct {
    const wchar_t* password;
    const wchar_t* written;  // in the connection
  } cases[] = {
      {L"a}b", L"Password={a}}b}"},
      {L"{ab}", L"PWD={{ab}}}"},
      {L" ab ", L"Password={ ab }"},
      {L"x;%41+\u00e9#[", L"pwd={x;%41+\u00e9#[}"},
      {L"a bA", L"Password=a+b%41"},  // outside braces the driver URL-decodes
  };
  const std::wstring root = dir_.Join(L"plant");
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.written));
    admin_.Execute(Format(L"ALTER ROLE plant_password PASSWORD $pw$%s$pw$", c.password));
    const Outcome plant = Plant(root, connection + L";" + c.written);
    ASSERT_EQ(plant.status, 0) << plant.err;
    EXPECT_EQ(fs::status(FsPath(JoinPath(root, L"odbc.ini"))).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    // The tester reaches the database through VELK in odbc.ini alone.
    const Outcome test = Start(RAVELIN_TEST_PROGRAM, {"--host-root", ToUtf8(root), "--device",
                                                  "PT-101", "--report",
                                                  ToUtf8(dir_.Join(L"report.txt"))});
    EXPECT_THAT(test.out, HasSubstr("1 errors, ")) << test.err;
  }
  // One the driver would misread is refused before anything is written.
  const std::wstring fresh = dir_.Join(L"refused");
  for (const wchar_t* written : {L"Password=a%4", L"Password=a%zz1", L"Password=%00",
                                 L"Password={ab", L"Password=a;PWD=b", L"Password = x"}) {
    const Outcome refused = Plant(fresh, connection + L";" + written);
    EXPECT_EQ(refused.status, 2) << ToUtf8(written);
    EXPECT_FALSE(fs::exists(FsPath(fresh))) << ToUtf8(written);
  }
}

TEST_F(PlantServerTest, MessagesAndLogLinesMaskThePassword) {
  const std::wstring root = dir_.Join(L"plant");
  const Outcome missing = Plant(root, server_ + L";Database=nosuchdb;Password=s3cret");
  EXPECT_EQ(missing.status, 1);
  EXPECT_THAT(missing.err, HasSubstr("Database=nosuchdb;Password=***\": "));
  const Outcome usage = Plant(root, server_ + L";PWD={s3cret;x};DSN=VELK;Database=d");
  EXPECT_EQ(usage.status, 2);
  EXPECT_THAT(usage.err, HasSubstr(";PWD=***;DSN=VELK;"));
  for (const std::string& err : {missing.err, usage.err}) {
    EXPECT_THAT(err, Not(HasSubstr("s3cret")));
  }

  testing::FakePlatform platform(dir_.Path());
  CDbwDbSession session;
  EXPECT_FALSE(session.OpenDb(PostgreSqlConnectString(server_ +
                                                      L";Database=nosuchdb;pAssword={s3cret}")));
  const std::string log = testing::ReadBytes(dir_.Join(L"ProgLog.txt"));
  EXPECT_THAT(log, HasSubstr("nosuchdb;pAssword=***\": SQLDriverConnect failed"));
  EXPECT_THAT(log, Not(HasSubstr("s3cret")));
}

TEST_F(PlantServerTest, AFailedServerPlantLeavesTheFolderAsItWas) {
  const std::wstring root = dir_.Join(L"plant");
  ASSERT_EQ(Start(RAVELIN_PLANT_PROGRAM, {ToUtf8(root), "--templates", "2"}).status, 0);
  const std::vector<std::string> before = Snapshot(root);
  EXPECT_EQ(Plant(root, server_ + L";Database=nosuchdb").status, 1);
  EXPECT_EQ(Snapshot(root), before);

  const std::wstring fresh = dir_.Join(L"new");
  const Outcome failed = Plant(JoinPath(fresh, L"plant"), server_ + L";Database=nosuchdb");
  EXPECT_EQ(failed.status, 1);
  EXPECT_THAT(failed.err, HasSubstr("database \"nosuchdb\" does not exist"));
  EXPECT_FALSE(fs::exists(FsPath(fresh)));
}

TEST_F(PlantServerTest, ForeignTablesAPlantBeingMadeAndAnotherEncodingAreRefused) {
  const std::wstring database = testing::FreshServerDatabase(server_, L"_foreign");
  odbc::Connection db;
  db.Open(PostgreSqlConnectString(database));
  db.Execute(L"CREATE TABLE devices (id INTEGER, important INTEGER)");
  db.Execute(L"INSERT INTO devices VALUES (1, 42)");
  const std::wstring root = dir_.Join(L"plant");
  const Outcome refused = Plant(root, database);
  EXPECT_EQ(refused.status, 1);
  EXPECT_THAT(refused.err, HasSubstr("tables that ravelin-plant did not make"));
  EXPECT_THAT(refused.err, HasSubstr(": Devices; give --replace"));
  EXPECT_EQ(Count(db, L"SELECT important FROM devices"), 42);
  EXPECT_FALSE(fs::exists(FsPath(root)));

  EXPECT_EQ(Plant(root, database, {"--replace"}).status, 0);
  EXPECT_EQ(Count(db, L"SELECT COUNT(*) FROM NamedConfigs"), 1);
  // Its own tables it replaces without being told.
  const Outcome again = Plant(root, database);
  EXPECT_EQ(again.status, 0) << again.err;

  // While another run holds the plant's lock, as it does until it commits.
  odbc::Transaction other(db);
  db.Execute(Format(L"SELECT pg_advisory_xact_lock(%d)", plant::kServerPlantLock));
  const Outcome busy = Plant(root, database);
  EXPECT_EQ(busy.status, 1);
  EXPECT_THAT(busy.err, HasSubstr("another plant is being made in the database"));
  EXPECT_EQ(Count(db, L"SELECT COUNT(*) FROM NamedConfigs"), 1);
  other.Commit();

  admin_.Execute(L"DROP DATABASE IF EXISTS plant_latin1 WITH (FORCE)");
  admin_.Execute(L"CREATE DATABASE plant_latin1 ENCODING 'LATIN1' LC_COLLATE 'C' LC_CTYPE 'C'"
                 L" TEMPLATE template0");
  const Outcome latin1 = Plant(root, server_ + L";Database=plant_latin1");
  EXPECT_EQ(latin1.status, 1);
  EXPECT_THAT(latin1.err, HasSubstr("has the encoding LATIN1; the host database must be UTF8"));
}

}  // namespace
}  // namespace ravelin
