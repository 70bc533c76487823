#include "outside/comm/Recording.h"

#include <algorithm>

#include "base/Text.h"

namespace ravelin {

namespace {

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

std::wstring RecordedItem::Path() const {
  std::vector<const RecordedItem*> chain;
  for (const RecordedItem* item = this; item->parent; item = item->parent) chain.push_back(item);
  std::wstring path;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (!path.empty()) path += L'!';
    path += (*it)->part;
  }
  return path;
}

const RecordedItem* RecordedItem::Child(std::wstring_view part) const {
  const auto found = children.find(part);
  return found == children.end() ? nullptr : found->second;
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

std::shared_ptr<const RecordedDevice> Recording::FindById(std::wstring_view deviceId) const {
  return Device(byId_, &RecordedDevice::deviceId, deviceId);
}

std::shared_ptr<const RecordedDevice> Recording::FindBySerial(std::wstring_view serial) const {
  return Device(bySerial_, &RecordedDevice::serial, serial);
}

std::shared_ptr<const RecordedDevice> Recording::FindConfig(std::wstring_view name) const {
  return Device(byConfig_, &RecordedDevice::configName, name);
}

size_t Recording::KeyHash(std::wstring_view key) {
  return NoCaseHash()(key);
}

std::shared_ptr<const RecordedDevice> Recording::Device(const KeyIndex& index,
                                                        DeviceKey member,
                                                        std::wstring_view key) const {
  const auto [first, last] = index.equal_range(KeyHash(key));
  for (auto it = first; it != last; ++it) {
    auto device = DeviceAt(it->second);
    if (device && EqualsNoCase((*device).*member, key)) return device;
  }
  return nullptr;
}

template <typename Key, typename Item>
std::shared_ptr<const Item> Recording::Parsed<Key, Item>::Find(const Key& key) {
  for (auto it = items.begin(); it != items.end(); ++it) {
    if (it->first == key) {
      items.splice(items.begin(), items, it);
      return it->second;
    }
  }
  return nullptr;
}

template <typename Key, typename Item>
void Recording::Parsed<Key, Item>::Add(const Key& key, std::shared_ptr<const Item> item) {
  items.emplace_front(key, std::move(item));
  if (items.size() > kParsedItems) items.pop_back();
}

template struct Recording::Parsed<RevisionId, RecordedRevision>;
template struct Recording::Parsed<uint32_t, RecordedDevice>;

std::string Recording::ReadSpan(const Span& span, Window& window) const {
  if (!in_.IsOpen()) return bytes_.substr(span.begin, span.size);
  if (span.begin < window.begin || span.begin + span.size > window.begin + window.bytes.size()) {
    // Into the same storage: a fresh 64 KB each time grows Wine's heap.
    in_.ReadInto(span.begin, std::max<size_t>(span.size, kWindowBytes), window.bytes);
    window.begin = span.begin;
  }
  return window.bytes.substr(span.begin - window.begin, span.size);
}

std::shared_ptr<const RecordedRevision> Recording::FindTestDeviceRevision(
    std::wstring_view identifier) const {
  // Six and four hexadecimal digits, "TEST", then the device key's digits.
  if (identifier.size() < 19 || !EqualsNoCase(identifier.substr(10, 4), L"TEST")) return nullptr;
  for (size_t i = 0; i < identifier.size(); ++i) {
    const wchar_t c = identifier[i];
    if (i < 10 ? !IsHex(c) : i >= 14 && (c < L'0' || c > L'9')) return nullptr;
  }
  const uint32_t manufacturer = HexValue(identifier.substr(0, 6));
  const uint32_t deviceType = HexValue(identifier.substr(6, 4));

  const RevisionId* best = nullptr;
  for (auto it = revisions_.lower_bound({manufacturer, deviceType, 0, kProtocolHart});
       it != revisions_.end() && it->first.manufacturer == manufacturer &&
       it->first.deviceType == deviceType;
       ++it) {
    const RevisionId& id = it->first;
    if (!best || std::pair(id.protocol == kProtocolFieldbus, id.deviceRevision) >
                     std::pair(best->protocol == kProtocolFieldbus, best->deviceRevision)) {
      best = &id;
    }
  }
  return best ? FindRevision(*best) : nullptr;
}

}  // namespace ravelin
