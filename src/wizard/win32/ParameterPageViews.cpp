#include "wizard/win32/ParameterPageViews.h"

#include "browse/win32/BrowseDialogs.h"
#include "mapfile/MapFileKeys.h"
#include "mapfile/PickLists.h"
#include "platform/Platform.h"
#include "platform/win32/Controls.h"
#include "wizard/WizardIds.h"

namespace ravelin::win32 {

// A combo box as the pick-list fillers see it: items carry their codes.
class ComboCodeList final : public CodeListControl {
 public:
  explicit ComboCodeList(HWND combo) : combo_(combo) {}
  void ResetContent() override { SendMessageW(combo_, CB_RESETCONTENT, 0, 0); }
  void AddItem(const std::wstring& name, int32_t code) override {
    const LRESULT index =
        SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (index >= 0) SendMessageW(combo_, CB_SETITEMDATA, index, code);
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

ParameterPageWindow::ParameterPageWindow(HINSTANCE resources, CWizardPage& logic)
    : resources_(resources), logic_(logic) {}

ParameterPageWindow::~ParameterPageWindow() { logic_.Attach(nullptr); }

HPROPSHEETPAGE ParameterPageWindow::CreatePage() {
  return PropertyPage::CreatePage(resources_, logic_.DialogId());
}

std::wstring ParameterPageWindow::GetText(int controlId) {
  return WindowText(GetDlgItem(Handle(), controlId));
}
void ParameterPageWindow::SetText(int controlId, const std::wstring& text) {
  SetDlgItemTextW(Handle(), controlId, text.c_str());
}
bool ParameterPageWindow::IsChecked(int controlId) {
  return IsDlgButtonChecked(Handle(), controlId) == BST_CHECKED;
}
void ParameterPageWindow::SetChecked(int controlId, bool checked) {
  CheckDlgButton(Handle(), controlId, checked ? BST_CHECKED : BST_UNCHECKED);
}
void ParameterPageWindow::Enable(int controlId, bool enabled) {
  EnableWindow(GetDlgItem(Handle(), controlId), enabled);
}
void ParameterPageWindow::Show(int controlId, bool shown) {
  ShowWindow(GetDlgItem(Handle(), controlId), shown ? SW_SHOW : SW_HIDE);
}

CodeListControl* ParameterPageWindow::CodeList(int controlId) {
  HWND combo = GetDlgItem(Handle(), controlId);
  if (!combo) return nullptr;
  auto& list = combos_[controlId];
  if (!list) list = std::make_unique<ComboCodeList>(combo);
  return list.get();
}

std::optional<int32_t> ParameterPageWindow::SelectedCode(int controlId) {
  const LRESULT index = SendDlgItemMessageW(Handle(), controlId, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return std::nullopt;
  return static_cast<int32_t>(SendDlgItemMessageW(Handle(), controlId, CB_GETITEMDATA, index, 0));
}

void ParameterPageWindow::SelectCode(int controlId, int32_t code) {
  const LRESULT count = SendDlgItemMessageW(Handle(), controlId, CB_GETCOUNT, 0, 0);
  LRESULT found = -1;
  for (LRESULT i = 0; i < count && found < 0; ++i) {
    if (static_cast<int32_t>(SendDlgItemMessageW(Handle(), controlId, CB_GETITEMDATA, i, 0)) ==
        code) {
      found = i;
    }
  }
  SendDlgItemMessageW(Handle(), controlId, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void ParameterPageWindow::SetWizardButtons(unsigned flags) {
  PostMessageW(Sheet(), PSM_SETWIZBUTTONS, 0, flags);
}

void ParameterPageWindow::Tell(const std::wstring& text) {
  MessageBoxW(Sheet(), text.c_str(), L"Map File Wizard", MB_OK);
}

// The browsers get no parent, as the host's do; the sheet is disabled
// meanwhile so that Next cannot be pressed behind them.
int ParameterPageWindow::RunSelectParameter(CSelectParameter& dialog) {
  HWND sheet = Sheet();
  EnableWindow(sheet, FALSE);
  const INT_PTR result = win32::RunSelectParameter(resources_, dialog, nullptr);
  EnableWindow(sheet, TRUE);
  SetForegroundWindow(sheet);
  return result == IDOK ? kIdOk : kIdCancel;
}

int ParameterPageWindow::RunSelectBlock(CSelectBlock& dialog) {
  HWND sheet = Sheet();
  EnableWindow(sheet, FALSE);
  const INT_PTR result = win32::RunSelectBlock(resources_, dialog, nullptr);
  EnableWindow(sheet, TRUE);
  SetForegroundWindow(sheet);
  return result == IDOK ? kIdOk : kIdCancel;
}

bool ParameterPageWindow::OnInit() {
  // A field takes no more than a map file reads back.
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t kind[16] = {};
    GetClassNameW(child, kind, 16);
    if (lstrcmpiW(kind, L"Edit") == 0) {
      SendMessageW(child, EM_SETLIMITTEXT, mapkeys::kMaxValueLength, 0);
    }
  }
  logic_.Attach(this);
  logic_.OnInitDialog();
  return true;
}

void ParameterPageWindow::OnCommand(int id, int code) {
  if (code == BN_CLICKED) logic_.OnCommand(id);
}

bool ParameterPageWindow::OnSetActive() {
  logic_.OnSetActive();
  return true;
}

bool ParameterPageWindow::OnKillActive() {
  logic_.ReadFields();
  return true;
}

LRESULT ParameterPageWindow::OnWizardBack() { return AnswerMove(Sheet(), logic_.OnWizardBack()); }
LRESULT ParameterPageWindow::OnWizardNext() { return AnswerMove(Sheet(), logic_.OnWizardNext()); }
// What was typed, checked or chosen on this page counts as a change too.
bool ParameterPageWindow::OnWizardFinish() {
  logic_.ReadControls();
  return SheetAllowsClose(Sheet());
}
bool ParameterPageWindow::OnQueryCancel() {
  logic_.ReadControls();
  return SheetAllowsClose(Sheet());
}

}  // namespace ravelin::win32
