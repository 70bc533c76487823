#include "outside/db/Environment.h"

#include <cstdlib>

#include "base/Text.h"

namespace ravelin {

bool SetEnvironmentValue(const std::wstring& name, const std::wstring& value) {
  return setenv(ToUtf8(name).c_str(), ToUtf8(value).c_str(), 1) == 0;
}

std::wstring EnvironmentValue(const std::wstring& name) {
  const char* value = getenv(ToUtf8(name).c_str());
  return value ? FromUtf8(value) : L"";
}

}  // namespace ravelin
