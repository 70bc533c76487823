// Launch data the host hands over for devices of the sample plant.
#pragma once

namespace ravelin::testing {

inline constexpr wchar_t kPlant[] = L"<PLANTSERVERNAME>PLANT1</PLANTSERVERNAME>";
// A HART device with its identity.
inline constexpr wchar_t kPt101[] =
    L"<TARNTAG>PT-101</TARNTAG><MONIKER>!ID!PT-101!Hart</MONIKER>"
    L"<HART_MANUFACTURER_ID_CODE>38</HART_MANUFACTURER_ID_CODE><HART_DEVICE_TYPE>7"
    L"</HART_DEVICE_TYPE><HART_DEVICE_REVISION>3</HART_DEVICE_REVISION>"
    L"<PLANTSERVERNAME>PLANT1</PLANTSERVERNAME>";

}  // namespace ravelin::testing
