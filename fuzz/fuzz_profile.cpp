// Any bytes as a profile file: parsing and every kind of lookup, with small
// and large buffers, must neither crash nor write past the buffer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const ravelin::ProfileFile file(bytes);
  for (size_t bufferSize : {size_t(1), size_t(2), size_t(3), size_t(7), size_t(260)}) {
    std::vector<wchar_t> buffer(bufferSize + 1, L'#');
    const wchar_t* sections[] = {nullptr, L"", L"S", L"IDENTIFICATION", L" s "};
    const wchar_t* keys[] = {nullptr, L"", L"k", L"Block Index"};
    for (const wchar_t* section : sections) {
      for (const wchar_t* key : keys) {
        const size_t n = file.GetString(section, key, L"def ", buffer.data(), bufferSize);
        if (n >= bufferSize || buffer[bufferSize] != L'#') __builtin_trap();
        if (section && key) file.GetInt(section, key, -1);
      }
    }
  }
  return 0;
}
