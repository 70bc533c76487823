// The enumeration mapping pages and their pick dialogs against fake views:
// the rows read from a recorded device, the toolkit calls of a fill,
// Single-Map and Auto-Map, the refused OK, and the map sections the model
// then writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "mapfile/MapFileInformation.h"
#include "support/FakeRows.h"
#include "tester/MiniHost.h"
#include "wizard/PagesRecording.h"
#include "wizard/MappingPages.h"
#include "wizard/SelectMappingDialogs.h"
#include "wizard/WizardIds.h"

namespace ravelin {
namespace {

using testing::MiniHost;
using Row = testing::FakeRows<MappingPageView>::Row;
using Rows = std::vector<Row>;

class FakeSelectView : public SelectMappingView {
 public:
  void ResetContent() override { items.clear(); }
  void AddItem(const std::wstring& name, int32_t code) override { items.emplace_back(name, code); }
  void ShowMappingFor(const std::wstring& text) override { shownFor = text; }
  std::optional<int32_t> CurrentCode() override {
    for (const auto& [name, code] : items) {
      if (name == current) return code;
    }
    return std::nullopt;
  }
  void Tell(const std::wstring& text) override { told.push_back(text); }
  void End(int result) override { ended = result; }

  std::vector<std::pair<std::wstring, int32_t>> items;
  std::wstring shownFor;
  std::wstring current;  // the name of the current item, none when empty
  std::vector<std::wstring> told;
  std::optional<int> ended;
};

// What the user does in a pick dialog: choose a name (or nothing) and
// press OK, or press Cancel.
struct PickAction {
  std::wstring choose;
  bool ok = true;
};

class FakePageView : public testing::FakeRows<MappingPageView> {
 public:
  void AddColumn(int column, const std::wstring& title, int width) override {
    columns.push_back(Format(L"%d %s %d", column, title.c_str(), width));
  }
  void Redisplay() override { ++fills; }
  void RowsComplete() override { ++completed; }
  bool IsRowSelected(int row) override { return selected.count(row) != 0; }
  void SetWizardButtons(unsigned flags) override { buttons = flags; }
  int RunPickDialog(CSelectUnitDialog& dialog) override {
    FakeSelectView& view = picks.emplace_back();
    dialog.Attach(&view);
    dialog.OnInitDialog();
    view.current = action.choose;
    if (action.ok) dialog.OnOK();
    // A refused OK leaves the dialog open; the user then cancels.
    if (!view.ended) dialog.OnCancel();
    dialog.Attach(nullptr);
    return *view.ended;
  }

  std::vector<std::wstring> columns;
  std::set<int> selected;
  unsigned buttons = 0;
  int fills = 0;
  int completed = 0;
  PickAction action;
  std::vector<FakeSelectView> picks;
};

CMapFileInformation HartModel() { return testing::PagesHartModel(); }

CMapFileInformation FieldbusModel() {
  CMapFileInformation model(L"TT-200", L"!PhysicalDevice!SN1", L"PLANT1", 0x26, 0x123, 1, 1);
  model.m_nBlockIndex = 1;
  model.m_strUnitsParam = L"Param!PRIMARY_UNITS";
  model.m_strProbeTypeParam = L"Param!SENSOR_TYPE";
  model.m_strNumWiresParam = L"Param!SENSOR_CONNECTION";
  return model;
}

class MappingPageTest : public ::testing::Test {
 protected:
  MappingPageTest() { host_.Recording(testing::kPagesRecording); }

  // The page opened on the view and arrived at.
  template <typename Page>
  std::unique_ptr<Page> Arrive(CMapFileInformation& model) {
    auto page = std::make_unique<Page>(&model);
    page->Attach(&view_);
    page->OnInitDialog();
    page->OnSetActive();
    return page;
  }

  MiniHost host_;
  FakePageView view_;
};

TEST(MappingPagesTable, ColumnsAndButtons) {
  CMapFileInformation model = HartModel();
  struct Case {
    std::unique_ptr<CEnumMappingPage> page;
    int dialog;
    std::vector<std::wstring> columns;
    bool autoMap;
  };
  Case cases[] = {
      {std::make_unique<CMapInputUnitsPage>(&model), 210,
       {L"0 DDL Unit Name 100", L"1 Unit Code 100", L"2 Map File Unit Name 300"}, true},
      {std::make_unique<CMapTempProbeTypePage>(&model), 214,
       {L"0 DDL ProbeType 100", L"1 Code 100", L"2 Map File ProbeType 300"}, true},
      {std::make_unique<CMapPressMeasTypePage>(&model), 215,
       {L"0 DDL Pressure Type 100", L"1 Code 100", L"2 Map File Pressure Type 300"}, true},
      {std::make_unique<CMapNumWiresPage>(&model), 224,
       {L"0 DDL NumWires 100", L"1 Code 100", L"2 Map File NumWires 300"}, false},
      {std::make_unique<CMapTotalizerUnitsPage>(&model), 219,
       {L"0 DDL Unit Name 100", L"1 Unit Code 100", L"2 Map File Unit Name 300"}, true},
      {std::make_unique<CTransferFunctionCodePage>(&model), 221,
       {L"0 DDL Relationship 100", L"1 Trans Func Code 100", L"2 Map Relationship Name 300"},
       false},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.dialog);
    FakePageView view;
    c.page->Attach(&view);
    c.page->OnInitDialog();
    EXPECT_EQ(view.columns, c.columns);
    EXPECT_EQ(c.page->DialogId(), c.dialog);
    EXPECT_EQ(c.page->HasAutoMap(), c.autoMap);
  }
}

TEST_F(MappingPageTest, RowsOfAHartDeviceAndAFieldbusBlock) {
  CMapFileInformation hart = HartModel();
  hart.SetUnitsMapping(7, 7);
  Arrive<CMapInputUnitsPage>(hart);
  EXPECT_EQ(view_.rows, (Rows{{L"kPa", L"12", L""}, {L"bar", L"7", L"bar"},
                              {L"Special", L"254", L""}}));
  EXPECT_EQ(view_.buttons, kWizBack | kWizNext);

  CMapFileInformation fieldbus = FieldbusModel();
  fieldbus.SetProbeTypeMapping(104, 1);
  Arrive<CMapTempProbeTypePage>(fieldbus);
  std::wstring pt100;
  fieldbus.GetProbeTypeMappingName(104, pt100);
  EXPECT_FALSE(pt100.empty());
  EXPECT_EQ(view_.rows, (Rows{{L"Pt 100", L"104", pt100}, {L"Other", L"500", L""}}));

  // The list holds no state: a parameter without entries empties it.
  fieldbus.m_strProbeTypeParam = L"Param!NOT_THERE";
  Arrive<CMapTempProbeTypePage>(fieldbus);
  EXPECT_TRUE(view_.rows.empty());
}

TEST_F(MappingPageTest, AutoMapTranslatesEveryListedCode) {
  struct Case {
    const char* what;
    bool fieldbus;
    std::function<std::unique_ptr<CEnumMappingPage>(CMapFileInformation*)> make;
    CEnumerationList CMapFileInformation::*list;
    CEnumerationList expected;
  };
  const Case cases[] = {
      {"HART units", false,
       [](CMapFileInformation* m) { return std::make_unique<CMapInputUnitsPage>(m); },
       &CMapFileInformation::m_UnitsMap, {{12, 12}, {7, 7}, {254, 250}}},
      // 240 has no common name: a map file could not hold it.
      {"HART totalizer units", false,
       [](CMapFileInformation* m) { return std::make_unique<CMapTotalizerUnitsPage>(m); },
       &CMapFileInformation::m_TotalizerUnitsMap, {{40, 40}, {41, 41}}},
      {"fieldbus units", true,
       [](CMapFileInformation* m) { return std::make_unique<CMapInputUnitsPage>(m); },
       &CMapFileInformation::m_UnitsMap, {{1000, 35}, {999, 250}}},
      {"pressure types", false,
       [](CMapFileInformation* m) { return std::make_unique<CMapPressMeasTypePage>(m); },
       &CMapFileInformation::m_PressMeasMap, {{107, 0}, {108, 1}, {109, 2}, {5, 250}}},
      {"fieldbus probe types", true,
       [](CMapFileInformation* m) { return std::make_unique<CMapTempProbeTypePage>(m); },
       &CMapFileInformation::m_ProbeTypeMap, {{104, 1}, {500, 250}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CMapFileInformation model = c.fieldbus ? FieldbusModel() : HartModel();
    std::unique_ptr<CEnumMappingPage> page = c.make(&model);
    page->Attach(&view_);
    page->OnSetActive();
    const int fillsBefore = view_.fills;
    page->OnAutoMap();
    EXPECT_EQ(model.*c.list, c.expected);
    EXPECT_EQ(view_.fills, fillsBefore + 1);
    // The names are shown at once; a code left unmapped shows none.
    for (const Row& row : view_.rows) {
      const bool mapped = std::any_of(c.expected.begin(), c.expected.end(),
                                      [&](const CEnumeration& e) {
                                        return std::to_wstring(e.m_nDDCode) == row[1];
                                      });
      EXPECT_EQ(row[2].empty(), !mapped) << row[0];
    }
  }

  // Pages without a translation leave the model alone.
  CMapFileInformation model = HartModel();
  CTransferFunctionCodePage page(&model);
  page.Attach(&view_);
  page.OnSetActive();
  page.OnCommand(IDC_AUTO_MAP);
  EXPECT_TRUE(model.m_TransferFuncMap.empty());
  EXPECT_EQ(view_.rows.size(), 2u);
}

TEST_F(MappingPageTest, SingleMapAndTheRefusedOk) {
  CMapFileInformation model = HartModel();
  model.SetUnitsMapping(99, 5);  // a code the list does not show
  auto page = Arrive<CMapInputUnitsPage>(model);
  const CEnumerationList before = model.m_UnitsMap;

  // No selection: no dialog. Cancel, and OK without a choice (refused, then
  // cancelled): nothing changes.
  page->OnCommand(IDC_SINGLE_MAP);
  EXPECT_TRUE(view_.picks.empty());
  view_.selected = {2};
  view_.action = {L"psi", false};
  page->OnSingleMap();
  view_.action = {L"", true};
  page->OnSingleMap();
  ASSERT_EQ(view_.picks.size(), 2u);
  EXPECT_EQ(view_.picks[1].told, std::vector<std::wstring>{L"Make a selection or click cancel"});
  EXPECT_EQ(view_.picks[1].ended, kIdCancel);
  EXPECT_EQ(model.m_UnitsMap, before);

  // OK with a choice maps the first selected row and shows it at once.
  view_.selected = {1, 2};
  view_.action = {L"psi", true};
  page->OnCommand(IDC_SINGLE_MAP);
  ASSERT_EQ(view_.picks.size(), 3u);
  EXPECT_EQ(view_.picks[2].shownFor, L"bar");
  EXPECT_EQ(view_.picks[2].ended, kIdOk);
  EXPECT_EQ(view_.rows[1], (Row{L"bar", L"7", L"psi"}));
  EXPECT_EQ(view_.rows[2][2], L"");
  view_.selected = {0};
  page->OnSingleMap();

  // Auto-Map overwrites the listed choices and keeps the unlisted code.
  page->OnAutoMap();
  EXPECT_EQ(model.m_UnitsMap, (CEnumerationList{{99, 5}, {7, 7}, {12, 12}, {254, 250}}));
}

TEST(SelectMappingDialogs, ListsAndChoices) {
  CMapFileInformation* model = nullptr;
  struct Case {
    std::unique_ptr<CSelectUnitDialog> dialog;
    std::function<void(CodeListControl*)> filler;  // null: the wires items
  };
  Case cases[] = {
      {std::make_unique<CSelectUnitDialog>(model), FillUnitsList},
      {std::make_unique<CSelectTempProbeDialog>(model), FillProbeTypeList},
      {std::make_unique<CSelectPressMeasDialog>(model), FillPressMeasList},
      {std::make_unique<CSelectRelationshipDialog>(model), FillTransferFuncList},
      {std::make_unique<CSelectNumWiresDialog>(model), nullptr},
  };
  for (Case& c : cases) {
    FakeSelectView view, expected;
    view.AddItem(L"left over", 1);
    if (c.filler) {
      c.filler(&expected);
    } else {
      expected.items = {{L"2 wires", 2}, {L"3 wires", 3}, {L"4 wires", 4}, {L"None", 251}};
    }
    c.dialog->m_strMappingFor = L"Pt 100";
    c.dialog->Attach(&view);
    c.dialog->OnInitDialog();
    EXPECT_EQ(view.items, expected.items);
    EXPECT_EQ(view.shownFor, L"Pt 100");
    EXPECT_EQ(c.dialog->m_nSelectedCode, -1);
    // The last item is chosen: its code comes back with OK.
    view.current = view.items.back().first;
    c.dialog->OnOK();
    EXPECT_EQ(c.dialog->m_nSelectedCode, view.items.back().second);
    EXPECT_EQ(view.ended, kIdOk);
    EXPECT_TRUE(view.told.empty());
  }
}

// A toolkit that logs its calls and serves scripted entries.
class ScriptedToolkit : public IVelkToolkit {
 public:
  struct Entry {
    CVelkResult description, value;
    int32_t waitStatus = 0;
  };
  ScriptedToolkit(std::vector<std::wstring>& log, std::vector<Entry> entries)
      : log_(log), entries_(std::move(entries)) {}

  int32_t NewRoot(const std::wstring& root, int32_t protocol) override {
    return Log(Format(L"NewRoot %s %d", root.c_str(), protocol));
  }
  int32_t SetView(int32_t view) override { return Log(Format(L"SetView %d", view)); }
  int32_t Item(const IVelkToolkit* parent, const std::wstring& moniker) override {
    return Log(Format(L"Item %s %s", parent == this ? L"self" : L"other", moniker.c_str()));
  }
  int32_t Enum(const IVelkToolkit* parent) override {
    return Log(parent == this ? L"Enum self" : L"Enum other");
  }
  int32_t NextEnum() override {
    Log(L"NextEnum");
    return ++next_ <= entries_.size() ? 0 : kVelkEndOfList;
  }
  int32_t Read(const std::wstring& attribute) override { return Log(L"Read " + attribute); }
  int32_t Wait(CVelkResult* results, size_t count) override {
    Log(Format(L"Wait %d", static_cast<int>(count)));
    const Entry& entry = entries_.at(next_ - 1);
    if (entry.waitStatus != 0) return entry.waitStatus;
    results[0] = entry.description;
    results[1] = entry.value;
    return 0;
  }
  int32_t Get(const std::wstring&, CVelkResult&) override { return Log(L"Get"); }
  std::wstring GetMoniker() const override { return L""; }
  int32_t GetView() const override { return 104; }
  int32_t GetProtocol() const override { return 0; }

 private:
  int32_t Log(const std::wstring& call) {
    log_.push_back(call);
    return 0;
  }
  std::vector<std::wstring>& log_;
  std::vector<Entry> entries_;
  size_t next_ = 0;
};

class ScriptedPage : public CMapNumWiresPage {
 public:
  ScriptedPage(CMapFileInformation* model, std::vector<ScriptedToolkit::Entry> entries)
      : CMapNumWiresPage(model), entries_(std::move(entries)) {}
  mutable std::vector<std::wstring> log;

 protected:
  std::unique_ptr<IVelkToolkit> MakeToolkit() const override {
    return std::make_unique<ScriptedToolkit>(log, entries_);
  }

 private:
  std::vector<ScriptedToolkit::Entry> entries_;
};

TEST(MappingPageFill, ToolkitCallsOfOneFill) {
  using Entry = ScriptedToolkit::Entry;
  const CVelkResult number{CVelkVariant(int32_t{4}), 0};
  std::vector<Entry> entries = {
      {{CVelkVariant(std::wstring(L"Two")), 0}, {CVelkVariant(int32_t{2}), 0}},
      {number, {CVelkVariant(int32_t{3}), 0}},   // a description that is no string
      {{}, {}, kVelkNoValue},                    // a failed wait still gives a row
  };
  for (bool fieldbus : {false, true}) {
    SCOPED_TRACE(fieldbus);
    CMapFileInformation model(L"T", fieldbus ? L"!PhysicalDevice!X" : L"!ID!X!Hart", L"P1",
                              0x26, 0x122, 0xa, fieldbus);
    model.m_nBlockIndex = 3;
    model.SetNumWiresMapping(3, 3);
    ScriptedPage page(&model, entries);
    FakePageView view;
    page.Attach(&view);
    page.FillMappingList();

    EXPECT_EQ(view.rows, (Rows{{L"Two", L"2", L""}, {L"", L"3", L"3 wires"}, {L"", L"0", L""}}));
    // An empty parameter path is still asked for.
    std::vector<std::wstring> expected = {
        fieldbus ? L"NewRoot \\\\P1 1" : L"NewRoot \\\\P1 0", L"SetView 104",
        fieldbus ? L"Item self !PhysicalDevice!X!BlkId!3!!Enum" : L"Item self !ID!X!Hart!!Enum",
        L"Enum self"};
    for (int i = 0; i < 3; ++i) {
      expected.insert(expected.end(), {L"NextEnum", L"Read Description", L"Read value", L"Wait 3"});
    }
    expected.push_back(L"NextEnum");
    EXPECT_EQ(page.log, expected);
  }
}

TEST_F(MappingPageTest, AnUnreachableServerLeavesTheListEmpty) {
  CMapFileInformation model = HartModel();
  model.m_strPlantServer = L"NOSUCH";
  auto page = Arrive<CMapInputUnitsPage>(model);
  view_.selected = {0};
  page->OnSingleMap();
  page->OnAutoMap();
  EXPECT_TRUE(view_.rows.empty());
  EXPECT_EQ(view_.completed, view_.fills) << "a fill cut short must still show its rows";
  EXPECT_TRUE(view_.picks.empty());
  EXPECT_TRUE(model.m_UnitsMap.empty());
  EXPECT_TRUE(host_.platform.boxes.empty());
}

// The map sections of the file the model writes after mapping on the pages.
TEST_F(MappingPageTest, WrittenMapSections) {
  CMapFileInformation model = HartModel();
  model.m_nInputBlockType = 5;
  model.m_bPressMeasDefault = false;
  model.m_bTransferFuncDefault = false;

  Arrive<CMapInputUnitsPage>(model)->OnAutoMap();
  Arrive<CMapPressMeasTypePage>(model)->OnAutoMap();
  auto transfer = Arrive<CTransferFunctionCodePage>(model);
  view_.selected = {1};
  view_.action = {L"Square Root", true};
  transfer->OnSingleMap();

  std::filesystem::create_directories(FsPath(model.GetDeviceDirectory()));
  ASSERT_TRUE(model.WriteMapFile());
  const std::string text = testing::ReadBytes(model.GetMapFilePath());
  const size_t maps = text.find("[input block Units Code DD to Common Map]");
  ASSERT_NE(maps, std::string::npos) << text;
  EXPECT_EQ(text.substr(maps), testing::CrLf({
                                   "[input block Units Code DD to Common Map]",
                                   "12=kPa",
                                   "7=bar",
                                   "254=Not Used",
                                   "",
                                   "[Pressure Measurement Type DD to Common Map]",
                                   "107=Gauge",
                                   "108=Absolute",
                                   "109=Differential",
                                   "5=Not Used",
                                   "",
                                   "[Transfer Function Code DD to Common Map]",
                                   "1=Square Root",
                               }));
}

}  // namespace
}  // namespace ravelin
