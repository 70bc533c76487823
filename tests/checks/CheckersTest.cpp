// The descriptor each checker fills, and the block type table.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <typeinfo>

#include "checks/BlockTypeDescriptions.h"
#include "checks/Checkers.h"
#include "checks/NonEnumParamInfo.h"
#include "outside/desc/LumendescBase.h"

namespace ravelin {
namespace {

constexpr wchar_t kDv[] = L"ItemArray!dynamic_variables!Element!1!Member!";

struct CheckerCase {
  const char* label;
  std::function<std::unique_ptr<CParameterInfo>(CLumendescBase*)> make;
  std::wstring commonName;
  std::wstring moniker;
  const std::type_info* conversion;  // null: no conversion table
  int32_t paramCode;
  int32_t needsMoniker;              // 0: the library's initial value
  int32_t expectedType;
  int32_t varType;
};

template <class T, class... Args>
std::function<std::unique_ptr<CParameterInfo>(CLumendescBase*)> Make(Args... args) {
  return [=](CLumendescBase* device) { return std::make_unique<T>(device, args...); };
}

TEST(CheckersTest, EachCheckerFillsItsDescriptor) {
  const std::wstring dv = kDv;
  const CheckerCase cases[] = {
      {"units in", Make<CUnitInfo>(0), L"input block Units Code", dv + L"DIGITAL_UNITS",
       &typeid(CUnitsConversion), 6, 0, 6, 3},
      {"units out", Make<CUnitInfo>(1), L"output block Units Code", dv + L"ANALOG_UNITS",
       &typeid(CUnitsConversion), 9, 0, 6, 3},
      {"units out 7", Make<CUnitInfo>(7), L"output block Units Code", dv + L"ANALOG_UNITS",
       &typeid(CUnitsConversion), 9, 0, 6, 3},
      {"totalizer", Make<CTotalizerUnitInfo>(), L"Totalizer Units", L"",
       &typeid(CUnitsConversion), 6, 0, 6, 3},
      {"transfer", Make<CTransferFInfo>(), L"Transfer Function Code",
       dv + L"TRANSFER_FUNCTION", &typeid(CTransferFuncConversion), 5, 0, 6, 3},
      {"probe type", Make<CPrbTypeInfo>(), L"Probe Type", L"",
       &typeid(CProbeTypeConversion), 4, 1, 6, 3},
      {"wires", Make<CNumberWiresInfo>(), L"Number of Wires", L"",
       &typeid(CNumWiresConversion), 1, 1, 6, 3},
      {"cjc", Make<CColdCJInfo>(), L"Cold Junction Compensation", L"",
       &typeid(CCJCConversion), 0, 1, 6, 3},
      {"connect", Make<CPrbConnectInfo>(), L"Probe Connect", L"",
       &typeid(CProbeConnectConversion), 3, 1, 6, 3},
      {"wave", Make<CWaveFInfo>(), L"Wave Form", L"", &typeid(CWaveFormConversion), 12, 1,
       6, 3},
      {"pressure", Make<CPressMTInfo>(), L"Pressure Measurement Type", L"",
       &typeid(CPressMeasTypeConversion), 2, 1, 6, 3},
      {"dual in", Make<CDualBlckTypeInfo>(0, std::wstring(L"Param!SEL")),
       L"DUAL MODE INPUT BLOCK TYPE", L"Param!SEL", &typeid(CBlockTypeDescriptions), 40,
       0, 6, 3},
      {"dual direction 2", Make<CDualBlckTypeInfo>(2, std::wstring(L"x")),
       L"DUAL MODE INPUT BLOCK TYPE", L"x", &typeid(CBlockTypeDescriptions), 40, 0, 6, 3},
      {"dual out", Make<CDualBlckTypeInfo>(1, std::wstring(L"ItemArray!y")),
       L"DUAL MODE OUTPUT BLOCK TYPE", L"ItemArray!y", &typeid(CBlockTypeDescriptions),
       39, 0, 6, 3},
      {"urv in", Make<CUpperRangeValueInfo>(0), L"input block Upper Range Value",
       dv + L"UPPER_RANGE_VALUE", nullptr, 28, 0, 4, 4},
      {"urv out", Make<CUpperRangeValueInfo>(1), L"output block Upper Range Value", L"",
       nullptr, 28, 0, 4, 4},
      {"lrv in", Make<CLowerRangeValueInfo>(0), L"input block Lower Range Value",
       dv + L"LOWER_RANGE_VALUE", nullptr, 28, 0, 4, 4},
      {"lrv out", Make<CLowerRangeValueInfo>(3), L"output block Lower Range Value", L"",
       nullptr, 28, 0, 4, 4},
      {"damping", Make<CDampingValueInfo>(), L"Damping Value", dv + L"DAMPING_VALUE",
       nullptr, 24, 0, 4, 4},
  };
  CLumendescBase device(-1, 0.0, nullptr, nullptr);
  for (const CheckerCase& c : cases) {
    SCOPED_TRACE(c.label);
    const auto checker = c.make(&device);
    EXPECT_EQ(checker->m_strCommonName, c.commonName);
    EXPECT_EQ(checker->m_strMoniker, c.moniker);
    EXPECT_EQ(checker->m_nParamCode, c.paramCode);
    EXPECT_EQ(checker->m_bNeedsMoniker, c.needsMoniker);
    EXPECT_EQ(checker->m_nExpectedType, c.expectedType);
    EXPECT_EQ(checker->m_nVarType, c.varType);
    EXPECT_EQ(checker->m_strValueSuffix, L"!value");
    if (c.conversion == nullptr) {
      EXPECT_EQ(checker->m_pConversion, nullptr);
    } else {
      ASSERT_NE(checker->m_pConversion, nullptr);
      EXPECT_EQ(typeid(*checker->m_pConversion), *c.conversion);
    }
  }
}

TEST(CheckersTest, BlockTypeTableNamesTheMapFileBlockCodes) {
  CBlockTypeDescriptions table;
  const std::pair<uint16_t, const wchar_t*> items[] = {
      {1, L"Generic"},   {2, L"Temperature: RTD"}, {3, L"Temperature: TC"},
      {4, L"Frequency"}, {5, L"Pressure"},         {99, L"Multivariable"}};
  for (const auto& [code, name] : items) {
    std::wstring english;
    EXPECT_EQ(table.GetEnglishName(code, english), 0) << code;
    EXPECT_EQ(english, name);
    uint16_t back = 0;
    EXPECT_EQ(table.GetCode(back, name), 0);
    EXPECT_EQ(back, code);
  }
  std::wstring none;
  EXPECT_NE(table.GetEnglishName(8, none), 0);
  // The table is its own: the units table is untouched by it.
  uint16_t code = 0;
  EXPECT_NE(CUnitsConversion().GetCode(code, L"Multivariable"), 0);
  EXPECT_NE(CBlockTypeDescriptions().GetCode(code, L"kPa"), 0);
}

}  // namespace
}  // namespace ravelin
