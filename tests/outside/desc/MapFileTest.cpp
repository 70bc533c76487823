#include "outside/desc/MapFile.h"

#include <gtest/gtest.h>

#include "outside/Conversions.h"
#include "outside/desc/DescFixture.h"

namespace ravelin {
namespace {

using testing::DescFixture;
using testing::Under;

DeviceIdentification Identity(uint32_t manufacturer, uint16_t type, uint8_t revision,
                              uint32_t protocol = kIdentProtocolHart) {
  DeviceIdentification id;
  id.manufacturer = manufacturer;
  id.deviceType = type;
  id.deviceRevision = revision;
  id.protocol = protocol;
  return id;
}

const char kTemperatureMap[] =
    ";Map File\r\n[IDENTIFICATION]\r\nManufacturer=26\r\nUse for CalMgmt=Yes\r\n"
    "Use for Export=Yes\r\n\r\n"
    "[PARAMETER MAP]\r\ninput block Units Code=Param!UNITS\r\n"
    "Transfer Function Code=Param!TF\r\n\r\n"
    "[PARAMETER SPECIAL INFO]\r\ninput block Upper Range Value=No Associated Parameter\r\n"
    "Damping Value=no associated parameter\r\nProbe Type=Formula\r\n"
    "output block Units Code=Something else\r\n\r\n"
    "[DEFAULT PARAMETER VALUES]\r\ninput block Upper Range Value=100.5\r\n"
    "Damping Value=1.5\r\nTransfer Function Code= 2 \r\nWave Form=abc\r\n"
    "Number of Wires=3x\r\n\r\n"
    "[FORMULAS]\r\nProbe Type={Param!OFFSET} + 2\r\n\r\n"
    "[INPUT BLOCK TYPE]\r\nInput block=99\r\nParameter for current PV=SENSOR_SELECT\r\n\r\n"
    "[input block Units Code DD to Common Map]\r\n12=kPa\r\n7=not a unit\r\n\r\n"
    "[DUAL MODE INPUT BLOCK TYPE DD TO COMMON MAP]\r\n0=2\r\n1=3\r\n";

TEST(CMapFileTest, FindsTheDeviceMapFileByIdentityAndUsage) {
  DescFixture f;
  f.MapFile(Under({L"hart", L"000026", L"0007", L"0302.sym"}), "");
  const std::wstring hart = f.MapFile(Under({L"hart", L"000026", L"0007", L"0302.map"}), kTemperatureMap);
  const std::wstring ff = f.MapFile(Under({L"ff", L"000026", L"0007", L"0301.map"}),
                                    "[IDENTIFICATION]\r\nUse for Export=yes\r\nBlock Index=1200\r\n");
  int32_t kind = -1;
  CMapFile calibration(Identity(0x26, 7, 3), nullptr, L"Use for CalMgmt", &kind, true, true);
  EXPECT_EQ(kind, kDeviceMapFile);
  EXPECT_EQ(calibration.m_strMapFilePath, hart);
  EXPECT_EQ(calibration.m_bMapFileExists, 1);
  EXPECT_EQ(calibration.m_nBlockIndex, 0);

  CMapFile exportOnly(Identity(0x26, 7, 3, kIdentProtocolFieldbus), nullptr, L"Use for Export",
                      &kind, true, true);
  EXPECT_EQ(kind, kDeviceMapFile);
  EXPECT_EQ(exportOnly.m_strMapFilePath, ff);
  EXPECT_EQ(exportOnly.m_nBlockIndex, 1200);

  // The fieldbus file is not meant for calibration, and there is no generic one.
  CMapFile refused(Identity(0x26, 7, 3, kIdentProtocolFieldbus), nullptr, L"Use for CalMgmt",
                   &kind, true, true);
  EXPECT_EQ(kind, kNoMapFile);
  EXPECT_EQ(refused.m_bMapFileExists, 0);
  EXPECT_EQ(refused.m_strMapFilePath, L"");
  uint32_t type = 7;
  EXPECT_NE(refused.GetInputBlockType(&type), 0);
  EXPECT_EQ(type, 7u);
}

TEST(CMapFileTest, FallsBackToTheGenericMapFileOfTheProtocol) {
  DescFixture f;
  const std::wstring generic = f.MapFile(Under({L"ff", L"Generic", L"Generic.map"}),
                                         "[IDENTIFICATION]\r\nUse for CalMgmt=Yes\r\nBlock Index=3\r\n");
  int32_t kind = -1;
  CMapFile fieldbus(Identity(0x99, 1, 1, kIdentProtocolFieldbus), nullptr, L"Use for CalMgmt",
                    &kind, true, true);
  EXPECT_EQ(kind, kGenericMapFile);
  EXPECT_EQ(fieldbus.m_strMapFilePath, generic);
  EXPECT_EQ(fieldbus.m_nBlockIndex, 3);
  CMapFile hart(Identity(0x99, 1, 1), nullptr, L"Use for CalMgmt", &kind, true, true);
  EXPECT_EQ(kind, kNoMapFile);  // the HART root has no generic map file
}

TEST(CMapFileTest, AnswersWhatTheMapFileSaysOfEachQuantity) {
  DescFixture f;
  f.MapFile(Under({L"hart", L"000026", L"0007", L"0301.map"}), kTemperatureMap);
  CVelkToolkit device = f.DeviceCursor();
  int32_t kind = 0;
  CMapFile map(Identity(0x26, 7, 3), &device, L"Use for CalMgmt", &kind, true, true);
  ASSERT_EQ(kind, kDeviceMapFile);

  struct NameCase {
    const wchar_t* common;
    int32_t result;
    const wchar_t* ddName;
    int32_t special;
  } names[] = {
      {L"input block Units Code", 0, L"Param!UNITS", kOrdinaryParameter},
      {L"INPUT BLOCK UNITS CODE", 0, L"Param!UNITS", kOrdinaryParameter},
      {L"input block Upper Range Value", kDescNotFound, L"unchanged", kNoAssociatedParameter},
      {L"Damping Value", kDescNotFound, L"unchanged", kNoAssociatedParameter},
      {L"Probe Type", kDescNotFound, L"unchanged", kFormulaParameter},
      {L"output block Units Code", kDescNotFound, L"unchanged", kOrdinaryParameter},
      {L"Totalizer Units", kDescNotFound, L"unchanged", kOrdinaryParameter},
  };
  for (const auto& c : names) {
    std::wstring ddName = L"unchanged";
    int32_t special = 77;
    EXPECT_EQ(map.GetParamName(c.common, ddName, special), c.result)
        << ::testing::PrintToString(std::wstring(c.common));
    EXPECT_EQ(ddName, c.ddName);
    EXPECT_EQ(special, c.special);
  }

  double real = 0;
  EXPECT_EQ(map.GetDefaultParamValue(L"Damping Value", kVtR4, &real, 0), 0);
  EXPECT_DOUBLE_EQ(real, 1.5);
  EXPECT_EQ(map.GetDefaultParamValue(L"input block Upper Range Value", kVtR4, &real, 0), 0);
  EXPECT_DOUBLE_EQ(real, 100.5);
  int32_t code = 9999;
  EXPECT_EQ(map.GetDefaultParamValue(L"Transfer Function Code", kVtI4, &code, 0), 0);
  EXPECT_EQ(code, 2);
  EXPECT_NE(map.GetDefaultParamValue(L"Wave Form", kVtI4, &code, 0), 0);
  EXPECT_NE(map.GetDefaultParamValue(L"Number of Wires", kVtI4, &code, 0), 0);
  EXPECT_NE(map.GetDefaultParamValue(L"Probe Connect", kVtI4, &code, 0), 0);
  EXPECT_NE(map.GetDefaultParamValue(L"Damping Value", kVtBstr, &code, 0), 0);
  EXPECT_EQ(code, 2);

  CUnitsConversion units;
  uint16_t kpa = 0;
  ASSERT_EQ(units.GetCode(kpa, L"kPa"), 0);
  uint16_t common = 9999;
  EXPECT_EQ(map.GetDdToCommonEnumMap(L"input block Units Code", &units, 12, &common), 0);
  EXPECT_EQ(common, kpa);
  common = 9999;
  EXPECT_NE(map.GetDdToCommonEnumMap(L"input block Units Code", &units, 7, &common), 0);
  EXPECT_NE(map.GetDdToCommonEnumMap(L"input block Units Code", &units, 13, &common), 0);
  EXPECT_EQ(common, 9999);
  EXPECT_EQ(map.GetDdToCommonEnumMap(L"DUAL MODE INPUT BLOCK TYPE", nullptr, 1, &common), 0);
  EXPECT_EQ(common, 3);

  // A multivariable block takes its type from the device's selector: 1 -> 3.
  uint32_t type = 0;
  EXPECT_EQ(map.GetInputBlockType(&type), 0);
  EXPECT_EQ(type, 3u);
  CMapFile offline(Identity(0x26, 7, 3), nullptr, L"Use for CalMgmt", &kind, true, true);
  EXPECT_NE(offline.GetInputBlockType(&type), 0);
  EXPECT_EQ(type, 99u);

  std::wstring formula;
  EXPECT_EQ(map.GetFormula(L"probe type", formula), 0);
  EXPECT_EQ(formula, L"{Param!OFFSET} + 2");
}

TEST(CMapFileTest, InputBlockTypeDefaultsToGeneric) {
  DescFixture f;
  f.MapFile(Under({L"hart", L"000026", L"0007", L"0301.map"}), "[IDENTIFICATION]\r\nUse for CalMgmt=Yes\r\n");
  f.MapFile(Under({L"hart", L"000026", L"0008", L"0301.map"}),
            "[IDENTIFICATION]\r\nUse for CalMgmt=Yes\r\n[INPUT BLOCK TYPE]\r\nInput block=5\r\n");
  int32_t kind = 0;
  uint32_t type = 99;
  EXPECT_EQ(CMapFile(Identity(0x26, 7, 3), nullptr, L"Use for CalMgmt", &kind, true, true)
                .GetInputBlockType(&type), 0);
  EXPECT_EQ(type, 1u);
  EXPECT_EQ(CMapFile(Identity(0x26, 8, 3), nullptr, L"Use for CalMgmt", &kind, true, true)
                .GetInputBlockType(&type), 0);
  EXPECT_EQ(type, 5u);
}

}  // namespace
}  // namespace ravelin
