// The DLL itself: its handle, its path and its lock count (objects alive plus
// LockServer locks), which decides DllCanUnloadNow.
#pragma once

#include <windows.h>

#include <string>

namespace ravelin::win32 {

HMODULE ThisModule();

// The DLL's full path, as the registry and the type library loader need it.
std::wstring ThisModulePath();

void LockModule();
void UnlockModule();

}  // namespace ravelin::win32
