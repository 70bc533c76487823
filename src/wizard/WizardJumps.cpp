#include "wizard/WizardJumps.h"

#include "mapfile/MapFileInformation.h"
#include "wizard/WizardIds.h"
#include "wizard/WizardPage.h"

namespace ravelin {
namespace {

PageMove Jump(WizardSelector to) { return PageMove::Jump(to); }

// Back from the relation page retraces the branch its block type took.
PageMove BackToBranch(const CMapFileInformation& m) {
  switch (m.m_nInputBlockType) {
    case kGenericBlock:
      return Jump(m.m_bTotalizer ? kMapTotalizerUnits : kTotalizerParams);
    case kPressureBlock:
      return Jump(m.m_bPressMeasDefault ? kInputBlockType : kMapPressMeasType);
    case kTemperatureBlock:
      return Jump(m.m_bNumWiresDefault ? kNumWiresParameter : kMapNumWires);
    default:
      return PageMove::Stay();
  }
}

PageMove IntoBranch(const CMapFileInformation& m) {
  switch (m.m_nInputBlockType) {
    case kGenericBlock:
      return Jump(kTotalizerParams);
    case kPressureBlock:
      return Jump(m.m_bPressMeasDefault ? kInputOutputRelation : kMapPressMeasType);
    case kTemperatureBlock:
      return Jump(kMapTempProbeType);
    default:
      return PageMove::Stay();
  }
}

}  // namespace

PageMove WizardBack(int dialogId, const CMapFileInformation& m) {
  switch (dialogId) {
    case IDD_INPUT_BLOCK_TYPE:
      return m.m_bUnitsDefault ? Jump(kInputParameter) : PageMove::Neighbour();
    case IDD_MAP_TEMP_PROBE_TYPE:
    case IDD_MAP_PRESS_MEAS_TYPE:
    case IDD_TOTALIZER_PARAMS:
      return Jump(kInputBlockType);
    case IDD_NUM_WIRES_PARAMETER:
      return Jump(kMapTempProbeType);
    case IDD_MAP_NUM_WIRES:
      return Jump(kNumWiresParameter);
    case IDD_MAP_TOTALIZER_UNITS:
      return Jump(kTotalizerParams);
    case IDD_INPUT_OUTPUT_RELATION:
      return BackToBranch(m);
    case IDD_TRANSFER_FUNCTION_CODE:
      return Jump(kInputOutputRelation);
    case IDD_WIZARD_FINISHED:
      return Jump(m.m_bTransferFuncDefault ? kInputOutputRelation : kTransferFunctionCode);
    default:
      return PageMove::Neighbour();
  }
}

PageMove WizardNext(int dialogId, const CMapFileInformation& m) {
  switch (dialogId) {
    case IDD_INPUT_PARAMETER:
      return m.m_bUnitsDefault ? Jump(kInputBlockType) : PageMove::Neighbour();
    case IDD_INPUT_BLOCK_TYPE:
      return IntoBranch(m);
    case IDD_MAP_TEMP_PROBE_TYPE:
      return Jump(kNumWiresParameter);
    case IDD_NUM_WIRES_PARAMETER:
      return Jump(m.m_bNumWiresDefault ? kInputOutputRelation : kMapNumWires);
    case IDD_MAP_PRESS_MEAS_TYPE:
    case IDD_MAP_NUM_WIRES:
    case IDD_MAP_TOTALIZER_UNITS:
      return Jump(kInputOutputRelation);
    case IDD_TOTALIZER_PARAMS:
      return Jump(m.m_bTotalizer ? kMapTotalizerUnits : kInputOutputRelation);
    case IDD_INPUT_OUTPUT_RELATION:
      return Jump(m.m_bTransferFuncDefault ? kWizardFinished : kTransferFunctionCode);
    case IDD_TRANSFER_FUNCTION_CODE:
      return Jump(kWizardFinished);
    default:
      return PageMove::Neighbour();
  }
}

PageMove CWizardPage::OnWizardBack() {
  LeaveBack();
  return WizardBack(m_dialogId, *m_pMapInfo);
}

PageMove CWizardPage::OnWizardNext() {
  if (!LeaveNext()) return PageMove::Stay();
  return WizardNext(m_dialogId, *m_pMapInfo);
}

}  // namespace ravelin
