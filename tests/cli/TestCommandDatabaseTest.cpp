// ravelin-test on a host database it cannot use. A program of its own:
// unixODBC keeps a data source lookup for 20 s per process, so the other
// command-line tests, whose hosts define no VELK, would hide it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "base/Text.h"
#include "cli/TestCommand.h"
#include "outside/db/DataSource.h"
#include "support/DatabaseLock.h"
#include "tester/MiniHost.h"

namespace ravelin {
namespace {

class TestCommandDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteVelkDataSource(host_.dir.Path(), file_)); }
  void Run(const wchar_t* source, const std::string& reason) {
    std::ostringstream out, err;
    const int status =
        RunTestCommand({L"--host-root", host_.dir.Path(), source}, out, err);
    EXPECT_EQ(status, 2) << ToUtf8(source);
    EXPECT_NE(err.str().find("data source \"DSN=VELK\""), std::string::npos) << err.str();
    EXPECT_NE(err.str().find(reason), std::string::npos) << err.str();
  }

  testing::MiniHost host_;
  std::wstring file_ = host_.dir.Join(L"velk.db");
};

TEST_F(TestCommandDatabaseTest, ALockedDatabaseIsRefusedSoon) {
  CreateHostDatabase(file_);
  // Held longer than the database waits, released after the run: a run that
  // waited for it would get through and find no templates instead.
  testing::DatabaseLock lock(file_, L"BEGIN EXCLUSIVE");
  Run(L"--all-templates", "database is locked");
}

TEST_F(TestCommandDatabaseTest, AMissingDatabaseIsNamed) {
  for (const wchar_t* source : {L"--all-templates", L"--create-test-devices"}) {
    Run(source, "the database file \"" + ToUtf8(file_) + "\" does not exist");
  }
}

}  // namespace
}  // namespace ravelin
