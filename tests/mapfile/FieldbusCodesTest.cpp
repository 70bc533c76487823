#include <gtest/gtest.h>

#include <set>

#include "MapFileTestSupport.h"
#include "outside/Conversions.h"

namespace ravelin::testing {
namespace {

struct Case {
  int line;
  int32_t code;
  int32_t hart;
  int32_t fieldbus;
};

#define CASE(code, hart, fieldbus) Case{__LINE__, code, hart, fieldbus}

class FieldbusCodesTest : public ::testing::Test {
 protected:
  MapFileHost host_;
  CMapFileInformation hart_ = HartModel();
  CMapFileInformation fieldbus_ = FieldbusModel();
};

TEST_F(FieldbusCodesTest, Units) {
  const Case cases[] = {
      CASE(1001, 250, 32),  CASE(32, 32, 250),    CASE(0, 0, 250),
      CASE(253, 253, 250),  CASE(254, 250, 250),  CASE(-1, 250, 250),
      CASE(999, 250, 250),  CASE(1000, 250, 35),  CASE(1141, 250, 6),
      CASE(1142, 250, 6),   CASE(1143, 250, 6),   CASE(1081, 250, 255),
      CASE(1136, 250, 254), CASE(1160, 250, 250), CASE(1211, 250, 39),
      CASE(1342, 250, 57),  CASE(1429, 250, 109), CASE(1430, 250, 250),
      CASE(0x10000 + 1001, 250, 250),
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(hart_.FieldbusUnitsToCommon(c.code), c.hart);
    EXPECT_EQ(fieldbus_.FieldbusUnitsToCommon(c.code), c.fieldbus);
  }
}

// The whole fieldbus units table: 244 codes translate, and every common code
// they reach has a name, so Auto-Map never produces an unnamed unit.
TEST_F(FieldbusCodesTest, EveryTranslatedUnitIsNamed) {
  const CUnitsConversion units;
  int translated = 0;
  std::set<int32_t> reached;
  for (int32_t code = 900; code <= 1500; ++code) {
    const int32_t common = fieldbus_.FieldbusUnitsToCommon(code);
    if (common == 250) continue;
    ++translated;
    reached.insert(common);
    std::wstring name;
    EXPECT_EQ(units.GetName(static_cast<uint16_t>(common), name), 0)
        << code << " -> " << common;
  }
  EXPECT_EQ(translated, 244);
  EXPECT_TRUE(reached.count(258) && reached.count(354));
}

TEST_F(FieldbusCodesTest, ProbeTypesAndPressureMeasurementTypes) {
  const Case probes[] = {
      CASE(103, 103, 129), CASE(104, 104, 1),   CASE(128, 128, 12),
      CASE(129, 129, 32),  CASE(132, 132, 73),  CASE(133, 133, 80),
      CASE(134, 134, 131), CASE(138, 138, 137), CASE(144, 144, 143),
      CASE(145, 145, 250), CASE(102, 102, 250), CASE(253, 253, 250),
      CASE(254, 250, 250), CASE(-5, -5, 250),
  };
  const CProbeTypeConversion probeTypes;
  for (const Case& c : probes) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(hart_.FieldbusProbeTypeToCommon(c.code), c.hart);
    EXPECT_EQ(fieldbus_.FieldbusProbeTypeToCommon(c.code), c.fieldbus);
    std::wstring name;
    EXPECT_EQ(probeTypes.GetName(static_cast<uint16_t>(c.fieldbus), name), 0);
  }

  const Case pressures[] = {
      CASE(107, 0, 0), CASE(108, 1, 1), CASE(109, 2, 2), CASE(0, 250, 250),
      CASE(106, 250, 250), CASE(110, 250, 250),
  };
  for (const Case& c : pressures) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(hart_.FieldbusPressMeasToCommon(c.code), c.hart);
    EXPECT_EQ(fieldbus_.FieldbusPressMeasToCommon(c.code), c.fieldbus);
  }
}

TEST(ProbeTypeToBlockTypeTest, ResistanceThermometersThermocouplesAndTheRest) {
  const std::set<int32_t> rtd = {11, 12, 13, 14, 15, 21, 22, 31, 32, 33, 34, 35, 40,
                                 41, 42, 51, 61, 62, 63, 64, 71, 72, 73, 74, 80, 81};
  const CProbeTypeConversion probeTypes;
  for (int32_t code = -2; code <= 400; ++code) {
    const int32_t expected = rtd.count(code) ? 2 : (code >= 131 && code <= 147 ? 3 : 1);
    EXPECT_EQ(CMapFileInformation::ProbeTypeToBlockType(code), expected) << code;
    if (expected != 1) {
      std::wstring name;
      EXPECT_EQ(probeTypes.GetName(static_cast<uint16_t>(code), name), 0) << code;
    }
  }
}

}  // namespace
}  // namespace ravelin::testing
