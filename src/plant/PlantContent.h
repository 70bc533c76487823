// What the sample plant holds: device revisions (with their recorded item
// trees and map files), tagged devices and device templates. The generator
// turns this into files and database rows; docs/plant.md describes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ravelin {

class CMapFileInformation;
class HandMapFile;

namespace plant {

enum class Protocol { Hart, Fieldbus };

struct Identity {
  uint32_t manufacturer = 0;
  uint32_t deviceType = 0;
  uint32_t deviceRevision = 0;
  Protocol protocol = Protocol::Hart;
};

// Recorded values: parameter path and value text.
using Values = std::vector<std::pair<std::wstring, std::wstring>>;

// One kind of device revision: what the device description lists, how its
// map file is made (through the wizard's writer, as text the writer cannot
// produce, or not at all) and the values a device of the kind holds.
struct RevisionKind {
  const wchar_t* typeName;
  int32_t category;           // MajorDeviceCategories key
  const char* recordingBody;  // block/param statements of the recording
  void (*model)(CMapFileInformation&) = nullptr;
  void (*text)(HandMapFile&) = nullptr;
  int32_t blockIndex = 0;     // the tagged block of a fieldbus device
  Values values;
  std::string (*moreBody)() = nullptr;  // generated statements after recordingBody
};

struct Revision {
  const RevisionKind* kind;
  Identity id;
  int ddRevision;
};

struct Device {
  std::wstring tag;
  size_t revision;     // into Plant::revisions
  int32_t protocolId;  // 1 HART, 2 HART through a block index collection, 3 fieldbus
  std::wstring deviceId;  // HART: "!ID!<deviceId>!Hart"
  std::wstring serial;    // fieldbus: "!PhysicalDevice!<serial>"
  bool recorded;          // false: PLANT1 does not know it
  Values values;          // view 104
};

struct Template {
  std::wstring name;
  size_t hartRevision;      // the configuration's revision ("DDL")
  size_t fieldbusRevision;  // what test devices made from it resolve to
  Values values;            // view 111
};

struct Plant {
  std::vector<Revision> revisions;
  std::vector<Device> devices;
  std::vector<Template> templates;
};

// The plant of `templates` templates and as many tagged devices, cycling
// through the device and template kinds.
Plant BuildPlant(size_t templates);

constexpr size_t kDefaultTemplates = 30;
constexpr size_t kMaxTemplates = 16384;

// The name of a manufacturer of the plant.
std::wstring ManufacturerName(uint32_t manufacturer);

// Database keys of tagged devices, their blocks and tags start here, clear
// of the keys that test device creation counts up from 100.
constexpr int32_t kPlantKeyBase = 1000000;

// The key of a tagged device's device, block and tag rows alike.
inline int32_t PlantKey(size_t deviceIndex) {
  return kPlantKeyBase + static_cast<int32_t>(deviceIndex);
}

constexpr wchar_t kPlantServer[] = L"PLANT1";

}  // namespace plant
}  // namespace ravelin
