// The Win32 view of every wizard page: one window class for the parameter
// pages, the mapping pages and the finished page, since each only moves
// texts, check marks, combo box codes and list rows between its controls
// and its page's logic. A sheet adds CreatePage()'s page; the logic's moves
// become the sheet's answers (a jump is posted to the sheet).
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "platform/win32/Controls.h"
#include "platform/win32/PropertyPage.h"
#include "wizard/PageViews.h"
#include "wizard/WizardPage.h"

namespace ravelin::win32 {

class ComboCodeList;

class WizardPageWindow final : public PropertyPage,
                               public DialogControlsOf<WizardPageWindow, WizardPageView> {
 public:
  // `resources` holds the templates of the wizard's .rc files and Browse.rc.
  WizardPageWindow(HINSTANCE resources, CWizardPage& logic);
  ~WizardPageWindow() override;

  HPROPSHEETPAGE CreatePage();

  CodeListControl* CodeList(int controlId) override;
  std::optional<int32_t> SelectedCode(int controlId) override;
  void SelectCode(int controlId, int32_t code) override;
  void SetWizardButtons(unsigned flags) override;
  void Tell(const std::wstring& text) override;
  int RunSelectParameter(CSelectParameter& dialog) override;
  int RunSelectBlock(CSelectBlock& dialog) override;

  void AddColumn(int column, const std::wstring& title, int width) override;
  void DeleteAllRows() override;
  void Redisplay() override;
  void AppendRow(const std::wstring& text, const std::wstring& code,
                 const std::wstring& name) override;
  void RowsComplete() override;
  int RowCount() override;
  std::wstring RowText(int row, int column) override;
  bool IsRowSelected(int row) override;
  int RunPickDialog(CSelectUnitDialog& dialog) override;

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;
  bool OnSetActive() override;
  bool OnKillActive() override;
  LRESULT OnWizardBack() override;
  LRESULT OnWizardNext() override;
  bool OnWizardFinish() override;
  bool OnQueryCancel() override;

 private:
  HWND List() const;

  HINSTANCE resources_;
  CWizardPage& logic_;
  std::map<int, std::unique_ptr<ComboCodeList>> combos_;
};

// The sheet's answer to a page's Back or Next: a jump is posted to the sheet.
LRESULT AnswerMove(HWND sheet, const PageMove& move);
// Whether the sheet lets itself be closed (it is asked by kWmQueryCloseWizard).
bool SheetAllowsClose(HWND sheet);

}  // namespace ravelin::win32
