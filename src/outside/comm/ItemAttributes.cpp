#include "base/Text.h"
#include "outside/comm/ItemPosition.h"

namespace ravelin {

namespace {

CVelkResult Ok(CVelkVariant value) { return {std::move(value), kVelkOk}; }
CVelkResult Fail(int32_t status) { return {CVelkVariant(), status}; }

CVelkResult Text(std::wstring_view text) { return Ok(CVelkVariant(std::wstring(text))); }

template <typename String>
CVelkResult Text(const std::optional<String>& text) {
  return text ? Text(*text) : Fail(kVelkNoValue);
}

CVelkResult Value(const RecordedDevice* device, const RecordedItem& item, int32_t view) {
  const int slot = ViewSlot(view);
  if (!device || slot < 0) return Fail(kVelkNoValue);
  const auto& values = device->values[slot];
  const auto found = values.find(&item);
  return found == values.end() ? Fail(kVelkNoValue) : Ok(found->second);
}

// The revision's identity as a named configuration's "DDL" gives it:
// manufacturer, device type and device revision in 6, 4 and 2 hex digits.
std::wstring DdlText(const RevisionId& id) {
  return Format(L"%06X%04X%02X", id.manufacturer, id.deviceType, id.deviceRevision);
}

CVelkResult Attribute(const ItemPosition& position, const RecordedItem& item,
                      std::wstring_view name, int32_t view) {
  const auto is = [name](const wchar_t* attribute) { return EqualsNoCase(name, attribute); };
  const RecordedDevice* device = position.device;
  switch (item.role) {
    case ItemRole::Device:
      if (is(L"Name")) return device ? Text(device->name) : Fail(kVelkNoValue);
      if (is(L"DDL")) return Ok(CVelkVariant(DdlText(position.revision->id)));
      if (is(L"BlockKey")) {
        return device && device->blockKey ? Ok(CVelkVariant(*device->blockKey))
                                          : Fail(kVelkNoValue);
      }
      break;
    case ItemRole::Block:
      if (is(L"Name")) return Text(item.name);
      if (is(L"Label")) return Text(item.label);
      if (is(L"ObjectIndex") || is(L"Index")) return Ok(CVelkVariant(item.number));
      break;
    case ItemRole::Parameter:
      if (is(L"Name") || is(L"ItemName")) return Text(item.name);
      if (is(L"Label")) return Text(item.label);
      if (is(L"Help")) return Text(item.help);
      if (is(L"Units")) return Text(item.units);
      if (is(L"Kind")) return Ok(CVelkVariant(item.kind));
      if (is(L"Class")) return Ok(CVelkVariant(item.itemClass));
      if (is(L"Type")) return Ok(CVelkVariant(item.type));
      if (is(L"ItemId")) return Ok(CVelkVariant(item.itemId));
      if (is(L"Index")) return Ok(CVelkVariant(item.number));
      if (is(L"Value")) return Value(device, item, view);
      break;
    case ItemRole::EnumEntry:
      if (is(L"Value")) return Ok(CVelkVariant(item.number));
      if (is(L"Description")) return Text(item.label);
      break;
    case ItemRole::Collection:
      break;
  }
  return Fail(kVelkNoAttribute);
}

}  // namespace

CVelkResult ReadAttribute(const ItemPosition& position, std::wstring_view attribute,
                          int32_t view) {
  if (!position.item) return Fail(kVelkNoItem);
  const RecordedItem* item = position.item;
  const size_t bang = attribute.rfind(L'!');
  if (bang != std::wstring_view::npos) {
    item = item->Descend(attribute.substr(0, bang));
    if (!item) return Fail(kVelkNoItem);
    attribute.remove_prefix(bang + 1);
  }
  return Attribute(position, *item, attribute, view);
}

}  // namespace ravelin
