#include "outside/comm/Recording.h"

#include "base/Text.h"

namespace ravelin {

namespace {

const RecordedDevice* Lookup(
    const std::unordered_map<std::wstring, const RecordedDevice*>& index,
    std::wstring_view key) {
  const auto found = index.find(FoldCase(key));
  return found == index.end() ? nullptr : found->second;
}

bool IsHex(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

uint32_t HexValue(std::wstring_view digits) {
  uint32_t value = 0;
  for (wchar_t c : digits) {
    value = value * 16 + (c <= L'9' ? c - L'0' : (c | 0x20) - L'a' + 10);
  }
  return value;
}

}  // namespace

const RecordedItem* RecordedItem::Child(std::wstring_view part) const {
  const auto found = children.find(FoldCase(part));
  return found == children.end() ? nullptr : found->second.get();
}

const RecordedItem* RecordedItem::Descend(std::wstring_view path) const {
  const RecordedItem* item = this;
  while (item) {
    const size_t bang = path.find(L'!');
    const std::wstring_view part = path.substr(0, bang);
    if (part.empty()) return nullptr;
    item = item->Child(part);
    if (bang == std::wstring_view::npos) break;
    path.remove_prefix(bang + 1);
  }
  return item;
}

int ViewSlot(int32_t view) {
  if (view == kViewCurrent) return 0;
  if (view == kViewNamedConfig) return 1;
  return -1;
}

const RecordedRevision* Recording::FindRevision(const RevisionId& id) const {
  const auto found = revisions_.find(id);
  return found == revisions_.end() ? nullptr : found->second.get();
}

const RecordedDevice* Recording::FindById(std::wstring_view deviceId) const {
  return Lookup(byId_, deviceId);
}

const RecordedDevice* Recording::FindBySerial(std::wstring_view serial) const {
  return Lookup(bySerial_, serial);
}

const RecordedDevice* Recording::FindConfig(std::wstring_view name) const {
  return Lookup(byConfig_, name);
}

const RecordedRevision* Recording::FindTestDeviceRevision(std::wstring_view identifier) const {
  // Six and four hexadecimal digits, "TEST", then the device key's digits.
  if (identifier.size() < 19 || !EqualsNoCase(identifier.substr(10, 4), L"TEST")) return nullptr;
  for (size_t i = 0; i < identifier.size(); ++i) {
    const wchar_t c = identifier[i];
    if (i < 10 ? !IsHex(c) : i >= 14 && (c < L'0' || c > L'9')) return nullptr;
  }
  const uint32_t manufacturer = HexValue(identifier.substr(0, 6));
  const uint32_t deviceType = HexValue(identifier.substr(6, 4));

  const RecordedRevision* best = nullptr;
  for (auto it = revisions_.lower_bound({manufacturer, deviceType, 0, kProtocolHart});
       it != revisions_.end() && it->first.manufacturer == manufacturer &&
       it->first.deviceType == deviceType;
       ++it) {
    const RevisionId& id = it->first;
    if (!best || std::pair(id.protocol == kProtocolFieldbus, id.deviceRevision) >
                     std::pair(best->id.protocol == kProtocolFieldbus, best->id.deviceRevision)) {
      best = it->second.get();
    }
  }
  return best;
}

}  // namespace ravelin
