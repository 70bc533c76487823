#include "outside/desc/ParameterInfo.h"

#include <gtest/gtest.h>

#include "outside/desc/DescFixture.h"
#include "outside/desc/LumendescBase.h"
#include "outside/desc/MapFile.h"

namespace ravelin {
namespace {

using testing::DescFixture;
using testing::Under;

// Opens the protected operations for the test.
class Probe : public CParameterInfo {
 public:
  using CParameterInfo::CParameterInfo;
  using CParameterInfo::GetFormulaResults;
  using CParameterInfo::GetValueFromResult2;
};

TEST(CParameterInfoTest, TakesMapFileAndToolkitFromTheDevice) {
  DescFixture f;
  f.MapFile(Under({L"hart", L"000026", L"0007", L"0301.map"}),
            "[IDENTIFICATION]\r\nUse for CalMgmt=Yes\r\n[DEFAULT PARAMETER VALUES]\r\n"
            "Damping Value=1.5\r\nTransfer Function Code=3\r\n[FORMULAS]\r\n"
            "Probe Type={Param!OFFSET} * 3\r\nWave Form={Param!LABEL}\r\n");
  CVelkToolkit device = f.DeviceCursor();
  DeviceIdentification id;
  id.manufacturer = 0x26;
  id.deviceType = 7;
  id.deviceRevision = 3;
  int32_t kind = 0;
  CMapFile map(id, &device, L"Use for CalMgmt", &kind, true, true);
  CLumendescBase base(-1, 0.0, &map, &device);
  Probe info(&base);
  EXPECT_EQ(info.m_pMapFile, &map);
  EXPECT_EQ(info.m_pToolkit, &device);

  int32_t result = 9999;
  info.m_strCommonName = L"Probe Type";
  EXPECT_EQ(info.GetFormulaResults(&result), 0);
  EXPECT_EQ(result, 120);
  info.m_strCommonName = L"Wave Form";  // a text parameter is no number
  result = 9999;
  EXPECT_NE(info.GetFormulaResults(&result), 0);
  info.m_strCommonName = L"Damping Value";  // no formula at all
  EXPECT_NE(info.GetFormulaResults(&result), 0);
  EXPECT_EQ(result, 9999);

  wchar_t text[16];
  info.m_nVarType = kVtR4;
  EXPECT_EQ(info.GetDefaultParameterValue(text, 16), 0);
  EXPECT_EQ(std::wstring(text), L"1.500000");
  info.m_strCommonName = L"Transfer Function Code";
  info.m_nVarType = kVtI4;
  EXPECT_EQ(info.GetDefaultParameterValue(text, 16), 0);
  EXPECT_EQ(std::wstring(text), L"3");
}

TEST(CParameterInfoTest, ConvertsResultsByVariantType) {
  Probe info(nullptr);
  CVelkResult number{CVelkVariant(int32_t(70000)), 0};
  CVelkResult real{CVelkVariant(2.5f), 0};
  CVelkResult text{CVelkVariant(std::wstring(L"kPa units")), 0};
  CVelkResult failed{CVelkVariant(int32_t(1)), kVelkNoValue};

  int32_t i = 0;
  EXPECT_EQ(info.GetValueFromResult2(number, kVtI4, &i, 4), 0);
  EXPECT_EQ(i, 70000);
  EXPECT_EQ(info.GetValueFromResult2(real, kVtI4, &i, 4), 0);
  EXPECT_EQ(i, 2);
  float f = 0;
  EXPECT_EQ(info.GetValueFromResult2(real, kVtR4, &f, 4), 0);
  EXPECT_EQ(f, 2.5f);
  EXPECT_NE(info.GetValueFromResult2(text, kVtR4, &f, 4), 0);
  EXPECT_NE(info.GetValueFromResult2(failed, kVtI4, &i, 4), 0);
  EXPECT_NE(info.GetValueFromResult2(number, kVtI4, &i, 2), 0);

  wchar_t buffer[4] = {L'#', L'#', L'#', L'#'};
  EXPECT_EQ(info.GetValueFromResult2(text, kVtBstr, buffer, 4), 0);
  EXPECT_EQ(std::wstring(buffer), L"kPa");
  EXPECT_NE(info.GetValueFromResult2(number, kVtBstr, buffer, 4), 0);
  EXPECT_NE(info.GetValueFromResult2(text, 99, buffer, 4), 0);
}

}  // namespace
}  // namespace ravelin
