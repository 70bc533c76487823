// The windows of the wizard's pages as the pages' logic needs them. One
// window shows every page; a parameter page uses its controls, a mapping
// page its list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/DialogControls.h"

namespace ravelin {

class CSelectBlock;
class CSelectParameter;
class CSelectUnitDialog;
class CodeListControl;

// A page's window as the logic needs it.
class ParameterPageView : public DialogControls {
 public:
  // The combo box `controlId`, for the pick-list fillers.
  virtual CodeListControl* CodeList(int controlId) = 0;
  // The code of the combo box's selected item; nothing when none is.
  virtual std::optional<int32_t> SelectedCode(int controlId) = 0;
  // Selects the first item carrying `code`, or none when no item does.
  virtual void SelectCode(int controlId, int32_t code) = 0;
  // Flags of WizardJumps.h, posted to the sheet.
  virtual void SetWizardButtons(unsigned flags) = 0;
  // A message box with an OK button.
  virtual void Tell(const std::wstring& text) = 0;
  // Run the browsing dialogs modally; kIdOk or kIdCancel.
  virtual int RunSelectParameter(CSelectParameter& dialog) = 0;
  virtual int RunSelectBlock(CSelectBlock& dialog) = 0;
};

// The page's window as the logic needs it: a report-view list of three
// columns and the sheet's buttons.
class MappingPageView {
 public:
  virtual ~MappingPageView() = default;
  virtual void AddColumn(int column, const std::wstring& title, int width) = 0;
  virtual void DeleteAllRows() = 0;
  // Paints now: the refill that follows reads the device synchronously.
  virtual void Redisplay() = 0;
  virtual void AppendRow(const std::wstring& text, const std::wstring& code,
                         const std::wstring& name) = 0;
  // The fill is over, whole or cut short: show its rows.
  virtual void RowsComplete() = 0;
  virtual int RowCount() = 0;
  virtual std::wstring RowText(int row, int column) = 0;
  virtual bool IsRowSelected(int row) = 0;
  // Flags of WizardJumps.h, posted to the sheet.
  virtual void SetWizardButtons(unsigned flags) = 0;
  // Runs the pick dialog modally; kIdOk or kIdCancel.
  virtual int RunPickDialog(CSelectUnitDialog& dialog) = 0;
};

// The one window every page is shown in.
class WizardPageView : public ParameterPageView, public MappingPageView {};

}  // namespace ravelin
