// Thin helpers over the common controls that dialogs fill: list views in
// report mode, list boxes and context menus. They move text in and out and decide nothing.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace ravelin::win32 {

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

}  // namespace ravelin::win32
