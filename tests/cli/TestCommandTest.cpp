// ravelin-test in process: arguments, progress, summary and exit status.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "base/Text.h"
#include "cli/TestCommand.h"
#include "tester/MiniHost.h"

namespace ravelin {
namespace {

using testing::CrLf;
using testing::MiniHost;

constexpr char kRecording[] = R"(
revision 000026 0122 0a hart
config 000026 0122 0a hart name=T1
config 000026 0122 0a hart name=T2
)";

int Occurrences(const std::string& text, const std::string& word) {
  int count = 0;
  for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
    ++count;
  }
  return count;
}

struct Result {
  int status;
  std::string out;
  std::string err;
};

class TestCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.Recording(kRecording);
    host_.dir.Write(L"reports/.keep", "");
  }
  Result Run(std::vector<std::wstring> args, bool withRoot = true) {
    if (withRoot) args.insert(args.begin(), {L"--host-root", host_.dir.Path()});
    std::ostringstream out, err;
    const int status = RunTestCommand(args, out, err);
    return {status, out.str(), err.str()};
  }
  std::string Summary(int errors, int warnings) const {
    return std::to_string(errors) + " errors, " + std::to_string(warnings) +
           " warnings; report: " + ToUtf8(host_.ReportPath()) + "\n";
  }

  MiniHost host_;
};

TEST_F(TestCommandTest, UsageErrorsExitWithTwo) {
  const std::vector<std::vector<std::wstring>> bad = {
      {},
      {L"--device", L"A", L"--all-templates"},
      {L"--device"},
      {L"--device="},
      {L"--all-templates", L"--level", L"some"},
      {L"--all-templates", L"--bogus"},
  };
  for (const auto& args : bad) {
    const Result result = Run(args, false);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("Try 'ravelin-test --help'."), std::string::npos);
  }
  const Result help = Run({L"--help"}, false);
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: ravelin-test [--host-root DIR]", 0), 0u);
  const Result version = Run({L"--version"}, false);
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("ravelin-test ", 0), 0u);
}

TEST_F(TestCommandTest, DeviceListRunsEveryKeyAndSummarises) {
  host_.MapFile(0x26, 0x122, 0x0a, "");
  host_.dir.Write(L"list.txt", "!NamedConfig!T1\r\n\r\n!NamedConfig!T2\n");
  host_.dir.Write(L"reports/MapFileTestResults.txt", "ERROR ERROR old run");
  const Result result = Run({L"--device-list", host_.dir.Join(L"list.txt")});
  EXPECT_EQ(result.err, "device 1 of 2: T1\ndevice 2 of 2: T2\n");
  // Generic input block and nothing readable: each template's units and
  // ranges fail at the default level.
  const std::string report = testing::ReadBytes(host_.ReportPath());
  EXPECT_EQ(report.find("old run"), std::string::npos);
  EXPECT_NE(report.find("T2    (26  122  a)"), std::string::npos);
  const int errors = Occurrences(report, "ERROR");
  EXPECT_GT(errors, 0);
  EXPECT_EQ(result.out, Summary(errors, Occurrences(report, "WARNING")));
  EXPECT_EQ(result.status, 1);
}

TEST_F(TestCommandTest, OptionsReachTheDriver) {
  // Only for export, and defaulted throughout: clean.
  host_.dir.Write(L"dd/000026/0122/0a01.map",
                  CrLf({"[IDENTIFICATION]", "Use for CalMgmt=No", "Use for Export=Yes",
                        "[PARAMETER SPECIAL INFO]", "Transfer Function Code=No Associated Parameter",
                        "[DEFAULT PARAMETER VALUES]", "Transfer Function Code=0"}));
  Result result = Run({L"--device", L"!NamedConfig!T1"});
  EXPECT_EQ(result.out, Summary(0, 0));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(testing::ReadBytes(host_.ReportPath()), "Map file does not exist.\r\n\r\n");

  result = Run({L"--device", L"!NamedConfig!T1", L"--all-map-files", L"--level", L"all"});
  const std::string report = testing::ReadBytes(host_.ReportPath());
  EXPECT_NE(report.find("Transfer function\r\n\r\nNo Associated Parameter is defined."),
            std::string::npos);
  EXPECT_EQ(result.status, 1);

  host_.GenericMapFile("");
  result = Run({L"--device", L"!NamedConfig!T1", L"--no-generic"});
  EXPECT_NE(testing::ReadBytes(host_.ReportPath()).find("tester chose to prevent this"),
            std::string::npos);
  EXPECT_EQ(result.status, 0);
}

TEST_F(TestCommandTest, WhatCannotBeTestedExitsWithTwoAndSaysWhy) {
  Result result = Run({L"--device-list", host_.dir.Join(L"none.txt")});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("none.txt: no such file"), std::string::npos) << result.err;

  host_.dir.Write(L"empty.txt", "\r\n\n");
  result = Run({L"--device-list", host_.dir.Join(L"empty.txt")});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("no device keys"), std::string::npos);

  result = Run({L"--device", L"!NamedConfig!T1", L"--host-root", host_.dir.Join(L"nowhere")},
               false);
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("nowhere\": no such directory"), std::string::npos);

  // The report cannot be written: the summary says the counts miss it.
  result = Run({L"--device", L"!NamedConfig!T1", L"--report", host_.dir.Join(L"missing/r.txt")});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("Open Mapfile Test Ouput File Error: "), std::string::npos);
  EXPECT_NE(result.out.find("1 of 1 report sections could not be written"), std::string::npos)
      << result.out;
}

TEST_F(TestCommandTest, ServerAndReportDefaultsComeFromTheHost) {
  host_.dir.Write(L"velk.ini", "[INSTALLATION]\r\n");
  Result result = Run({L"--device", L"!NamedConfig!T1"});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("velk.ini: no [Tarn Server 1] Computer Name"), std::string::npos);

  host_.dir.Write(L"VelkProfile.ini", "[INSTALLATION]\r\n");
  result = Run({L"--device", L"!NamedConfig!T1", L"--server", L"PLANT1"});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("no [INSTALLATION] DevicesFolder"), std::string::npos);

  const std::wstring report = host_.dir.Join(L"mine.txt");
  result = Run({L"--device", L"!NamedConfig!T1", L"--server=PLANT1", L"--report", report});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(testing::ReadBytes(report), "Map file does not exist.\r\n\r\n");
}

}  // namespace
}  // namespace ravelin
