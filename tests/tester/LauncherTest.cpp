// The test launcher's decisions against a fake window: what the controls
// show, what each button does, when a run is refused, which devices a run
// tests with which options, and how it ends.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tester/ExecuteMapFileTest.h"
#include "tester/FakeLauncherView.h"
#include "tester/MapFileTestLauncherDlg.h"
#include "tester/MiniHost.h"
#include "tester/TestCompleteDlg.h"
#include "tester/TesterIds.h"

namespace ravelin {
namespace {

using testing::FakeView;
using testing::MiniHost;
using testing::ReadBytes;

// What the launcher handed the driver for one device.
struct Tested {
  std::wstring key;
  std::wstring progress;
  std::wstring usage;
  std::wstring level;
  int32_t generic;
  std::wstring report;
};

// Records each device instead of resolving it; `lines` are appended to the
// report through the driver, as a block section would be.
class RecordingLauncher : public CMapFileTestLauncherDlg {
 public:
  using CMapFileTestLauncherDlg::CMapFileTestLauncherDlg;
  std::vector<Tested> tested;
  ReportLines lines;
  FakeView* view = nullptr;

 protected:
  void TestDevice(CExecuteMapFileTest& test, const std::wstring& key) override {
    tested.push_back({key, view->progress.empty() ? L"" : view->progress.back(),
                      test.m_mapFileUsage, test.m_outputLevel, test.m_allowGenericMapFile,
                      test.m_reportFilePath});
    EXPECT_EQ(test.m_openReportAfterTest, 0);
    for (const std::wstring& line : lines) test.AddReportLine(line);
    test.AppendReportToFile();
  }
};

class LauncherTest : public ::testing::Test {
 protected:
  void Open(RecordingLauncher& launcher) {
    launcher.view = &view_;
    launcher.Attach(&view_);
    launcher.OnInitDialog();
  }
  std::wstring Notepad() const { return JoinPath(host_.dir.Path(), L"notepad.exe"); }

  MiniHost host_;
  FakeView view_;
};

TEST_F(LauncherTest, InitialisationDependsOnTheMode) {
  RecordingLauncher batch(L"PLANT1");
  Open(batch);
  EXPECT_TRUE(view_.checked[IDC_DEVICES_FROM_FILE]);
  EXPECT_FALSE(view_.checked[IDC_ALL_TEMPLATES]);
  for (int id : {IDC_ALL_TEMPLATES, IDC_DEVICES_FROM_FILE, IDC_INPUT_FILE, IDC_BROWSE_INPUT})
    EXPECT_TRUE(view_.enabled[id]) << id;
  EXPECT_TRUE(view_.checked[IDC_CALIBRATION_ONLY]);
  EXPECT_FALSE(view_.checked[IDC_ALL_MAP_FILES]);
  EXPECT_TRUE(view_.checked[IDC_WARNINGS_AND_ERRORS]);
  EXPECT_FALSE(view_.checked[IDC_ERRORS_ONLY] || view_.checked[IDC_EVERYTHING]);
  EXPECT_TRUE(view_.checked[IDC_USE_GENERIC]);
  EXPECT_EQ(batch.m_mapFileUsage, L"Use for CalMgmt");
  EXPECT_EQ(batch.m_outputLevel, L"WARNINGS");
  EXPECT_EQ(view_.texts[IDC_OUTPUT_FILE], host_.ReportPath());
  EXPECT_FALSE(batch.IsSingleDevice());
  EXPECT_TRUE(batch.m_deviceTag.empty());

  FakeView single;
  RecordingLauncher one(L"PLANT1", L"PT-101");
  one.Attach(&single);
  one.OnInitDialog();
  for (int id : {IDC_ALL_TEMPLATES, IDC_DEVICES_FROM_FILE, IDC_INPUT_FILE, IDC_BROWSE_INPUT})
    EXPECT_FALSE(single.enabled[id]) << id;
  EXPECT_TRUE(one.IsSingleDevice());
  EXPECT_EQ(one.m_deviceTag, L"PT-101");
  EXPECT_EQ(single.texts[IDC_OUTPUT_FILE], host_.ReportPath());
}

TEST_F(LauncherTest, EachOptionButtonSetsItsValue) {
  struct Row {
    int id;
    const wchar_t* usage;
    const wchar_t* level;
    std::optional<bool> inputEnabled;
  };
  const Row rows[] = {
      {IDC_ALL_MAP_FILES, L"Use for Export", L"WARNINGS", std::nullopt},
      {IDC_CALIBRATION_ONLY, L"Use for CalMgmt", L"WARNINGS", std::nullopt},
      {IDC_ERRORS_ONLY, L"Use for CalMgmt", L"ERRORS", std::nullopt},
      {IDC_EVERYTHING, L"Use for CalMgmt", L"ALL", std::nullopt},
      {IDC_WARNINGS_AND_ERRORS, L"Use for CalMgmt", L"WARNINGS", std::nullopt},
      {IDC_ALL_TEMPLATES, L"Use for CalMgmt", L"WARNINGS", false},
      {IDC_DEVICES_FROM_FILE, L"Use for CalMgmt", L"WARNINGS", true},
  };
  RecordingLauncher launcher(L"PLANT1");
  Open(launcher);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    const bool before = view_.enabled[IDC_INPUT_FILE];
    launcher.OnCommand(row.id);
    EXPECT_EQ(launcher.m_mapFileUsage, row.usage);
    EXPECT_EQ(launcher.m_outputLevel, row.level);
    EXPECT_EQ(view_.enabled[IDC_INPUT_FILE], row.inputEnabled.value_or(before));
    EXPECT_EQ(view_.enabled[IDC_BROWSE_INPUT], view_.enabled[IDC_INPUT_FILE]);
  }
  EXPECT_TRUE(view_.events.empty());
  launcher.OnCommand(kIdCancel);
  EXPECT_EQ(view_.events, std::vector<std::wstring>{L"end 2"});
}

TEST_F(LauncherTest, BrowseAsksForTextFilesAndShowsTheChoice) {
  RecordingLauncher launcher(L"PLANT1");
  Open(launcher);
  view_.texts[IDC_OUTPUT_FILE] = L"typed.txt";
  launcher.OnCommand(IDC_BROWSE_INPUT);  // cancelled
  EXPECT_EQ(launcher.m_outputFile, L"typed.txt");  // the dialog's data was taken
  EXPECT_TRUE(view_.texts[IDC_INPUT_FILE].empty());

  view_.browseAnswer = L"devices.txt";
  launcher.OnCommand(IDC_BROWSE_INPUT);
  view_.browseAnswer = L"out.txt";
  launcher.OnCommand(IDC_BROWSE_OUTPUT);
  EXPECT_EQ(view_.texts[IDC_INPUT_FILE], L"devices.txt");
  EXPECT_EQ(view_.texts[IDC_OUTPUT_FILE], L"out.txt");

  ASSERT_EQ(view_.requests.size(), 3u);
  for (const FileDialogRequest& request : view_.requests) {
    EXPECT_EQ(request.defaultExtension, L"txt");
    EXPECT_EQ(request.fileName, L"*.txt");
    EXPECT_EQ(request.filter, L"Text Files (*.txt)|*.txt|All Files (*.*)|*.*||");
  }
  EXPECT_TRUE(view_.requests[1].open);
  EXPECT_EQ(view_.requests[1].flags, 0x1000u);
  EXPECT_FALSE(view_.requests[2].open);
  EXPECT_EQ(view_.requests[2].flags, 0x4u | 0x2u);
}

TEST_F(LauncherTest, MissingFileNamesRefuseTheRunAndKeepTheReport) {
  const std::wstring report = host_.dir.Write(L"old.txt", "ERROR from an old run");
  RecordingLauncher launcher(L"PLANT1");
  Open(launcher);

  view_.texts[IDC_OUTPUT_FILE] = L"";
  launcher.OnCommand(IDC_RUN_TEST);
  view_.texts[IDC_OUTPUT_FILE] = report;
  launcher.OnCommand(IDC_RUN_TEST);  // devices from a file, none named

  ASSERT_EQ(host_.platform.boxes.size(), 2u);
  EXPECT_EQ(host_.platform.boxes[0].text, L"Please specify a file to save the test results to.");
  EXPECT_EQ(host_.platform.boxes[1].text,
            L"Please specify the input file to read the devices from.");
  EXPECT_EQ(host_.platform.boxes[1].style, unsigned{kMbOk});
  EXPECT_TRUE(launcher.tested.empty());
  EXPECT_TRUE(view_.events.empty());
  EXPECT_EQ(ReadBytes(report), "ERROR from an old run");
}

TEST_F(LauncherTest, DeviceListRunHandsTheOptionsToEveryDevice) {
  const std::wstring list =
      host_.dir.Write(L"devices.txt", "PT-101\r\n\r\n!NamedConfig!Sensor A\r\n");
  host_.dir.Write(L"reports/old.txt", "");
  RecordingLauncher launcher(L"PLANT1");
  Open(launcher);
  view_.texts[IDC_INPUT_FILE] = list;
  view_.checked[IDC_USE_GENERIC] = false;
  launcher.OnCommand(IDC_ALL_MAP_FILES);
  launcher.OnCommand(IDC_EVERYTHING);
  launcher.OnCommand(IDC_RUN_TEST);

  ASSERT_EQ(launcher.tested.size(), 2u);
  EXPECT_EQ(launcher.tested[0].key, L"PT-101");
  EXPECT_EQ(launcher.tested[0].progress, L"Testing map file for PT-101");
  EXPECT_EQ(launcher.tested[1].key, L"!NamedConfig!Sensor A");
  EXPECT_EQ(launcher.tested[1].progress, L"Testing map file for Sensor A");
  for (const Tested& device : launcher.tested) {
    EXPECT_EQ(device.usage, L"Use for Export");
    EXPECT_EQ(device.level, L"ALL");
    EXPECT_EQ(device.generic, 0);
    EXPECT_EQ(device.report, host_.ReportPath());
  }
  EXPECT_EQ(view_.events, (std::vector<std::wstring>{L"hide", L"progress",
                                                     L"progress closed", L"show"}));
  EXPECT_EQ(view_.completions.size(), 1u);
  EXPECT_TRUE(host_.platform.boxes.empty());
}

TEST_F(LauncherTest, CompletionCountsOnlyThisRunAndOffersTheReport) {
  host_.dir.Write(L"notepad.exe", "");
  const std::wstring report = host_.dir.Write(L"report.txt", "ERROR ERROR old run\r\n");
  const std::wstring list = host_.dir.Write(L"devices.txt", "PT-101\n");
  RecordingLauncher launcher(L"PLANT1");
  launcher.lines = {L"ERROR: Invalid DD Code mapping found.", L"ERRORS", L"ERROR",
                    L"WARNING: no damping", L"Error: Can't create server object."};
  Open(launcher);
  view_.texts[IDC_INPUT_FILE] = list;
  view_.texts[IDC_OUTPUT_FILE] = report;

  view_.completionResult = CTestCompleteDlg::kCancel;
  launcher.OnCommand(IDC_RUN_TEST);
  ASSERT_EQ(view_.completions.size(), 1u);
  EXPECT_EQ(view_.completions[0],
            L"The map file test completed successfully.\r\n\r\nThere were 3 errors and 1 "
            L"warnings encountered during the test.\r\n\r\nSee " + report +
                L" for the test results. You may also click the \"View File...\" button "
                L"below to see them now.");
  EXPECT_TRUE(host_.platform.started.empty());

  view_.completionResult = CTestCompleteDlg::kViewFile;
  launcher.OnCommand(IDC_RUN_TEST);
  ASSERT_EQ(view_.completions.size(), 2u);
  EXPECT_EQ(view_.completions[1], view_.completions[0]);  // the report was replaced
  ASSERT_EQ(host_.platform.started.size(), 1u);
  EXPECT_EQ(host_.platform.started[0].first, Notepad());
  EXPECT_EQ(host_.platform.started[0].second, report);
  EXPECT_EQ(view_.events.back(), L"show");
}

TEST_F(LauncherTest, SingleDeviceRunOpensTheReportAndCloses) {
  host_.dir.Write(L"notepad.exe", "");
  host_.dir.Write(L"reports/old.txt", "");
  RecordingLauncher launcher(L"PLANT1", L"PT-101");
  Open(launcher);
  launcher.OnCommand(IDC_RUN_TEST);  // no device list needed

  ASSERT_EQ(launcher.tested.size(), 1u);
  EXPECT_EQ(launcher.tested[0].key, L"PT-101");
  EXPECT_EQ(launcher.tested[0].progress, L"Testing map file for PT-101");
  EXPECT_EQ(launcher.tested[0].usage, L"Use for CalMgmt");
  EXPECT_EQ(launcher.tested[0].level, L"WARNINGS");
  EXPECT_EQ(launcher.tested[0].generic, 1);
  EXPECT_TRUE(view_.completions.empty());
  ASSERT_EQ(host_.platform.started.size(), 1u);
  EXPECT_EQ(host_.platform.started[0].second, host_.ReportPath());
  EXPECT_EQ(view_.events, (std::vector<std::wstring>{L"hide", L"progress",
                                                     L"progress closed", L"close"}));
}

// A run that cannot start says why and leaves the old report and the device
// list as they were; only a file is ever replaced as the report.
TEST_F(LauncherTest, ARefusedRunLosesNothing) {
  const std::wstring report = host_.dir.Write(L"old.txt", "ERROR from an old run");
  const std::wstring list = host_.dir.Write(L"devices.txt", "PT-101\r\n");
  const std::wstring folder = host_.dir.Join(L"folder");
  std::filesystem::create_directory(FsPath(folder));
  const std::wstring missing = host_.dir.Join(L"missing.txt");
  const struct {
    std::wstring input, output, box;
  } rows[] = {
      {missing, report,
       L"The device list file " + missing + L" can't be read: no such file."},
      {folder, report,
       L"The device list file " + folder + L" can't be read: it is a folder, not a file."},
      {host_.dir.Write(L"blank.txt", "\r\n"), report,
       L"The device list file " + host_.dir.Join(L"blank.txt") + L" names no device."},
      {list, list,
       L"The device list file " + list + L" and the report file " + list +
           L" are the same file. Choose another report file."},
      {list, folder, L"The report " + folder + L" is a folder, not a file."},
      {list, JoinPath(list, L"r.txt"), L"The report " + JoinPath(list, L"r.txt") +
                                           L" can't be written: its folder does not exist."},
  };
  RecordingLauncher launcher(L"PLANT1");
  Open(launcher);
  for (const auto& row : rows) {
    SCOPED_TRACE(ToUtf8(row.box));
    host_.platform.boxes.clear();
    view_.texts[IDC_INPUT_FILE] = row.input;
    view_.texts[IDC_OUTPUT_FILE] = row.output;
    launcher.OnCommand(IDC_RUN_TEST);
    ASSERT_EQ(host_.platform.boxes.size(), 1u);
    EXPECT_EQ(host_.platform.boxes[0].text, row.box);
  }
  EXPECT_TRUE(launcher.tested.empty());
  EXPECT_TRUE(view_.events.empty());
  EXPECT_EQ(ReadBytes(report), "ERROR from an old run");
  EXPECT_EQ(ReadBytes(list), "PT-101\r\n");
  EXPECT_TRUE(std::filesystem::is_directory(FsPath(folder)));
}

TEST_F(LauncherTest, UnreachedDevicesAreToldBeforeTheCompletion) {
  host_.Recording("revision 000026 0122 0a hart\nconfig 000026 0122 0a hart name=T1\n");
  host_.GenericMapFile("");
  host_.dir.Write(L"reports/.keep", "");
  CMapFileTestLauncherDlg launcher(L"PLANT1");
  launcher.Attach(&view_);
  launcher.OnInitDialog();
  view_.texts[IDC_INPUT_FILE] =
      host_.dir.Write(L"devices.txt", "!NamedConfig!T1\n!NamedConfig!T9\n");
  launcher.OnCommand(IDC_RUN_TEST);
  ASSERT_EQ(host_.platform.boxes.size(), 1u);
  EXPECT_EQ(host_.platform.boxes[0].text,
            L"1 of 2 devices could not be tested:\r\n\r\nT9: no such device template on "
            L"server PLANT1");
  EXPECT_EQ(view_.completions.size(), 1u);

  // The first section lost (its open follows the three steps of the report's
  // creation and three of the program log's entry for the missing data
  // source): the run stops there, and the report says so.
  host_.platform.boxes.clear();
  FailNthFileWrite(7);
  launcher.OnCommand(IDC_RUN_TEST);
  FailNthFileWrite(0);
  ASSERT_EQ(host_.platform.boxes.size(), 2u);
  EXPECT_EQ(host_.platform.boxes[0].caption, L"Open Mapfile Test Ouput File Error");
  EXPECT_EQ(host_.platform.boxes[1].text,
            L"1 of 2 devices could not be tested:\r\n\r\nThe run stopped after device 1: the "
            L"report could not be written; 1 more devices were not tried.");
  EXPECT_EQ(ReadBytes(host_.ReportPath()),
            "The report is incomplete: a section of device 1 of 2 (T1) could not be written, "
            "and no device after it was tested.\r\n\r\n");
  EXPECT_EQ(view_.completions.size(), 2u);
}

TEST(TestCompleteDlgTest, ButtonsEndWithTheirCodes) {
  EXPECT_EQ(CTestCompleteDlg::ResultOf(IDC_VIEW_FILE), 1017);
  EXPECT_EQ(CTestCompleteDlg::ResultOf(1), 1);
  EXPECT_EQ(CTestCompleteDlg::ResultOf(2), 2);
  EXPECT_EQ(CTestCompleteDlg::ResultOf(IDC_COMPLETE_MESSAGE), 0);
}

}  // namespace
}  // namespace ravelin
