// Where a wizard page goes on Back or Next. A page names its target by jump
// selector; the sheet keeps the position of each selector's page and posts
// itself kWmGotoWizardPage to get there, so a page never needs to know the
// sheet's order.
#pragma once

#include <cstdint>

namespace ravelin {

class CMapFileInformation;

// Posted to the sheet: wParam a selector, lParam 0. Selectors above
// kWizardFinished are ignored.
inline constexpr unsigned kWmGotoWizardPage = 0x0401;
// Sent to the sheet by a page before Finish or Cancel closes it: a nonzero
// answer keeps the sheet open. A sheet that does not know it answers 0.
inline constexpr unsigned kWmQueryCloseWizard = 0x8001;

enum WizardSelector : int32_t {
  kInputParameter = 0,
  kInputBlockType = 1,
  kMapPressMeasType = 2,
  kMapTempProbeType = 3,
  kNumWiresParameter = 4,
  kMapNumWires = 5,
  kTotalizerParams = 6,
  kMapTotalizerUnits = 7,
  kInputOutputRelation = 8,
  kTransferFunctionCode = 9,
  kWizardFinished = 10,
};

// The input block types, as the model keeps them.
enum InputBlockType : int32_t { kGenericBlock = 1, kPressureBlock = 5, kTemperatureBlock = 99 };

// Wizard button flags, with the values of the property sheet.
enum : unsigned { kWizBack = 1, kWizNext = 2, kWizFinish = 4 };

struct PageMove {
  enum Kind {
    kNeighbour,  // the sheet's own previous or next page
    kJump,       // the page of `selector`
    kStay,
  };
  Kind kind = kNeighbour;
  WizardSelector selector = kInputParameter;

  static PageMove Neighbour() { return {}; }
  static PageMove Jump(WizardSelector to) { return {kJump, to}; }
  static PageMove Stay() { return {kStay}; }
  bool operator==(const PageMove&) const = default;
};

// Where Back and Next lead from the page of dialog template `dialogId`,
// the model as the page has left it: the whole walk in one place.
PageMove WizardBack(int dialogId, const CMapFileInformation& model);
PageMove WizardNext(int dialogId, const CMapFileInformation& model);

}  // namespace ravelin
