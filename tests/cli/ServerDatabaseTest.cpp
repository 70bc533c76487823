// ravelin-test with the host database on a PostgreSQL server, and beside it
// on a SQLite file: the rows creation writes, two runs at once, database
// errors while writing or reading, a lock held elsewhere, and a server that
// stops or stops answering. ravelin-test runs as a program of its own, as
// on a workstation: a process keeps the first odbc.ini the server's driver
// read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "outside/db/DataSource.h"
#include "outside/db/Odbc.h"
#include "plant/PlantGenerator.h"
#include "support/ServerDatabase.h"
#include "support/TempDir.h"

extern char** environ;

namespace ravelin {
namespace {

using ::testing::HasSubstr;
using testing::TempDir;

// ravelin-test with `args`, its output in files; answers its process id.
pid_t Start(const TempDir& dir, const std::string& name, std::vector<std::string> args) {
  args.insert(args.begin(), RAVELIN_TEST_PROGRAM);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  const std::string out = ToUtf8(dir.Join(FromUtf8(name + ".out")));
  const std::string err = ToUtf8(dir.Join(FromUtf8(name + ".err")));
  posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  EXPECT_EQ(posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&files);
  return pid;
}

int Wait(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Its exit status, or -1 when it had to be killed after `seconds`.
int WaitAtMost(pid_t pid, int seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const std::string kFixture = RAVELIN_SOURCE_DIR "/tools/postgres-fixture.sh";

// A server of its own in `state`, so that stopping it leaves the other tests
// theirs; its attributes.
std::wstring StartOwnServer(const std::string& state) {
  EXPECT_EQ(std::system((kFixture + " start " + state + " >/dev/null").c_str()), 0);
  std::wstring own = FromUtf8(testing::ReadBytes(FromUtf8(state + "/connection")));
  own.resize(own.find(L'\n'));
  return own;
}

std::string Output(const TempDir& dir, const std::string& name) {
  return testing::ReadBytes(dir.Join(FromUtf8(name)));
}

std::string Hex(const odbc::Bytes& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (uint8_t byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 15];
  }
  return text;
}

// The rows of a query, each its columns joined by '|'; `binary` names the
// column read as bytes (0: none).
std::vector<std::string> Rows(odbc::Connection& db, const std::wstring& sql, int columns,
                              int binary = 0) {
  odbc::Statement query = db.Prepare(sql);
  query.Execute();
  std::vector<std::string> rows;
  while (query.Fetch()) {
    std::string row;
    for (int c = 1; c <= columns; ++c) {
      row += (c > 1 ? "|" : "") +
             (c == binary ? Hex(query.GetBinary(c)) : ToUtf8(query.GetText(c)));
    }
    rows.push_back(row);
  }
  return rows;
}

int Count(odbc::Connection& db, const std::wstring& sql) {
  return std::stoi(Rows(db, sql, 1).at(0));
}

// Every table that test device creation writes, sorted, with each event id
// replaced by its rank among the event log's ids: runs at different times
// write the same rows under different ids.
std::vector<std::string> CreatedRows(odbc::Connection& db) {
  std::map<std::string, int> rank;
  for (const std::string& id :
       Rows(db, L"SELECT EventIdDay, EventIdFraction FROM EventLog ORDER BY 1, 2", 2)) {
    rank.emplace(id, static_cast<int>(rank.size()));
  }
  auto ranked = [&](std::vector<std::string> rows, size_t idAt) {
    for (std::string& row : rows) {
      // The id's two columns start after `idAt` separators.
      size_t start = 0;
      for (size_t i = 0; i < idAt; ++i) start = row.find('|', start) + 1;
      const size_t end = row.find('|', row.find('|', start) + 1);
      row.replace(start, end - start, "#" + std::to_string(rank.at(row.substr(start, end - start))));
    }
    return rows;
  };
  std::vector<std::string> all;
  auto add = [&](const std::string& table, std::vector<std::string> rows) {
    for (std::string& row : rows) all.push_back(table + ":" + row);
  };
  add("Devices", Rows(db, L"SELECT * FROM Devices", 7));
  add("CalStatus", Rows(db, L"SELECT * FROM CalStatus", 6));
  add("Blocks", Rows(db, L"SELECT * FROM Blocks", 5));
  add("ExtBlockTags", Rows(db, L"SELECT * FROM ExtBlockTags", 4));
  add("BlockAsgms", Rows(db, L"SELECT * FROM BlockAsgms", 6));
  add("DeviceLocation", Rows(db, L"SELECT * FROM DeviceLocation", 7));
  add("BlockData", ranked(Rows(db, L"SELECT * FROM BlockData", 9, 9), 1));
  add("EventLog", ranked(Rows(db, L"SELECT * FROM EventLog", 7), 0));
  std::sort(all.begin(), all.end());
  return all;
}

// Test devices that are not whole: a count of each part's rows per device
// that differs from one device of three blocks.
std::vector<std::string> BrokenDevices(odbc::Connection& db) {
  return Rows(db,
              L"SELECT d.DeviceKey,"
              L" (SELECT COUNT(*) FROM CalStatus c WHERE c.DeviceKey = d.DeviceKey),"
              L" (SELECT COUNT(*) FROM Blocks b WHERE b.DeviceKey = d.DeviceKey),"
              L" (SELECT COUNT(*) FROM Blocks b JOIN BlockAsgms a ON a.BlockKey = b.BlockKey"
              L"  WHERE b.DeviceKey = d.DeviceKey),"
              L" (SELECT COUNT(*) FROM Blocks b JOIN DeviceLocation l ON l.BlockKey = b.BlockKey"
              L"  WHERE b.DeviceKey = d.DeviceKey),"
              L" (SELECT COUNT(*) FROM Blocks b JOIN EventLog e ON e.BlockKey = b.BlockKey"
              L"  WHERE b.DeviceKey = d.DeviceKey)"
              L" FROM Devices d WHERE d.Identifier LIKE '%TEST%'"
              L" AND NOT EXISTS (SELECT 1 FROM Devices x WHERE x.DeviceKey = d.DeviceKey"
              L"  AND (SELECT COUNT(*) FROM CalStatus c WHERE c.DeviceKey = x.DeviceKey) = 1"
              L"  AND (SELECT COUNT(*) FROM Blocks b WHERE b.DeviceKey = x.DeviceKey) = 3"
              L"  AND (SELECT COUNT(*) FROM Blocks b JOIN BlockAsgms a ON a.BlockKey ="
              L"   b.BlockKey WHERE b.DeviceKey = x.DeviceKey) = 1"
              L"  AND (SELECT COUNT(*) FROM Blocks b JOIN DeviceLocation l ON l.BlockKey ="
              L"   b.BlockKey WHERE b.DeviceKey = x.DeviceKey) = 1"
              L"  AND (SELECT COUNT(*) FROM Blocks b JOIN EventLog e ON e.BlockKey ="
              L"   b.BlockKey WHERE b.DeviceKey = x.DeviceKey) = 2)",
              6);
}

class ServerDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = testing::TestServer();
    ASSERT_FALSE(server_.empty()) << "run through CTest, which starts the test server";
  }

  // A plant whose host database is a fresh database on `server`.
  std::wstring ServerPlant(size_t templates, const std::wstring& server,
                           const std::wstring& suffix) {
    const std::wstring root = dir_.Join(L"plant-" + suffix);
    const std::wstring database = testing::FreshServerDatabase(server, L"_" + suffix);
    plant::GeneratePlant(root, templates, database);
    db_.Open(PostgreSqlConnectString(database));
    return root;
  }

  // A plant whose host database is on the server or in a SQLite file.
  std::wstring Plant(bool onServer, size_t templates, const std::wstring& suffix) {
    if (onServer) return ServerPlant(templates, server_, suffix);
    const std::wstring root = dir_.Join(L"plant-" + suffix);
    plant::GeneratePlant(root, templates);
    db_.Open(SqliteConnectString(JoinPath(root, L"velk.db"), false));
    return root;
  }

  // ravelin-test on `root` with `args`; its output in `name`.out and .err.
  int Run(const std::string& name, const std::wstring& root, std::vector<std::string> args) {
    args.insert(args.begin(), {"--host-root", ToUtf8(root)});
    return Wait(Start(dir_, name, args));
  }

  std::wstring server_;
  TempDir dir_;
  odbc::Connection db_;
};

const char* BackEnd(bool onServer) { return onServer ? "server" : "file"; }

TEST_F(ServerDatabaseTest, CreationWritesTheRowsItWritesInASqliteFile) {
  const std::wstring fileRoot = dir_.Join(L"plant-file");
  plant::GeneratePlant(fileRoot, 12);
  const std::wstring serverRoot = ServerPlant(12, server_, L"rows");
  for (const auto& [root, name] : {std::pair{fileRoot, "file"}, {serverRoot, "server"}}) {
    EXPECT_EQ(Wait(Start(dir_, name, {"--host-root", ToUtf8(root), "--create-test-devices"})), 0)
        << Output(dir_, std::string(name) + ".err");
    EXPECT_EQ(Output(dir_, std::string(name) + ".out"),
              "12 test devices, 36 blocks, 156 data rows created\n");
  }
  odbc::Connection file;
  file.Open(SqliteConnectString(JoinPath(fileRoot, L"velk.db"), false));
  const std::vector<std::string> rows = CreatedRows(db_);
  EXPECT_EQ(rows, CreatedRows(file));
  EXPECT_GT(rows.size(), 200u);
}

TEST_F(ServerDatabaseTest, APlantReplacesOnlyTheHostTablesAndBoundsLockAndStatementWaits) {
  const std::wstring database = testing::FreshServerDatabase(server_, L"_replace");
  const std::wstring root = dir_.Join(L"plant-replace");
  plant::GeneratePlant(root, 5, database);
  db_.Open(PostgreSqlConnectString(database));
  db_.Execute(L"CREATE TABLE keep_me (x INTEGER)");
  db_.Execute(L"INSERT INTO keep_me VALUES (7)");
  plant::GeneratePlant(root, 3, database);
  EXPECT_EQ(Count(db_, L"SELECT COUNT(*) FROM NamedConfigs"), 3);
  EXPECT_EQ(Count(db_, L"SELECT x FROM keep_me"), 7);
  EXPECT_FALSE(FileExists(JoinPath(root, L"velk.db")));
  EXPECT_THAT(Rows(db_, L"SHOW lock_timeout", 1), ::testing::ElementsAre("2s"));
  EXPECT_THAT(Rows(db_, L"SHOW statement_timeout", 1), ::testing::ElementsAre("30s"));
}

TEST_F(ServerDatabaseTest, TwoRunsAtOnceWriteWholeDevicesUnderKeysOfTheirOwn) {
  for (const bool onServer : {false, true}) {
    SCOPED_TRACE(BackEnd(onServer));
    const std::wstring root =
        Plant(onServer, 60, FromUtf8(std::string("race") + BackEnd(onServer)));
    const std::vector<std::string> args = {"--host-root", ToUtf8(root), "--create-test-devices"};
    const pid_t first = Start(dir_, "first", args);
    const pid_t second = Start(dir_, "second", args);
    EXPECT_EQ(Wait(first), 0) << Output(dir_, "first.err");
    EXPECT_EQ(Wait(second), 0) << Output(dir_, "second.err");
    for (const char* run : {"first.out", "second.out"}) {
      EXPECT_EQ(Output(dir_, run), "60 test devices, 180 blocks, 780 data rows created\n");
    }
    EXPECT_EQ(Count(db_, L"SELECT COUNT(*) FROM Devices WHERE Identifier LIKE '%TEST%'"), 120);
    EXPECT_EQ(Count(db_, L"SELECT COUNT(DISTINCT Identifier) FROM Devices"
                          L" WHERE Identifier LIKE '%TEST%'"),
              120);
    EXPECT_EQ(Count(db_, L"SELECT COUNT(*) FROM Blocks"), 60 + 360);
    EXPECT_EQ(Count(db_, L"SELECT COUNT(*) FROM BlockData"), 2 * 780);
    EXPECT_THAT(BrokenDevices(db_), ::testing::IsEmpty());
  }
}

TEST_F(ServerDatabaseTest, AServerThatStopsEndsTheRunNamingTheDataSource) {
  const std::string state = ToUtf8(dir_.Join(L"server"));
  const std::wstring own = StartOwnServer(state);
  const std::wstring root = ServerPlant(1500, own, L"stop");

  const pid_t run = Start(dir_, "run", {"--host-root", ToUtf8(root), "--create-test-devices"});
  // Sanitizers slow the program down many times over.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (Count(db_, L"SELECT COUNT(*) FROM Devices WHERE Identifier LIKE '%TEST%'") < 3 &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  db_.Close();
  ASSERT_EQ(std::system((kFixture + " pause " + state).c_str()), 0);
  EXPECT_EQ(Wait(run), 2);
  const std::string err = Output(dir_, "run.err");
  EXPECT_THAT(err, HasSubstr("not created: data source \"DSN=VELK\": "));

  ASSERT_EQ(std::system((kFixture + " resume " + state).c_str()), 0);
  db_.Open(PostgreSqlConnectString(own + L";Database=" +
                                   FromUtf8(program_invocation_short_name) + L"_stop"));
  const int created = Count(db_, L"SELECT COUNT(*) FROM Devices WHERE Identifier LIKE '%TEST%'");
  EXPECT_GE(created, 3) << err;
  EXPECT_LT(created, 1500);
  // What the run says it created is exactly what the server kept.
  EXPECT_EQ(Output(dir_, "run.out"),
            ToUtf8(Format(L"%d test devices, %d blocks, %d data rows created\n", created,
                          3 * created, 13 * created)));
  EXPECT_THAT(BrokenDevices(db_), ::testing::IsEmpty());
  db_.Close();
  std::system((kFixture + " stop " + state).c_str());
}

TEST_F(ServerDatabaseTest, AServerThatStopsAnsweringFailsTheRunSoon) {
  const std::string state = ToUtf8(dir_.Join(L"frozen"));
  const std::wstring root = ServerPlant(3, StartOwnServer(state), L"frozen");
  db_.Close();
  const std::wstring location = FromUtf8(state + "/location");
  const std::string cluster =
      FileExists(location) ? testing::ReadBytes(location) : state + "/cluster\n";
  const pid_t server = std::stoi(testing::ReadBytes(
      FromUtf8(cluster.substr(0, cluster.find('\n')) + "/data/postmaster.pid")));
  ASSERT_EQ(kill(server, SIGSTOP), 0);
  const pid_t run = Start(dir_, "frozen", {"--host-root", ToUtf8(root), "--all-templates"});
  // The connect bound, with room for sanitizers.
  EXPECT_EQ(WaitAtMost(run, 60), 2);
  kill(server, SIGCONT);
  EXPECT_THAT(Output(dir_, "frozen.err"),
              HasSubstr("the host database could not be read: data source \"DSN=VELK\": "));
  EXPECT_THAT(Output(dir_, "frozen.err"), HasSubstr("timeout expired"));
  std::system((kFixture + " stop " + state).c_str());
}

TEST_F(ServerDatabaseTest, ALockHeldElsewhereShowsTheServersMessage) {
  const std::wstring root = ServerPlant(3, server_, L"lock");
  odbc::Transaction lock(db_);
  db_.Execute(L"LOCK TABLE Devices IN ACCESS EXCLUSIVE MODE");
  for (const char* source : {"--create-test-devices", "--all-templates"}) {
    SCOPED_TRACE(source);
    EXPECT_EQ(Run("lock", root, {source}), 2);
    const std::string err = Output(dir_, "lock.err");
    EXPECT_THAT(err, HasSubstr("data source \"DSN=VELK\": SQL"));
    EXPECT_THAT(err, HasSubstr("55P03"));
    EXPECT_THAT(err, HasSubstr("lock timeout"));
    EXPECT_THAT(err, ::testing::Not(HasSubstr("is not open")));
  }
}

// A missing table (renamed: others refer to it) stands for any statement
// the database refuses.
TEST_F(ServerDatabaseTest, ADatabaseErrorWhileWritingADeviceEndsTheRun) {
  int plants = 0;
  for (const bool onServer : {false, true}) {
    for (const char* table : {"EventLog", "NamedConfigData"}) {
      SCOPED_TRACE(std::string(BackEnd(onServer)) + " without " + table);
      const std::wstring root = Plant(onServer, 3, Format(L"write%d", ++plants));
      db_.Execute(L"ALTER TABLE " + FromUtf8(table) + L" RENAME TO gone");
      EXPECT_EQ(Run("write", root, {"--create-test-devices"}), 2);
      EXPECT_EQ(Output(dir_, "write.out"), "0 test devices, 0 blocks, 0 data rows created\n");
      const std::string err = Output(dir_, "write.err");
      EXPECT_THAT(err, HasSubstr("Test device 100 (0000a11000TEST00100) not created: data source"
                                 " \"DSN=VELK\": "));
      EXPECT_THAT(ToUtf8(FoldCase(FromUtf8(err))), HasSubstr(ToUtf8(FoldCase(FromUtf8(table)))));
      EXPECT_EQ(Count(db_, L"SELECT COUNT(*) FROM Devices WHERE Identifier LIKE '%TEST%'"), 0);
    }
  }
}

TEST_F(ServerDatabaseTest, AFailedReadIsNoMissingTagOrTemplate) {
  int plants = 0;
  for (const bool onServer : {false, true}) {
    const struct {
      const char* source;
      const char* table;
      const char* says;
    } cases[] = {
        {"--all-templates", "NamedConfigs", "ravelin-test: the host database could not be read: "},
        {"--device-list", "ExtBlockTags", "not tested: the host database could not be read: "},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(BackEnd(onServer)) + " " + c.source);
      const std::wstring root = Plant(onServer, 3, Format(L"read%d", ++plants));
      std::string tags;
      for (const std::string& tag : Rows(db_, L"SELECT ExtBlockTag FROM ExtBlockTags", 1)) {
        tags += tag + "\n";
      }
      const std::wstring list = dir_.Write(L"tags.txt", tags);
      db_.Execute(L"ALTER TABLE " + FromUtf8(c.table) + L" RENAME TO gone");
      std::vector<std::string> args = {c.source};
      if (std::string(c.source) == "--device-list") args.push_back(ToUtf8(list));
      EXPECT_EQ(Run("read", root, args), 2);
      const std::string err = Output(dir_, "read.err");
      EXPECT_THAT(err, HasSubstr(c.says));
      EXPECT_THAT(ToUtf8(FoldCase(FromUtf8(err))), HasSubstr(ToUtf8(FoldCase(FromUtf8(c.table)))));
      EXPECT_THAT(err, ::testing::Not(HasSubstr("no device")));
      if (std::string(c.source) == "--device-list") {
        // The run stops at the first device instead of trying every tag.
        EXPECT_THAT(err, HasSubstr("the run stopped at device 1 of 3"));
        EXPECT_THAT(Output(dir_, "read.out"), HasSubstr("3 of 3 devices could not be tested"));
      }
    }
  }
}

}  // namespace
}  // namespace ravelin
