// Fillers of the pick lists that offer common codes by name. A list box or
// combo box view implements CodeListControl; a missing control (null) makes a
// filler do nothing. Codes without a name are never offered.
#pragma once

#include <cstdint>
#include <string>

namespace ravelin {

class CodeListControl {
 public:
  virtual ~CodeListControl() = default;
  virtual void ResetContent() = 0;
  // Adds an item showing `name` with `code` as its data.
  virtual void AddItem(const std::wstring& name, int32_t code) = 0;
};

void FillPressMeasCombo(CodeListControl* combo);
void FillPressMeasList(CodeListControl* list);
void FillProbeTypeList(CodeListControl* list);
void FillTransferFuncCombo(CodeListControl* combo);
void FillTransferFuncList(CodeListControl* list);
void FillUnitsList(CodeListControl* list);
void FillUnitsCombo(CodeListControl* combo);

}  // namespace ravelin
