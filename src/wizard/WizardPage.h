// What every page of the map file wizard is to its sheet: a dialog
// template, the sheet's events, and a move on Back and Next. A page only
// checks and reads its own controls when it is left; where it leads is
// decided for all pages at once by WizardBack and WizardNext.
#pragma once

#include "wizard/WizardJumps.h"

namespace ravelin {

class CMapFileInformation;
class WizardPageView;

class CWizardPage {
 public:
  CWizardPage(int dialogId, CMapFileInformation* model) : m_pMapInfo(model), m_dialogId(dialogId) {}
  virtual ~CWizardPage() = default;
  CWizardPage(const CWizardPage&) = delete;
  CWizardPage& operator=(const CWizardPage&) = delete;

  int DialogId() const { return m_dialogId; }
  // The window must outlive every call below; null detaches it.
  virtual void AttachWindow(WizardPageView* window) = 0;

  virtual void OnInitDialog() {}
  virtual void OnSetActive() {}
  // A button of the page was clicked.
  virtual void OnCommand(int /*controlId*/) {}
  // The page is left: its fields to the model.
  virtual void ReadFields() {}
  // Every control of the page to the model, as Next takes them. Cancel and
  // Finish read them too, so that a change Next has not yet taken counts.
  virtual void ReadControls() {}

  PageMove OnWizardBack();
  PageMove OnWizardNext();

 protected:
  // Before a move: what the page reads of its controls, and for Next
  // whether it may be left (false once it has told why not).
  virtual void LeaveBack() {}
  virtual bool LeaveNext() { return true; }

  CMapFileInformation* m_pMapInfo;

 private:
  int m_dialogId;
};

}  // namespace ravelin
