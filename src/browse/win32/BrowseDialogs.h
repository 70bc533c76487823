// The device browsing dialogs on Win32, their templates loaded from
// `resources`. Each returns what the dialog ended with: IDOK, IDCANCEL, or
// -1 when it could not be shown.
#pragma once

#include <windows.h>

namespace ravelin {
class CSelectBlock;
class CSelectEnumeration;
class CSelectParameter;
}  // namespace ravelin

namespace ravelin::win32 {

INT_PTR RunSelectBlock(HINSTANCE resources, CSelectBlock& dialog, HWND parent);
INT_PTR RunSelectParameter(HINSTANCE resources, CSelectParameter& dialog, HWND parent);
INT_PTR RunSelectEnumeration(HINSTANCE resources, CSelectEnumeration& dialog, HWND parent);

}  // namespace ravelin::win32
