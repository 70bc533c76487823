// The tester's dialogs through the real COM entry point. The test thread
// calls launchFenlet, which runs the dialogs modally; a driver thread works
// them as a user would (radio buttons, the report path, Run Test, the
// completion dialog's View file... and Close), reads them back and keeps a
// picture of each dialog. The host root, its database and a stand-in
// notepad.exe come from launcher-ui-test.sh, which also compares the
// reports with what ravelin-test writes for the same options.
//
// Arguments: DLL SHOTS_DIR REPORT_TEMPLATES REPORT_LIST DEVICE_LIST REPORT_TAG
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "PluginTest.h"
#include "UiDriver.h"
#include "tester/TesterIds.h"

namespace {

std::wstring g_dll, g_shots, g_reportTemplates, g_reportList, g_deviceList, g_reportTag;

// A visible top-level dialog of this process that holds the control.
HWND FindDialog(int controlId) {
  return FindProcessWindow([controlId](HWND window) { return GetDlgItem(window, controlId); });
}
HWND WaitForDialog(int controlId, int milliseconds = kUiWaitMs) {
  return WaitForWindow([controlId](HWND window) { return GetDlgItem(window, controlId); },
                       milliseconds);
}

void Picture(HWND window, const std::wstring& name) {
  KeepPicture(window, std::filesystem::path(g_shots) / name);
}

class LauncherUiTest : public PluginTest {
 protected:
  const std::wstring& DllPath() const override { return g_dll; }

  // Calls launchFenlet on this thread while `drive` works the dialogs.
  void Launch(const wchar_t* operation, const wchar_t* data,
              const std::function<void()>& drive) {
    std::atomic<bool> returned{false};
    std::thread driver([&] {
      drive();
      // Whatever the driver found, never leave a dialog waiting.
      for (int i = 0; i < 50 && !returned; ++i) Sleep(100);
      for (int id : {IDC_COMPLETE_MESSAGE, IDC_RUN_TEST}) {
        if (!returned) {
          if (HWND left = FindDialog(id)) PostMessageW(left, WM_CLOSE, 0, 0);
        }
      }
    });
    BSTR op = SysAllocString(operation), launch = SysAllocString(data);
    EXPECT_EQ(plugin_->launchFenlet(op, launch), S_OK);
    returned = true;
    SysFreeString(op);
    SysFreeString(launch);
    driver.join();
  }

};

// Runs a batch test from the launcher and checks the completion dialog.
void DriveBatch(const std::function<void(HWND)>& choose, const std::wstring& shot,
                std::wstring& completion) {
  HWND launcher = WaitForDialog(IDC_RUN_TEST);
  ASSERT_NE(launcher, nullptr) << "the launcher did not open";
  choose(launcher);
  Picture(launcher, shot + L"-launcher.bmp");
  Press(launcher, IDC_RUN_TEST);
  HWND done = WaitForDialog(IDC_COMPLETE_MESSAGE, 180000);
  ASSERT_NE(done, nullptr) << "no completion dialog";
  completion = ItemText(done, IDC_COMPLETE_MESSAGE);
  Picture(done, shot + L"-complete.bmp");
  Press(done, IDC_VIEW_FILE);
  WaitUntilGone(done);
  launcher = WaitForDialog(IDC_RUN_TEST);
  ASSERT_NE(launcher, nullptr) << "the launcher did not come back";
  Press(launcher, IDCANCEL);
}

bool Contains(const std::wstring& text, const std::wstring& part) {
  return text.find(part) != std::wstring::npos;
}

TEST_F(LauncherUiTest, BatchOverAllTemplates) {
  std::wstring completion;
  Launch(L"3", L"<PLANTSERVERNAME>PLANT1</PLANTSERVERNAME>", [&] {
    DriveBatch(
        [](HWND launcher) {
          Select(launcher, IDC_ALL_TEMPLATES);
          Select(launcher, IDC_EVERYTHING);
          SetItemText(launcher, IDC_OUTPUT_FILE, g_reportTemplates);
          EXPECT_FALSE(IsWindowEnabled(GetDlgItem(launcher, IDC_INPUT_FILE)));
        },
        L"templates", completion);
  });
  EXPECT_TRUE(Contains(completion, L"The map file test completed successfully.")) << completion;
  EXPECT_TRUE(Contains(completion, g_reportTemplates)) << completion;
}

TEST_F(LauncherUiTest, BatchOverADeviceListFile) {
  std::wstring completion;
  Launch(L"3", L"<PLANTSERVERNAME>PLANT1</PLANTSERVERNAME>", [&] {
    DriveBatch(
        [](HWND launcher) {
          Select(launcher, IDC_DEVICES_FROM_FILE);
          SetItemText(launcher, IDC_INPUT_FILE, g_deviceList);
          Select(launcher, IDC_ALL_MAP_FILES);
          SetItemText(launcher, IDC_OUTPUT_FILE, g_reportList);
        },
        L"list", completion);
  });
  EXPECT_TRUE(Contains(completion, g_reportList)) << completion;
}

TEST_F(LauncherUiTest, OneDeviceOpensItsReportAndCloses) {
  Launch(L"0", L"<TARNTAG>PT-101</TARNTAG><PLANTSERVERNAME>PLANT1</PLANTSERVERNAME>", [] {
    HWND launcher = WaitForDialog(IDC_RUN_TEST);
    ASSERT_NE(launcher, nullptr) << "the launcher did not open";
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(launcher, IDC_ALL_TEMPLATES)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(launcher, IDC_DEVICES_FROM_FILE)));
    SetItemText(launcher, IDC_OUTPUT_FILE, g_reportTag);
    Picture(launcher, L"device-launcher.bmp");
    Press(launcher, IDC_RUN_TEST);
    WaitUntilGone(launcher);
  });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 7) {
    std::fprintf(stderr,
                 "usage: DLL SHOTS REPORT_TEMPLATES REPORT_LIST DEVICE_LIST REPORT_TAG\n");
    return 2;
  }
  g_dll = argv[1];
  g_shots = argv[2];
  g_reportTemplates = argv[3];
  g_reportList = argv[4];
  g_deviceList = argv[5];
  g_reportTag = argv[6];
  return RUN_ALL_TESTS();
}
