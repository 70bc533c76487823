#include "platform/win32/Controls.h"

#include <commctrl.h>

namespace ravelin::win32 {

std::wstring ControlText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

void SetControlText(HWND dialog, int id, const std::wstring& text) {
  SetDlgItemTextW(dialog, id, text.c_str());
}

bool IsControlChecked(HWND dialog, int id) {
  return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void SetControlChecked(HWND dialog, int id, bool checked) {
  CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CheckRadio(HWND dialog, int first, int last, int id) {
  CheckRadioButton(dialog, first, last, id);
}

void EnableControl(HWND dialog, int id, bool enabled) {
  EnableWindow(GetDlgItem(dialog, id), enabled);
}

void ShowControl(HWND dialog, int id, bool shown) {
  ShowWindow(GetDlgItem(dialog, id), shown ? SW_SHOW : SW_HIDE);
}

void ComboClear(HWND combo) { SendMessageW(combo, CB_RESETCONTENT, 0, 0); }

void ComboAddCoded(HWND combo, const std::wstring& text, int32_t code) {
  const LRESULT index =
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index >= 0) SendMessageW(combo, CB_SETITEMDATA, index, code);
}

std::optional<int32_t> ComboSelectedCode(HWND combo) {
  const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return std::nullopt;
  return static_cast<int32_t>(SendMessageW(combo, CB_GETITEMDATA, index, 0));
}

void ComboSelectCode(HWND combo, int32_t code) {
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  LRESULT found = -1;
  for (LRESULT i = 0; i < count && found < 0; ++i) {
    if (static_cast<int32_t>(SendMessageW(combo, CB_GETITEMDATA, i, 0)) == code) found = i;
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void ListViewAddExtendedStyle(HWND list, DWORD styles) {
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
}

void ListViewAddColumn(HWND list, int column, const std::wstring& title, int width) {
  LVCOLUMNW lvc{};
  lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  lvc.pszText = const_cast<wchar_t*>(title.c_str());
  lvc.cx = width;
  lvc.iSubItem = column;
  SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&lvc));
}

void ListViewDeleteAll(HWND list) { SendMessageW(list, LVM_DELETEALLITEMS, 0, 0); }

int ListViewAppendRow(HWND list, const std::vector<std::wstring>& columns) {
  if (columns.empty()) return -1;
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = ListViewRowCount(list);
  item.pszText = const_cast<wchar_t*>(columns[0].c_str());
  const int row = static_cast<int>(
      SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (row < 0) return -1;
  for (size_t column = 1; column < columns.size(); ++column) {
    LVITEMW sub{};
    sub.iSubItem = static_cast<int>(column);
    sub.pszText = const_cast<wchar_t*>(columns[column].c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&sub));
  }
  return row;
}

int ListViewRowCount(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

std::wstring ListViewText(HWND list, int row, int column) {
  // The control copies at most the buffer; grow it until the text fits.
  std::wstring text(256, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const size_t length = static_cast<size_t>(
        SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(text.size() * 2);
  }
}

std::vector<int> ListViewSelectedRows(HWND list) {
  std::vector<int> rows;
  for (int row = -1;
       (row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0;) {
    rows.push_back(row);
  }
  return rows;
}

bool ListViewIsSelected(HWND list, int row) {
  return SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED;
}

void ListBoxClear(HWND box) { SendMessageW(box, LB_RESETCONTENT, 0, 0); }

void ListBoxAdd(HWND box, const std::wstring& text) {
  SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int ListBoxAddItem(HWND box, const std::wstring& text, LPARAM data) {
  const int index = static_cast<int>(
      SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
  if (index >= 0) SendMessageW(box, LB_SETITEMDATA, index, data);
  return index;
}

std::optional<LPARAM> ListBoxCurrentData(HWND box) {
  const LRESULT index = SendMessageW(box, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return std::nullopt;
  return SendMessageW(box, LB_GETITEMDATA, index, 0);
}

std::vector<std::wstring> ListBoxItems(HWND box) {
  std::vector<std::wstring> items;
  const int count = static_cast<int>(SendMessageW(box, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::wstring text(static_cast<size_t>(SendMessageW(box, LB_GETTEXTLEN, i, 0)), L'\0');
    SendMessageW(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    items.push_back(std::move(text));
  }
  return items;
}

void TrackContextMenu(HINSTANCE resources, int menuId, HWND owner) {
  const HMENU menu = LoadMenuW(resources, MAKEINTRESOURCEW(menuId));
  if (!menu) return;
  POINT at;
  GetCursorPos(&at);
  // Without it the menu stays open when the user clicks elsewhere.
  SetForegroundWindow(owner);
  TrackPopupMenu(GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner,
                 nullptr);
  DestroyMenu(menu);
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(
      GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace ravelin::win32
