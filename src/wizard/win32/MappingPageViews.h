// The Win32 views of the enumeration mapping pages and their pick dialog.
// A sheet adds CreatePage()'s page; the view only moves rows and clicks
// between the controls and the page's logic, and turns the logic's moves
// into the sheet's answers (a jump is posted to the sheet).
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/PropertyPage.h"
#include "wizard/MappingPages.h"

namespace ravelin::win32 {

class MappingPageWindow final : public PropertyPage, public MappingPageView {
 public:
  // `resources` holds the templates of MappingPages.rc.
  MappingPageWindow(HINSTANCE resources, CEnumMappingPage& logic)
      : resources_(resources), logic_(logic) {}
  ~MappingPageWindow() override;

  HPROPSHEETPAGE CreatePage();

  void AddColumn(int column, const std::wstring& title, int width) override;
  void DeleteAllRows() override;
  void Redisplay() override;
  void AppendRow(const std::wstring& text, const std::wstring& code,
                 const std::wstring& name) override;
  void RowsComplete() override;
  int RowCount() override;
  std::wstring RowText(int row, int column) override;
  bool IsRowSelected(int row) override;
  void SetWizardButtons(unsigned flags) override;
  int RunPickDialog(CSelectUnitDialog& dialog) override;

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;
  bool OnSetActive() override;
  LRESULT OnWizardBack() override;
  LRESULT OnWizardNext() override;
  bool OnQueryCancel() override;

 private:
  HWND List() const;

  HINSTANCE resources_;
  CEnumMappingPage& logic_;
};

}  // namespace ravelin::win32
