// The device browsing dialogs through their real Win32 views, over the
// sample plant's recording. The test thread runs a dialog modally; a driver
// thread works it as a user would (type buttons, row selection, a right
// click and the context menu, Enum, OK and Cancel), reads the controls and
// the clipboard back and keeps a picture of each dialog.
//
// Argument: SHOTS_DIR
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "UiDriver.h"
#include "base/Text.h"
#include "browse/BrowseIds.h"
#include "browse/SelectBlock.h"
#include "browse/SelectParameter.h"
#include "browse/win32/BrowseDialogs.h"
#include "plant/PlantContent.h"
#include "plant/RecordingText.h"
#include "platform/HostRoot.h"
#include "platform/win32/Controls.h"
#include "support/TempDir.h"

namespace ravelin {
namespace {

using win32::ListViewRowCount;
using win32::ListViewText;

std::wstring g_shots;

// A visible top-level window of this process with that class and title.
HWND WaitForDialog(const wchar_t* title, const wchar_t* className = L"#32770") {
  return WaitForWindow([&](HWND window) {
    return ClassNameOf(window) == className && (!title || TextOf(window) == title);
  });
}

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }

void SelectRows(HWND list, const std::vector<int>& rows) {
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  state.state = LVIS_SELECTED;
  for (int row : rows) {
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  }
}

std::vector<std::wstring> Column(HWND list, int column) {
  std::vector<std::wstring> texts;
  for (int row = 0; row < ListViewRowCount(list); ++row) {
    texts.push_back(ListViewText(list, row, column));
  }
  return texts;
}

std::vector<std::wstring> Headers(HWND list) {
  std::vector<std::wstring> headers;
  for (int column = 0;; ++column) {
    wchar_t text[64] = {};
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT | LVCF_WIDTH;
    info.pszText = text;
    info.cchTextMax = 64;
    if (!SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&info))) break;
    headers.push_back(Format(L"%s %d", text, info.cx));
  }
  return headers;
}

// OK with nothing selected: the message comes, the dialog stays.
void ExpectSelectionAsked(HWND dialog) {
  Press(dialog, IDOK);
  HWND box = WaitForDialog(L"Ravelin");
  ASSERT_NE(box, nullptr) << "no message box";
  // Owned by the dialog, which it disables: OK cannot be pressed behind it.
  EXPECT_EQ(GetWindow(box, GW_OWNER), dialog);
  EXPECT_FALSE(IsWindowEnabled(dialog));
  std::wstring texts;
  for (const std::wstring& text : ChildTexts(box)) texts += text + L"|";
  EXPECT_NE(texts.find(L"Make a selection or click cancel"), std::wstring::npos) << ToUtf8(texts);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  WaitUntilGone(box);
  EXPECT_TRUE(IsWindowVisible(dialog));
}

// The clipboard's 8-bit text; empty when there is none.
std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void EmptyTheClipboard() {
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
}

// A right click on the list, then "Copy To Clipboard" from the menu by the
// keyboard; returns what reached the clipboard.
std::string CopyThroughContextMenu(HWND list) {
  EmptyTheClipboard();
  const LPARAM at = MAKELPARAM(40, 30);
  PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
  PostMessageW(list, WM_RBUTTONUP, 0, at);
  HWND menu = WaitForDialog(nullptr, L"#32768");
  if (!menu) return "no context menu";
  PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  for (int i = 0; i < 100; ++i) {
    const std::string text = ClipboardText();
    if (!text.empty()) return text;
    Sleep(100);
  }
  return "nothing on the clipboard";
}

class BrowseUiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new testing::TempDir;
    dir_->Write(L"recordings\\PLANT1.rec",
                plant::RecordingText(plant::BuildPlant(plant::kDefaultTemplates)));
    SetHostRoot(dir_->Path());
  }
  static void TearDownTestSuite() { delete dir_; }

  // Runs `run` on this thread while `drive` works the dialog it opens.
  INT_PTR Run(const std::function<INT_PTR()>& run, const wchar_t* title,
              const std::function<void(HWND)>& drive) {
    std::atomic<bool> returned{false};
    std::thread driver([&] {
      HWND dialog = WaitForDialog(title);
      EXPECT_NE(dialog, nullptr) << ToUtf8(title) << " did not open";
      if (dialog) drive(dialog);
      // Whatever the driver found, never leave a dialog waiting.
      for (int i = 0; i < 50 && !returned; ++i) Sleep(100);
      if (!returned && dialog) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    const INT_PTR result = run();
    returned = true;
    driver.join();
    return result;
  }

  static HINSTANCE Resources() { return GetModuleHandleW(nullptr); }
  static void Picture(HWND window, const wchar_t* name) {
    KeepPicture(window, std::filesystem::path(g_shots) / name);
  }

  static inline testing::TempDir* dir_ = nullptr;
};

TEST_F(BrowseUiTest, SelectBlock) {
  CSelectBlock cancelled(L"!PhysicalDevice!00A1B20103-PT-501", L"PLANT1");
  const INT_PTR first = Run(
      [&] { return win32::RunSelectBlock(Resources(), cancelled, nullptr); }, L"Select Block",
      [](HWND dialog) {
        HWND list = Item(dialog, IDC_BROWSE_LIST);
        EXPECT_EQ(Headers(list),
                  (std::vector<std::wstring>{L"BlockIndex 100", L"Name 100", L"Label 300"}));
        EXPECT_EQ(Column(list, 0), (std::vector<std::wstring>{L"0", L"1", L"2", L"4"}));
        EXPECT_EQ(Column(list, 2), (std::vector<std::wstring>{L"Resource", L"Pressure transducer",
                                                              L"Analog input", L"Diagnostics"}));
        Picture(dialog, L"select-block.bmp");
        ExpectSelectionAsked(dialog);
        Press(dialog, IDCANCEL);
      });
  EXPECT_EQ(first, IDCANCEL);
  EXPECT_EQ(cancelled.m_nBlockIndex, 0);

  CSelectBlock chosen(L"!PhysicalDevice!00A1B20103-PT-501", L"PLANT1");
  const INT_PTR second = Run(
      [&] { return win32::RunSelectBlock(Resources(), chosen, nullptr); }, L"Select Block",
      [](HWND dialog) {
        SelectRows(Item(dialog, IDC_BROWSE_LIST), {1, 3});
        Press(dialog, IDOK);
      });
  EXPECT_EQ(second, IDOK);
  EXPECT_EQ(chosen.m_nBlockIndex, 1);
}

#define PV L"ItemArray!dynamic_variables!Element!1!Member!"
#define SV L"ItemArray!dynamic_variables!Element!2!Member!"

TEST_F(BrowseUiTest, SelectParameter) {
  CSelectParameter dialog(L"!ID!PT-101!Hart", L"PLANT1", false, 0);
  dialog.m_strParameter = L"before";
  const INT_PTR cancelled = Run(
      [&] { return win32::RunSelectParameter(Resources(), dialog, nullptr); },
      L"Select Parameter", [](HWND dialog) {
        HWND list = Item(dialog, IDC_BROWSE_LIST);
        EXPECT_EQ(Headers(list), (std::vector<std::wstring>{L"Name 100", L"Label 100",
                                                            L"Help 300", L"Unit 60"}));
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_TYPE_ALL), BST_CHECKED);
        EXPECT_EQ(ListViewRowCount(list), 19);
        EXPECT_EQ(ListViewText(list, 4, 1), L"Sensor temperature (\u00b0C)");
        Picture(dialog, L"select-parameter-all.bmp");

        Select(dialog, IDC_TYPE_STRING);
        EXPECT_EQ(Column(list, 0), (std::vector<std::wstring>{L"tag", L"descriptor",
                                                              L"device_info!Member!LONG_TAG",
                                                              SV L"SENSOR_NAME"}));
        Select(dialog, IDC_TYPE_FLOAT);
        EXPECT_EQ(ListViewRowCount(list), 7);
        // 8-bit text in the system code page: Windows-1252 here.
        const std::string floats = CopyThroughContextMenu(list);
        const std::string head =
            "ParamName;Label;HelpText\r\n"
            "sensor_temperature;Sensor temperature (\xb0" "C);Accuracy \xb1" "0.5 \xb0" "C\r\n"
            "sensor_resistance;Sensor resistance;Measured in ?\r\n";
        EXPECT_EQ(floats.substr(0, head.size()), head);
        EXPECT_EQ(std::count(floats.begin(), floats.end(), '\n'), 8) << floats;

        Select(dialog, IDC_TYPE_ENUMERATION);
        EXPECT_EQ(Column(list, 0),
                  (std::vector<std::wstring>{L"transfer_function", L"pressure_type",
                                             L"device_info!Member!MANUFACTURER",
                                             PV L"DIGITAL_UNITS", SV L"DIGITAL_UNITS"}));
        Picture(dialog, L"select-parameter-enumeration.bmp");
        ExpectSelectionAsked(dialog);
        Press(dialog, IDC_SHOW_ENUM);
        HWND box = WaitForDialog(L"Ravelin");
        ASSERT_NE(box, nullptr) << "Enum without a selection said nothing";
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        WaitUntilGone(box);

        SelectRows(list, {0, 3});
        Press(dialog, IDC_SHOW_ENUM);
        HWND entries = WaitForDialog(L"Select Enumeration");
        ASSERT_NE(entries, nullptr) << "Enum opened nothing";
        // The list box sorts them: kPa, BAR, inH2O@68F, MPa in the device.
        EXPECT_EQ(win32::ListBoxItems(Item(entries, IDC_BROWSE_LIST)),
                  (std::vector<std::wstring>{L"BAR", L"inH2O@68F", L"kPa", L"MPa"}));
        Picture(entries, L"select-enumeration.bmp");
        Press(entries, IDOK);
        WaitUntilGone(entries);
        Press(dialog, IDCANCEL);
      });
  EXPECT_EQ(cancelled, IDCANCEL);
  EXPECT_EQ(dialog.m_strParameter, L"before");

  CSelectParameter chosen(L"!PhysicalDevice!00A1B20103-PT-501!BlkId!1", L"PLANT1", true, 1);
  const INT_PTR ok = Run(
      [&] { return win32::RunSelectParameter(Resources(), chosen, nullptr); },
      L"Select Parameter", [](HWND dialog) {
        HWND list = Item(dialog, IDC_BROWSE_LIST);
        EXPECT_EQ(Column(list, 0),
                  (std::vector<std::wstring>{L"PRIMARY_UNITS", L"PRESSURE_TYPE",
                                             L"SENSOR_RANGE!Member!UNITS_INDEX"}));
        Picture(dialog, L"select-parameter-fieldbus.bmp");
        SelectRows(list, {0, 1});
        Press(dialog, IDOK);
      });
  EXPECT_EQ(ok, IDOK);
  EXPECT_EQ(chosen.m_strParameter, L"PRESSURE_TYPE");
}

}  // namespace
}  // namespace ravelin

int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: SHOTS_DIR\n");
    return 2;
  }
  ravelin::g_shots = argv[1];
  return RUN_ALL_TESTS();
}
