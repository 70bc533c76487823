#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "mapfile/PickLists.h"

namespace ravelin {
namespace {

class RecordingList : public CodeListControl {
 public:
  void ResetContent() override { items.clear(); }
  void AddItem(const std::wstring& name, int32_t code) override {
    items.emplace_back(name, code);
  }
  std::vector<int32_t> Codes() const {
    std::vector<int32_t> codes;
    for (const auto& item : items) codes.push_back(item.second);
    return codes;
  }
  std::vector<std::pair<std::wstring, int32_t>> items{{L"stale", -1}};
};

TEST(PickListsTest, FillersOfferTheirCodesInOrder) {
  RecordingList list;
  FillPressMeasCombo(&list);
  EXPECT_EQ(list.Codes(), (std::vector<int32_t>{0, 1, 2, 250}));
  EXPECT_EQ(list.items.front().first, L"Gauge");
  FillPressMeasList(&list);
  EXPECT_EQ(list.Codes(), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 250}));
  FillTransferFuncCombo(&list);
  EXPECT_EQ(list.Codes(), (std::vector<int32_t>{0}));
  FillTransferFuncList(&list);
  EXPECT_EQ(list.Codes(), (std::vector<int32_t>{0, 1, 2, 3, 250}));

  FillProbeTypeList(&list);
  const std::vector<int32_t> probes = {
      1,   2,   3,   11,  12,  13,  14,  15,  21,  22,  31,  32,  33,  34,  35,  40,
      41,  42,  51,  61,  62,  63,  64,  71,  72,  73,  74,  80,  81,  257, 258, 259,
      260, 261, 262, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141, 142, 143,
      144, 145, 146, 147, 256, 220, 221, 222, 223, 128, 129, 130, 250};
  EXPECT_EQ(list.Codes(), probes) << "every probe type code is named";

  // A missing control is left alone.
  for (auto* fill : {FillPressMeasCombo, FillPressMeasList, FillProbeTypeList,
                     FillTransferFuncCombo, FillTransferFuncList, FillUnitsList,
                     FillUnitsCombo}) {
    fill(nullptr);
  }
}

TEST(PickListsTest, UnitsListsSkipUnnamedCodes) {
  RecordingList list, combo;
  FillUnitsList(&list);
  FillUnitsCombo(&combo);
  EXPECT_EQ(list.items, combo.items);
  std::set<std::wstring> names;
  int32_t previous = -1;
  for (const auto& [name, code] : list.items) {
    EXPECT_FALSE(name.empty());
    EXPECT_TRUE(names.insert(name).second) << code;
    EXPECT_GT(code, previous);
    EXPECT_LE(code, 354);
    previous = code;
  }
  const std::vector<int32_t> codes = list.Codes();
  EXPECT_EQ(codes.front(), 1) << "code 0 has no name";
  EXPECT_EQ(codes.back(), 354);
  for (int32_t unnamed : {0, 156, 240, 256, 257}) {
    EXPECT_EQ(std::count(codes.begin(), codes.end(), unnamed), 0) << unnamed;
  }
}

}  // namespace
}  // namespace ravelin
