// The map file wizard against a fake sheet: the page order, every Back and
// Next of the navigation, the three walks, and the parameter pages' rules
// (messages, Browse, block index, defaults), the finished page's Write and
// the question before unwritten changes are thrown away.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "browse/SelectBlock.h"
#include "browse/SelectParameter.h"
#include "mapfile/PickLists.h"
#include "support/FakeControls.h"
#include "tester/MiniHost.h"
#include "wizard/MapFileWizard.h"
#include "wizard/MappingPages.h"
#include "wizard/ParameterPages.h"
#include "wizard/WizardIds.h"

namespace ravelin {
namespace {

using testing::MiniHost;

class FakeCombo : public CodeListControl {
 public:
  void ResetContent() override { items.clear(); }
  void AddItem(const std::wstring& name, int32_t code) override { items.emplace_back(name, code); }
  std::vector<std::pair<std::wstring, int32_t>> items;
  std::optional<size_t> selected;
};

class FakeView : public testing::FakeControls<ParameterPageView> {
 public:
  CodeListControl* CodeList(int id) override { return &combos[id]; }
  std::optional<int32_t> SelectedCode(int id) override {
    FakeCombo& combo = combos[id];
    if (!combo.selected) return std::nullopt;
    return combo.items.at(*combo.selected).second;
  }
  void SelectCode(int id, int32_t code) override {
    FakeCombo& combo = combos[id];
    combo.selected.reset();
    for (size_t i = 0; i < combo.items.size(); ++i) {
      if (combo.items[i].second == code) {
        combo.selected = i;
        return;
      }
    }
  }
  void SetWizardButtons(unsigned flags) override { buttons = flags; }
  void Tell(const std::wstring& text) override { told.push_back(text); }
  int RunSelectParameter(CSelectParameter& dialog) override {
    browsed.push_back(Format(L"%s %d %d", dialog.m_strBlockMoniker.c_str(),
                             dialog.m_bFieldbus ? 1 : 0, dialog.m_nTypeFilter));
    dialog.m_strParameter = answer;
    return answerOk ? kIdOk : kIdCancel;
  }
  int RunSelectBlock(CSelectBlock& dialog) override {
    browsed.push_back(dialog.m_strMoniker);
    dialog.m_nBlockIndex = 7;
    return answerOk ? kIdOk : kIdCancel;
  }

  std::map<int, FakeCombo> combos;
  unsigned buttons = 0xFF;
  std::vector<std::wstring> told, browsed;
  std::wstring answer;
  bool answerOk = true;
};

// A sheet that activates pages as the property sheet does: Init on the
// first visit, arrival on every one; jumps arrive after the handler.
class FakeSheet : public WizardSheetView {
 public:
  int AddPage(CWizardPage& page) override {
    const int position = static_cast<int>(pages.size());
    auto* parameter = dynamic_cast<CParameterPage*>(&page);
    pages.push_back({&page, parameter, page.DialogId()});
    if (parameter) parameter->Attach(&views[position]);
    return position;
  }
  // Mapping pages are not opened: their lists are tested on their own.
  void SetActivePage(int position) override {
    current = position;
    Entry& entry = pages.at(position);
    if (!entry.parameter) return;
    if (!entry.opened) entry.parameter->OnInitDialog();
    entry.opened = true;
    entry.parameter->OnSetActive();
  }
  bool Confirm(const std::wstring& question) override {
    questions.push_back(question);
    return yes;
  }

  void Press(bool next) {
    Entry& entry = pages.at(current);
    const PageMove move = next ? entry.page->OnWizardNext() : entry.page->OnWizardBack();
    if (move.kind == PageMove::kNeighbour) SetActivePage(current + (next ? 1 : -1));
    if (move.kind == PageMove::kJump) wizard->OnGotoWizardPage(move.selector);
  }
  int Id() const { return pages.at(current).id; }
  FakeView& View() { return views[current]; }

  struct Entry {
    CWizardPage* page;
    // Null for a mapping page.
    CParameterPage* parameter;
    int id;
    bool opened = false;
  };
  std::vector<Entry> pages;
  std::map<int, FakeView> views;
  int current = -1;
  CMapFileWizard* wizard = nullptr;
  std::vector<std::wstring> questions;
  bool yes = false;
};

struct Wizard {
  explicit Wizard(bool fieldbus)
      : wizard(sheet, fieldbus ? L"TT-501" : L"PT-900", L"!PhysicalDevice!SN9", L"PLANT1",
               0x26, fieldbus ? 0x1234 : 0x77, 1, fieldbus) {
    sheet.wizard = &wizard;
    sheet.SetActivePage(0);
  }
  // Moves to the page of `id` by position, as the sheet would show it.
  void Show(int id) {
    for (size_t i = 0; i < sheet.pages.size(); ++i) {
      if (sheet.pages[i].id == id) sheet.SetActivePage(static_cast<int>(i));
    }
  }
  CMapFileInformation& Model() { return wizard.m_mapInfo; }
  FakeSheet sheet;
  CMapFileWizard wizard;
};

constexpr int kHartOrder[] = {208, 210, 209, 214, 223, 224, 215, 220, 219, 211, 221, 212};

TEST(MapFileWizard, PageOrderSelectorsAndIgnoredJump) {
  MiniHost host;
  Wizard hart(false);
  ASSERT_EQ(hart.wizard.PageCount(), 12);
  for (size_t i = 0; i < std::size(kHartOrder); ++i) EXPECT_EQ(hart.sheet.pages[i].id, kHartOrder[i]);
  EXPECT_EQ(hart.sheet.Id(), IDD_INPUT_PARAMETER);
  const int32_t hartIndex[] = {0, 2, 6, 3, 4, 5, 7, 8, 9, 10, 11};
  for (int s = 0; s <= kWizardFinished; ++s) EXPECT_EQ(hart.wizard.m_pageIndex[s], hartIndex[s]) << s;

  Wizard fieldbus(true);
  ASSERT_EQ(fieldbus.wizard.PageCount(), 13);
  EXPECT_EQ(fieldbus.sheet.Id(), IDD_TRANSDUCER_BLOCK);
  EXPECT_EQ(fieldbus.sheet.View().buttons, kWizNext);
  for (int s = 0; s <= kWizardFinished; ++s) {
    EXPECT_EQ(fieldbus.wizard.m_pageIndex[s], hartIndex[s] + 1) << s;
  }
  fieldbus.wizard.OnGotoWizardPage(kWizardFinished + 1);
  fieldbus.wizard.OnGotoWizardPage(0xFFFFFFFF);
  EXPECT_EQ(fieldbus.sheet.Id(), IDD_TRANSDUCER_BLOCK);
  fieldbus.wizard.OnGotoWizardPage(kWizardFinished);
  EXPECT_EQ(fieldbus.sheet.Id(), IDD_WIZARD_FINISHED);
}

// Every row of the navigation: the page, the model fields that decide,
// the button, and where the sheet ends up (the same page: it stayed).
TEST(MapFileWizard, NavigationTable) {
  MiniHost host;
  using Model = CMapFileInformation;
  struct Case {
    int line;
    int page;
    void (*setup)(Model&);
    bool next;
    int expected;
  };
  auto none = [](Model&) {};
  auto unitsDefault = [](Model& m) { m.m_bUnitsDefault = true; };
  auto unitsParam = [](Model& m) { m.m_bUnitsDefault = false; m.m_strUnitsParam = L"Param!U"; };
  auto noUnits = [](Model& m) { m.m_bUnitsDefault = false; m.m_strUnitsParam.clear(); };
  auto generic = [](Model& m) { m.m_nInputBlockType = 1; };
  auto genericTotal = [](Model& m) { m.m_nInputBlockType = 1; m.m_bTotalizer = true; };
  auto pressDefault = [](Model& m) { m.m_nInputBlockType = 5; m.m_bPressMeasDefault = true; };
  auto pressMapped = [](Model& m) { m.m_nInputBlockType = 5; m.m_bPressMeasDefault = false; };
  auto temperature = [](Model& m) { m.m_nInputBlockType = 99; };
  auto wiresDefault = [](Model& m) { m.m_nInputBlockType = 99; m.m_bNumWiresDefault = true; };
  auto wiresParam = [](Model& m) {
    m.m_nInputBlockType = 99; m.m_bNumWiresDefault = false; m.m_strNumWiresParam = L"Param!W";
  };
  auto noWires = [](Model& m) { m.m_bNumWiresDefault = false; m.m_strNumWiresParam.clear(); };
  auto otherType = [](Model& m) { m.m_nInputBlockType = 2; };
  auto funcDefault = [](Model& m) { m.m_bTransferFuncDefault = true; };
  auto funcMapped = [](Model& m) { m.m_bTransferFuncDefault = false; };
  const Case cases[] = {
      {__LINE__, 208, unitsDefault, true, 209},
      {__LINE__, 208, unitsParam, true, 210},
      {__LINE__, 208, noUnits, true, 208},
      {__LINE__, 210, none, false, 208},
      {__LINE__, 210, none, true, 209},
      {__LINE__, 209, unitsDefault, false, 208},
      {__LINE__, 209, unitsParam, false, 210},
      {__LINE__, 209, generic, true, 220},
      {__LINE__, 209, pressDefault, true, 211},
      {__LINE__, 209, pressMapped, true, 215},
      {__LINE__, 209, temperature, true, 214},
      {__LINE__, 209, otherType, true, 209},
      {__LINE__, 214, none, false, 209},
      {__LINE__, 214, none, true, 223},
      {__LINE__, 223, none, false, 214},
      {__LINE__, 223, wiresDefault, true, 211},
      {__LINE__, 223, wiresParam, true, 224},
      {__LINE__, 223, noWires, true, 223},
      {__LINE__, 224, none, false, 223},
      {__LINE__, 224, none, true, 211},
      {__LINE__, 215, none, false, 209},
      {__LINE__, 215, none, true, 211},
      {__LINE__, 220, none, false, 209},
      {__LINE__, 220, generic, true, 211},
      {__LINE__, 220, genericTotal, true, 219},
      {__LINE__, 219, none, false, 220},
      {__LINE__, 219, none, true, 211},
      {__LINE__, 211, generic, false, 220},
      {__LINE__, 211, genericTotal, false, 219},
      {__LINE__, 211, pressDefault, false, 209},
      {__LINE__, 211, pressMapped, false, 215},
      {__LINE__, 211, wiresDefault, false, 223},
      {__LINE__, 211, wiresParam, false, 224},
      {__LINE__, 211, otherType, false, 211},
      {__LINE__, 211, funcDefault, true, 212},
      {__LINE__, 211, funcMapped, true, 221},
      {__LINE__, 221, none, false, 211},
      {__LINE__, 221, none, true, 212},
      {__LINE__, 212, funcDefault, false, 211},
      {__LINE__, 212, funcMapped, false, 221},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Wizard w(false);
    c.setup(w.Model());
    w.Show(c.page);
    ASSERT_EQ(w.sheet.Id(), c.page);
    w.sheet.Press(c.next);
    EXPECT_EQ(w.sheet.Id(), c.expected);
  }

  // The transducer block page: Next to its sheet neighbour once an index is there.
  Wizard fieldbus(true);
  fieldbus.sheet.View().texts[IDC_BLOCK_INDEX] = L"1";
  fieldbus.sheet.Press(true);
  EXPECT_EQ(fieldbus.sheet.Id(), IDD_INPUT_PARAMETER);
  EXPECT_EQ(fieldbus.sheet.View().buttons, kWizBack | kWizNext);
}

// The walks from the input parameters (units mapped), by Next, then back
// by Back to the start.
TEST(MapFileWizard, ThreeWalksForthAndBack) {
  MiniHost host;
  struct Walk {
    const char* name;
    int blockType;
    bool pressDefault, numWiresDefault, totalizer, funcDefault;
    std::vector<int> pages;
  };
  const Walk walks[] = {
      {"generic", 1, true, true, false, true, {208, 210, 209, 220, 211, 212}},
      {"generic, totalizer", 1, true, true, true, false, {208, 210, 209, 220, 219, 211, 221, 212}},
      {"pressure, default", 5, true, true, false, true, {208, 210, 209, 211, 212}},
      {"pressure, mapped", 5, false, true, false, false, {208, 210, 209, 215, 211, 221, 212}},
      {"temperature", 99, true, false, false, true, {208, 210, 209, 214, 223, 224, 211, 212}},
      {"temperature, wires default", 99, true, true, false, true, {208, 210, 209, 214, 223, 211, 212}},
  };
  for (const Walk& walk : walks) {
    SCOPED_TRACE(walk.name);
    Wizard w(false);
    CMapFileInformation& m = w.Model();
    m.m_strUnitsParam = L"Param!PRIMARY_UNITS";
    m.m_bUnitsDefault = false;
    m.m_nInputBlockType = walk.blockType;
    m.m_bPressMeasDefault = walk.pressDefault;
    m.m_bNumWiresDefault = walk.numWiresDefault;
    m.m_strNumWiresParam = L"Param!WIRES";
    m.m_bTotalizer = walk.totalizer;
    m.m_bTransferFuncDefault = walk.funcDefault;
    w.Show(208);
    std::vector<int> seen{w.sheet.Id()};
    while (w.sheet.Id() != IDD_WIZARD_FINISHED && seen.size() < 20) {
      w.sheet.Press(true);
      seen.push_back(w.sheet.Id());
    }
    EXPECT_EQ(seen, walk.pages);
    std::vector<int> back{w.sheet.Id()};
    while (w.sheet.Id() != IDD_INPUT_PARAMETER && back.size() < 20) {
      w.sheet.Press(false);
      back.push_back(w.sheet.Id());
    }
    EXPECT_EQ(back, std::vector<int>(walk.pages.rbegin(), walk.pages.rend()));
    EXPECT_EQ(w.sheet.views[w.wizard.m_pageIndex[kWizardFinished]].buttons,
              kWizBack | kWizFinish);
  }
}

TEST(ParameterPages, MessagesBlockIndexAndArrivalDefaults) {
  MiniHost host;
  Wizard fieldbus(true);
  FakeView& block = fieldbus.sheet.View();
  struct IndexCase {
    const wchar_t* text;
    int32_t stored;
  };
  for (const IndexCase& c : {IndexCase{L"12ab", 12}, IndexCase{L"ab", 0},
                             IndexCase{L"4294967298", 2147483647}, IndexCase{L"3", 3}}) {
    fieldbus.Show(IDD_TRANSDUCER_BLOCK);
    block.texts[IDC_BLOCK_INDEX] = c.text;
    fieldbus.sheet.Press(true);
    EXPECT_EQ(fieldbus.Model().m_nBlockIndex, c.stored) << c.text;
    EXPECT_EQ(fieldbus.sheet.Id(), IDD_INPUT_PARAMETER);
  }
  fieldbus.Show(IDD_TRANSDUCER_BLOCK);
  for (const wchar_t* refused : {L"", L"-2"}) {
    block.texts[IDC_BLOCK_INDEX] = refused;
    fieldbus.sheet.Press(true);
    EXPECT_EQ(fieldbus.sheet.Id(), IDD_TRANSDUCER_BLOCK);
  }
  EXPECT_EQ(block.told, (std::vector<std::wstring>{L"You must enter a blockIndex ",
                                                    kNegativeBlockIndexMessage}));
  EXPECT_EQ(fieldbus.Model().m_nBlockIndex, 3);

  // A fieldbus model without a map file defaults the calibration.
  fieldbus.Show(IDD_INPUT_PARAMETER);
  FakeView& input = fieldbus.sheet.View();
  EXPECT_TRUE(input.checked[IDC_URV_DEFAULT_BOX] && input.checked[IDC_LRV_DEFAULT_BOX] &&
              input.checked[IDC_UNITS_DEFAULT_BOX]);
  EXPECT_EQ(input.texts[IDC_URV_DEFAULT], L"100.0");
  EXPECT_EQ(input.texts[IDC_LRV_DEFAULT], L"0.0");
  EXPECT_EQ(input.SelectedCode(IDC_DEFAULT_COMBO), 57);

  Wizard hart(false);
  FakeView& hartInput = hart.sheet.View();
  EXPECT_FALSE(hartInput.checked[IDC_UNITS_DEFAULT_BOX]);
  EXPECT_NE(hartInput.texts[IDC_UNITS_PARAM].find(L"ItemArray"), std::wstring::npos);
  hartInput.texts[IDC_UNITS_PARAM] = L"";
  hart.sheet.Press(true);
  EXPECT_EQ(hartInput.told, std::vector<std::wstring>{L"You must enter units parameter"});

  // Model defaults on the later pages; the wires message.
  hart.Show(IDD_INPUT_BLOCK_TYPE);
  FakeView& type = hart.sheet.View();
  EXPECT_TRUE(type.checked[IDC_GENERIC] && !type.checked[IDC_PRESSURE]);
  EXPECT_TRUE(type.checked[IDC_USE_DEFAULT_BOX]);
  EXPECT_EQ(type.SelectedCode(IDC_DEFAULT_COMBO), 1);
  EXPECT_FALSE(type.enabled[IDC_PRESS_MEAS_PARAM] || type.enabled[IDC_PROBE_TYPE_BROWSE]);
  hart.sheet.pages[hart.sheet.current].parameter->OnCommand(IDC_PRESSURE);
  EXPECT_TRUE(type.enabled[IDC_PRESS_MEAS_PARAM] && type.enabled[IDC_DEFAULT_COMBO]);
  EXPECT_FALSE(type.enabled[IDC_PROBE_TYPE_PARAM]);
  type.SelectCode(IDC_DEFAULT_COMBO, 2);
  hart.sheet.Press(true);
  EXPECT_EQ(hart.Model().m_nPressMeasDefault, 2);
  EXPECT_EQ(hart.sheet.Id(), IDD_INPUT_OUTPUT_RELATION);
  EXPECT_TRUE(hart.sheet.View().checked[IDC_DAMPING_DEFAULT_BOX]);
  EXPECT_EQ(hart.sheet.View().texts[IDC_DAMPING_DEFAULT], L"1.0");
  // Temperature after a pressure default leaves that default alone.
  hart.Show(IDD_INPUT_BLOCK_TYPE);
  hart.sheet.pages[hart.sheet.current].parameter->OnCommand(IDC_TEMPERATURE);
  EXPECT_EQ(hart.Model().m_nInputBlockType, 99);
  EXPECT_TRUE(hart.Model().m_bPressMeasDefault);
  EXPECT_EQ(hart.Model().m_nPressMeasDefault, 2);

  hart.Show(IDD_NUM_WIRES_PARAMETER);
  FakeView& wires = hart.sheet.View();
  EXPECT_TRUE(wires.checked[IDC_NUM_WIRES_DEFAULT_BOX]);
  EXPECT_EQ(wires.SelectedCode(IDC_NUM_WIRES_COMBO), 2);
  EXPECT_EQ(wires.combos[IDC_NUM_WIRES_COMBO].items.size(), 3u);
  wires.checked[IDC_NUM_WIRES_DEFAULT_BOX] = false;
  wires.texts[IDC_NUM_WIRES_PARAM] = L"";
  hart.sheet.Press(true);
  EXPECT_EQ(hart.sheet.Id(), IDD_NUM_WIRES_PARAMETER);
  EXPECT_EQ(wires.told, std::vector<std::wstring>{kNoNumWiresParamMessage});

  // The totalizer page passes with its box checked and both fields empty.
  hart.Show(IDD_TOTALIZER_PARAMS);
  FakeView& total = hart.sheet.View();
  EXPECT_FALSE(total.enabled[IDC_TOTALIZER_UNITS_PARAM]);
  total.checked[IDC_TOTALIZER_BOX] = true;
  hart.sheet.pages[hart.sheet.current].parameter->OnCommand(IDC_TOTALIZER_BOX);
  EXPECT_TRUE(total.enabled[IDC_TOTALIZER_UNITS_PARAM] && total.enabled[IDC_TOTALIZER_VALUE_BROWSE]);
  EXPECT_EQ(total.buttons, 0xFFu);
  hart.sheet.Press(true);
  EXPECT_EQ(hart.sheet.Id(), IDD_MAP_TOTALIZER_UNITS);
  EXPECT_TRUE(total.told.empty());
}

// A default code the pick list does not hold (as read from a map file) is
// shown as its number and kept; a default box checked with no code chosen
// is refused on Next.
TEST(ParameterPages, DefaultsOutsideThePickListsAndUnchosenOnes) {
  MiniHost host;
  using Model = CMapFileInformation;
  struct Case {
    int line;
    int page;
    void (*setup)(Model&);
    int combo;
    int32_t Model::*code;
    std::optional<std::wstring> shown;  // the selected item's name
    int next;                           // the page Next leads to
    const wchar_t* told;
  };
  auto units = [](Model& m) { m.m_bUnitsDefault = true; m.m_nUnitsDefault = 170; };
  auto noUnits = [](Model& m) { m.m_bUnitsDefault = true; m.m_nUnitsDefault = kNoCode; };
  auto press = [](Model& m) {
    m.m_nInputBlockType = 5; m.m_bPressMeasDefault = true; m.m_nPressMeasDefault = 3;
  };
  auto noPress = [](Model& m) {
    m.m_nInputBlockType = 5; m.m_bPressMeasDefault = true; m.m_nPressMeasDefault = kNoCode;
  };
  auto wires = [](Model& m) { m.m_bNumWiresDefault = true; m.m_nNumWiresDefault = 5; };
  auto noWires = [](Model& m) { m.m_bNumWiresDefault = true; m.m_nNumWiresDefault = kNoCode; };
  const Case cases[] = {
      {__LINE__, 208, units, IDC_DEFAULT_COMBO, &Model::m_nUnitsDefault, L"170", 209, nullptr},
      {__LINE__, 208, noUnits, IDC_DEFAULT_COMBO, &Model::m_nUnitsDefault, std::nullopt, 208,
       kNoUnitsDefaultMessage},
      {__LINE__, 209, press, IDC_DEFAULT_COMBO, &Model::m_nPressMeasDefault, L"3", 211, nullptr},
      {__LINE__, 209, noPress, IDC_DEFAULT_COMBO, &Model::m_nPressMeasDefault, std::nullopt,
       209, kNoPressMeasDefaultMessage},
      {__LINE__, 223, wires, IDC_NUM_WIRES_COMBO, &Model::m_nNumWiresDefault, L"5", 211, nullptr},
      {__LINE__, 223, noWires, IDC_NUM_WIRES_COMBO, &Model::m_nNumWiresDefault, std::nullopt,
       223, kNoNumWiresDefaultMessage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Wizard w(true);  // opens on the block page: the pages below start afresh
    c.setup(w.Model());
    const int32_t before = w.Model().*c.code;
    w.Show(c.page);
    FakeView& view = w.sheet.View();
    FakeCombo& combo = view.combos[c.combo];
    std::optional<std::wstring> shown;
    if (combo.selected) shown = combo.items.at(*combo.selected).first;
    EXPECT_EQ(shown, c.shown);
    w.sheet.Press(true);
    EXPECT_EQ(w.sheet.Id(), c.next);
    EXPECT_EQ(view.told, c.told ? std::vector<std::wstring>{c.told} : std::vector<std::wstring>{});
    EXPECT_EQ(w.Model().*c.code, before);
    // Shown again on the next visit, not added twice.
    w.Show(c.page);
    const std::set<std::pair<std::wstring, int32_t>> distinct(combo.items.begin(),
                                                               combo.items.end());
    EXPECT_EQ(combo.items.size(), distinct.size());
  }
}

// Every Browse button: its filter, the stored name, the box and flag it
// clears, and the redisplay (after Cancel too).
TEST(ParameterPages, BrowseTable) {
  MiniHost host;
  using Model = CMapFileInformation;
  struct Case {
    int page, button, filter;
    std::wstring Model::*field;
    int box;
    bool Model::*flag;
    int fieldControl;
  };
  const Case cases[] = {
      {208, IDC_URV_BROWSE, 2, &Model::m_strUrvParam, IDC_URV_DEFAULT_BOX, &Model::m_bUrvDefault, IDC_URV_PARAM},
      {208, IDC_LRV_BROWSE, 2, &Model::m_strLrvParam, IDC_LRV_DEFAULT_BOX, &Model::m_bLrvDefault, IDC_LRV_PARAM},
      {208, IDC_UNITS_BROWSE, 1, &Model::m_strUnitsParam, IDC_UNITS_DEFAULT_BOX, &Model::m_bUnitsDefault, IDC_UNITS_PARAM},
      {209, IDC_PRESS_MEAS_BROWSE, 1, &Model::m_strPressMeasParam, IDC_USE_DEFAULT_BOX, nullptr, IDC_PRESS_MEAS_PARAM},
      {209, IDC_PROBE_TYPE_BROWSE, 1, &Model::m_strProbeTypeParam, 0, nullptr, IDC_PROBE_TYPE_PARAM},
      {223, IDC_NUM_WIRES_BROWSE, 1, &Model::m_strNumWiresParam, IDC_NUM_WIRES_DEFAULT_BOX, &Model::m_bNumWiresDefault, IDC_NUM_WIRES_PARAM},
      {220, IDC_TOTALIZER_UNITS_BROWSE, 1, &Model::m_strTotalizerUnitsParam, 0, nullptr, IDC_TOTALIZER_UNITS_PARAM},
      {220, IDC_TOTALIZER_VALUE_BROWSE, 2, &Model::m_strTotalizerValueParam, 0, nullptr, IDC_TOTALIZER_VALUE_PARAM},
      {211, IDC_RELATION_BROWSE, 1, &Model::m_strTransferFuncParam, IDC_RELATION_DEFAULT_BOX, &Model::m_bTransferFuncDefault, IDC_RELATION_PARAM},
      {211, IDC_DAMPING_BROWSE, 2, &Model::m_strDampingParam, IDC_DAMPING_DEFAULT_BOX, &Model::m_bDampingDefault, IDC_DAMPING_PARAM},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    Wizard w(true);
    w.Model().m_nBlockIndex = 4;
    if (c.flag) w.Model().*c.flag = true;
    w.Show(c.page);
    FakeView& view = w.sheet.View();
    CParameterPage& page = *w.sheet.pages[w.sheet.current].parameter;
    if (c.box) view.checked[c.box] = true;

    view.answer = L"ANYTHING";
    view.answerOk = false;
    view.texts[c.fieldControl] = L"typed";
    page.OnCommand(c.button);
    EXPECT_EQ(view.texts[c.fieldControl], L"typed");
    if (c.box) {
      EXPECT_TRUE(view.checked[c.box]);
    }

    view.answerOk = true;
    page.OnCommand(c.button);
    EXPECT_EQ(view.browsed.back(), Format(L"!PhysicalDevice!SN9!BlkId!4 1 %d", c.filter));
    EXPECT_EQ(w.Model().*c.field, L"Param!ANYTHING");
    EXPECT_EQ(view.texts[c.fieldControl], L"Param!ANYTHING");
    if (c.box) {
      EXPECT_FALSE(view.checked[c.box]);
    }
    if (c.flag) {
      EXPECT_FALSE(w.Model().*c.flag);
    }

    view.answer = L"ItemArray!DynamicVariables!1!DIGITAL_UNITS";
    page.OnCommand(c.button);
    EXPECT_EQ(w.Model().*c.field, view.answer);
  }

  // The block browser takes the device moniker and fills the index.
  Wizard fieldbus(true);
  FakeView& block = fieldbus.sheet.View();
  fieldbus.sheet.pages[0].parameter->OnCommand(IDC_BLOCK_BROWSE);
  EXPECT_EQ(block.browsed, std::vector<std::wstring>{L"!PhysicalDevice!SN9"});
  EXPECT_EQ(fieldbus.Model().m_nBlockIndex, 7);
  EXPECT_EQ(block.texts[IDC_BLOCK_INDEX], L"7");
}

TEST(WizardFinishedPage, WriteFailureWirelessAndCloseQuestion) {
  MiniHost host;
  // The fieldbus device folder does not exist: Write fails and says so.
  Wizard fieldbus(true);
  EXPECT_TRUE(fieldbus.wizard.QueryClose());
  fieldbus.Model().m_bWirelessHart = true;
  fieldbus.wizard.OnGotoWizardPage(kWizardFinished);
  FakeView& finished = fieldbus.sheet.View();
  EXPECT_TRUE(finished.hidden[IDC_WIRELESS_BOX]);
  auto& page = static_cast<CWizardFinishedPage&>(*fieldbus.sheet.pages[fieldbus.sheet.current].parameter);
  fieldbus.Model().m_strDampingDefault = L"2.5";
  EXPECT_FALSE(page.OnWrite());
  ASSERT_EQ(finished.told.size(), 1u);
  const std::wstring path = fieldbus.Model().GetMapFilePath();
  EXPECT_EQ(finished.told[0], L"The map file " + path + L" could not be written: its folder does not exist.");
  EXPECT_TRUE(fieldbus.Model().m_bWirelessHart);
  EXPECT_FALSE(fieldbus.wizard.QueryClose());
  EXPECT_EQ(fieldbus.sheet.questions, std::vector<std::wstring>{
      L"The map file has not been written. Close the wizard anyway?"});
  fieldbus.sheet.yes = true;
  EXPECT_TRUE(fieldbus.wizard.QueryClose());
  EXPECT_FALSE(FileExists(path));

  // HART: the box decides the wireless flag; a write clears the question.
  Wizard hart(false);
  std::filesystem::create_directories(FsPath(hart.Model().GetDeviceDirectory()));
  hart.wizard.OnGotoWizardPage(kWizardFinished);
  FakeView& view = hart.sheet.View();
  EXPECT_FALSE(view.hidden[IDC_WIRELESS_BOX]);
  EXPECT_FALSE(view.checked[IDC_WIRELESS_BOX]);
  view.checked[IDC_WIRELESS_BOX] = true;
  auto& hartPage = static_cast<CWizardFinishedPage&>(*hart.sheet.pages[hart.sheet.current].parameter);
  // The box counts only when written, or read as Cancel and Finish read
  // the page before asking.
  EXPECT_TRUE(hart.wizard.QueryClose());
  hartPage.ReadControls();
  EXPECT_FALSE(hart.wizard.QueryClose());
  hart.Model().m_strUrvParam = L"Param!UPPER";
  EXPECT_FALSE(hart.wizard.QueryClose());
  hart.sheet.questions.clear();
  EXPECT_TRUE(hartPage.OnWrite());
  EXPECT_TRUE(hart.Model().m_bWirelessHart);
  EXPECT_TRUE(view.told.empty());
  EXPECT_TRUE(hart.wizard.QueryClose());
  EXPECT_TRUE(hart.sheet.questions.empty());
  EXPECT_TRUE(FileExists(hart.Model().GetMapFilePath()));
}

// Values the file held longer than can be read back are shown cut, with one
// warning; a value that cannot be written is refused, and the file stays.
TEST(WizardFinishedPage, CutValuesToldAndUnwritableValueRefused) {
  MiniHost host;
  host.MapFile(0x26, 0x77, 1,
               testing::CrLf({"[PARAMETER MAP]",
                              ("input block Upper Range Value=Param!" + std::string(300, 'u')).c_str(),
                              ("Descriptor=Param!" + std::string(300, 'd')).c_str()}));
  Wizard w(false);
  const std::wstring path = w.Model().GetMapFilePath();
  FakeView& input = w.sheet.View();
  EXPECT_EQ(input.told, std::vector<std::wstring>{Format(
      L"The map file %s holds values longer than the 259 characters that are read back: "
      L"\"Descriptor\", \"input block Upper Range Value\". They are shown cut, and Write "
      L"stores them as shown.", path.c_str())});
  EXPECT_EQ(input.texts[IDC_URV_PARAM], L"Param!" + std::wstring(253, L'u'));
  w.Show(IDD_INPUT_BLOCK_TYPE);
  w.Show(IDD_INPUT_PARAMETER);
  EXPECT_EQ(input.told.size(), 1u) << "told once";

  const std::string before = testing::ReadBytes(path);
  w.Model().m_strDescriptorParam = L"Param!\u65e5\u672c_Druck";
  w.wizard.OnGotoWizardPage(kWizardFinished);
  auto& page = static_cast<CWizardFinishedPage&>(*w.sheet.pages[w.sheet.current].parameter);
  EXPECT_FALSE(page.OnWrite());
  EXPECT_EQ(w.sheet.View().told, std::vector<std::wstring>{Format(
      L"The map file %s could not be written: the value of \"Descriptor\" holds characters "
      L"that code page %u cannot hold: \u65e5 (U+65E5), \u672c (U+672C).",
      path.c_str(), AnsiCodePage())});
  EXPECT_EQ(testing::ReadBytes(path), before);
}

// Write with each step of the file's writing failing in turn: the earlier
// map file stays as it was, nothing is left beside it, the user is told, and
// the changes still count as unwritten.
TEST(WizardFinishedPage, AFailedWriteLeavesTheEarlierFile) {
  MiniHost host;
  host.MapFile(0x26, 0x77, 1, testing::CrLf({"[PARAMETER MAP]", "Descriptor=Param!OLD"}));
  Wizard w(false);
  const std::wstring path = w.Model().GetMapFilePath();
  const std::string before = testing::ReadBytes(path);
  w.Model().m_strDescriptorParam = L"Param!NEW";
  w.wizard.OnGotoWizardPage(kWizardFinished);
  auto& page = static_cast<CWizardFinishedPage&>(*w.sheet.pages[w.sheet.current].parameter);
  FakeView& view = w.sheet.View();
  for (uint64_t n = 1;; ++n) {
    SCOPED_TRACE("failed step " + std::to_string(n));
    view.told.clear();
    FailNthFileWrite(n);
    const bool written = page.OnWrite();
    const bool reached = FileWriteStepsCounted() >= n;
    FailNthFileWrite(0);
    EXPECT_FALSE(FileExists(path + L".tmp"));
    if (!reached) {
      EXPECT_TRUE(written);
      EXPECT_GT(n, 3u) << "create, write, close and rename are steps";
      EXPECT_NE(testing::ReadBytes(path), before);
      EXPECT_FALSE(page.HasUnwrittenChanges());
      break;
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(testing::ReadBytes(path), before);
    EXPECT_TRUE(page.HasUnwrittenChanges());
    ASSERT_EQ(view.told.size(), 1u);
    EXPECT_EQ(view.told[0].rfind(L"The map file " + path + L" could not be written: ", 0), 0u);
  }
}

}  // namespace
}  // namespace ravelin
