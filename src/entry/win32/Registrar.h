// DllRegisterServer and DllUnregisterServer: the registration script from
// the DLL's REGISTRY resource and the type library from its TYPELIB resource.
#pragma once

#include <windows.h>

namespace ravelin::win32 {

// Writes the script's keys and registers the type library. A failure part
// way removes what was written again.
HRESULT RegisterServer();

// Removes the script's keys and the type library's registration; goes on past
// a failure and reports the first one.
HRESULT UnregisterServer();

}  // namespace ravelin::win32
