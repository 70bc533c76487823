// The browsing dialogs against a fake window over the sample plant's
// recording: the exact rows of each list, the type filters, which selected
// row counts, the enumeration opened from a row, the clipboard text, and
// servers or monikers that give nothing.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/Text.h"
#include "browse/BrowseIds.h"
#include "browse/SelectBlock.h"
#include "browse/SelectEnumeration.h"
#include "browse/SelectParameter.h"
#include "plant/PlantContent.h"
#include "plant/RecordingText.h"
#include "support/FakeControls.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace ravelin {
namespace {

using Rows = std::vector<std::vector<std::wstring>>;

class FakeView : public testing::FakeControls<BrowseView> {
 public:
  void AddColumn(int column, const std::wstring& title, int width) override {
    columns.push_back(Format(L"%d %s %d", column, title.c_str(), width));
  }
  void DeleteAllRows() override { rows.clear(); }
  void AppendRow(const std::vector<std::wstring>& columns) override { rows.push_back(columns); }
  int RowCount() override { return static_cast<int>(rows.size()); }
  std::wstring RowText(int row, int column) override { return rows.at(row).at(column); }
  std::vector<int> SelectedRows() override { return selected; }
  void ShowContextMenu(int menuId) override { menus.push_back(menuId); }
  void RunEnumeration(CSelectEnumeration& dialog) override {
    opened.push_back(Format(L"%s on %s, fieldbus %d", dialog.m_strParamMoniker.c_str(),
                            dialog.m_strServer.c_str(), dialog.m_bFieldbus));
    FakeView list;
    dialog.Attach(&list);
    dialog.OnInitDialog();
    entries = list.rows;
  }
  void Tell(const std::wstring& text) override { told.push_back(text); }
  void End(int result) override { ended.push_back(result); }

  // The names (first column) of the rows.
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> names;
    for (const auto& row : rows) names.push_back(row.at(0));
    return names;
  }

  std::vector<std::wstring> columns;
  Rows rows;
  std::vector<int> selected;
  std::vector<int> menus;
  std::vector<std::wstring> opened;
  Rows entries;
  std::vector<std::wstring> told;
  std::vector<int> ended;
};

constexpr wchar_t kHart[] = L"!ID!PT-101!Hart";
constexpr wchar_t kFieldbus[] = L"!PhysicalDevice!00A1B20103-PT-501";
constexpr wchar_t kBlock[] = L"!PhysicalDevice!00A1B20103-PT-501!BlkId!1";
#define PV L"ItemArray!dynamic_variables!Element!1!Member!"
#define SV L"ItemArray!dynamic_variables!Element!2!Member!"

class BrowseTest : public ::testing::Test {
 protected:
  BrowseTest() { WriteRecording(""); }
  // The sample plant's recording of PLANT1, with `more` appended.
  void WriteRecording(const std::string& more) const {
    dir_.Write(JoinPath(L"recordings", L"PLANT1.rec"),
               plant::RecordingText(plant::BuildPlant(plant::kDefaultTemplates)) + more);
  }
  template <typename Dialog>
  void Open(Dialog& dialog, FakeView& view) {
    dialog.Attach(&view);
    dialog.OnInitDialog();
  }

  testing::TempDir dir_;
  testing::FakePlatform platform_{dir_.Path()};
};

TEST_F(BrowseTest, SelectBlockListsNamedBlocksAndTakesTheUpperSelection) {
  CSelectBlock dialog(kFieldbus, L"PLANT1");
  FakeView view;
  Open(dialog, view);
  EXPECT_EQ(view.columns, (std::vector<std::wstring>{L"0 BlockIndex 100", L"1 Name 100",
                                                     L"2 Label 300"}));
  // Block 3 has no "Name".
  EXPECT_EQ(view.rows, (Rows{{L"0", L"RESOURCE", L"Resource"},
                             {L"1", L"TRANSDUCER", L"Pressure transducer"},
                             {L"2", L"AI", L"Analog input"},
                             {L"4", L"DIAGNOSTICS", L"Diagnostics"}}));

  // The refusal's box is the dialog's own, not one it could stack behind.
  dialog.OnCommand(kIdOk);
  EXPECT_EQ(view.told, std::vector<std::wstring>{L"Make a selection or click cancel"});
  EXPECT_TRUE(platform_.boxes.empty());
  EXPECT_TRUE(view.ended.empty());
  EXPECT_EQ(dialog.m_nBlockIndex, 0);
  dialog.OnCommand(kIdCancel);
  EXPECT_EQ(view.ended, std::vector<int>{kIdCancel});
  EXPECT_EQ(dialog.m_nBlockIndex, 0);

  view.ended.clear();
  view.selected = {2, 3};
  dialog.OnCommand(kIdOk);
  EXPECT_EQ(view.ended, std::vector<int>{kIdOk});
  EXPECT_EQ(dialog.m_nBlockIndex, 2);
}

TEST_F(BrowseTest, HartParametersThenDynamicVariablesRecordsAsMembers) {
  CSelectParameter dialog(kHart, L"PLANT1", false, 0);
  FakeView view;
  Open(dialog, view);
  EXPECT_EQ(view.columns, (std::vector<std::wstring>{L"0 Name 100", L"1 Label 100",
                                                     L"2 Help 300", L"3 Unit 60"}));
  EXPECT_TRUE(view.checked[IDC_TYPE_ALL]);
  EXPECT_EQ(view.rows,
            (Rows{{L"tag", L"Tag", L"", L""},
                  {L"transfer_function", L"Transfer function", L"", L""},
                  {L"pressure_type", L"Pressure type", L"", L""},
                  {L"descriptor", L"Descriptor", L"Text kept in the device", L""},
                  {L"sensor_temperature", L"Sensor temperature (\u00b0C)",
                   L"Accuracy \u00b10.5 \u00b0C", L"degC"},
                  {L"sensor_resistance", L"Sensor resistance", L"Measured in \u03a9", L"Ohm"},
                  {L"final_assembly_number", L"Final assembly number", L"", L""},
                  {L"device_info!Member!MANUFACTURER", L"Manufacturer", L"", L""},
                  {L"device_info!Member!SERIAL_NUMBER", L"Serial number", L"", L""},
                  {L"device_info!Member!LONG_TAG", L"Long tag", L"", L""},
                  {L"device_info!Member!UPPER_SENSOR_LIMIT", L"Upper sensor limit", L"", L"kPa"},
                  {PV L"DIGITAL_UNITS", L"PV units", L"", L""},
                  {PV L"UPPER_RANGE_VALUE", L"Upper range value", L"", L""},
                  {PV L"LOWER_RANGE_VALUE", L"Lower range value", L"", L""},
                  {PV L"ANALOG_VALUE", L"Loop current", L"", L"mA"},
                  {SV L"DIGITAL_UNITS", L"SV units", L"", L""},
                  {SV L"DIGITAL_VALUE", L"Sensor temperature", L"", L"degC"},
                  {SV L"SENSOR_NAME", L"Sensor name", L"", L""},
                  {SV L"CLASSIFICATION", L"Variable classification", L"", L""}}));
}

TEST_F(BrowseTest, FieldbusBlockHasNoDynamicVariables) {
  CSelectParameter dialog(kBlock, L"PLANT1", true, 0);
  FakeView view;
  Open(dialog, view);
  EXPECT_EQ(view.rows,
            (Rows{{L"PRIMARY_UNITS", L"Primary value units", L"", L""},
                  {L"SCALE!Member!EU_100", L"", L"", L""},
                  {L"SCALE!Member!EU_0", L"", L"", L""},
                  {L"PV_FTIME", L"Filter time", L"", L"s"},
                  {L"PRESSURE_TYPE", L"", L"", L""},
                  {L"SENSOR_TEMPERATURE", L"Sensor temperature", L"", L"degC"},
                  {L"TAG_DESC", L"Tag description", L"", L""},
                  {L"SENSOR_SN", L"Sensor serial number", L"", L""},
                  {L"ACCESS_CODE", L"Access code", L"", L""},
                  {L"ALERT_KEY", L"Alert key", L"", L""},
                  {L"SENSOR_RANGE!Member!EU_100", L"Upper limit", L"", L""},
                  {L"SENSOR_RANGE!Member!EU_0", L"Lower limit", L"", L""},
                  {L"SENSOR_RANGE!Member!UNITS_INDEX", L"Units", L"", L""},
                  {L"SENSOR_RANGE!Member!DECIMAL", L"Decimal places", L"", L""}}));
}

TEST_F(BrowseTest, EachTypeButtonFiltersTheList) {
  struct Case {
    const wchar_t* moniker;
    bool fieldbus;
    int filter;
    std::vector<std::wstring> names;
  };
  const Case cases[] = {
      {kHart, false, 1,
       {L"transfer_function", L"pressure_type", L"device_info!Member!MANUFACTURER",
        PV L"DIGITAL_UNITS", SV L"DIGITAL_UNITS"}},
      {kHart, false, 2,
       {L"sensor_temperature", L"sensor_resistance", L"device_info!Member!UPPER_SENSOR_LIMIT",
        PV L"UPPER_RANGE_VALUE", PV L"LOWER_RANGE_VALUE", PV L"ANALOG_VALUE",
        SV L"DIGITAL_VALUE"}},
      {kHart, false, 3,
       {L"tag", L"descriptor", L"device_info!Member!LONG_TAG", SV L"SENSOR_NAME"}},
      {kHart, false, 4, {}},
      {kHart, false, -1, {}},
      {kBlock, true, 1,
       {L"PRIMARY_UNITS", L"PRESSURE_TYPE", L"SENSOR_RANGE!Member!UNITS_INDEX"}},
      {kBlock, true, 2,
       {L"SCALE!Member!EU_100", L"SCALE!Member!EU_0", L"PV_FTIME", L"SENSOR_TEMPERATURE",
        L"SENSOR_RANGE!Member!EU_100", L"SENSOR_RANGE!Member!EU_0"}},
      {kBlock, true, 3, {L"TAG_DESC", L"SENSOR_SN", L"ACCESS_CODE"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Format(L"%s filter %d", c.moniker, c.filter));
    CSelectParameter dialog(c.moniker, L"PLANT1", c.fieldbus, c.filter);
    FakeView view;
    Open(dialog, view);
    EXPECT_EQ(view.Names(), c.names);
  }
}

TEST_F(BrowseTest, ChangingTheFilterReadsTheDeviceAgain) {
  const std::string late = "revision 000026 0007 04 hart\n  param late type=6\n";
  const std::string device = "device 000026 0007 04 hart id=LATE\n";
  WriteRecording(late + device);
  CSelectParameter dialog(L"!ID!LATE!Hart", L"PLANT1", false, 2);
  FakeView view;
  Open(dialog, view);
  EXPECT_TRUE(view.rows.empty());

  // The list shows what the device answers now, not what it answered before.
  WriteRecording(late + "  param later type=4\n" + device);
  view.CheckRadio(IDC_TYPE_ALL, IDC_TYPE_STRING, IDC_TYPE_ALL);
  dialog.OnCommand(IDC_TYPE_ALL);
  EXPECT_EQ(view.Names(), (std::vector<std::wstring>{L"late", L"later"}));
}

TEST_F(BrowseTest, NothingListedAndNothingSaidWhenTheDeviceCannotBeRead) {
  const std::pair<const wchar_t*, const wchar_t*> places[] = {
      {L"OFFLINE", kHart}, {L"PLANT1", L"!ID!NO-SUCH-TAG!Hart"}, {L"PLANT1", L"garbage"}};
  for (const auto& [server, moniker] : places) {
    SCOPED_TRACE(ToUtf8(std::wstring(server) + L" " + moniker));
    FakeView blocks, parameters, entries;
    CSelectBlock block(moniker, server);
    Open(block, blocks);
    CSelectParameter parameter(moniker, server, false, 0);
    Open(parameter, parameters);
    CSelectEnumeration enumeration(std::wstring(moniker) + L"!Param!transfer_function", server,
                                   false);
    Open(enumeration, entries);
    EXPECT_TRUE(blocks.rows.empty() && parameters.rows.empty() && entries.rows.empty());
  }
  EXPECT_TRUE(platform_.boxes.empty());
}

TEST_F(BrowseTest, SelectParameterTakesTheLowerSelectionAndOpensItsEnumeration) {
  CSelectParameter dialog(kHart, L"PLANT1", false, 1);
  FakeView view;
  Open(dialog, view);
  dialog.m_strParameter = L"before";
  dialog.OnCommand(IDC_SHOW_ENUM);
  dialog.OnCommand(kIdOk);
  EXPECT_EQ(view.told, std::vector<std::wstring>(2, L"Make a selection or click cancel"));
  EXPECT_TRUE(platform_.boxes.empty());
  EXPECT_TRUE(view.opened.empty());
  EXPECT_TRUE(view.ended.empty());
  dialog.OnCommand(kIdCancel);
  EXPECT_EQ(dialog.m_strParameter, L"before");

  view.selected = {0, 3};
  dialog.OnCommand(IDC_SHOW_ENUM);
  EXPECT_EQ(view.entries, (Rows{{L"kPa"}, {L"BAR"}, {L"inH2O@68F"}, {L"MPa"}}));
  view.selected = {0, 1};
  dialog.OnCommand(IDC_SHOW_ENUM);
  EXPECT_EQ(view.entries, (Rows{{L"Gauge"}, {L"Absolute"}}));
  EXPECT_EQ(view.opened,
            (std::vector<std::wstring>{
                L"!ID!PT-101!Hart!" PV L"DIGITAL_UNITS on PLANT1, fieldbus 0",
                L"!ID!PT-101!Hart!Param!pressure_type on PLANT1, fieldbus 0"}));

  view.selected = {1, 4};
  dialog.OnCommand(kIdOk);
  EXPECT_EQ(dialog.m_strParameter, SV L"DIGITAL_UNITS");
  EXPECT_EQ(view.ended, (std::vector<int>{kIdCancel, kIdOk}));
}

TEST_F(BrowseTest, EnumerationEntriesOfAFieldbusParameter) {
  CSelectEnumeration dialog(std::wstring(kFieldbus) + L"!BlkId!4!Param!ACTIVE_CONDITION",
                            L"PLANT1", true);
  FakeView view;
  Open(dialog, view);
  ASSERT_EQ(view.rows.size(), 500u);
  EXPECT_EQ(view.rows[0], std::vector<std::wstring>{L"Condition 000"});
  EXPECT_EQ(view.rows[1], std::vector<std::wstring>{L"Condition 263"});
  dialog.OnCommand(kIdOk);
  EXPECT_EQ(view.ended, std::vector<int>{kIdOk});
}

TEST_F(BrowseTest, CopyParameterListWritesOneLinePerRow) {
  CSelectParameter dialog(kHart, L"PLANT1", false, 2);
  FakeView view;
  Open(dialog, view);
  dialog.OnListRightClick();
  EXPECT_EQ(view.menus, std::vector<int>{IDR_PARAMETER_MENU});
  dialog.OnCommand(ID_COPY_TO_CLIPBOARD);
  // The map files' conversion: 1252 bytes, '?' for what it lacks.
  EXPECT_EQ(ToCp1252(platform_.clipboard),
            "ParamName;Label;HelpText\r\n"
            "sensor_temperature;Sensor temperature (\xb0" "C);Accuracy \xb1" "0.5 \xb0" "C\r\n"
            "sensor_resistance;Sensor resistance;Measured in ?\r\n"
            "device_info!Member!UPPER_SENSOR_LIMIT;Upper sensor limit;\r\n"
            "ItemArray!dynamic_variables!Element!1!Member!UPPER_RANGE_VALUE;Upper range value;\r\n"
            "ItemArray!dynamic_variables!Element!1!Member!LOWER_RANGE_VALUE;Lower range value;\r\n"
            "ItemArray!dynamic_variables!Element!1!Member!ANALOG_VALUE;Loop current;\r\n"
            "ItemArray!dynamic_variables!Element!2!Member!DIGITAL_VALUE;Sensor temperature;\r\n");

  view.CheckRadio(IDC_TYPE_ALL, IDC_TYPE_STRING, -1);
  dialog.FillParameterList();
  platform_.clipboardAvailable = false;
  dialog.CopyParameterList();
  EXPECT_EQ(platform_.clipboard, L"ParamName;Label;HelpText\r\n");
  EXPECT_TRUE(platform_.boxes.empty());
}

}  // namespace
}  // namespace ravelin
