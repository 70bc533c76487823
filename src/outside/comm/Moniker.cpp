#include <vector>

#include "base/Text.h"
#include "outside/comm/ItemPosition.h"

namespace ravelin {

namespace {

std::vector<std::wstring_view> SplitParts(std::wstring_view text) {
  std::vector<std::wstring_view> parts;
  for (;;) {
    const size_t bang = text.find(L'!');
    parts.push_back(text.substr(0, bang));
    if (bang == std::wstring_view::npos) return parts;
    text.remove_prefix(bang + 1);
  }
}

// The device or configuration that the first parts name, and how many parts
// that took; 0 parts when they name nothing.
size_t ResolveDevice(const Recording& recording, const std::vector<std::wstring_view>& parts,
                     ItemPosition& position) {
  if (parts.size() < 2 || parts[1].empty()) return 0;
  const std::wstring_view kind = parts[0];
  size_t used = 0;
  std::shared_ptr<const RecordedDevice> device;
  if (EqualsNoCase(kind, L"ID") && parts.size() >= 3) {
    device = recording.FindById(parts[1]);
    if (EqualsNoCase(parts[2], L"Hart")) {
      used = 3;
    } else if (parts.size() >= 4 && EqualsNoCase(parts[2], L"BlockIndCol") && parts[3] == L"0") {
      used = 4;
    }
  } else if (EqualsNoCase(kind, L"PhysicalDevice")) {
    device = recording.FindBySerial(parts[1]);
    if (!device) {
      std::shared_ptr<const RecordedRevision> revision =
          recording.FindTestDeviceRevision(parts[1]);
      position.revision = revision.get();
      position.owner = std::move(revision);
    }
    used = 2;
  } else if (EqualsNoCase(kind, L"NamedConfig")) {
    device = recording.FindConfig(parts[1]);
    used = 2;
  }
  if (device) {
    position.device = device.get();
    position.revision = device->revision;
    position.owner = std::move(device);
  }
  return position.revision ? used : 0;
}

}  // namespace

std::wstring ItemPosition::Moniker() const {
  if (!item) return {};
  if (!item->parent) return devicePrefix;
  return devicePrefix + L'!' + item->Path();
}

std::optional<ItemPosition> ResolveMoniker(const Recording& recording,
                                           std::wstring_view moniker) {
  if (moniker.empty() || moniker.front() != L'!') return std::nullopt;
  const std::vector<std::wstring_view> parts = SplitParts(moniker.substr(1));
  ItemPosition position;
  const size_t used = ResolveDevice(recording, parts, position);
  if (used == 0) return std::nullopt;

  size_t prefixLength = 0;
  for (size_t i = 0; i < used; ++i) prefixLength += 1 + parts[i].size();
  position.devicePrefix = std::wstring(moniker.substr(0, prefixLength));
  position.item = &position.revision->root;
  if (prefixLength < moniker.size()) {
    position.item = position.item->Descend(moniker.substr(prefixLength + 1));
    if (!position.item) return std::nullopt;
  }
  return position;
}

std::optional<ItemPosition> ResolveFrom(const Recording& recording, const ItemPosition& from,
                                        std::wstring_view moniker) {
  if (!moniker.empty() && moniker.front() == L'!') return ResolveMoniker(recording, moniker);
  if (!from.item) return std::nullopt;
  ItemPosition position = from;
  position.item = from.item->Descend(moniker);
  if (!position.item) return std::nullopt;
  return position;
}

}  // namespace ravelin
