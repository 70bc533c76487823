// Any bytes as a recording: a refused recording must be refused cleanly; an
// accepted one is walked whole (every device, every item, every attribute in
// both views), and every item's moniker must lead back to that item.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "outside/comm/ItemPosition.h"
#include "outside/comm/RecordingParser.h"

using namespace ravelin;

namespace {

constexpr const wchar_t* kAttributes[] = {
    L"Name", L"ItemName", L"Label", L"Help", L"Units", L"Kind", L"Class", L"Type",
    L"ItemId", L"Index", L"ObjectIndex", L"Value", L"Description", L"DDL", L"BlockKey"};

void Walk(const Recording& recording, const ItemPosition& position) {
  for (int32_t view : {kViewCurrent, kViewNamedConfig}) {
    for (const wchar_t* attribute : kAttributes) {
      const CVelkResult result = ReadAttribute(position, attribute, view);
      // Success carries a value; failure is negative and carries none.
      if (result.m_status > 0 || (result.m_status == 0) == (result.m_var.GetVT() == kVtEmpty)) {
        std::abort();
      }
    }
  }
  const auto back = ResolveMoniker(recording, position.Moniker());
  if (!back || back->item != position.item) std::abort();
  for (const auto& [part, child] : position.item->children) {
    ItemPosition next = position;
    next.item = child;
    Walk(recording, next);
  }
  for (const RecordedItem* listed : position.item->listing) {
    const std::wstring parent = position.item->Path();
    if (!ResolveFrom(recording, position, listed->Path().substr(parent.size() + !parent.empty()))) {
      std::abort();
    }
  }
}

void WalkDevice(const Recording& recording, const std::wstring& moniker) {
  if (const auto position = ResolveMoniker(recording, moniker)) Walk(recording, *position);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::shared_ptr<const Recording> recording;
  try {
    recording = ParseRecording(
        std::string_view(reinterpret_cast<const char*>(data), size), L"fuzz.rec");
  } catch (const RecordingError&) {
    return 0;
  }
  for (size_t i = 0; i < recording->DeviceCount(); ++i) {
    const auto device = recording->DeviceAt(i);
    if (!device) std::abort();
    if (!device->deviceId.empty()) WalkDevice(*recording, L"!ID!" + device->deviceId + L"!Hart");
    if (!device->serial.empty()) {
      WalkDevice(*recording, L"!PhysicalDevice!" + device->serial);
      // The same serial read as a created test device's identifier.
      recording->FindTestDeviceRevision(device->serial);
    }
    if (!device->configName.empty()) WalkDevice(*recording, L"!NamedConfig!" + device->configName);
  }
  return 0;
}
