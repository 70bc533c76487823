// Where the system calls back into our windows: no C++ exception may unwind
// through its dialog and property sheet code.
#pragma once

#include <windows.h>

namespace ravelin::win32 {

// Tells the exception being handled in a message box owned by `owner`. Call
// it only inside a catch block.
void ShowCurrentException(HWND owner) noexcept;

// The object behind a dialog or page window, for its window procedure: on
// WM_INITDIALOG `created` is linked to the window and its `handle` member
// set; later messages find it through the window's user data. On
// WM_NCDESTROY the link is cut and null returned, as for a window without one.
template <typename T>
T* BindWindowObject(HWND hwnd, UINT message, T* created, HWND T::*handle) {
  T* self;
  if (message == WM_INITDIALOG) {
    self = created;
    SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->*handle = hwnd;
  } else {
    self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (self && message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->*handle = nullptr;
    return nullptr;
  }
  return self;
}

}  // namespace ravelin::win32
