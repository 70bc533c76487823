// The tools as launchFenlet reaches them inside the DLL. Each appends a line
// naming the values it received to the file that RAVELIN_LAUNCH_TRACE names,
// so that tests through the real COM entry see the dispatch, then runs.
#pragma once

#include "entry/LaunchDispatch.h"

namespace ravelin::win32 {

class PluginTools final : public Tools {
 public:
  void RunDeviceTester(const std::wstring& serverName,
                       const std::wstring& deviceTag) override;
  void RunMapFileWizard(const std::wstring& deviceTag, const std::wstring& moniker,
                        const std::wstring& serverName, int32_t manufacturer,
                        int32_t deviceType, int32_t deviceRevision,
                        bool fieldbus) override;
  void CreateTestDevices(const std::wstring& serverName) override;
  void RunBatchTester(const std::wstring& serverName) override;
};

}  // namespace ravelin::win32
