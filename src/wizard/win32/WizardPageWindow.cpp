#include "wizard/win32/WizardPageWindow.h"

#include <commctrl.h>

#include <optional>

#include "browse/win32/BrowseDialogs.h"
#include "mapfile/MapFileKeys.h"
#include "mapfile/PickLists.h"
#include "platform/Platform.h"
#include "platform/win32/Controls.h"
#include "platform/win32/Dialog.h"
#include "wizard/SelectMappingDialogs.h"
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
    SetControlText(Handle(), IDC_MAPPING_FOR, text);
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

// A combo box as the pick-list fillers see it: items carry their codes.
class ComboCodeList final : public CodeListControl {
 public:
  explicit ComboCodeList(HWND combo) : combo_(combo) {}
  void ResetContent() override { ComboClear(combo_); }
  void AddItem(const std::wstring& name, int32_t code) override {
    ComboAddCoded(combo_, name, code);
  }

 private:
  HWND combo_;
};

LRESULT AnswerMove(HWND sheet, const PageMove& move) {
  if (move.kind == PageMove::kNeighbour) return 0;
  // Posted, so that the sheet changes pages only after this answer.
  if (move.kind == PageMove::kJump) PostMessageW(sheet, kWmGotoWizardPage, move.selector, 0);
  return -1;
}

bool SheetAllowsClose(HWND sheet) { return SendMessageW(sheet, kWmQueryCloseWizard, 0, 0) == 0; }

WizardPageWindow::WizardPageWindow(HINSTANCE resources, CWizardPage& logic)
    : resources_(resources), logic_(logic) {}

WizardPageWindow::~WizardPageWindow() { logic_.AttachWindow(nullptr); }

HPROPSHEETPAGE WizardPageWindow::CreatePage() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  return PropertyPage::CreatePage(resources_, logic_.DialogId());
}

CodeListControl* WizardPageWindow::CodeList(int controlId) {
  HWND combo = GetDlgItem(Handle(), controlId);
  if (!combo) return nullptr;
  auto& list = combos_[controlId];
  if (!list) list = std::make_unique<ComboCodeList>(combo);
  return list.get();
}

std::optional<int32_t> WizardPageWindow::SelectedCode(int controlId) {
  return ComboSelectedCode(GetDlgItem(Handle(), controlId));
}

void WizardPageWindow::SelectCode(int controlId, int32_t code) {
  ComboSelectCode(GetDlgItem(Handle(), controlId), code);
}

void WizardPageWindow::SetWizardButtons(unsigned flags) {
  PostMessageW(Sheet(), PSM_SETWIZBUTTONS, 0, flags);
}

void WizardPageWindow::Tell(const std::wstring& text) {
  MessageBoxW(Sheet(), text.c_str(), L"Map File Wizard", MB_OK);
}

// The browsers get no parent, as the host's do; the sheet is disabled
// meanwhile so that Next cannot be pressed behind them.
namespace {

template <typename Browser>
int RunBrowser(HWND sheet, Browser run) {
  EnableWindow(sheet, FALSE);
  const INT_PTR result = run();
  EnableWindow(sheet, TRUE);
  SetForegroundWindow(sheet);
  return result == IDOK ? kIdOk : kIdCancel;
}

}  // namespace

int WizardPageWindow::RunSelectParameter(CSelectParameter& dialog) {
  return RunBrowser(Sheet(),
                    [&] { return win32::RunSelectParameter(resources_, dialog, nullptr); });
}

int WizardPageWindow::RunSelectBlock(CSelectBlock& dialog) {
  return RunBrowser(Sheet(), [&] { return win32::RunSelectBlock(resources_, dialog, nullptr); });
}

HWND WizardPageWindow::List() const { return GetDlgItem(Handle(), IDC_MAPPING_LIST); }

void WizardPageWindow::AddColumn(int column, const std::wstring& title, int width) {
  ListViewAddColumn(List(), column, title, width);
}
void WizardPageWindow::DeleteAllRows() { ListViewDeleteAll(List()); }
void WizardPageWindow::Redisplay() {
  UpdateWindow(List());
  // A list that repaints for every row it gains takes twenty times as long.
  SendMessageW(List(), WM_SETREDRAW, FALSE, 0);
}
void WizardPageWindow::AppendRow(const std::wstring& text, const std::wstring& code,
                                  const std::wstring& name) {
  ListViewAppendRow(List(), {text, code, name});
}
void WizardPageWindow::RowsComplete() {
  SendMessageW(List(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(List(), nullptr, TRUE);
}
int WizardPageWindow::RowCount() { return ListViewRowCount(List()); }
std::wstring WizardPageWindow::RowText(int row, int column) {
  return ListViewText(List(), row, column);
}
bool WizardPageWindow::IsRowSelected(int row) { return ListViewIsSelected(List(), row); }

int WizardPageWindow::RunPickDialog(CSelectUnitDialog& dialog) {
  // Owned by the sheet, which it disables while it is open: an ownerless
  // dialog would leave Next and a second Single-Map within reach.
  SelectMappingWindow window(dialog);
  return static_cast<int>(window.DoModal(resources_, IDD_SELECT_MAPPING, Sheet()));
}

bool WizardPageWindow::OnInit() {
  // A field takes no more than a map file reads back.
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t kind[16] = {};
    GetClassNameW(child, kind, 16);
    if (lstrcmpiW(kind, L"Edit") == 0) {
      SendMessageW(child, EM_SETLIMITTEXT, mapkeys::kMaxValueLength, 0);
    }
  }
  if (HWND list = List()) ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  logic_.AttachWindow(this);
  logic_.OnInitDialog();
  return true;
}

void WizardPageWindow::OnCommand(int id, int code) {
  if (code == BN_CLICKED) logic_.OnCommand(id);
}

bool WizardPageWindow::OnSetActive() {
  logic_.OnSetActive();
  return true;
}

bool WizardPageWindow::OnKillActive() {
  logic_.ReadFields();
  return true;
}

LRESULT WizardPageWindow::OnWizardBack() { return AnswerMove(Sheet(), logic_.OnWizardBack()); }
LRESULT WizardPageWindow::OnWizardNext() { return AnswerMove(Sheet(), logic_.OnWizardNext()); }
// What was typed, checked or chosen on this page counts as a change too.
bool WizardPageWindow::OnWizardFinish() {
  logic_.ReadControls();
  return SheetAllowsClose(Sheet());
}
bool WizardPageWindow::OnQueryCancel() {
  logic_.ReadControls();
  return SheetAllowsClose(Sheet());
}

}  // namespace ravelin::win32
