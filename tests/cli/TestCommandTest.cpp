// ravelin-test in process: arguments, progress, summary and exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "base/Text.h"
#include "cli/TestCommand.h"
#include "platform/Environment.h"
#include "platform/HostRoot.h"
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
      {L"--all-templates", L"--junit"},
      {L"--create-test-devices", L"--json", L"r.json"},
      {L"--all-templates", L"--junit", L"r", L"--json", L"r"},
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

  result = Run({L"--device-list", host_.dir.Path()});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("it is a folder, not a file"), std::string::npos) << result.err;

  // Linux has no Windows directory to fall back on.
  SetEnvironmentValue(L"RAVELIN_HOST_ROOT", L"");
  SetHostRoot(L"");
  if (NativePlatform().WindowsDirectory().empty()) {
    result = Run({L"--device", L"!NamedConfig!T1"}, false);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("no host root: give --host-root DIR or set RAVELIN_HOST_ROOT"),
              std::string::npos)
        << result.err;
  }
}

// A report that cannot be written, or whose path is not a file, is refused
// before the first device, and nothing already there is lost.
TEST_F(TestCommandTest, TheReportIsCheckedBeforeTheFirstDevice) {
  const std::wstring list = host_.dir.Write(L"l.txt", "!NamedConfig!T1\n");
  const std::wstring folder = host_.dir.Join(L"folder");
  std::filesystem::create_directory(FsPath(folder));
  const struct {
    std::wstring report;
    const char* says;
  } rows[] = {
      {list, "are the same file; give another --report"},
      {host_.dir.Join(L"x/../l.txt"), "are the same file"},
      {folder, "is a folder, not a file"},
      {host_.dir.Join(L"missing/r.txt"), "can't be written: its folder does not exist"},
      {JoinPath(list, L"r.txt"), "can't be written"},  // a file where a folder belongs
  };
  std::filesystem::create_directory(FsPath(host_.dir.Join(L"x")));
  for (const auto& row : rows) {
    SCOPED_TRACE(ToUtf8(row.report));
    const Result result = Run({L"--device-list", list, L"--report", row.report});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find(row.says), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("device 1 of 1"), std::string::npos);
    EXPECT_EQ(testing::ReadBytes(list), "!NamedConfig!T1\n");
  }
  EXPECT_TRUE(std::filesystem::is_directory(FsPath(folder)));
}

// A result file never takes the place of the report or the device list, and
// one that cannot be written fails the run, the other still written whole.
TEST_F(TestCommandTest, ResultFilesClashOrFailWithTwo) {
  const std::wstring list = host_.dir.Write(L"l.txt", "!NamedConfig!T1\n");
  const std::wstring json = host_.dir.Join(L"r.json");
  const struct {
    std::vector<std::wstring> args;
    const char* says;
  } rows[] = {
      {{L"--junit", list}, "--junit " },
      {{L"--json", host_.ReportPath()}, "is the report; give another file"},
      {{L"--junit", host_.dir.Path(), L"--json", json}, "--junit "},
  };
  for (const auto& row : rows) {
    std::vector<std::wstring> args{L"--device-list", list};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const Result result = Run(args);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find(row.says), std::string::npos) << result.err;
    EXPECT_EQ(testing::ReadBytes(list), "!NamedConfig!T1\n");
  }
  EXPECT_NE(Run({L"--device-list", list, L"--junit", list}).err.find("is the device list"),
            std::string::npos);
  // The folder could not take the XML; the JSON is there, whole.
  EXPECT_NE(testing::ReadBytes(json).find("\"devices\": 1"), std::string::npos);
}

// A device that could not be reached has not passed: the run says which and
// why, and exits 1 when some could be tested, 2 when none could.
TEST_F(TestCommandTest, UnreachedDevicesAreCountedAndTold) {
  const struct {
    std::vector<std::wstring> args;
    int status;
    const char* says;
    const char* counted;
  } rows[] = {
      {{L"--device", L"!NamedConfig!Presure template"}, 2,
       "ravelin-test: !NamedConfig!Presure template (server PLANT1) not tested: no such "
       "device template on server PLANT1\n",
       "1 of 1 devices could not be tested\n"},
      {{L"--device-list", L"LIST", L"--server", L"OFFLINE"}, 2,
       "(server OFFLINE) not tested: server OFFLINE cannot be reached: ",
       "2 of 2 devices could not be tested\n"},
      {{L"--device-list", L"LIST"}, 1, "!NamedConfig!T9 (server PLANT1) not tested",
       "1 of 2 devices could not be tested\n"},
  };
  const std::wstring list = host_.dir.Write(L"list.txt", "!NamedConfig!T1\n!NamedConfig!T9\n");
  for (const auto& row : rows) {
    std::vector<std::wstring> args = row.args;
    for (std::wstring& arg : args) {
      if (arg == L"LIST") arg = list;
    }
    SCOPED_TRACE(ToUtf8(args[0]));
    const Result result = Run(args);
    EXPECT_EQ(result.status, row.status) << result.err;
    EXPECT_NE(result.err.find(row.says), std::string::npos) << result.err;
    EXPECT_NE(result.out.find(row.counted), std::string::npos) << result.out;
  }

  // A device list written as UTF-8 names the template as the recording does
  // (on Windows a byte order mark must say so: the system code page rules).
  const std::string bom = kPathSeparator == L'\\' ? "\xef\xbb\xbf" : "";
  host_.Recording(std::string(kRecording) + "config 000026 0122 0a hart name=T\xc3\x9c\n");
  const Result utf8 =
      Run({L"--device-list", host_.dir.Write(L"u.txt", bom + "!NamedConfig!T\xc3\x9c\n")});
  EXPECT_EQ(utf8.err, "device 1 of 1: T\xc3\x9c\n");
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
