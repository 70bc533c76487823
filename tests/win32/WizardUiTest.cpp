// The map file wizard through the real COM entry point (operation 1). The
// test thread calls launchFenlet, which runs the wizard modally; a driver
// thread works its pages, the browsing dialogs and the pick dialog as a
// user would, and prints how long the first page and each page change
// took. wizard-ui-test.sh compares the map files on disk and the report.
//
// Arguments: DLL SHOTS_DIR
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "PluginTest.h"
#include "UiDriver.h"
#include "browse/BrowseIds.h"
#include "wizard/WizardIds.h"

namespace {

std::wstring g_dll, g_shots;
LARGE_INTEGER g_frequency, g_launched;

double MsSince(const LARGE_INTEGER& from) {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) /
         static_cast<double>(g_frequency.QuadPart);
}

// A visible top-level dialog of this process that `match` accepts.
HWND FindTop(const std::function<bool(HWND)>& match) {
  return FindProcessWindow(
      [&](HWND window) { return ClassNameOf(window) == L"#32770" && match(window); });
}

HWND CurrentPage(HWND sheet) {
  DWORD_PTR page = 0;
  SendMessageTimeoutW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_NORMAL, 2000, &page);
  return reinterpret_cast<HWND>(page);
}

HWND FindSheet() {
  return FindTop([](HWND window) { return CurrentPage(window) != nullptr; });
}

HWND WaitForTitled(const wchar_t* title) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindTop([&](HWND w) { return TextOf(w) == title; })) != nullptr; });
  return found;
}

// A message box showing `text`; its buttons are 1 (OK) and 6/7 (Yes/No).
HWND WaitForMessage(const std::wstring& text) {
  HWND found = nullptr;
  WaitFor([&] {
    found = FindTop([&](HWND w) {
      HWND label = GetDlgItem(w, 0xFFFF);
      return label && TextOf(label) == text;
    });
    return found != nullptr;
  });
  return found;
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// A key as the keyboard delivers it: to the focused control of the sheet's
// thread, through the sheet's message loop. Alt+letter is `alt`.
void Key(HWND sheet, WPARAM key, bool alt = false) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(sheet, nullptr), &info);
  HWND target = info.hwndFocus ? info.hwndFocus : sheet;
  if (alt) {
    PostMessageW(target, WM_SYSCHAR, key, 1 | (1 << 29));
  } else {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 1 | (3u << 30));
  }
}

// Answers the message box showing `text` with `button`; false if none came.
bool Answer(const std::wstring& text, int button) {
  HWND box = WaitForMessage(text);
  if (!box) return false;
  PostMessageW(box, WM_COMMAND, button, 0);
  return WaitFor([&] { return !IsWindow(box); });
}

void SelectRow(HWND list, int row) {
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}

// Picks the row of a browsing dialog whose first column holds `part`.
void Choose(const wchar_t* title, const std::wstring& part) {
  HWND dialog = WaitForTitled(title);
  ASSERT_NE(dialog, nullptr) << "no dialog " << title;
  HWND list = GetDlgItem(dialog, IDC_BROWSE_LIST);
  ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(list) > 0; }));
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    wchar_t text[256] = {};
    ListView_GetItemText(list, row, 0, text, 256);
    if (std::wstring(text).find(part) != std::wstring::npos) {
      SelectRow(list, row);
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog) || !IsWindow(dialog); }));
      return;
    }
  }
  ADD_FAILURE() << "no row " << part.size();
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

struct Sheet {
  HWND hwnd = nullptr;
  std::vector<int> order;  // dialog ids in sheet order

  HWND Page() const { return CurrentPage(hwnd); }
  int Id() const {
    const LRESULT index = SendMessageW(hwnd, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(Page()), 0);
    return index >= 0 && index < static_cast<LRESULT>(order.size()) ? order[index] : -1;
  }
  // Waits for the page of dialog `id`; false if it does not come.
  bool WaitForPage(int id) const { return WaitFor([&] { return Id() == id; }, 10000); }
  // Presses Back or Next and waits for another page; returns the time taken.
  double Press(int button) {
    HWND before = Page();
    const int from = Id();
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    PostMessageW(hwnd, PSM_PRESSBUTTON, button, 0);
    EXPECT_TRUE(WaitFor([&] { return Page() != before; })) << "no page change from " << from;
    const double taken = MsSince(start);
    std::printf("  %d -> %d: %.1f ms\n", from, Id(), taken);
    return taken;
  }
};

std::vector<int> Order(bool fieldbus) {
  std::vector<int> order{208, 210, 209, 214, 223, 224, 215, 220, 219, 211, 221, 212};
  if (fieldbus) order.insert(order.begin(), 207);
  return order;
}

class WizardUiTest : public PluginTest {
 protected:
  const std::wstring& DllPath() const override { return g_dll; }

  // Runs operation 1 on this thread while `drive` works the wizard.
  void Launch(const wchar_t* data, bool fieldbus, const std::function<void(Sheet&)>& drive) {
    std::atomic<bool> returned{false};
    std::thread driver([&] {
      Sheet sheet;
      sheet.order = Order(fieldbus);
      if (WaitFor([&] { return (sheet.hwnd = FindSheet()) != nullptr; })) {
        std::printf("first page shown after %.1f ms\n", MsSince(g_launched));
        drive(sheet);
      } else {
        ADD_FAILURE() << "the wizard did not open";
      }
      // Whatever the driver found, never leave the wizard waiting.
      if (!WaitFor([&] { return returned.load(); }, 10000)) {
        ADD_FAILURE() << "the wizard did not close";
        if (HWND question = WaitForMessage(
                L"The map file has not been written. Close the wizard anyway?")) {
          PostMessageW(question, WM_COMMAND, IDYES, 0);
        }
        if (HWND left = FindSheet()) PostMessageW(left, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
      }
    });
    BSTR op = SysAllocString(L"1"), launch = SysAllocString(data);
    QueryPerformanceCounter(&g_launched);
    EXPECT_EQ(plugin_->launchFenlet(op, launch), S_OK);
    returned = true;
    SysFreeString(op);
    SysFreeString(launch);
    driver.join();
  }

};

void Picture(HWND window, const std::wstring& name) {
  KeepPicture(window, std::filesystem::path(g_shots) / name);
}

// Next through the pages until the finished page; the ids seen.
std::vector<int> NextToFinished(Sheet& sheet, std::vector<double>& times) {
  std::vector<int> seen{sheet.Id()};
  while (seen.back() != IDD_WIZARD_FINISHED && seen.size() < 15) {
    times.push_back(sheet.Press(PSBTN_NEXT));
    seen.push_back(sheet.Id());
  }
  return seen;
}

void PrintTimes(const char* walk, const std::vector<double>& times) {
  double worst = 0, sum = 0;
  for (double t : times) {
    worst = std::max(worst, t);
    sum += t;
  }
  std::printf("%s: %zu page changes, mean %.1f ms, worst %.1f ms\n", walk, times.size(),
              times.empty() ? 0.0 : sum / static_cast<double>(times.size()), worst);
}

const wchar_t kPt101[] =
    L"<TARNTAG>PT-101</TARNTAG><MONIKER>!ID!PT-101!Hart</MONIKER>"
    L"<HART_MANUFACTURER_ID_CODE>38</HART_MANUFACTURER_ID_CODE><HART_DEVICE_TYPE>7"
    L"</HART_DEVICE_TYPE><HART_DEVICE_REVISION>3</HART_DEVICE_REVISION>"
    L"<PLANTSERVERNAME>PLANT1</PLANTSERVERNAME>";

TEST_F(WizardUiTest, UnchangedHartDeviceIsRewrittenAsItWas) {
  Launch(kPt101, false, [](Sheet& sheet) {
    EXPECT_EQ(sheet.Id(), IDD_INPUT_PARAMETER);
    std::vector<double> times;
    EXPECT_EQ(NextToFinished(sheet, times),
              (std::vector<int>{208, 210, 209, 215, 211, 221, 212}));
    PrintTimes("walk 1", times);
    HWND finished = sheet.Page();
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(finished, IDC_WIRELESS_BOX)));
    SendCommand(finished, IDC_WRITE);
    PostMessageW(sheet.hwnd, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
  });
}

TEST_F(WizardUiTest, NewTemperatureMapForAHartDeviceWrittenAndTested) {
  const wchar_t data[] =
      L"<FFDevice></FFDevice><TARNBLOCKTAG></TARNBLOCKTAG><TARNTAG>GN-601</TARNTAG>"
      L"<MONIKER>!ID!GN-601!Hart</MONIKER><HART_MANUFACTURER_ID_CODE>38"
      L"</HART_MANUFACTURER_ID_CODE><HART_DEVICE_TYPE>240</HART_DEVICE_TYPE>"
      L"<HART_DEVICE_REVISION>1</HART_DEVICE_REVISION>"
      L"<PLANTSERVERNAME>PLANT1</PLANTSERVERNAME>";
  Launch(data, false, [](Sheet& sheet) {
    int shot = 0;
    auto picture = [&] {
      Picture(sheet.hwnd, L"walk2-" + std::to_wstring(++shot) + L"-" +
                              std::to_wstring(sheet.Id()) + L".bmp");
    };
    std::vector<double> times;
    HWND page = sheet.Page();
    ASSERT_EQ(sheet.Id(), IDD_INPUT_PARAMETER);
    PostCommand(page, IDC_UNITS_BROWSE);
    Choose(L"Select Parameter", L"DIGITAL_UNITS");
    EXPECT_EQ(ItemText(page, IDC_UNITS_PARAM), L"ItemArray!dynamic_variables!Element!1!Member!DIGITAL_UNITS");
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_UNITS_DEFAULT_BOX), BST_UNCHECKED);
    picture();
    times.push_back(sheet.Press(PSBTN_NEXT));

    ASSERT_EQ(sheet.Id(), IDD_MAP_INPUT_UNITS);
    SendCommand(sheet.Page(), IDC_AUTO_MAP);
    picture();
    times.push_back(sheet.Press(PSBTN_NEXT));

    ASSERT_EQ(sheet.Id(), IDD_INPUT_BLOCK_TYPE);
    page = sheet.Page();
    SendCommand(page, IDC_TEMPERATURE);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_PROBE_TYPE_PARAM)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_PRESS_MEAS_PARAM)));
    PostCommand(page, IDC_PROBE_TYPE_BROWSE);
    Choose(L"Select Parameter", L"PROBE_TYPE");
    EXPECT_EQ(ItemText(page, IDC_PROBE_TYPE_PARAM), L"Param!PROBE_TYPE");
    picture();
    times.push_back(sheet.Press(PSBTN_NEXT));

    ASSERT_EQ(sheet.Id(), IDD_MAP_TEMP_PROBE_TYPE);
    page = sheet.Page();
    HWND list = GetDlgItem(page, IDC_MAPPING_LIST);
    ASSERT_EQ(ListView_GetItemCount(list), 2);
    SelectRow(list, 0);
    PostCommand(page, IDC_SINGLE_MAP);
    HWND pick = WaitForTitled(L"Select Mapping");
    ASSERT_NE(pick, nullptr);
    HWND box = GetDlgItem(pick, IDC_SELECT_LIST);
    const LRESULT item = SendMessageW(box, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(L"Pt100 a=385"));
    ASSERT_GE(item, 0);
    SendMessageW(box, LB_SETCURSEL, item, 0);
    Picture(pick, L"walk2-pick.bmp");
    PostMessageW(pick, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(pick); }));
    wchar_t mapped[128] = {};
    ListView_GetItemText(list, 0, 2, mapped, 128);
    EXPECT_NE(std::wstring(mapped), L"");
    picture();
    times.push_back(sheet.Press(PSBTN_NEXT));

    ASSERT_EQ(sheet.Id(), IDD_NUM_WIRES_PARAMETER);
    EXPECT_EQ(IsDlgButtonChecked(sheet.Page(), IDC_NUM_WIRES_DEFAULT_BOX), BST_CHECKED);
    EXPECT_EQ(ItemText(sheet.Page(), IDC_NUM_WIRES_COMBO), L"2");
    picture();
    times.push_back(sheet.Press(PSBTN_NEXT));

    ASSERT_EQ(sheet.Id(), IDD_INPUT_OUTPUT_RELATION);
    picture();
    times.push_back(sheet.Press(PSBTN_NEXT));

    ASSERT_EQ(sheet.Id(), IDD_WIZARD_FINISHED);
    picture();
    PrintTimes("walk 2", times);
    page = sheet.Page();
    SendCommand(page, IDC_WRITE);
    SendCommand(page, IDC_TEST);
    PostMessageW(sheet.hwnd, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
  });
}

// PT-305's map file is not for calibration management. A totalizer given
// only its value is written; reopened, the page shows it again, and the
// second Write keeps it and the file's usage.
TEST_F(WizardUiTest, TotalizerValueAloneAndUsageSurviveReopening) {
  const wchar_t data[] =
      L"<TARNTAG>PT-305</TARNTAG><MONIKER>!ID!PT-305!Hart</MONIKER>"
      L"<HART_MANUFACTURER_ID_CODE>38</HART_MANUFACTURER_ID_CODE><HART_DEVICE_TYPE>11"
      L"</HART_DEVICE_TYPE><HART_DEVICE_REVISION>1</HART_DEVICE_REVISION>"
      L"<PLANTSERVERNAME>PLANT1</PLANTSERVERNAME>";
  auto toTotalizer = [](Sheet& sheet) {
    for (int pages = 0; pages < 5 && sheet.Id() != IDD_TOTALIZER_PARAMS; ++pages) {
      sheet.Press(PSBTN_NEXT);
    }
    return sheet.Id() == IDD_TOTALIZER_PARAMS ? sheet.Page() : nullptr;
  };
  auto writeAndFinish = [](Sheet& sheet) {
    std::vector<double> times;
    EXPECT_EQ(NextToFinished(sheet, times).back(), IDD_WIZARD_FINISHED);
    SendCommand(sheet.Page(), IDC_WRITE);
    PostMessageW(sheet.hwnd, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
  };
  Launch(data, false, [&](Sheet& sheet) {
    HWND page = toTotalizer(sheet);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_TOTALIZER_BOX), BST_UNCHECKED);
    CheckDlgButton(page, IDC_TOTALIZER_BOX, BST_CHECKED);
    SendCommand(page, IDC_TOTALIZER_BOX);
    EXPECT_EQ(SendDlgItemMessageW(page, IDC_TOTALIZER_VALUE_PARAM, EM_GETLIMITTEXT, 0, 0), 259);
    SetItemText(page, IDC_TOTALIZER_VALUE_PARAM, L"Param!TOTAL");
    writeAndFinish(sheet);
  });
  Launch(data, false, [&](Sheet& sheet) {
    HWND page = toTotalizer(sheet);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_TOTALIZER_BOX), BST_CHECKED);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_TOTALIZER_VALUE_PARAM)));
    EXPECT_EQ(ItemText(page, IDC_TOTALIZER_VALUE_PARAM), L"Param!TOTAL");
    EXPECT_EQ(ItemText(page, IDC_TOTALIZER_UNITS_PARAM), L"");
    writeAndFinish(sheet);
  });
}

TEST_F(WizardUiTest, FieldbusBlockIndexAndCloseWithoutWriting) {
  const wchar_t data[] =
      L"<FFDevice>1</FFDevice><TARNTAG>PT-501</TARNTAG>"
      L"<MONIKER>!PhysicalDevice!00A1B20103-PT-501</MONIKER><MANUFACTURER_ID>41394"
      L"</MANUFACTURER_ID><DEVICE_TYPE_ID>259</DEVICE_TYPE_ID><DEVICE_REVISION>2"
      L"</DEVICE_REVISION><PLANTSERVERNAME>PLANT1</PLANTSERVERNAME>";
  Launch(data, true, [](Sheet& sheet) {
    HWND page = sheet.Page();
    ASSERT_EQ(sheet.Id(), IDD_TRANSDUCER_BLOCK);
    EXPECT_EQ(ItemText(page, IDC_BLOCK_INDEX), L"1");
    SetItemText(page, IDC_BLOCK_INDEX, L"");
    PostMessageW(sheet.hwnd, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    HWND refused = WaitForMessage(L"You must enter a blockIndex ");
    ASSERT_NE(refused, nullptr);
    PostMessageW(refused, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(refused); }));
    EXPECT_EQ(sheet.Id(), IDD_TRANSDUCER_BLOCK);

    PostCommand(page, IDC_BLOCK_BROWSE);
    Choose(L"Select Block", L"1");
    EXPECT_EQ(ItemText(page, IDC_BLOCK_INDEX), L"1");
    std::vector<double> times;
    EXPECT_EQ(NextToFinished(sheet, times),
              (std::vector<int>{207, 208, 210, 209, 215, 211, 212}));
    PrintTimes("walk 3", times);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet.Page(), IDC_WIRELESS_BOX)));
    SendCommand(sheet.Page(), IDC_WRITE);

    // A change typed after the write: Cancel on that page asks (No stays),
    // Finish asks, and Yes closes without writing.
    const wchar_t question[] = L"The map file has not been written. Close the wizard anyway?";
    sheet.Press(PSBTN_BACK);
    ASSERT_EQ(sheet.Id(), IDD_INPUT_OUTPUT_RELATION);
    SetItemText(sheet.Page(), IDC_DAMPING_PARAM, L"Param!CHANGED");
    PostMessageW(sheet.hwnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    HWND asked = WaitForMessage(question);
    ASSERT_NE(asked, nullptr);
    PostMessageW(asked, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(asked); }));
    EXPECT_EQ(sheet.Id(), IDD_INPUT_OUTPUT_RELATION);
    sheet.Press(PSBTN_NEXT);
    ASSERT_EQ(sheet.Id(), IDD_WIZARD_FINISHED);
    PostMessageW(sheet.hwnd, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    asked = WaitForMessage(question);
    ASSERT_NE(asked, nullptr);
    PostMessageW(asked, WM_COMMAND, IDYES, 0);
  });
}

const wchar_t kCloseQuestion[] = L"The map file has not been written. Close the wizard anyway?";
// The sheet's own buttons.
constexpr int kNextButton = 0x3024, kFinishButton = 0x3025;

// A device whose map file holds defaults outside the pick lists (a unit code
// and a pressure type without a name): they are shown as their numbers and
// written back as they were (wizard-ui-test.sh compares the file).
TEST_F(WizardUiTest, DefaultsOutsideThePickListsAreKept) {
  const wchar_t data[] =
      L"<TARNTAG>PT-990</TARNTAG><MONIKER>!ID!PT-990!Hart</MONIKER>"
      L"<HART_MANUFACTURER_ID_CODE>38</HART_MANUFACTURER_ID_CODE><HART_DEVICE_TYPE>126"
      L"</HART_DEVICE_TYPE><HART_DEVICE_REVISION>1</HART_DEVICE_REVISION>"
      L"<PLANTSERVERNAME>PLANT1</PLANTSERVERNAME>";
  Launch(data, false, [](Sheet& sheet) {
    ASSERT_EQ(sheet.Id(), IDD_INPUT_PARAMETER);
    EXPECT_TRUE(Checked(sheet.Page(), IDC_UNITS_DEFAULT_BOX));
    EXPECT_EQ(ItemText(sheet.Page(), IDC_DEFAULT_COMBO), L"170");
    sheet.Press(PSBTN_NEXT);
    ASSERT_EQ(sheet.Id(), IDD_INPUT_BLOCK_TYPE);
    EXPECT_TRUE(Checked(sheet.Page(), IDC_USE_DEFAULT_BOX));
    EXPECT_EQ(ItemText(sheet.Page(), IDC_DEFAULT_COMBO), L"3");
    sheet.Press(PSBTN_NEXT);
    ASSERT_EQ(sheet.Id(), IDD_INPUT_OUTPUT_RELATION);
    sheet.Press(PSBTN_NEXT);
    ASSERT_EQ(sheet.Id(), IDD_WIZARD_FINISHED);
    SendCommand(sheet.Page(), IDC_WRITE);
    PostMessageW(sheet.hwnd, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
  });
}

// Toggling only a check box is a change that Cancel and Finish ask about;
// a units default with no unit chosen is refused. The box is toggled back
// after each No, so the walk ends with nothing to ask.
TEST_F(WizardUiTest, ToggledBoxesAreChangesAndAnUnchosenDefaultIsRefused) {
  Launch(kPt101, false, [](Sheet& sheet) {
    ASSERT_EQ(sheet.Id(), IDD_INPUT_PARAMETER);
    HWND page = sheet.Page();
    Select(page, IDC_UNITS_DEFAULT_BOX);
    PostMessageW(sheet.hwnd, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    EXPECT_TRUE(Answer(
        L"You must choose the default units beside \"Default To:\", or uncheck it and enter the "
        L"units parameter.",
        IDOK));
    EXPECT_EQ(sheet.Id(), IDD_INPUT_PARAMETER);
    Select(page, IDC_UNITS_DEFAULT_BOX);

    struct Case {
      int page, box, button;
    };
    const Case cases[] = {
        {IDD_INPUT_PARAMETER, IDC_URV_DEFAULT_BOX, PSBTN_CANCEL},
        {IDD_INPUT_BLOCK_TYPE, IDC_USE_DEFAULT_BOX, PSBTN_CANCEL},
        {IDD_WIZARD_FINISHED, IDC_WIRELESS_BOX, PSBTN_CANCEL},
        {IDD_WIZARD_FINISHED, IDC_WIRELESS_BOX, PSBTN_FINISH},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.page * 10 + c.button);
      for (int n = 0; n < 8 && sheet.Id() != c.page && sheet.Id() != IDD_WIZARD_FINISHED; ++n) {
        sheet.Press(PSBTN_NEXT);
      }
      ASSERT_EQ(sheet.Id(), c.page);
      Select(sheet.Page(), c.box);
      PostMessageW(sheet.hwnd, PSM_PRESSBUTTON, c.button, 0);
      EXPECT_TRUE(Answer(kCloseQuestion, IDNO));
      ASSERT_TRUE(WaitFor([&] { return sheet.Id() == c.page; }, 2000)) << "closed unasked";
      Select(sheet.Page(), c.box);
    }
    PostMessageW(sheet.hwnd, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
  });
}

// Return goes Next on every page and Finish on the last, where Finish is
// the default button; Alt+N there, with Next hidden, does nothing.
TEST_F(WizardUiTest, ReturnWalksToTheEndAndFinishes) {
  Launch(kPt101, false, [](Sheet& sheet) {
    // The buttons are set by a posted request: wait for it.
    auto defaultIs = [&](int button) {
      return WaitFor([&] { return LOWORD(SendMessageW(sheet.hwnd, DM_GETDEFID, 0, 0)) == button; },
                     5000);
    };
    const int walk[] = {208, 210, 209, 215, 211, 221, 212};
    for (size_t i = 1; i < std::size(walk); ++i) {
      EXPECT_TRUE(defaultIs(kNextButton)) << walk[i - 1];
      Key(sheet.hwnd, VK_RETURN);
      ASSERT_TRUE(sheet.WaitForPage(walk[i])) << "Return on " << walk[i - 1];
    }
    EXPECT_TRUE(defaultIs(kFinishButton));
    Key(sheet.hwnd, L'n', true);
    Sleep(300);
    EXPECT_TRUE(IsWindow(sheet.hwnd));
    EXPECT_EQ(sheet.Id(), IDD_WIZARD_FINISHED);
    Key(sheet.hwnd, VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(sheet.hwnd); }, 10000)) << "Return did not finish";
  });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: DLL SHOTS\n");
    return 2;
  }
  QueryPerformanceFrequency(&g_frequency);
  g_dll = argv[1];
  g_shots = argv[2];
  return RUN_ALL_TESTS();
}
