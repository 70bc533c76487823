#include "entry/win32/PluginTools.h"

#include <windows.h>

#include <cstdio>

#include "base/Text.h"
#include "entry/win32/Module.h"
#include "templates/CreateTestDevices.h"
#include "tester/MapFileTestLauncherDlg.h"
#include "tester/win32/TesterDialogs.h"
#include "wizard/win32/MapFileWizardSheet.h"

namespace ravelin::win32 {
namespace {

// Appends `line` in UTF-8 with LF to the trace file, when one is named.
void Trace(const std::wstring& line) {
  DWORD size = GetEnvironmentVariableW(L"RAVELIN_LAUNCH_TRACE", nullptr, 0);
  if (size <= 1) return;
  std::wstring path(size, L'\0');
  path.resize(GetEnvironmentVariableW(L"RAVELIN_LAUNCH_TRACE", path.data(), size));
  FILE* file = _wfopen(path.c_str(), L"ab");
  if (!file) return;
  std::string bytes = ToUtf8(line) + "\n";
  fwrite(bytes.data(), 1, bytes.size(), file);
  fclose(file);
}

}  // namespace

void PluginTools::RunDeviceTester(const std::wstring& serverName,
                                  const std::wstring& deviceTag) {
  Trace(L"op=0 server=" + serverName + L" tag=" + deviceTag);
  CMapFileTestLauncherDlg launcher(serverName, deviceTag);
  RunTestLauncher(ThisModule(), launcher);
}

void PluginTools::RunMapFileWizard(const std::wstring& deviceTag,
                                   const std::wstring& moniker,
                                   const std::wstring& serverName, int32_t manufacturer,
                                   int32_t deviceType, int32_t deviceRevision,
                                   bool fieldbus) {
  Trace(Format(L"op=1 tag=%s moniker=%s server=%s manufacturer=%d type=%d "
               L"revision=%d fieldbus=%d",
               deviceTag.c_str(), moniker.c_str(), serverName.c_str(), manufacturer,
               deviceType, deviceRevision, fieldbus ? 1 : 0));
  win32::RunMapFileWizard(ThisModule(), deviceTag, moniker, serverName, manufacturer,
                          deviceType, deviceRevision, fieldbus);
}

void PluginTools::CreateTestDevices(const std::wstring& serverName) {
  Trace(L"op=2 server=" + serverName);
  ravelin::CreateTestDevices(serverName);
}

void PluginTools::RunBatchTester(const std::wstring& serverName) {
  Trace(L"op=3 server=" + serverName);
  CMapFileTestLauncherDlg launcher(serverName);
  RunTestLauncher(ThisModule(), launcher);
}

}  // namespace ravelin::win32
