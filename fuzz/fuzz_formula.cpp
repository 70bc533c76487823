// Any text as a map file formula: evaluation must neither crash nor hang,
// whatever the parameters read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Text.h"
#include "outside/desc/Formula.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring text =
      ravelin::FromUtf8(std::string(reinterpret_cast<const char*>(data), size));
  ravelin::EvaluateFormula(text, [](const std::wstring& path) -> std::optional<int64_t> {
    if (path.size() % 3 == 0) return std::nullopt;
    return int64_t(path.size()) * 0x7FFFFFFF;
  });
  return 0;
}
