#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "outside/Conversions.h"

namespace ravelin {
namespace {

struct Table {
  const char* name;
  const CCommonConversions& conversion;
  std::vector<uint16_t> required;  // codes the map file model relies on
};

std::vector<Table> AllTables() {
  static const CUnitsConversion units;
  static const CTransferFuncConversion transferFunc;
  static const CPressMeasTypeConversion pressMeas;
  static const CNumWiresConversion numWires;
  static const CProbeTypeConversion probeType;
  static const CCJCConversion cjc;
  static const CProbeConnectConversion probeConnect;
  static const CWaveFormConversion waveForm;
  return {
      {"units", units, {32, 33, 39, 57, 250, 251}},
      {"transfer function", transferFunc, {0, 1, 2, 3, 250}},
      {"pressure measurement", pressMeas, {0, 1, 2, 3, 4, 5, 6, 250}},
      {"number of wires", numWires, {2, 3, 4, 251}},
      {"probe type", probeType, {1, 12, 131, 250}},
      {"cold junction", cjc, {1, 250}},
      {"probe connect", probeConnect, {1, 250}},
      {"wave form", waveForm, {0, 250}},
  };
}

// Every named code has a unique non-empty name that leads back to the code,
// and codes without a name fail cleanly.
TEST(ConversionTablesTest, NamesAreUniqueAndLeadBackToTheirCodes) {
  for (const Table& table : AllTables()) {
    SCOPED_TRACE(table.name);
    const CCommonConversions* conversion = &table.conversion;
    std::set<std::wstring> seen;
    for (uint32_t c = 0; c <= 0xFFFF; ++c) {
      const auto code = static_cast<uint16_t>(c);
      std::wstring name = L"sentinel";
      if (conversion->GetName(code, name) != 0) {
        EXPECT_TRUE(name.empty()) << c;
        continue;
      }
      ASSERT_FALSE(name.empty()) << c;
      EXPECT_TRUE(seen.insert(name).second) << "duplicate name for " << c;
      std::wstring english;
      ASSERT_EQ(conversion->GetEnglishName(code, english), 0);
      uint16_t back = 0xFFFF;
      ASSERT_EQ(conversion->GetCode(back, english), 0) << c;
      EXPECT_EQ(back, code);
      std::wstring fromEnglish;
      ASSERT_EQ(conversion->GetNameFromEnglishName(fromEnglish, english), 0);
      EXPECT_EQ(fromEnglish, name);
    }
    for (uint16_t code : table.required) {
      std::wstring name;
      EXPECT_EQ(conversion->GetName(code, name), 0) << code;
    }
  }
}

TEST(ConversionTablesTest, KnownNamesAndFailedLookups) {
  const CUnitsConversion units;
  std::wstring name;
  ASSERT_EQ(units.GetName(32, name), 0);
  EXPECT_EQ(name, L"degC");
  ASSERT_EQ(units.GetName(39, name), 0);
  EXPECT_EQ(name, L"mA");
  ASSERT_EQ(units.GetName(250, name), 0);
  EXPECT_EQ(name, L"Not Used");

  uint16_t code = 77;
  EXPECT_NE(units.GetCode(code, L"no such unit"), 0);
  EXPECT_EQ(code, 77);
  EXPECT_NE(units.GetCode(code, L""), 0);
  EXPECT_NE(units.GetCode(code, L"DEGC"), 0) << "names match exactly";
  EXPECT_NE(units.GetNameFromEnglishName(name, L"no such unit"), 0);
  EXPECT_TRUE(name.empty());

  // Milli and mega differ only in case and are different units.
  uint16_t milli = 0, mega = 0;
  ASSERT_EQ(units.GetCode(milli, L"mV"), 0);
  ASSERT_EQ(units.GetCode(mega, L"MV"), 0);
  EXPECT_NE(milli, mega);
}

// A table of its own, as the block type descriptions build one.
class ExtendedUnits : public CUnitsConversion {
 public:
  ExtendedUnits() {
    AddAnItemToList(400, 502, L"Extra");
    AddAnItemToList(401, 502, L"Extra");   // a name keeps its first code
    AddAnItemToList(32, 502, L"Celsius");  // a code keeps its first name
    AddAnItemToList(402, 502, L"");        // an empty name adds nothing
  }
};

class BlockKinds : public CCommonConversions {
 public:
  BlockKinds() { AddAnItemToList(2, 502, L"Temperature: RTD"); }
};

TEST(ConversionTablesTest, AddedItemsStayWithTheirObject) {
  const ExtendedUnits extended;
  std::wstring name;
  uint16_t code = 0;
  ASSERT_EQ(extended.GetCode(code, L"Extra"), 0);
  EXPECT_EQ(code, 400);
  ASSERT_EQ(extended.GetName(32, name), 0);
  EXPECT_EQ(name, L"degC");
  EXPECT_NE(extended.GetCode(code, L"Celsius"), 0);
  EXPECT_NE(extended.GetName(402, name), 0);
  EXPECT_NE(extended.GetName(401, name), 0);

  const CUnitsConversion plain;
  EXPECT_NE(plain.GetName(400, name), 0) << "the shared table must not change";

  const BlockKinds kinds;
  ASSERT_EQ(kinds.GetEnglishName(2, name), 0);
  EXPECT_EQ(name, L"Temperature: RTD");
  EXPECT_NE(kinds.GetEnglishName(8, name), 0);
  EXPECT_NE(CCommonConversions().GetName(0, name), 0);
}

}  // namespace
}  // namespace ravelin
