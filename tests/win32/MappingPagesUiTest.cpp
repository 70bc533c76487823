// The six enumeration mapping pages in a bare wizard-mode property sheet,
// worked from a driver thread as a user would: Auto-Map, a row selected,
// Single-Map, a name chosen in the pick dialog, OK, then Next and Back. A
// picture of each page and of each pick dialog is kept in the build tree.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "mapfile/MapFileInformation.h"
#include "mapfile/PickLists.h"
#include "platform/win32/Controls.h"
#include "tester/MiniHost.h"
#include "wizard/MappingPages.h"
#include "wizard/PagesRecording.h"
#include "wizard/SelectMappingDialogs.h"
#include "wizard/WizardIds.h"
#include "wizard/win32/WizardPageWindow.h"
#include "win32/UiDriver.h"

namespace ravelin {
namespace {

using namespace win32;

std::mutex g_lock;
std::vector<WPARAM> g_jumps;
WNDPROC g_sheetProc = nullptr;
std::atomic<HWND> g_sheet{nullptr};

LRESULT CALLBACK SheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kWmGotoWizardPage) {
    std::lock_guard<std::mutex> hold(g_lock);
    g_jumps.push_back(wParam);
  }
  return CallWindowProcW(g_sheetProc, sheet, message, wParam, lParam);
}

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED) {
    g_sheetProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SheetProc)));
    g_sheet = sheet;
  }
  return 0;
}

// A visible window of this process owned by `owner` (null: any top-level
// one) that holds the control.
HWND FindOwned(HWND owner, int controlId) {
  return FindProcessWindow([=](HWND window) {
    return (!owner || GetWindow(window, GW_OWNER) == owner) &&
           (controlId == 0 || GetDlgItem(window, controlId));
  });
}

void Picture(HWND window, const std::wstring& name) {
  const std::filesystem::path shots = std::wstring(L"Z:") + RAVELIN_SHOTS_DIR;
  std::filesystem::create_directories(shots);
  KeepPicture(window, shots / name);
}

class Collect : public CodeListControl {
 public:
  void ResetContent() override { names.clear(); }
  void AddItem(const std::wstring& name, int32_t) override { names.push_back(name); }
  std::vector<std::wstring> names;
};

struct PageCase {
  const wchar_t* caption;
  const wchar_t* shot;
  bool autoMap;
  int row;
  const wchar_t* choose;
  std::function<void(CodeListControl*)> offered;  // null: the four wires items
  int back, next;  // jump selectors; -1: the sheet's own neighbour
};

const PageCase kPages[] = {
    {L"Map Input Units", L"input-units", true, 1, L"psi", FillUnitsList, -1, -1},
    {L"Map Temperature Probe Types", L"probe-types", true, 0, L"Pt100 a=385", FillProbeTypeList,
     kInputBlockType, kNumWiresParameter},
    {L"Map Pressure Measurement Types", L"pressure-types", true, 3, L"Sealed Gauge",
     FillPressMeasList, kInputBlockType, kInputOutputRelation},
    {L"Map Number of Wires", L"wires", false, 1, L"None", nullptr, kNumWiresParameter,
     kInputOutputRelation},
    {L"Map Totalizer Units", L"totalizer-units", true, 1, L"gal", FillUnitsList,
     kTotalizerParams, kInputOutputRelation},
    {L"Transfer Function Codes", L"transfer-functions", false, 1, L"Square Root",
     FillTransferFuncList, kInputOutputRelation, kWizardFinished},
};

size_t JumpCount() {
  std::lock_guard<std::mutex> hold(g_lock);
  return g_jumps.size();
}
WPARAM LastJump() {
  std::lock_guard<std::mutex> hold(g_lock);
  return g_jumps.back();
}

// Works one page; the sheet shows it already.
void DrivePage(HWND sheet, int index, const PageCase& c) {
  SCOPED_TRACE(::testing::Message() << "page " << index);
  HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(WindowText(sheet), c.caption);
  HWND list = GetDlgItem(page, IDC_MAPPING_LIST);
  ASSERT_GE(ListViewRowCount(list), 2);
  EXPECT_EQ(GetDlgItem(page, IDC_AUTO_MAP) != nullptr, c.autoMap);
  if (c.autoMap) {
    SendCommand(page, IDC_AUTO_MAP);
    // Unit code 240 has no common name: Auto-Map leaves it unmapped.
    for (int row = 0; row < ListViewRowCount(list); ++row) {
      EXPECT_EQ(ListViewText(list, row, 2).empty(), ListViewText(list, row, 1) == L"240")
          << "row " << row;
    }
  }

  LVITEMW select{};
  select.stateMask = select.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, c.row, reinterpret_cast<LPARAM>(&select));
  const std::wstring text = ListViewText(list, c.row, 0);
  PostCommand(page, IDC_SINGLE_MAP);
  HWND pick = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (pick = FindOwned(sheet, IDC_SELECT_LIST)) != nullptr; }))
      << "no pick dialog";
  EXPECT_FALSE(IsWindowEnabled(sheet)) << "the pick dialog must own the sheet";
  EXPECT_EQ(WindowText(GetDlgItem(pick, IDC_MAPPING_FOR)), text);
  HWND box = GetDlgItem(pick, IDC_SELECT_LIST);
  const std::vector<std::wstring> shown = ListBoxItems(box);
  Collect offered;
  if (c.offered) {
    c.offered(&offered);
  } else {
    offered.names = {L"2 wires", L"3 wires", L"4 wires", L"None"};
  }
  EXPECT_TRUE(std::is_permutation(shown.begin(), shown.end(), offered.names.begin(),
                                  offered.names.end()));
  EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end(), [](const auto& a, const auto& b) {
    return lstrcmpiW(a.c_str(), b.c_str()) < 0;
  }));

  if (index == 0) {
    // OK without a choice is refused, and the dialog stays.
    SendMessageW(box, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    PostCommand(pick, IDOK);
    HWND message = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (message = FindOwned(pick, 0)) != nullptr; }))
        << "no message";
    const std::vector<std::wstring> texts = ChildTexts(message);
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Make a selection or click cancel"),
              texts.end());
    PostMessageW(message, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntilGone(message));
    EXPECT_TRUE(IsWindowVisible(pick));
  }

  const LRESULT item = SendMessageW(box, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(c.choose));
  ASSERT_NE(item, LB_ERR) << "not offered";
  SendMessageW(box, LB_SETCURSEL, item, 0);
  Picture(pick, std::wstring(c.shot) + L"-pick.bmp");
  PostCommand(pick, IDOK);
  ASSERT_TRUE(WaitUntilGone(pick)) << "the pick dialog stayed";
  // Answered once the page has refilled its list.
  SendMessageW(page, WM_NULL, 0, 0);
  EXPECT_EQ(ListViewText(list, c.row, 2), c.choose);
  Picture(sheet, std::wstring(c.shot) + L".bmp");

  // Next and Back: a jump is posted to the sheet; a neighbour is the sheet's.
  if (c.next < 0) {
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    EXPECT_TRUE(WaitFor([&] {
      return SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0) !=
             reinterpret_cast<LRESULT>(page);
    })) << "Next did not move on";
    return;
  }
  for (const auto& [button, selector] : {std::pair{PSBTN_NEXT, c.next}, {PSBTN_BACK, c.back}}) {
    const size_t before = JumpCount();
    PostMessageW(sheet, PSM_PRESSBUTTON, button, 0);
    ASSERT_TRUE(WaitFor([&] { return JumpCount() > before; })) << "no jump";
    EXPECT_EQ(LastJump(), static_cast<WPARAM>(selector));
    EXPECT_EQ(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0),
              reinterpret_cast<LRESULT>(page));
  }
}

TEST(MappingPagesUi, EachPageMapsThroughItsPickDialog) {
  testing::MiniHost host;
  host.Recording(testing::kPagesRecording);
  CMapFileInformation model = testing::PagesHartModel();
  CMapInputUnitsPage units(&model);
  CMapTempProbeTypePage probes(&model);
  CMapPressMeasTypePage pressures(&model);
  CMapNumWiresPage wires(&model);
  CMapTotalizerUnitsPage totals(&model);
  CTransferFunctionCodePage transfers(&model);
  const HINSTANCE resources = GetModuleHandleW(nullptr);
  std::vector<std::unique_ptr<WizardPageWindow>> views;
  std::vector<HPROPSHEETPAGE> pages;
  for (CEnumMappingPage* logic :
       std::initializer_list<CEnumMappingPage*>{&units, &probes, &pressures, &wires, &totals,
                                                &transfers}) {
    views.push_back(std::make_unique<WizardPageWindow>(resources, *logic));
    pages.push_back(views.back()->CreatePage());
    ASSERT_NE(pages.back(), nullptr);
  }

  std::thread driver([] {
    HWND sheet = nullptr;
    if (WaitFor([&] { return (sheet = g_sheet) != nullptr && IsWindowVisible(sheet); })) {
      for (int index = 0; index < 6 && !::testing::Test::HasFatalFailure(); ++index) {
        SendMessageW(sheet, PSM_SETCURSEL, index, 0);
        DrivePage(sheet, index, kPages[index]);
      }
    } else {
      ADD_FAILURE() << "the sheet did not open";
    }
    // Whatever happened, close what is open.
    for (HWND left; (left = FindOwned(nullptr, IDC_SELECT_LIST)) != nullptr; Sleep(200)) {
      PostMessageW(left, WM_COMMAND, IDCANCEL, 0);
    }
    if (sheet) PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  });
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_WIZARD | PSH_USECALLBACK;
  header.hInstance = resources;
  header.nPages = static_cast<UINT>(pages.size());
  header.phpage = pages.data();
  header.pfnCallback = SheetCallback;
  const INT_PTR shown = PropertySheetW(&header);
  EXPECT_GE(shown, 0) << GetLastError();
  driver.join();

  // What reached the model.
  std::wstring name;
  EXPECT_TRUE(model.GetUnitsMappingName(7, name) && name == L"psi") << name;
  EXPECT_TRUE(model.GetNumWiresMappingName(3, name) && name == L"None") << name;
  EXPECT_EQ(model.m_NumWiresMap, (CEnumerationList{{3, 251}}));
}

}  // namespace
}  // namespace ravelin
