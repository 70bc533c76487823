// The Win32 view of the parameter entry pages and the finished page: one
// window class for all of them, since each only moves texts, check marks
// and combo box codes between its controls and its page's logic.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "platform/win32/PropertyPage.h"
#include "wizard/ParameterPages.h"

namespace ravelin::win32 {

class ComboCodeList;

class ParameterPageWindow final : public PropertyPage, public ParameterPageView {
 public:
  // `resources` holds the templates of ParameterPages.rc and Browse.rc.
  ParameterPageWindow(HINSTANCE resources, CWizardPage& logic);
  ~ParameterPageWindow() override;

  HPROPSHEETPAGE CreatePage();

  std::wstring GetText(int controlId) override;
  void SetText(int controlId, const std::wstring& text) override;
  bool IsChecked(int controlId) override;
  void SetChecked(int controlId, bool checked) override;
  void Enable(int controlId, bool enabled) override;
  void Show(int controlId, bool shown) override;
  CodeListControl* CodeList(int controlId) override;
  std::optional<int32_t> SelectedCode(int controlId) override;
  void SelectCode(int controlId, int32_t code) override;
  void SetWizardButtons(unsigned flags) override;
  void Tell(const std::wstring& text) override;
  int RunSelectParameter(CSelectParameter& dialog) override;
  int RunSelectBlock(CSelectBlock& dialog) override;

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
  HINSTANCE resources_;
  CWizardPage& logic_;
  std::map<int, std::unique_ptr<ComboCodeList>> combos_;
};

// The sheet's answer to a page's Back or Next: a jump is posted to the sheet.
LRESULT AnswerMove(HWND sheet, const PageMove& move);
// Whether the sheet lets itself be closed (it is asked by kWmQueryCloseWizard).
bool SheetAllowsClose(HWND sheet);

}  // namespace ravelin::win32
