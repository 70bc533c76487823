#include "mapfile/PickLists.h"

#include <initializer_list>

#include "outside/Conversions.h"

namespace ravelin {
namespace {

constexpr int32_t kLastUnitsCode = 354;

void AddIfNamed(CodeListControl& control, const CCommonConversions& conversion,
                int32_t code) {
  std::wstring name;
  conversion.GetName(static_cast<uint16_t>(code), name);
  if (!name.empty()) control.AddItem(name, code);
}

void Fill(CodeListControl* control, const CCommonConversions& conversion,
          std::initializer_list<int32_t> codes) {
  if (!control) return;
  control->ResetContent();
  for (int32_t code : codes) AddIfNamed(*control, conversion, code);
}

void FillUnits(CodeListControl* control) {
  if (!control) return;
  control->ResetContent();
  const CUnitsConversion units;
  for (int32_t code = 0; code <= kLastUnitsCode; ++code) AddIfNamed(*control, units, code);
}

}  // namespace

void FillPressMeasCombo(CodeListControl* combo) {
  Fill(combo, CPressMeasTypeConversion(), {0, 1, 2, 250});
}

void FillPressMeasList(CodeListControl* list) {
  Fill(list, CPressMeasTypeConversion(), {0, 1, 2, 3, 4, 5, 6, 250});
}

void FillProbeTypeList(CodeListControl* list) {
  Fill(list, CProbeTypeConversion(),
       {1,   2,   3,   11,  12,  13,  14,  15,  21,  22,  31,  32,  33,  34,
        35,  40,  41,  42,  51,  61,  62,  63,  64,  71,  72,  73,  74,  80,
        81,  257, 258, 259, 260, 261, 262, 131, 132, 133, 134, 135, 136, 137,
        138, 139, 140, 141, 142, 143, 144, 145, 146, 147, 256, 220, 221, 222,
        223, 128, 129, 130, 250});
}

void FillTransferFuncCombo(CodeListControl* combo) {
  Fill(combo, CTransferFuncConversion(), {0});
}

void FillTransferFuncList(CodeListControl* list) {
  Fill(list, CTransferFuncConversion(), {0, 1, 2, 3, 250});
}

void FillUnitsList(CodeListControl* list) { FillUnits(list); }

void FillUnitsCombo(CodeListControl* combo) { FillUnits(combo); }

}  // namespace ravelin
