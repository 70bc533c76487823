// The host's profile values. They live in VelkProfile.ini in the Windows
// directory (the host root on POSIX), one ini section per profile section:
//   [INSTALLATION]
//   DevicePath=/plant/dd
//   DevicesFolder=/plant/reports
// Names match without regard to case, as in every profile file.
#pragma once

#include <cstdint>
#include <string>

namespace ravelin {

// 0 and the value when the key holds text; otherwise 1 and an empty value.
int32_t GetVelkProfileValue(const std::wstring& section, const std::wstring& key,
                            std::wstring& value);

// The file the values are read from.
std::wstring VelkProfilePath();

}  // namespace ravelin
