#include "entry/LaunchData.h"

#include "base/Text.h"

namespace ravelin {

void GetTagValue(std::wstring data, std::wstring key, std::wstring& value) {
  const std::wstring open = Format(L"<%s>", key.c_str());
  const std::wstring close = Format(L"</%s>", key.c_str());
  const size_t start = data.find(open);
  const size_t end = data.find(close);
  value.clear();
  if (start == std::wstring::npos || end == std::wstring::npos || end <= start) {
    return;
  }
  const size_t first = start + open.size();
  if (end > first) value = data.substr(first, end - first);
}

namespace {

std::wstring Tag(const std::wstring& data, const wchar_t* key) {
  std::wstring value;
  GetTagValue(data, key, value);
  return value;
}

}  // namespace

DeviceIdentity ReadDeviceIdentity(const std::wstring& data) {
  DeviceIdentity identity;
  if (!Tag(data, L"FFDevice").empty()) {
    identity.fieldbus = true;
    identity.deviceTag = Tag(data, L"TARNTAG");
    identity.moniker = Tag(data, L"MONIKER");
    identity.manufacturer = WtoI(Tag(data, L"MANUFACTURER_ID"));
    identity.deviceType = WtoI(Tag(data, L"DEVICE_TYPE_ID"));
    identity.deviceRevision = WtoI(Tag(data, L"DEVICE_REVISION"));
  } else {
    identity.deviceTag = Tag(data, L"TARNBLOCKTAG");
    if (identity.deviceTag.empty()) identity.deviceTag = Tag(data, L"TARNTAG");
    identity.moniker = Tag(data, L"MONIKER");
    identity.manufacturer = WtoI(Tag(data, L"HART_MANUFACTURER_ID_CODE"));
    identity.deviceType = WtoI(Tag(data, L"HART_DEVICE_TYPE"));
    identity.deviceRevision = WtoI(Tag(data, L"HART_DEVICE_REVISION"));
  }
  return identity;
}

}  // namespace ravelin
