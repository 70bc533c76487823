// The tester's dialogs on Win32: the launcher (with its progress window)
// and the completion dialog, their templates loaded from `resources`.
#pragma once

#include <windows.h>

namespace ravelin {
class CMapFileTestLauncherDlg;
}

namespace ravelin::win32 {

// Runs the launcher modally without a parent window.
INT_PTR RunTestLauncher(HINSTANCE resources, CMapFileTestLauncherDlg& launcher);

}  // namespace ravelin::win32
