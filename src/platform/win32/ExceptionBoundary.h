// Where the system calls back into our windows: no C++ exception may unwind
// through its dialog and property sheet code.
#pragma once

#include <windows.h>

namespace ravelin::win32 {

// Tells the exception being handled in a message box owned by `owner`. Call
// it only inside a catch block.
void ShowCurrentException(HWND owner) noexcept;

}  // namespace ravelin::win32
