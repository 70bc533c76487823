#include <gtest/gtest.h>

#include "MapFileTestSupport.h"

namespace ravelin::testing {
namespace {

const std::wstring kDynamic = L"ItemArray!dynamic_variables!Element!1!Member!";

TEST(MapFileModelTest, ConstructorDefaultsWithoutAMapFile) {
  MapFileHost host;
  const CMapFileInformation hart = HartModel();
  EXPECT_EQ(hart.m_strTag, L"PT-101");
  EXPECT_EQ(hart.m_strMoniker, L"!ID!PT-101!Hart");
  EXPECT_EQ(hart.m_strPlantServer, L"PLANT1");
  EXPECT_EQ(hart.m_nManufacturer, 0x9cu);
  EXPECT_FALSE(hart.IsFieldbus());
  EXPECT_FALSE(hart.m_bWirelessHart);
  EXPECT_EQ(hart.m_nBlockIndex, -1);
  EXPECT_EQ(hart.m_strUrvParam, kDynamic + L"UPPER_RANGE_VALUE");
  EXPECT_EQ(hart.m_strLrvParam, kDynamic + L"LOWER_RANGE_VALUE");
  EXPECT_EQ(hart.m_strUnitsParam, kDynamic + L"DIGITAL_UNITS");
  EXPECT_FALSE(hart.m_bUrvDefault || hart.m_bLrvDefault || hart.m_bUnitsDefault);
  EXPECT_TRUE(hart.m_strUrvDefault.empty() && hart.m_strLrvDefault.empty());
  EXPECT_EQ(hart.m_strTagParam, L"Param!tag");
  EXPECT_EQ(hart.m_strMessageParam, L"Param!message");
  EXPECT_EQ(hart.m_strDescriptorParam, L"Param!descriptor");

  const CMapFileInformation fieldbus = FieldbusModel();
  EXPECT_TRUE(fieldbus.IsFieldbus());
  EXPECT_TRUE(fieldbus.m_strUrvParam.empty() && fieldbus.m_strLrvParam.empty() &&
              fieldbus.m_strUnitsParam.empty());
  EXPECT_TRUE(fieldbus.m_bUrvDefault && fieldbus.m_bLrvDefault && fieldbus.m_bUnitsDefault);
  EXPECT_EQ(fieldbus.m_strUrvDefault, L"100.0");
  EXPECT_EQ(fieldbus.m_strLrvDefault, L"0.0");
  EXPECT_EQ(fieldbus.m_nUnitsDefault, 57);
  EXPECT_TRUE(fieldbus.m_strTagParam.empty() && fieldbus.m_strMessageParam.empty() &&
              fieldbus.m_strDescriptorParam.empty());

  for (const CMapFileInformation* model : {&hart, &fieldbus}) {
    EXPECT_EQ(model->m_nInputBlockType, 1);
    EXPECT_TRUE(model->m_bPressMeasDefault);
    EXPECT_EQ(model->m_nPressMeasDefault, 1);
    EXPECT_TRUE(model->m_bNumWiresDefault);
    EXPECT_EQ(model->m_nNumWiresDefault, 2);
    EXPECT_TRUE(model->m_bDampingDefault);
    EXPECT_EQ(model->m_strDampingDefault, L"1.0");
    EXPECT_TRUE(model->m_bTransferFuncDefault);
    EXPECT_EQ(model->m_nTransferFuncDefault, 0);
    EXPECT_FALSE(model->m_bTotalizer);
    EXPECT_TRUE(model->m_UnitsMap.empty() && model->m_ProbeTypeMap.empty() &&
                model->m_TotalizerUnitsMap.empty());
  }
}

TEST(MapFileModelTest, BlockMoniker) {
  MapFileHost host;
  CMapFileInformation hart = HartModel();
  hart.m_nBlockIndex = 4;
  EXPECT_EQ(hart.GetBlockMoniker(), L"!ID!PT-101!Hart");

  CMapFileInformation fieldbus = FieldbusModel();
  EXPECT_EQ(fieldbus.GetBlockMoniker(), L"!PhysicalDevice!TT-201!BlkId!-1");
  fieldbus.m_nBlockIndex = 12;
  EXPECT_EQ(fieldbus.GetBlockMoniker(), L"!PhysicalDevice!TT-201!BlkId!12");
}

TEST(MapFileModelTest, SettersReplaceInPlaceAndLookupsUseTheirOwnTable) {
  MapFileHost host;
  CMapFileInformation model = HartModel();
  model.SetUnitsMapping(5, 32);
  model.SetUnitsMapping(6, 33);
  model.SetUnitsMapping(5, 39);
  ASSERT_EQ(model.m_UnitsMap, (CEnumerationList{{5, 39}, {6, 33}}));

  std::wstring name = L"unchanged";
  EXPECT_FALSE(model.GetUnitsMappingName(7, name));
  EXPECT_EQ(name, L"unchanged");
  ASSERT_TRUE(model.GetUnitsMappingName(5, name));
  EXPECT_EQ(name, L"mA");

  // One DD code, mapped to common code 2 in every list: each lookup must
  // name it from its own table.
  model.SetPressMeasMapping(1, 2);
  model.SetProbeTypeMapping(1, 2);
  model.SetNumWiresMapping(1, 2);
  model.SetTransferFuncMapping(1, 2);
  model.SetTotalizerUnitsMapping(1, 2);
  ASSERT_TRUE(model.GetPressMeasMappingName(1, name));
  EXPECT_EQ(name, L"Differential");
  ASSERT_TRUE(model.GetProbeTypeMappingName(1, name));
  EXPECT_EQ(name, L"Volts");
  ASSERT_TRUE(model.GetNumWiresMappingName(1, name));
  EXPECT_EQ(name, L"2 wires");
  ASSERT_TRUE(model.GetTransferFuncMappingName(1, name));
  EXPECT_EQ(name, L"Square Root 3rd Power");
  ASSERT_TRUE(model.GetTotalizerUnitsMappingName(1, name));
  EXPECT_EQ(name, L"inHg @0C");

  // Only the low 16 bits of a common code count; an unnamed code reads empty.
  model.SetUnitsMapping(8, 0x10000 + 32);
  ASSERT_TRUE(model.GetUnitsMappingName(8, name));
  EXPECT_EQ(name, L"degC");
  model.SetUnitsMapping(9, 999);
  ASSERT_TRUE(model.GetUnitsMappingName(9, name));
  EXPECT_TRUE(name.empty());

  // A list read from a file may hold a DD code twice: the first one counts.
  model.m_UnitsMap.push_back({6, 32});
  ASSERT_TRUE(model.GetUnitsMappingName(6, name));
  EXPECT_EQ(name, L"degF");
}

}  // namespace
}  // namespace ravelin::testing
