// The launch data the host hands to launchFenlet: values between "<key>" and
// "</key>" tags, and the device identity the tools receive from it.
#pragma once

#include <cstdint>
#include <string>

namespace ravelin {

// The value between the first "<key>" and the first "</key>" of `data`;
// empty when either is missing or the closing tag comes first. Keys match
// case-sensitively; the value is taken as it stands.
void GetTagValue(std::wstring data, std::wstring key, std::wstring& value);

struct DeviceIdentity {
  std::wstring deviceTag;
  std::wstring moniker;
  int32_t manufacturer = 0;
  int32_t deviceType = 0;
  int32_t deviceRevision = 0;
  bool fieldbus = false;
};

// Reads the fieldbus flag, tag, moniker and identity numbers: the fieldbus
// keys when FFDevice is non-empty, else the HART keys (block tag first).
DeviceIdentity ReadDeviceIdentity(const std::wstring& data);

}  // namespace ravelin
