#include "plant/PlantContent.h"

#include <map>
#include <tuple>

#include "base/Text.h"
#include "plant/RevisionKinds.h"

namespace ravelin::plant {
namespace {

constexpr uint32_t kAlder = 0x000026;
constexpr uint32_t kBirch = 0x00A1B2;
constexpr uint32_t kConventionalMaker = 0x00007D;
constexpr uint32_t kAspen = 0x0000A1;

struct DeviceKind {
  const wchar_t* tag;
  const RevisionKind* kind;
  Identity id;
  int ddRevision;
  int32_t protocolId;
  bool recorded;
  Values overrides;
};

constexpr Protocol kHart = Protocol::Hart;
constexpr Protocol kFf = Protocol::Fieldbus;

// One device of each path through the tester; docs/plant.md says which.
const std::vector<DeviceKind>& DeviceKinds() {
  static const std::vector<DeviceKind> kinds = {
      {L"PT-101", &kHartPressure, {kAlder, 0x0007, 3, kHart}, 2, 1, true, {}},
      {L"PT-102", &kHartPressure, {kAlder, 0x0007, 3, kHart}, 2, 2, true, {}},
      {L"TT-201", &kHartTemperature, {kAlder, 0x0008, 1, kHart}, 1, 1, true, {}},
      {L"TT-202", &kHartTemperature, {kAlder, 0x0008, 1, kHart}, 1, 2, true,
       {{L"Param!SENSOR_TYPE", L"9"}}},
      {L"FT-301", &kHartFlow, {kAlder, 0x0009, 2, kHart}, 1, 2, true, {}},
      {L"PT-305", &kHartExportOnly, {kAlder, 0x000B, 1, kHart}, 1, 1, true, {}},
      {L"FQ-403", &kHartFrequency, {kAlder, 0x000A, 1, kHart}, 1, 1, true, {}},
      {L"TT-401", &kFieldbusRtd, {kBirch, 0x0101, 1, kFf}, 1, 3, true, {}},
      {L"TT-402", &kFieldbusThermocouple, {kBirch, 0x0102, 1, kFf}, 1, 3, true, {}},
      {L"PT-501", &kFieldbusPressure, {kBirch, 0x0103, 2, kFf}, 1, 3, true, {}},
      {L"GN-601", &kHartGenericOnly, {kAlder, 0x00F0, 1, kHart}, 1, 1, true, {}},
      {L"NM-602", &kFieldbusNoMap, {kBirch, 0x01F0, 1, kFf}, 1, 3, true, {}},
      {L"CV-701", &kConventional, {kConventionalMaker, 0x0001, 1, kHart}, 1, 1, true, {}},
      {L"CV-702", &kConventional, {kConventionalMaker, 0x0109, 1, kHart}, 1, 1, true, {}},
      {L"PT-900", &kHartPressure, {kAlder, 0x0007, 3, kHart}, 2, 1, false, {}},
  };
  return kinds;
}

struct TemplateKind {
  const wchar_t* name;
  const RevisionKind* kind;
};

const TemplateKind kTemplateKinds[] = {
    {L"Pressure template", &kHartPressure},
    {L"Temperature template", &kHartTemperature},
    {L"Flow template", &kHartFlow},
    {L"Generic template", &kHartGenericOnly},
};
constexpr size_t kTemplateKindCount = std::size(kTemplateKinds);
static_assert(kMaxTemplates <= kTemplateKindCount * 0x1000,
              "each template kind owns 0x1000 device types");

// Template revisions carry letters in their revision, so "DDL" shows them.
constexpr uint32_t kTemplateRevision = 0x0A;

Values Override(Values values, const Values& overrides) {
  for (const auto& [path, value] : overrides) {
    for (auto& entry : values) {
      if (entry.first == path) entry.second = value;
    }
  }
  return values;
}

class Builder {
 public:
  size_t Revision(const RevisionKind* kind, const Identity& id, int ddRevision) {
    const auto key = std::make_tuple(id.manufacturer, id.deviceType, id.deviceRevision,
                                     id.protocol);
    const auto [it, added] = index_.try_emplace(key, plant_.revisions.size());
    if (added) plant_.revisions.push_back({kind, id, ddRevision});
    return it->second;
  }

  void AddDevice(const DeviceKind& kind, size_t cycle) {
    const std::wstring tag =
        cycle == 0 ? kind.tag : Format(L"%s-%d", kind.tag, static_cast<int>(cycle + 1));
    const bool fieldbus = kind.id.protocol == Protocol::Fieldbus;
    plant_.devices.push_back(
        {tag, Revision(kind.kind, kind.id, kind.ddRevision), kind.protocolId,
         fieldbus ? L"" : tag,
         fieldbus ? Format(L"%06X%04X-%s", kind.id.manufacturer, kind.id.deviceType,
                           tag.c_str())
                  : L"",
         kind.recorded, Override(kind.kind->values, kind.overrides)});
  }

  void AddTemplate(size_t kindIndex, size_t cycle) {
    const TemplateKind& kind = kTemplateKinds[kindIndex];
    const uint32_t deviceType =
        0x1000 * static_cast<uint32_t>(kindIndex + 1) + static_cast<uint32_t>(cycle);
    const Identity hart{kAspen, deviceType, kTemplateRevision, Protocol::Hart};
    const Identity fieldbus{kAspen, deviceType, kTemplateRevision, Protocol::Fieldbus};
    plant_.templates.push_back(
        {cycle == 0 ? kind.name : Format(L"%s %d", kind.name, static_cast<int>(cycle + 1)),
         Revision(kind.kind, hart, 1), Revision(&kTemplateFieldbus, fieldbus, 1),
         kind.kind->values});
  }

  Plant Take() { return std::move(plant_); }

 private:
  Plant plant_;
  std::map<std::tuple<uint32_t, uint32_t, uint32_t, Protocol>, size_t> index_;
};

}  // namespace

std::wstring ManufacturerName(uint32_t manufacturer) {
  switch (manufacturer) {
    case kAlder: return L"Alder Instruments";
    case kBirch: return L"Birch Fieldbus Systems";
    case kConventionalMaker: return L"Conventional Devices";
    case kAspen: return L"Aspen Template Works";
    default: return Format(L"Manufacturer %06x", manufacturer);
  }
}

Plant BuildPlant(size_t templates) {
  Builder builder;
  const std::vector<DeviceKind>& devices = DeviceKinds();
  for (size_t i = 0; i < templates; ++i) {
    builder.AddDevice(devices[i % devices.size()], i / devices.size());
  }
  for (size_t i = 0; i < templates; ++i) {
    builder.AddTemplate(i % kTemplateKindCount, i / kTemplateKindCount);
  }
  return builder.Take();
}

}  // namespace ravelin::plant
