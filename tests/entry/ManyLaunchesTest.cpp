// The portable half of a plug-in that a host keeps loaded: many launches
// in one process through LaunchFenlet, each tool worked to its end through
// fake windows over a small sample plant (the launcher's runs, test device
// creation, the wizard's walks against the recording, launch data that
// makes no sense). Under AddressSanitizer whatever a launch loses fails
// the program at exit, with the stack that allocated it.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "entry/LaunchDispatch.h"
#include "mapfile/PickLists.h"
#include "outside/db/DataSource.h"
#include "platform/Platform.h"
#include "plant/PlantGenerator.h"
#include "support/FakeControls.h"
#include "support/FakePlatform.h"
#include "support/FakeRows.h"
#include "support/SampleLaunchData.h"
#include "support/TempDir.h"
#include "tester/FakeLauncherView.h"
#include "tester/MapFileTestLauncherDlg.h"
#include "tester/TesterIds.h"
#include "templates/CreateTestDevices.h"
#include "wizard/MapFileWizard.h"
#include "wizard/PageViews.h"
#include "wizard/WizardIds.h"
#include "wizard/WizardPage.h"

namespace ravelin {
namespace {

using testing::FakePlatform;

class PageView : public testing::FakeRows<testing::FakeControls<WizardPageView>> {
 public:
  class Combo : public CodeListControl {
   public:
    void ResetContent() override { items.clear(); }
    void AddItem(const std::wstring&, int32_t code) override { items.push_back(code); }
    std::vector<int32_t> items;
  };
  CodeListControl* CodeList(int id) override { return &combos[id]; }
  std::optional<int32_t> SelectedCode(int) override { return std::nullopt; }
  void SelectCode(int, int32_t) override {}
  void SetWizardButtons(unsigned) override {}
  void Tell(const std::wstring&) override {}
  int RunSelectParameter(CSelectParameter&) override { return kIdCancel; }
  int RunSelectBlock(CSelectBlock&) override { return kIdCancel; }
  void AddColumn(int, const std::wstring&, int) override {}
  void Redisplay() override {}
  void RowsComplete() override {}
  bool IsRowSelected(int) override { return false; }
  int RunPickDialog(CSelectUnitDialog&) override { return kIdCancel; }

  std::map<int, Combo> combos;
};

// A sheet that opens each page on its first visit, as the property sheet
// does, and follows Next, jumps included.
class Sheet : public WizardSheetView {
 public:
  int AddPage(CWizardPage& page) override {
    pages.push_back(&page);
    views.push_back(std::make_unique<PageView>());
    page.AttachWindow(views.back().get());
    opened.push_back(false);
    return static_cast<int>(pages.size()) - 1;
  }
  void SetActivePage(int position) override {
    current = position;
    if (!opened[position]) pages[position]->OnInitDialog();
    opened[position] = true;
    pages[position]->OnSetActive();
  }
  bool Confirm(const std::wstring&) override { return true; }

  // Next until the finished page or `nexts` presses; false if a page stays.
  bool Next(CMapFileWizard& wizard, int nexts) {
    for (int n = 0; n < nexts && pages[current]->DialogId() != IDD_WIZARD_FINISHED; ++n) {
      const int before = current;
      pages[current]->ReadFields();
      const PageMove move = pages[current]->OnWizardNext();
      if (move.kind == PageMove::kNeighbour) SetActivePage(current + 1);
      if (move.kind == PageMove::kJump) wizard.OnGotoWizardPage(move.selector);
      if (current == before) return false;
    }
    return true;
  }
  std::vector<CWizardPage*> pages;
  std::vector<std::unique_ptr<PageView>> views;
  std::vector<bool> opened;
  int current = 0;
};

// The tools as a user works them; `templates` and `write` say what the
// next batch run and the next wizard do.
class WorkedTools : public Tools {
 public:
  explicit WorkedTools(std::wstring deviceList) : deviceList_(std::move(deviceList)) {}

  void RunDeviceTester(const std::wstring& server, const std::wstring& tag) override {
    CMapFileTestLauncherDlg launcher(server, tag);
    testing::FakeView view;
    launcher.Attach(&view);
    launcher.OnInitDialog();
    launcher.OnCommand(IDC_RUN_TEST);
    launcher.Attach(nullptr);
    ++ran;
  }
  void RunBatchTester(const std::wstring& server) override {
    CMapFileTestLauncherDlg launcher(server);
    testing::FakeView view;
    launcher.Attach(&view);
    launcher.OnInitDialog();
    view.SetText(IDC_INPUT_FILE, deviceList_);
    launcher.OnCommand(templates ? IDC_ALL_TEMPLATES : IDC_DEVICES_FROM_FILE);
    view.CheckRadio(IDC_ALL_TEMPLATES, IDC_DEVICES_FROM_FILE,
                    templates ? IDC_ALL_TEMPLATES : IDC_DEVICES_FROM_FILE);
    launcher.OnCommand(IDC_RUN_TEST);
    EXPECT_EQ(view.completions.size(), 1u) << "the batch run did not complete";
    launcher.OnCommand(kIdCancel);
    launcher.Attach(nullptr);
    ++ran;
  }
  void RunMapFileWizard(const std::wstring& tag, const std::wstring& moniker,
                        const std::wstring& server, int32_t manufacturer, int32_t type,
                        int32_t revision, bool fieldbus) override {
    Sheet sheet;
    CMapFileWizard wizard(sheet, tag, moniker, server, manufacturer, type, revision, fieldbus);
    sheet.SetActivePage(0);
    sheet.Next(wizard, write ? 15 : 2);
    if (write && sheet.pages[sheet.current]->DialogId() == IDD_WIZARD_FINISHED) {
      sheet.pages[sheet.current]->OnCommand(IDC_WRITE);
      ++written;
    }
    sheet.pages[sheet.current]->ReadControls();
    wizard.QueryClose();
    ++ran;
  }
  void CreateTestDevices(const std::wstring& server) override {
    ravelin::CreateTestDevices(server);
    ++ran;
  }

  bool templates = false, write = false;
  int ran = 0, written = 0;

 private:
  std::wstring deviceList_;
};

using testing::kPlant;
using testing::kPt101;
constexpr wchar_t kPt501[] =
    L"<FFDevice>1</FFDevice><TARNTAG>PT-501</TARNTAG><MONIKER>!PhysicalDevice!00A1B20103-PT-501"
    L"</MONIKER><MANUFACTURER_ID>41394</MANUFACTURER_ID><DEVICE_TYPE_ID>259</DEVICE_TYPE_ID>"
    L"<DEVICE_REVISION>2</DEVICE_REVISION><PLANTSERVERNAME>PLANT1</PLANTSERVERNAME>";

TEST(ManyLaunches, EveryToolOverAndOverInOneProcess) {
  testing::TempDir dir;
  const std::wstring root = dir.Join(L"plant");
  plant::GeneratePlant(root, 10);
  UseHostDataSources(root);
  FakePlatform platform(root);
  const std::wstring list = dir.Write(L"devices.txt", "PT-101\r\n!NamedConfig!Pressure template\r\n");
  WorkedTools tools(list);

  struct Launch {
    const wchar_t* operation;
    std::wstring data;
    bool templates = false, write = false, yes = false;
  };
  const std::wstring garbage(5000, L'<');
  const Launch cycle[] = {
      {L"3", kPlant, false, false, false},
      {L"1", kPt101, false, false, false},
      {L"2", kPlant, false, false, false},
      {L"0", kPt101, false, false, false},
      {L"1", kPt101, false, true, false},
      {L"3", kPlant, true, false, false},
      {L"1", kPt501, false, false, false},
      {L"0", L"<TARNTAG>NO-SUCH</TARNTAG><PLANTSERVERNAME>PLANT1</PLANTSERVERNAME>"},
      {L"1", L"<TARNTAG>PT-101", false, false, false},
      {L"3", L"<PLANTSERVERNAME>..\\x</PLANTSERVERNAME>", true, false, false},
      {L"1", L"<FFDevice>1</FFDevice><PLANTSERVERNAME>NOSERVER</PLANTSERVERNAME>"},
      {L"0", garbage},
      {L"9", kPlant},
      {L"2", kPlant, false, false, true},
  };
  constexpr int kCycles = 15;
  for (int round = 0; round < kCycles; ++round) {
    for (const Launch& launch : cycle) {
      // Yes to creation a few times only: each adds a device per template.
      if (launch.yes && round % 5 == 0) platform.answers.push_back(kIdYes);
      tools.templates = launch.templates;
      tools.write = launch.write;
      LaunchFenlet(launch.operation, launch.data, tools);
      platform.answers.clear();
      platform.boxes.clear();
      platform.started.clear();
    }
  }
  // Every launch but the unknown operation and the creations answered No.
  EXPECT_EQ(tools.ran, kCycles * 11 + 3);
  EXPECT_EQ(tools.written, kCycles);
}

}  // namespace
}  // namespace ravelin
