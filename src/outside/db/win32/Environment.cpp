#include "outside/db/Environment.h"

#include <stdlib.h>

namespace ravelin {

bool SetEnvironmentValue(const std::wstring& name, const std::wstring& value) {
  return _wputenv_s(name.c_str(), value.c_str()) == 0;
}

std::wstring EnvironmentValue(const std::wstring& name) {
  const wchar_t* value = _wgetenv(name.c_str());
  return value ? value : L"";
}

}  // namespace ravelin
