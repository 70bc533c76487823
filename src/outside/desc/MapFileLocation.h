// Where a device's map file lives: the DD root of its protocol from velk.ini,
// then manufacturer and device type folders, then a file named by device
// revision and the highest DD revision with a symbol file installed. The
// device description library finds map files by it; the map file model
// builds on it.
#pragma once

#include <cstdint>
#include <string>

namespace ravelin {

// DD root + "%06x" manufacturer + "%04x" device type.
std::wstring MapFileDeviceDirectory(uint32_t manufacturer, uint32_t deviceType,
                                    bool fieldbus);

// The highest DD revision of a "%02x??.sym" symbol file of the device
// revision in the directory; 1 when there is none, 0 when only names with
// upper-case digits exist.
int MapFileDDRevision(const std::wstring& deviceDirectory, uint32_t deviceRevision);

// Device directory + "%02x%02x.map" of device and DD revision.
std::wstring MapFilePath(uint32_t manufacturer, uint32_t deviceType,
                         uint32_t deviceRevision, bool fieldbus);

}  // namespace ravelin
