#include "wizard/win32/MappingPageViews.h"

#include <commctrl.h>

#include <optional>

#include "platform/win32/Controls.h"
#include "platform/win32/Dialog.h"
#include "wizard/SelectMappingDialogs.h"
#include "wizard/win32/ParameterPageViews.h"
#include "wizard/WizardIds.h"

namespace ravelin::win32 {
namespace {

class SelectMappingWindow final : public Dialog, public SelectMappingView {
 public:
  explicit SelectMappingWindow(CSelectUnitDialog& logic) : logic_(logic) {}
  ~SelectMappingWindow() override { logic_.Attach(nullptr); }

  void ResetContent() override { ListBoxClear(Box()); }
  void AddItem(const std::wstring& name, int32_t code) override {
    ListBoxAddItem(Box(), name, code);
  }
  void ShowMappingFor(const std::wstring& text) override {
    SetDlgItemTextW(Handle(), IDC_MAPPING_FOR, text.c_str());
  }
  std::optional<int32_t> CurrentCode() override {
    const std::optional<LPARAM> data = ListBoxCurrentData(Box());
    if (!data) return std::nullopt;
    return static_cast<int32_t>(*data);
  }
  void Tell(const std::wstring& text) override {
    MessageBoxW(Handle(), text.c_str(), L"Ravelin", MB_OK);
  }
  void End(int result) override { Dialog::End(result); }

 protected:
  bool OnInit() override {
    logic_.Attach(this);
    logic_.OnInitDialog();
    return true;
  }
  void OnCommand(int id, int /*code*/) override {
    if (id == IDOK) logic_.OnOK();
    if (id == IDCANCEL) logic_.OnCancel();
  }

 private:
  HWND Box() const { return GetDlgItem(Handle(), IDC_SELECT_LIST); }

  CSelectUnitDialog& logic_;
};

}  // namespace

MappingPageWindow::~MappingPageWindow() { logic_.Attach(nullptr); }

HPROPSHEETPAGE MappingPageWindow::CreatePage() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  return PropertyPage::CreatePage(resources_, logic_.DialogId());
}

HWND MappingPageWindow::List() const { return GetDlgItem(Handle(), IDC_MAPPING_LIST); }

void MappingPageWindow::AddColumn(int column, const std::wstring& title, int width) {
  ListViewAddColumn(List(), column, title, width);
}
void MappingPageWindow::DeleteAllRows() { ListViewDeleteAll(List()); }
void MappingPageWindow::Redisplay() {
  UpdateWindow(List());
  // A list that repaints for every row it gains takes twenty times as long.
  SendMessageW(List(), WM_SETREDRAW, FALSE, 0);
}
void MappingPageWindow::AppendRow(const std::wstring& text, const std::wstring& code,
                                  const std::wstring& name) {
  ListViewAppendRow(List(), {text, code, name});
}
void MappingPageWindow::RowsComplete() {
  SendMessageW(List(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(List(), nullptr, TRUE);
}
int MappingPageWindow::RowCount() { return ListViewRowCount(List()); }
std::wstring MappingPageWindow::RowText(int row, int column) {
  return ListViewText(List(), row, column);
}
bool MappingPageWindow::IsRowSelected(int row) { return ListViewIsSelected(List(), row); }

void MappingPageWindow::SetWizardButtons(unsigned flags) {
  PostMessageW(Sheet(), PSM_SETWIZBUTTONS, 0, flags);
}

int MappingPageWindow::RunPickDialog(CSelectUnitDialog& dialog) {
  // Owned by the sheet, which it disables while it is open: an ownerless
  // dialog would leave Next and a second Single-Map within reach.
  SelectMappingWindow window(dialog);
  return static_cast<int>(window.DoModal(resources_, IDD_SELECT_MAPPING, Sheet()));
}

bool MappingPageWindow::OnInit() {
  logic_.Attach(this);
  ListView_SetExtendedListViewStyle(List(), LVS_EX_FULLROWSELECT);
  logic_.OnInitDialog();
  return true;
}

void MappingPageWindow::OnCommand(int id, int code) {
  if (code == BN_CLICKED) logic_.OnCommand(id);
}

bool MappingPageWindow::OnSetActive() {
  logic_.OnSetActive();
  return true;
}

LRESULT MappingPageWindow::OnWizardBack() { return AnswerMove(Sheet(), logic_.OnWizardBack()); }
LRESULT MappingPageWindow::OnWizardNext() { return AnswerMove(Sheet(), logic_.OnWizardNext()); }
bool MappingPageWindow::OnQueryCancel() { return SheetAllowsClose(Sheet()); }

}  // namespace ravelin::win32
