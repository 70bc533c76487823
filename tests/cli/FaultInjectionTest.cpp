// ravelin-test on a small generated plant with one outside call failing, for
// every call in turn: each database statement, each step of each file write.
// A run that a failure reached must end with exit status 2 and say why,
// leave the database with whole devices only and the files whole or as they
// were; a run that ends before the chosen call must be the run without one.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "cli/TestCommand.h"
#include "outside/db/DataSource.h"
#include "outside/db/DbwSession.h"
#include "outside/db/Odbc.h"
#include "platform/Platform.h"
#include "plant/PlantContent.h"
#include "plant/PlantGenerator.h"
#include "support/ServerDatabase.h"
#include "support/TempDir.h"

namespace ravelin {
namespace {

namespace fs = std::filesystem;

struct Result {
  int status = 0;
  std::string out;
  std::string err;
  bool operator==(const Result&) const = default;
};

std::ostream& operator<<(std::ostream& stream, const Result& result) {
  return stream << "exit " << result.status << "\nout: " << result.out
                << "\nerr: " << result.err;
}

// Where the chosen failure strikes.
enum class Point { kStatement, kFileWrite };

void FailNth(Point point, uint64_t nth) {
  if (point == Point::kStatement) {
    odbc::Connection::FailNthCall(nth, L"HY000");
  } else {
    FailNthFileWrite(nth);
  }
}

uint64_t Counted(Point point) {
  return point == Point::kStatement ? odbc::Connection::CallsCounted()
                                    : FileWriteStepsCounted();
}

// Every point of a run up to this many; a longer run is sampled: its first
// and last points and evenly spaced ones between.
constexpr uint64_t kMaxPoints = 400;

class FaultInjectionTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new testing::TempDir;
    const std::wstring server = testing::TestServer();
    std::wstring database;
    if (!server.empty()) {
      UseHostDataSources(Root());  // the server's driver settles at its first connection
      database = testing::FreshServerDatabase(server);
    }
    plant::GeneratePlant(Root(), 3, database);
    UseHostDataSources(Root());
    db_ = new odbc::Connection;
    db_->Open(kHostDataSource);
  }
  static void TearDownTestSuite() {
    delete db_;
    delete dir_;
  }
  void SetUp() override {
    UseHostDataSources(Root());
    ASSERT_EQ(RemoveTestDevices(), 0) << "the plant holds rows that creation would make";
  }
  void TearDown() override { RemoveTestDevices(); }

  static std::wstring Root() { return dir_->Join(L"plant"); }
  static std::wstring Put(const std::wstring& name, const std::string& bytes) {
    return dir_->Write(JoinPath(L"plant", name), bytes);
  }
  static std::wstring Reports() { return JoinPath(Root(), L"reports"); }
  static std::wstring ReportPath() { return JoinPath(Reports(), L"MapFileTestResults.txt"); }

  // Deletes what test device creation wrote (its keys count up from 100,
  // below the plant's own), so the next run chooses the same keys; the rows
  // deleted.
  static int64_t RemoveTestDevices() {
    int64_t rows = 0;
    for (const auto& [table, column] :
         {std::pair{L"BlockData", L"BlockKey"}, {L"EventLog", L"BlockKey"},
          {L"DeviceLocation", L"BlockKey"}, {L"BlockAsgms", L"BlockKey"},
          {L"ExtBlockTags", L"ExtBlockTagKey"}, {L"Blocks", L"BlockKey"},
          {L"CalStatus", L"DeviceKey"}, {L"Devices", L"DeviceKey"}}) {
      odbc::Statement remove =
          db_->Prepare(Format(L"DELETE FROM %s WHERE %s < ?", table, column));
      remove.Bind(1, plant::kPlantKeyBase);
      remove.Execute();
      rows += remove.RowCount();
    }
    return rows;
  }

  static Result Run(std::vector<std::wstring> args) {
    args.insert(args.begin(), {L"--host-root", Root()});
    std::ostringstream out, err;
    const int status = RunTestCommand(args, out, err);
    return {status, out.str(), err.str()};
  }

  // Runs the command with the nth call of `point` failing, once for every
  // point the run has (see kMaxPoints), and hands each run that reached its
  // point to `check`; a run that did not must equal the run without a
  // failure. `prepare` runs before each run. Returns the points tried.
  static uint64_t ForEveryPoint(Point point, const std::vector<std::wstring>& args,
                                const std::function<void()>& prepare,
                                const std::function<void(const Result&)>& check) {
    prepare();
    FailNth(point, UINT64_MAX);
    const Result clean = Run(args);
    const uint64_t points = Counted(point);
    FailNth(point, 0);
    EXPECT_GT(points, 0u);
    const uint64_t stride = points <= kMaxPoints ? 1 : points / (kMaxPoints - 100);
    uint64_t tried = 0;
    for (uint64_t n = 1; n <= points + 1; ++n) {
      if (stride > 1 && n > 50 && n + 50 < points && n % stride != 0) continue;
      prepare();
      FailNth(point, n);
      const Result result = Run(args);
      const bool reached = Counted(point) >= n;
      FailNth(point, 0);
      if (!reached) {
        EXPECT_EQ(n, points + 1) << "a run with a failure set ended early";
        EXPECT_EQ(result, clean);
        break;
      }
      ++tried;
      SCOPED_TRACE("failed point " + std::to_string(n) + " of " + std::to_string(points));
      EXPECT_EQ(result.status, 2) << result;
      check(result);
      if (::testing::Test::HasFailure()) break;  // one failed point tells enough
    }
    return tried;
  }

  // One line per test device in key order: its key and revision and the
  // rows it holds in each table a device is written to.
  static std::vector<std::string> TestDevices() {
    const std::wstring perBlock =
        L"(SELECT COUNT(*) FROM %s x JOIN Blocks b ON x.BlockKey = b.BlockKey"
        L" WHERE b.DeviceKey = d.DeviceKey)";
    odbc::Statement query = db_->Prepare(
        L"SELECT d.DeviceKey, d.TarnDevRevId,"
        L" (SELECT COUNT(*) FROM CalStatus c WHERE c.DeviceKey = d.DeviceKey),"
        L" (SELECT COUNT(*) FROM Blocks b WHERE b.DeviceKey = d.DeviceKey), " +
        Format(perBlock.c_str(), L"BlockAsgms") + L", " +
        Format(perBlock.c_str(), L"DeviceLocation") + L", " +
        Format(perBlock.c_str(), L"BlockData") + L", " +
        Format(perBlock.c_str(), L"EventLog") +
        L" FROM Devices d WHERE d.DeviceKey < " + std::to_wstring(plant::kPlantKeyBase) +
        L" ORDER BY d.DeviceKey");
    query.Execute();
    std::vector<std::string> devices;
    while (query.Fetch()) {
      std::string line;
      for (int column = 1; column <= 8; ++column) line += std::to_string(query.GetInt(column)) + ' ';
      devices.push_back(line);
    }
    return devices;
  }

  // Rows that belong to no device or block: what a half-written device leaves.
  static int Orphans() {
    int orphans = 0;
    for (const wchar_t* sql :
         {L"SELECT COUNT(*) FROM Blocks WHERE DeviceKey NOT IN (SELECT DeviceKey FROM Devices)",
          L"SELECT COUNT(*) FROM CalStatus WHERE DeviceKey NOT IN (SELECT DeviceKey FROM Devices)",
          L"SELECT COUNT(*) FROM BlockAsgms WHERE BlockKey NOT IN (SELECT BlockKey FROM Blocks)",
          L"SELECT COUNT(*) FROM DeviceLocation WHERE BlockKey NOT IN (SELECT BlockKey FROM Blocks)",
          L"SELECT COUNT(*) FROM BlockData WHERE BlockKey NOT IN (SELECT BlockKey FROM Blocks)",
          L"SELECT COUNT(*) FROM EventLog WHERE BlockKey NOT IN (SELECT BlockKey FROM Blocks)",
          L"SELECT COUNT(*) FROM ExtBlockTags WHERE ExtBlockTagKey NOT IN"
          L" (SELECT ExtBlockTagKey FROM BlockAsgms)"}) {
      odbc::Statement count = db_->Prepare(sql);
      count.Execute();
      if (count.Fetch()) orphans += count.GetInt(1);
    }
    return orphans;
  }

  // Files a write left beside the ones it meant.
  static std::vector<std::string> Temporaries() {
    std::vector<std::string> left;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(FsPath(Root()))) {
      if (entry.path().extension() == ".tmp") left.push_back(entry.path().string());
    }
    return left;
  }

  // The report's block sections, each from its start banner on, without the
  // line that tells the time of the test.
  static std::vector<std::string> Sections(const std::string& report) {
    std::vector<std::string> sections;
    const std::string banner = "%%%%%%%%";
    for (size_t at = report.find(banner); at != std::string::npos;) {
      const size_t next = report.find(banner, report.find("\r\n", at));
      std::string section = report.substr(at, next - at);
      const size_t time = section.find("The test was conducted at ");
      if (time != std::string::npos) section.erase(time, section.find('\r', time) - time);
      sections.push_back(section);
      at = next;
    }
    return sections;
  }

 private:
  static inline testing::TempDir* dir_ = nullptr;
  // The test's own connection, kept for the suite: the runs' are their own.
  static inline odbc::Connection* db_ = nullptr;
};

TEST_F(FaultInjectionTest, CreationKeepsWholeDevicesOnlyAndCountsThem) {
  const std::vector<std::wstring> args = {L"--create-test-devices"};
  ASSERT_EQ(Run(args).status, 0);
  const std::vector<std::string> all = TestDevices();
  ASSERT_FALSE(all.empty());
  ASSERT_EQ(Orphans(), 0);
  // Creation writes no file but the best-effort program log.
  const uint64_t tried = ForEveryPoint(Point::kStatement, args, [] { RemoveTestDevices(); },
                                       [&](const Result& result) {
    const std::vector<std::string> kept = TestDevices();
    ASSERT_LE(kept.size(), all.size());
    EXPECT_EQ(kept, std::vector<std::string>(all.begin(), all.begin() + kept.size()));
    EXPECT_EQ(Orphans(), 0);
    // A run refused before its first device prints no count.
    const std::string count = result.out.empty() ? "0" : result.out.substr(0, result.out.find(' '));
    EXPECT_EQ(count, std::to_string(kept.size())) << result;
    EXPECT_NE(result.err.find("injected failure"), std::string::npos) << result;
  });
  std::cout << "creation: " << tried << " statements failed in turn\n";
}

TEST_F(FaultInjectionTest, TheTesterStopsAtAFailedStatementAndSaysSo) {
  std::string list;
  for (const plant::Device& device : plant::BuildPlant(3).devices) list += ToUtf8(device.tag) + "\n";
  const std::wstring listPath = Put(L"devices.txt", list);
  for (const std::vector<std::wstring>& args :
       {std::vector<std::wstring>{L"--all-templates"}, {L"--device-list", listPath}}) {
    SCOPED_TRACE(ToUtf8(args[0]));
    const uint64_t tried = ForEveryPoint(Point::kStatement, args, [] {},
                                         [&](const Result& result) {
      EXPECT_NE(result.err.find("the host database could not be read"), std::string::npos)
          << result;
      EXPECT_NE(result.err.find("injected failure"), std::string::npos) << result;
    });
    std::cout << ToUtf8(args[0]) << ": " << tried << " statements failed in turn\n";
  }
}

// The report is whole sections and a line where it breaks off; the result
// file and the map files are whole or as they were; nothing is left beside.
TEST_F(FaultInjectionTest, TheTesterTellsAFailedWriteAndLeavesWholeFiles) {
  const std::wstring json = JoinPath(Root(), L"results.json");
  const std::vector<std::wstring> args = {L"--all-templates", L"--json", json};
  ASSERT_EQ(Run(args).status, 1);
  const std::string report = testing::ReadBytes(ReportPath());
  const std::vector<std::string> sections = Sections(report);
  ASSERT_GT(sections.size(), 1u);
  const std::string results = testing::ReadBytes(json);
  ASSERT_TRUE(results.ends_with("\n}\n"));
  const uint64_t tried = ForEveryPoint(Point::kFileWrite, args, [&] {
    Put(L"results.json", "earlier results");
  }, [&](const Result& result) {
    EXPECT_EQ(Temporaries(), std::vector<std::string>());
    // Also a run that cannot start writes its results, whole.
    const std::string written = testing::ReadBytes(json);
    EXPECT_TRUE(written == "earlier results" ||
                (written.starts_with(results.substr(0, 40)) && written.ends_with("\n}\n")))
        << written;
    if (result.err.find("can't be written") != std::string::npos) return;  // no report begun
    std::string text = testing::ReadBytes(ReportPath());
    const size_t note = text.find("The report is incomplete: ");
    if (note != std::string::npos) {
      EXPECT_NE(result.err.find("could not be written"), std::string::npos) << result;
      text.erase(note);
    }
    // Each section whole, in the run's order.
    size_t next = 0;
    for (const std::string& section : Sections(text)) {
      while (next < sections.size() && sections[next] != section) ++next;
      EXPECT_LT(next, sections.size()) << "a section not whole:\n" << section;
    }
  });
  std::cout << "report and results: " << tried << " write steps failed in turn\n";
}

}  // namespace
}  // namespace ravelin
