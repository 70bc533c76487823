// Section, key and marker texts of the map file, shared by writer and reader.
#pragma once

#include <cstddef>

namespace ravelin::mapkeys {

inline constexpr wchar_t kIdentification[] = L"IDENTIFICATION";
inline constexpr wchar_t kParameterMap[] = L"PARAMETER MAP";
inline constexpr wchar_t kSpecialInfo[] = L"PARAMETER SPECIAL INFO";
inline constexpr wchar_t kDefaults[] = L"DEFAULT PARAMETER VALUES";
inline constexpr wchar_t kInputBlockType[] = L"INPUT BLOCK TYPE";
inline constexpr wchar_t kOutputBlockType[] = L"OUTPUT BLOCK TYPE";
inline constexpr wchar_t kNoParameter[] = L"No Associated Parameter";

inline constexpr wchar_t kInput[] = L"input block ";
inline constexpr wchar_t kOutput[] = L"output block ";
inline constexpr wchar_t kMapSuffix[] = L" DD to Common Map";

inline constexpr wchar_t kUrv[] = L"Upper Range Value";
inline constexpr wchar_t kLrv[] = L"Lower Range Value";
inline constexpr wchar_t kUnits[] = L"Units Code";
inline constexpr wchar_t kDamping[] = L"Damping Value";
inline constexpr wchar_t kTransferFunc[] = L"Transfer Function Code";
inline constexpr wchar_t kPressMeas[] = L"Pressure Measurement Type";
inline constexpr wchar_t kProbeType[] = L"Probe Type";
inline constexpr wchar_t kProbeConnect[] = L"Probe Connect";
inline constexpr wchar_t kCjc[] = L"Cold Junction Compensation";
inline constexpr wchar_t kNumWires[] = L"Number of Wires";
inline constexpr wchar_t kPollingAddress[] = L"Polling Address";
inline constexpr wchar_t kUpperSensorLimit[] = L"Upper Sensor Limit";
inline constexpr wchar_t kLowerSensorLimit[] = L"Lower Sensor Limit";
inline constexpr wchar_t kTotalizerUnits[] = L"Totalizer Units";
inline constexpr wchar_t kTotalizerValue[] = L"Totalizer Value";
inline constexpr wchar_t kTag[] = L"Tag";
inline constexpr wchar_t kMessage[] = L"Message";
inline constexpr wchar_t kDescriptor[] = L"Descriptor";

inline constexpr wchar_t kInputBlock[] = L"Input block";
inline constexpr wchar_t kOutputBlock[] = L"Output block";
inline constexpr wchar_t kCurrentPv[] = L"Parameter for current PV";
inline constexpr wchar_t kBlockIndex[] = L"Block Index";
inline constexpr wchar_t kDualMode[] = L"DUAL MODE INPUT BLOCK TYPE DD TO COMMON MAP";

inline constexpr int kPressureBlock = 5;
inline constexpr int kMultivariableBlock = 99;
inline constexpr int kHartOutputBlock = 8;
inline constexpr int kLoopCurrentUnits = 39;  // mA, the 4-20 mA loop

// The longest value that reads back whole: readers of map files take values
// into a buffer of 260 characters, NUL included.
inline constexpr size_t kMaxValueLength = 259;

}  // namespace ravelin::mapkeys
