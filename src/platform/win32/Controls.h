// Thin helpers over the common controls that dialogs fill: list views in
// report mode and list boxes. They move text in and out and decide nothing.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ravelin::win32 {

// List view (report mode).
void ListViewAddColumn(HWND list, int column, const std::wstring& title, int width);
void ListViewDeleteAll(HWND list);
// Appends a row; `columns[0]` is the item, the rest its subitems. Returns
// the row's index, -1 on failure.
int ListViewAppendRow(HWND list, const std::vector<std::wstring>& columns);
int ListViewRowCount(HWND list);
std::wstring ListViewText(HWND list, int row, int column);
// The selected rows, top to bottom.
std::vector<int> ListViewSelectedRows(HWND list);

// List box.
void ListBoxClear(HWND box);
void ListBoxAdd(HWND box, const std::wstring& text);
std::vector<std::wstring> ListBoxItems(HWND box);

// The text of a window or control.
std::wstring WindowText(HWND window);

}  // namespace ravelin::win32
