// Thin helpers over the controls that dialogs fill: a dialog's controls by
// id, combo boxes, list views in report mode, list boxes and context menus.
// They move text in and out and decide nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ravelin::win32 {

// The controls of `dialog`, by id.
std::wstring ControlText(HWND dialog, int id);
void SetControlText(HWND dialog, int id, const std::wstring& text);
bool IsControlChecked(HWND dialog, int id);
void SetControlChecked(HWND dialog, int id, bool checked);
// Checks radio `id` of the group `first` to `last` and clears the others.
void CheckRadio(HWND dialog, int first, int last, int id);
void EnableControl(HWND dialog, int id, bool enabled);
void ShowControl(HWND dialog, int id, bool shown);

// Combo box whose items carry codes.
void ComboClear(HWND combo);
void ComboAddCoded(HWND combo, const std::wstring& text, int32_t code);
// The code of the selected item; nothing when none is selected.
std::optional<int32_t> ComboSelectedCode(HWND combo);
// Selects the first item carrying `code`, or none when no item does.
void ComboSelectCode(HWND combo, int32_t code);

// List view (report mode).
// Adds extended styles (LVS_EX_...).
void ListViewAddExtendedStyle(HWND list, DWORD styles);
void ListViewAddColumn(HWND list, int column, const std::wstring& title, int width);
void ListViewDeleteAll(HWND list);
// Appends a row; `columns[0]` is the item, the rest its subitems. Returns
// the row's index, -1 on failure.
int ListViewAppendRow(HWND list, const std::vector<std::wstring>& columns);
int ListViewRowCount(HWND list);
std::wstring ListViewText(HWND list, int row, int column);
// The selected rows, top to bottom.
std::vector<int> ListViewSelectedRows(HWND list);
bool ListViewIsSelected(HWND list, int row);

// List box.
void ListBoxClear(HWND box);
void ListBoxAdd(HWND box, const std::wstring& text);
// Adds an item that carries `data`; returns its index (a sorted box places
// it by its text), negative on failure.
int ListBoxAddItem(HWND box, const std::wstring& text, LPARAM data);
// The data of the current item; nothing when no item is current.
std::optional<LPARAM> ListBoxCurrentData(HWND box);
std::vector<std::wstring> ListBoxItems(HWND box);

// Shows the first popup of menu resource `menuId` at the mouse position; a
// chosen item reaches `owner` as WM_COMMAND.
void TrackContextMenu(HINSTANCE resources, int menuId, HWND owner);

// The text of a window or control.
std::wstring WindowText(HWND window);

// A view's DialogControls on the controls of `Window`, which derives from
// this and has Handle() (a Dialog or a PropertyPage).
template <class Window, class View>
class DialogControlsOf : public View {
 public:
  std::wstring GetText(int id) override { return ControlText(Hwnd(), id); }
  void SetText(int id, const std::wstring& text) override { SetControlText(Hwnd(), id, text); }
  bool IsChecked(int id) override { return IsControlChecked(Hwnd(), id); }
  void SetChecked(int id, bool checked) override { SetControlChecked(Hwnd(), id, checked); }
  void CheckRadio(int first, int last, int id) override {
    win32::CheckRadio(Hwnd(), first, last, id);
  }
  void Enable(int id, bool enabled) override { EnableControl(Hwnd(), id, enabled); }
  void Show(int id, bool shown) override { ShowControl(Hwnd(), id, shown); }

 private:
  HWND Hwnd() { return static_cast<Window*>(this)->Handle(); }
};

}  // namespace ravelin::win32
