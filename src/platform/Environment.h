// This process's environment variables (the ODBC driver manager finds its
// ini files through them, the host root may come from one).
#pragma once

#include <string>

namespace ravelin {

bool SetEnvironmentValue(const std::wstring& name, const std::wstring& value);
// Empty when the variable is not set.
std::wstring EnvironmentValue(const std::wstring& name);

}  // namespace ravelin
