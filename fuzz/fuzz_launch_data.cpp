// Any text as launch data: reading the identity and every key must neither
// crash nor hang. The input's first byte picks a key length, so the fuzzer
// also tries keys of its own.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Text.h"
#include "entry/LaunchData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::wstring text = ravelin::FromUtf8(bytes);
  const ravelin::DeviceIdentity identity = ravelin::ReadDeviceIdentity(text);
  (void)identity;
  if (!text.empty()) {
    const size_t keyLength = size_t(text[0] % 16);
    std::wstring value;
    ravelin::GetTagValue(text, text.substr(1, keyLength), value);
    if (value.size() > text.size()) __builtin_trap();
  }
  return 0;
}
