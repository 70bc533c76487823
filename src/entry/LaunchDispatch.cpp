#include "entry/LaunchDispatch.h"

#include "base/Text.h"
#include "entry/LaunchData.h"
#include "platform/Platform.h"
#include "platform/Profile.h"

namespace ravelin {

const wchar_t kCreateDevicesQuestion[] =
    L"This will create new FF Devices.\nAre you sure you want this?";

void LaunchFenlet(const std::wstring& operation, const std::wstring& data,
                  Tools& tools) {
  const int32_t op = WtoI(operation);

  DeviceIdentity identity;
  if (op == 0 || op == 1) identity = ReadDeviceIdentity(data);

  std::wstring serverName;
  GetTagValue(data, L"PLANTSERVERNAME", serverName);
  if (serverName.empty()) {
    serverName = ProfileString(L"velk.ini", L"Tarn Server 1", L"Computer Name",
                               L"", 260);
  }

  switch (op) {
    case 0:
      tools.RunDeviceTester(serverName, identity.deviceTag);
      break;
    case 1:
      tools.RunMapFileWizard(identity.deviceTag, identity.moniker, serverName,
                             identity.manufacturer, identity.deviceType,
                             identity.deviceRevision, identity.fieldbus);
      break;
    case 2:
      if (ThePlatform().ShowMessageBox(kCreateDevicesQuestion, L"Ravelin", kMbYesNo) ==
          kIdYes) {
        tools.CreateTestDevices(serverName);
      }
      break;
    case 3:
      tools.RunBatchTester(serverName);
      break;
    default:
      break;
  }
}

}  // namespace ravelin
