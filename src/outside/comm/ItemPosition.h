// Where a toolkit cursor stands in a recording: which device (or named
// configuration) and which item of its revision's tree. Resolving monikers
// and reading attributes work on positions.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "outside/comm/Recording.h"

namespace ravelin {

struct ItemPosition {
  // Keeps the items below alive: the device, or the revision of a created
  // test device.
  std::shared_ptr<const void> owner;
  const RecordedRevision* revision = nullptr;
  const RecordedDevice* device = nullptr;  // null for a created test device
  const RecordedItem* item = nullptr;
  std::wstring devicePrefix;  // the moniker's device part, e.g. "!ID!x!Hart"

  // The full moniker: the device part as it was named, then the item's path
  // in its recorded spelling; empty when there is no item.
  std::wstring Moniker() const;
};

// Resolves an absolute moniker: "!ID!<id>!Hart", "!ID!<id>!BlockIndCol!0",
// "!PhysicalDevice!<serial or test device identifier>" or
// "!NamedConfig!<name>", each followed by a path in the revision's tree.
// Every part matches without regard to case.
std::optional<ItemPosition> ResolveMoniker(const Recording& recording,
                                           std::wstring_view moniker);

// The position of the item that `moniker` names, relative to `from` when it
// does not begin with "!".
std::optional<ItemPosition> ResolveFrom(const Recording& recording,
                                        const ItemPosition& from,
                                        std::wstring_view moniker);

// One attribute of the item: "Type", or a relative path then the attribute,
// "Param!PV!value". Values ("value") come from the device's data for `view`.
CVelkResult ReadAttribute(const ItemPosition& position, std::wstring_view attribute,
                          int32_t view);

}  // namespace ravelin
