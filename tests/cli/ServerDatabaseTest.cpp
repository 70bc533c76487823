// Test device creation with the host database on a PostgreSQL server: the
// rows it writes there, two runs at once, and a server that stops during a
// run. ravelin-test runs as a program of its own, as on a workstation: a
// process keeps the first odbc.ini the server's driver read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <fcntl.h>
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

  std::wstring server_;
  TempDir dir_;
  odbc::Connection db_;
};

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

TEST_F(ServerDatabaseTest, APlantReplacesOnlyTheHostTablesAndBoundsLockWaits) {
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
}

TEST_F(ServerDatabaseTest, TwoRunsAtOnceWriteWholeDevicesUnderKeysOfTheirOwn) {
  const std::wstring root = ServerPlant(60, server_, L"race");
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

TEST_F(ServerDatabaseTest, AServerThatStopsEndsTheRunNamingTheDataSource) {
  // A server of its own, so that stopping it leaves the other tests theirs.
  const std::string state = ToUtf8(dir_.Join(L"server"));
  const std::string fixture = RAVELIN_SOURCE_DIR "/tools/postgres-fixture.sh";
  ASSERT_EQ(std::system((fixture + " start " + state + " >/dev/null").c_str()), 0);
  std::wstring own = FromUtf8(testing::ReadBytes(FromUtf8(state + "/connection")));
  own.resize(own.find(L'\n'));
  const std::wstring root = ServerPlant(1500, own, L"stop");

  const pid_t run = Start(dir_, "run", {"--host-root", ToUtf8(root), "--create-test-devices"});
  // Sanitizers slow the program down many times over.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (Count(db_, L"SELECT COUNT(*) FROM Devices WHERE Identifier LIKE '%TEST%'") < 3 &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  db_.Close();
  ASSERT_EQ(std::system((fixture + " pause " + state).c_str()), 0);
  EXPECT_EQ(Wait(run), 2);
  const std::string err = Output(dir_, "run.err");
  EXPECT_THAT(err, HasSubstr("not created: data source \"DSN=VELK\": "));

  ASSERT_EQ(std::system((fixture + " resume " + state).c_str()), 0);
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
  std::system((fixture + " stop " + state).c_str());
}

}  // namespace
}  // namespace ravelin
