// Recorded plant data as the toolkit serves it: device revisions (the item
// tree of blocks, parameters, members, enumerations and dynamic variables),
// and the devices and named configurations that use them, with their values
// by view. The text form is described in docs/recording-format.md. A
// recording is checked whole once and indexed by where each revision and
// device stands in the text; a revision or device is parsed when it is
// looked up, and only the latest few stay parsed.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <memory_resource>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/Text.h"
#include "outside/comm/VelkVariant.h"
#include "platform/Platform.h"

namespace ravelin {

enum : int32_t { kProtocolHart = 0, kProtocolFieldbus = 1 };
enum : int32_t { kViewCurrent = 104, kViewNamedConfig = 111 };
enum : int32_t { kKindValue = 107, kKindRecord = 109 };

enum class ItemRole { Device, Block, Collection, Parameter, EnumEntry };

// One item of a revision's tree. A parameter, record member and dynamic
// variable element are all parameters. Items, their texts and their maps
// live in their revision's arena (RecordedRevision): a tree is made of many
// small pieces, which one arena allocates in a few blocks and frees at once.
// So an item is never destroyed on its own.
struct RecordedItem {
  explicit RecordedItem(std::pmr::memory_resource* arena)
      : part(arena), label(arena), help(arena), units(arena), children(arena), listing(arena) {}
  RecordedItem(const RecordedItem&) = delete;
  RecordedItem& operator=(const RecordedItem&) = delete;

  ItemRole role = ItemRole::Collection;
  const RecordedItem* parent = nullptr;  // null for the device item
  std::pmr::wstring part;  // this item's part of a moniker, as recorded, e.g. "PV"
  std::optional<std::pmr::wstring> name;  // "Name" (and a parameter's "ItemName")
  std::pmr::wstring label;  // "Label"; an enumeration entry's "Description"
  std::pmr::wstring help;
  std::pmr::wstring units;
  int32_t kind = kKindValue;
  int32_t itemClass = 0;
  int32_t type = 0;
  int32_t itemId = 0;
  int32_t number = 0;  // a block's "ObjectIndex", a parameter's "Index", an entry's "Value"

  // Children by moniker part without regard to case; a key views its child's part.
  std::pmr::unordered_map<std::wstring_view, RecordedItem*, NoCaseHash, NoCaseEqual> children;
  // What Enum lists, in recorded order: a collection's entries, a record's members.
  std::pmr::vector<const RecordedItem*> listing;

  std::pmr::memory_resource* Arena() const { return listing.get_allocator().resource(); }
  bool Listable() const {
    return role == ItemRole::Collection ||
           (role == ItemRole::Parameter && kind == kKindRecord);
  }
  // The moniker from the device item, e.g. "BlkId!1!Param!PV"; empty for
  // the device item. Made when asked: most items are never named.
  std::wstring Path() const;
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
  RecordedRevision() : arena(kFirstArenaBlock), root(&arena) {}
  static constexpr size_t kFirstArenaBlock = 8 * 1024;
  std::pmr::monotonic_buffer_resource arena;  // holds the whole tree
  RevisionId id;
  RecordedItem root;  // the device item: "Param", "BlkId", "ItemArray"
};

// A device instance or a named configuration. It keeps its revision alive.
struct RecordedDevice {
  std::shared_ptr<const RecordedRevision> revisionOwner;
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
  // What a lookup returns owns its items: a cursor keeps them alive however
  // many other revisions and devices are parsed meanwhile.
  std::shared_ptr<const RecordedRevision> FindRevision(const RevisionId& id) const;
  std::shared_ptr<const RecordedDevice> FindById(std::wstring_view deviceId) const;
  std::shared_ptr<const RecordedDevice> FindBySerial(std::wstring_view serial) const;
  std::shared_ptr<const RecordedDevice> FindConfig(std::wstring_view name) const;
  // The revision a created test device ("%06x%04xTEST%05d") resolves to: the
  // highest device revision of its manufacturer and device type, fieldbus
  // before HART.
  std::shared_ptr<const RecordedRevision> FindTestDeviceRevision(
      std::wstring_view identifier) const;

  // Devices and configurations in recorded order.
  size_t DeviceCount() const { return devices_.size(); }
  std::shared_ptr<const RecordedDevice> DeviceAt(size_t index) const;

 private:
  friend class RecordingParser;
  // Where a revision or device stands: its bytes and its first line.
  struct Span {
    uint64_t begin = 0;
    uint32_t size = 0;  // 0 while it is being read
    int32_t line = 0;
  };
  // The few latest parsed items, most recent first.
  template <typename Key, typename Item>
  struct Parsed {
    std::list<std::pair<Key, std::shared_ptr<const Item>>> items;
    std::shared_ptr<const Item> Find(const Key& key);
    void Add(const Key& key, std::shared_ptr<const Item> item);
  };
  static constexpr size_t kParsedItems = 32;

  // Bytes of the file read from a span on. A run mostly reaches revisions,
  // and devices, recorded one after another, so one open of the file serves
  // the next blocks too; revisions and devices each have their window, since
  // a device's revision stands far above it. A window is as current as the
  // index, which a changed stamp replaces.
  struct Window {
    std::string bytes;
    uint64_t begin = 0;
  };
  static constexpr size_t kWindowBytes = 64 * 1024;
  std::string ReadSpan(const Span& span, Window& window) const;
  // Devices by the hash of a folded key; the key itself is compared on the
  // parsed device, so the index holds no text.
  using KeyIndex = std::unordered_multimap<size_t, uint32_t>;
  using DeviceKey = std::wstring RecordedDevice::*;
  static size_t KeyHash(std::wstring_view key);
  std::shared_ptr<const RecordedDevice> Device(const KeyIndex& index, DeviceKey member,
                                               std::wstring_view key) const;

  std::wstring file_;   // names the recording in messages
  std::string bytes_;   // the text, when it was given in memory
  SharedReadFile in_;   // else the file, read where a span stands
  std::map<RevisionId, Span> revisions_;
  std::vector<Span> devices_;
  KeyIndex byId_;
  KeyIndex bySerial_;
  KeyIndex byConfig_;
  mutable Parsed<RevisionId, RecordedRevision> parsedRevisions_;
  mutable Parsed<uint32_t, RecordedDevice> parsedDevices_;
  mutable Window revisionWindow_;
  mutable Window deviceWindow_;
};

}  // namespace ravelin
