// Recorded plant data as the toolkit serves it: device revisions (the item
// tree of blocks, parameters, members, enumerations and dynamic variables),
// and the devices and named configurations that use them, with their values
// by view. The text form is described in docs/recording-format.md; one
// recording is parsed once and then only read.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "outside/comm/VelkVariant.h"

namespace ravelin {

enum : int32_t { kProtocolHart = 0, kProtocolFieldbus = 1 };
enum : int32_t { kViewCurrent = 104, kViewNamedConfig = 111 };
enum : int32_t { kKindValue = 107, kKindRecord = 109 };

enum class ItemRole { Device, Block, Collection, Parameter, EnumEntry };

// One item of a revision's tree. A parameter, record member and dynamic
// variable element are all parameters.
struct RecordedItem {
  ItemRole role = ItemRole::Collection;
  std::wstring path;  // moniker from the device item, e.g. "BlkId!1!Param!PV"
  std::optional<std::wstring> name;  // "Name" (and a parameter's "ItemName")
  std::wstring label;  // "Label"; an enumeration entry's "Description"
  std::wstring help;
  std::wstring units;
  int32_t kind = kKindValue;
  int32_t itemClass = 0;
  int32_t type = 0;
  int32_t itemId = 0;
  int32_t number = 0;  // a block's "ObjectIndex", a parameter's "Index", an entry's "Value"

  // Children by moniker part, folded to lower case.
  std::unordered_map<std::wstring, std::unique_ptr<RecordedItem>> children;
  // What Enum lists, in recorded order: a collection's entries, a record's members.
  std::vector<const RecordedItem*> listing;

  bool Listable() const {
    return role == ItemRole::Collection ||
           (role == ItemRole::Parameter && kind == kKindRecord);
  }
  const RecordedItem* Child(std::wstring_view part) const;
  // Follows a relative path of parts joined by "!"; null when any part is
  // missing or empty.
  const RecordedItem* Descend(std::wstring_view path) const;
};

struct RevisionId {
  uint32_t manufacturer = 0;
  uint32_t deviceType = 0;
  uint32_t deviceRevision = 0;
  int32_t protocol = kProtocolHart;
  auto operator<=>(const RevisionId&) const = default;
};

struct RecordedRevision {
  RevisionId id;
  RecordedItem root;  // the device item: "Param", "BlkId", "ItemArray"
};

// A device instance or a named configuration.
struct RecordedDevice {
  const RecordedRevision* revision = nullptr;
  std::wstring deviceId;      // "!ID!<deviceId>!Hart"
  std::wstring serial;        // "!PhysicalDevice!<serial>"
  std::wstring configName;    // "!NamedConfig!<configName>"; empty for a device
  std::optional<std::wstring> name;  // the tag, or the configuration's name
  std::optional<int32_t> blockKey;
  // Values of value parameters, for view 104 and view 111.
  std::array<std::unordered_map<const RecordedItem*, CVelkVariant>, 2> values;
};

// Index of a view into RecordedDevice::values; -1 for any other view.
int ViewSlot(int32_t view);

class Recording {
 public:
  const RecordedRevision* FindRevision(const RevisionId& id) const;
  const RecordedDevice* FindById(std::wstring_view deviceId) const;
  const RecordedDevice* FindBySerial(std::wstring_view serial) const;
  const RecordedDevice* FindConfig(std::wstring_view name) const;
  // The revision a created test device ("%06x%04xTEST%05d") resolves to: the
  // highest device revision of its manufacturer and device type, fieldbus
  // before HART.
  const RecordedRevision* FindTestDeviceRevision(std::wstring_view identifier) const;

  const std::vector<std::unique_ptr<RecordedDevice>>& Devices() const { return devices_; }

 private:
  friend class RecordingParser;
  std::map<RevisionId, std::unique_ptr<RecordedRevision>> revisions_;
  std::vector<std::unique_ptr<RecordedDevice>> devices_;
  std::unordered_map<std::wstring, const RecordedDevice*> byId_;
  std::unordered_map<std::wstring, const RecordedDevice*> bySerial_;
  std::unordered_map<std::wstring, const RecordedDevice*> byConfig_;
};

}  // namespace ravelin
