// launchFenlet's decisions, free of COM: the operation number, the values
// each tool receives, the server name fallback and the confirmation of
// operation 2. The tools are reached through the narrow Tools seam.
#pragma once

#include <cstdint>
#include <string>

namespace ravelin {

// The four tools, as launchFenlet hands them their plain values.
class Tools {
 public:
  virtual ~Tools() = default;
  // Operation 0: the test launcher for one device.
  virtual void RunDeviceTester(const std::wstring& serverName,
                               const std::wstring& deviceTag) = 0;
  // Operation 1: the map file wizard.
  virtual void RunMapFileWizard(const std::wstring& deviceTag,
                                const std::wstring& moniker,
                                const std::wstring& serverName,
                                int32_t manufacturer, int32_t deviceType,
                                int32_t deviceRevision, bool fieldbus) = 0;
  // Operation 2, after the user confirmed: test device creation.
  virtual void CreateTestDevices(const std::wstring& serverName) = 0;
  // Operation 3: the test launcher in batch mode.
  virtual void RunBatchTester(const std::wstring& serverName) = 0;
};

// The question operation 2 asks before creating anything.
extern const wchar_t kCreateDevicesQuestion[];

// Reads the operation number and, for the device tools, the device's
// identity from the launch data; takes the plant server from the data's
// PLANTSERVERNAME, or from velk.ini when the data names none; then runs
// the operation's tool.
void LaunchFenlet(const std::wstring& operation, const std::wstring& data,
                  Tools& tools);

}  // namespace ravelin
