#include "browse/win32/BrowseDialogs.h"

#include <commctrl.h>

#include "browse/BrowseIds.h"
#include "browse/SelectBlock.h"
#include "browse/SelectEnumeration.h"
#include "browse/SelectParameter.h"
#include "platform/win32/Controls.h"
#include "platform/win32/Dialog.h"

namespace ravelin::win32 {
namespace {

// One window for the three dialogs: their list is a list view, or for the
// enumeration a list box.
class BrowseWindow final : public Dialog, public DialogControlsOf<BrowseWindow, BrowseView> {
 public:
  BrowseWindow(HINSTANCE resources, CBrowseDialog& logic, bool listBox)
      : resources_(resources), logic_(logic), listBox_(listBox) {}

  INT_PTR Run(int id, HWND parent) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    const INT_PTR result = DoModal(resources_, id, parent);
    logic_.Attach(nullptr);
    return result;
  }

  void AddColumn(int column, const std::wstring& title, int width) override {
    ListViewAddColumn(List(), column, title, width);
  }
  void DeleteAllRows() override {
    if (listBox_) {
      ListBoxClear(List());
    } else {
      ListViewDeleteAll(List());
    }
  }
  void AppendRow(const std::vector<std::wstring>& columns) override {
    if (!listBox_) {
      ListViewAppendRow(List(), columns);
    } else if (!columns.empty()) {
      ListBoxAdd(List(), columns[0]);
    }
  }
  int RowCount() override {
    return listBox_ ? static_cast<int>(ListBoxItems(List()).size()) : ListViewRowCount(List());
  }
  std::wstring RowText(int row, int column) override {
    if (!listBox_) return ListViewText(List(), row, column);
    const std::vector<std::wstring> items = ListBoxItems(List());
    return column == 0 && row >= 0 && row < static_cast<int>(items.size()) ? items[row]
                                                                           : std::wstring();
  }
  std::vector<int> SelectedRows() override {
    return listBox_ ? std::vector<int>() : ListViewSelectedRows(List());
  }
  void ShowContextMenu(int menuId) override { TrackContextMenu(resources_, menuId, Handle()); }
  void RunEnumeration(CSelectEnumeration& dialog) override {
    RunSelectEnumeration(resources_, dialog, Handle());
  }
  void Tell(const std::wstring& text) override {
    MessageBoxW(Handle(), text.c_str(), L"Ravelin", MB_OK);
  }
  void End(int result) override { Dialog::End(result); }

 protected:
  bool OnInit() override {
    if (!listBox_) ListViewAddExtendedStyle(List(), LVS_EX_FULLROWSELECT);
    logic_.Attach(this);
    logic_.OnInitDialog();
    return true;
  }
  void OnCommand(int id, int code) override {
    // Buttons, menu commands and the keyboard's Enter and Escape.
    if (code == BN_CLICKED) logic_.OnCommand(id);
  }
  bool OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) override {
    if (message != WM_NOTIFY) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom != IDC_BROWSE_LIST || header->code != NM_RCLICK) return false;
    logic_.OnListRightClick();
    result = TRUE;
    return true;
  }

 private:
  HWND List() const { return GetDlgItem(Handle(), IDC_BROWSE_LIST); }

  HINSTANCE resources_;
  CBrowseDialog& logic_;
  bool listBox_;
};

}  // namespace

INT_PTR RunSelectBlock(HINSTANCE resources, CSelectBlock& dialog, HWND parent) {
  return BrowseWindow(resources, dialog, false).Run(IDD_SELECT_BLOCK, parent);
}

INT_PTR RunSelectParameter(HINSTANCE resources, CSelectParameter& dialog, HWND parent) {
  return BrowseWindow(resources, dialog, false).Run(IDD_SELECT_PARAMETER, parent);
}

INT_PTR RunSelectEnumeration(HINSTANCE resources, CSelectEnumeration& dialog, HWND parent) {
  return BrowseWindow(resources, dialog, true).Run(IDD_SELECT_ENUMERATION, parent);
}

}  // namespace ravelin::win32
