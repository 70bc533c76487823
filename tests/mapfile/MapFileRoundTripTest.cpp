#include <gtest/gtest.h>

#include <string>

#include "MapFileTestSupport.h"

namespace ravelin::testing {
namespace {

enum class Protocol { kHart, kWirelessHart, kFieldbus };

struct Combination {
  Protocol protocol;
  int32_t inputBlockType;
  unsigned defaults;  // one bit per defaultable quantity, below
  bool totalizer;
  bool emptyLists;

  bool Defaulted(unsigned bit) const { return (defaults >> bit) & 1u; }
  std::string Describe() const {
    return "protocol " + std::to_string(int(protocol)) + ", input block " +
           std::to_string(inputBlockType) + ", defaults " + std::to_string(defaults) +
           (totalizer ? ", totalizer" : "") + (emptyLists ? ", empty lists" : "");
  }
};

enum : unsigned { kUrv, kLrv, kUnits, kDamping, kTransferFunc, kPressMeas, kNumWires, kBits };

// A model as a wizard would leave it, holding only what a map file can carry
// for its combination, so that reading the file back must restore it exactly.
CMapFileInformation Build(const Combination& c, uint32_t deviceType) {
  CMapFileInformation m = c.protocol == Protocol::kFieldbus ? FieldbusModel(0xa3f7, deviceType)
                                                            : HartModel(0xa3f7, deviceType);
  const bool lists = !c.emptyLists;
  m.m_bWirelessHart = c.protocol == Protocol::kWirelessHart;
  m.m_strUseForCalMgmt = c.Defaulted(kTransferFunc) ? L"No" : L"Yes";
  m.m_strUseForExport = c.Defaulted(kLrv) ? L"Yes" : L"No";
  if (m.IsFieldbus()) m.m_nBlockIndex = 1200 + int32_t(deviceType);
  m.m_strTagParam = L"Param!TAG_DESC";
  m.m_strDescriptorParam = L"Param!d\u00e9scriptor";  // a Windows-1252 letter

  auto text = [&](unsigned bit, std::wstring& param, bool& flag, std::wstring& def,
                  const wchar_t* name, const wchar_t* value) {
    flag = c.Defaulted(bit);
    param = flag ? L"" : std::wstring(L"Param!") + name;
    def = flag ? value : L"";
  };
  text(kUrv, m.m_strUrvParam, m.m_bUrvDefault, m.m_strUrvDefault, L"URV", L"150.0");
  text(kLrv, m.m_strLrvParam, m.m_bLrvDefault, m.m_strLrvDefault, L"LRV", L"-40.0");
  text(kDamping, m.m_strDampingParam, m.m_bDampingDefault, m.m_strDampingDefault, L"DAMP",
       L"0.5");

  m.m_bUnitsDefault = c.Defaulted(kUnits);
  m.m_strUnitsParam = m.m_bUnitsDefault ? L"" : L"Param!UNITS";
  // Default 39 on a wireless device must not turn it into a loop device.
  m.m_nUnitsDefault = m.m_bUnitsDefault ? (c.Defaulted(kDamping) ? 39 : 57) : -1;
  if (!m.m_bUnitsDefault && lists) {
    m.SetUnitsMapping(1001, 32);
    m.SetUnitsMapping(1133, 12);
    m.SetUnitsMapping(7, 301);
  }

  m.m_bTransferFuncDefault = c.Defaulted(kTransferFunc);
  if (m.m_bTransferFuncDefault) {
    m.m_nTransferFuncDefault = 1;
  } else {
    m.m_strTransferFuncParam = L"Param!XFER";
    if (lists) {
      m.SetTransferFuncMapping(0, 0);
      m.SetTransferFuncMapping(1, 1);
    }
  }

  m.m_nInputBlockType = c.inputBlockType;
  if (c.inputBlockType == 5) {
    m.m_bPressMeasDefault = c.Defaulted(kPressMeas);
    if (m.m_bPressMeasDefault) {
      m.m_nPressMeasDefault = 2;
    } else {
      m.m_strPressMeasParam = L"Param!PRESS_TYPE";
      if (lists) {
        m.SetPressMeasMapping(107, 0);
        m.SetPressMeasMapping(109, 2);
      }
    }
  }
  if (c.inputBlockType == 99) {
    m.m_strProbeTypeParam = L"Param!SENSOR_TYPE";
    if (lists) {
      m.SetProbeTypeMapping(128, 12);
      m.SetProbeTypeMapping(138, 137);
      m.SetProbeTypeMapping(999, 250);
      m.SetNumWiresMapping(2, 2);
      m.SetNumWiresMapping(9, 251);
    }
    m.m_bNumWiresDefault = c.Defaulted(kNumWires);
    if (m.m_bNumWiresDefault) {
      m.m_nNumWiresDefault = 4;
    } else {
      m.m_strNumWiresParam = L"Param!WIRES";
    }
  }

  m.m_bTotalizer = c.totalizer;
  if (c.totalizer) {
    // A totalizer without its units parameter has no units map.
    const bool units = !c.Defaulted(kDamping);
    if (units) m.m_strTotalizerUnitsParam = L"Param!TOT_UNITS";
    m.m_strTotalizerValueParam = L"Param!TOT_VALUE";
    if (lists && units) {
      m.SetTotalizerUnitsMapping(1048, 40);
      m.SetTotalizerUnitsMapping(1038, 41);
    }
  }
  return m;
}

void ExpectSameModel(const CMapFileInformation& a, const CMapFileInformation& b) {
  EXPECT_EQ(a.m_bWirelessHart, b.m_bWirelessHart);
  EXPECT_EQ(a.m_nBlockIndex, b.m_nBlockIndex);
  EXPECT_EQ(a.m_strUseForCalMgmt, b.m_strUseForCalMgmt);
  EXPECT_EQ(a.m_strUseForExport, b.m_strUseForExport);
  EXPECT_EQ(a.m_strUrvParam, b.m_strUrvParam);
  EXPECT_EQ(a.m_bUrvDefault, b.m_bUrvDefault);
  EXPECT_EQ(a.m_strUrvDefault, b.m_strUrvDefault);
  EXPECT_EQ(a.m_strLrvParam, b.m_strLrvParam);
  EXPECT_EQ(a.m_bLrvDefault, b.m_bLrvDefault);
  EXPECT_EQ(a.m_strLrvDefault, b.m_strLrvDefault);
  EXPECT_EQ(a.m_strUnitsParam, b.m_strUnitsParam);
  EXPECT_EQ(a.m_bUnitsDefault, b.m_bUnitsDefault);
  EXPECT_EQ(a.m_nUnitsDefault, b.m_nUnitsDefault);
  EXPECT_EQ(a.m_strTagParam, b.m_strTagParam);
  EXPECT_EQ(a.m_strMessageParam, b.m_strMessageParam);
  EXPECT_EQ(a.m_strDescriptorParam, b.m_strDescriptorParam);
  EXPECT_EQ(a.m_UnitsMap, b.m_UnitsMap);
  EXPECT_EQ(a.m_nInputBlockType, b.m_nInputBlockType);
  EXPECT_EQ(a.m_strPressMeasParam, b.m_strPressMeasParam);
  EXPECT_EQ(a.m_bPressMeasDefault, b.m_bPressMeasDefault);
  EXPECT_EQ(a.m_nPressMeasDefault, b.m_nPressMeasDefault);
  EXPECT_EQ(a.m_PressMeasMap, b.m_PressMeasMap);
  EXPECT_EQ(a.m_strProbeTypeParam, b.m_strProbeTypeParam);
  EXPECT_EQ(a.m_ProbeTypeMap, b.m_ProbeTypeMap);
  EXPECT_EQ(a.m_strNumWiresParam, b.m_strNumWiresParam);
  EXPECT_EQ(a.m_NumWiresMap, b.m_NumWiresMap);
  EXPECT_EQ(a.m_bNumWiresDefault, b.m_bNumWiresDefault);
  EXPECT_EQ(a.m_nNumWiresDefault, b.m_nNumWiresDefault);
  EXPECT_EQ(a.m_strDampingParam, b.m_strDampingParam);
  EXPECT_EQ(a.m_bDampingDefault, b.m_bDampingDefault);
  EXPECT_EQ(a.m_strDampingDefault, b.m_strDampingDefault);
  EXPECT_EQ(a.m_strTransferFuncParam, b.m_strTransferFuncParam);
  EXPECT_EQ(a.m_bTransferFuncDefault, b.m_bTransferFuncDefault);
  EXPECT_EQ(a.m_nTransferFuncDefault, b.m_nTransferFuncDefault);
  EXPECT_EQ(a.m_TransferFuncMap, b.m_TransferFuncMap);
  EXPECT_EQ(a.m_bTotalizer, b.m_bTotalizer);
  EXPECT_EQ(a.m_strTotalizerValueParam, b.m_strTotalizerValueParam);
  EXPECT_EQ(a.m_strTotalizerUnitsParam, b.m_strTotalizerUnitsParam);
  EXPECT_EQ(a.m_TotalizerUnitsMap, b.m_TotalizerUnitsMap);
}

TEST(MapFileRoundTripTest, EveryCombinationReadsBackAndWritesTheSameBytes) {
  MapFileHost host;
  uint32_t deviceType = 0;
  for (Protocol protocol : {Protocol::kHart, Protocol::kWirelessHart, Protocol::kFieldbus}) {
    for (int32_t inputBlockType : {1, 5, 99}) {
      for (unsigned defaults = 0; defaults < (1u << kBits); ++defaults) {
        // Totalizer and empty lists cycle through all four pairs across the
        // default flags.
        const Combination c{protocol, inputBlockType, defaults, (defaults & 1) != 0,
                            (defaults & 2) != 0 && (defaults & 64) == 0};
        SCOPED_TRACE(c.Describe());
        const CMapFileInformation original = Build(c, ++deviceType);
        host.InstallSymbolFile(original, L"0302.sym");
        ASSERT_TRUE(original.WriteMapFile());
        const std::string first = ReadBytes(original.GetMapFilePath());

        const CMapFileInformation reread = c.protocol == Protocol::kFieldbus
                                               ? FieldbusModel(0xa3f7, deviceType)
                                               : HartModel(0xa3f7, deviceType);
        ExpectSameModel(original, reread);

        ASSERT_TRUE(reread.WriteMapFile());
        EXPECT_EQ(ReadBytes(reread.GetMapFilePath()), first);
        if (HasFailure()) return;  // one broken combination is enough to read
      }
    }
  }
}

}  // namespace
}  // namespace ravelin::testing
