// The kinds of device revision the plant is built from.
#pragma once

#include "plant/PlantContent.h"

namespace ravelin::plant {

// Major device categories (MajorDeviceCategories keys and names).
enum : int32_t { kPressure = 1, kTemperature = 2, kFlow = 3, kFrequency = 4, kGeneric = 5 };
const wchar_t* CategoryName(int32_t category);

extern const RevisionKind kHartPressure;
extern const RevisionKind kHartExportOnly;
extern const RevisionKind kHartTemperature;
extern const RevisionKind kHartFlow;
extern const RevisionKind kHartFrequency;
extern const RevisionKind kHartGenericOnly;
extern const RevisionKind kConventional;
extern const RevisionKind kFieldbusRtd;
extern const RevisionKind kFieldbusThermocouple;
extern const RevisionKind kFieldbusPressure;
extern const RevisionKind kFieldbusNoMap;
extern const RevisionKind kTemplateFieldbus;

}  // namespace ravelin::plant
