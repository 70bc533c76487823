// The identity of a device as the device description library takes it:
// 24 bytes, passed by value.
#pragma once

#include <cstdint>

namespace ravelin {

// Protocol codes of DeviceIdentification::protocol.
enum : uint32_t { kIdentProtocolHart = 1, kIdentProtocolFieldbus = 3 };

struct DeviceIdentification {
  uint32_t manufacturer = 0;
  uint16_t deviceType = 0;
  uint8_t deviceRevision = 0;
  uint8_t reserved8 = 0;    // always 0; unused by this library
  uint32_t reserved32 = 0;  // always 0; unused by this library
  uint32_t kind = 5;        // always 5; unused by this library
  uint32_t reserved = 0;    // always 0; unused by this library
  uint32_t protocol = kIdentProtocolHart;
};
static_assert(sizeof(DeviceIdentification) == 24, "the library takes 24 bytes");

}  // namespace ravelin
