#include "outside/db/VelkProfile.h"

#include "platform/Platform.h"
#include "platform/Profile.h"

namespace ravelin {

namespace {
constexpr wchar_t kProfileName[] = L"VelkProfile.ini";
// Room for a long path.
constexpr size_t kValueSize = 1024;
}  // namespace

std::wstring VelkProfilePath() {
  return JoinPath(ThePlatform().WindowsDirectory(), kProfileName);
}

int32_t GetVelkProfileValue(const std::wstring& section, const std::wstring& key,
                            std::wstring& value) {
  value = ProfileString(VelkProfilePath(), section, key, L"", kValueSize);
  return value.empty() ? 1 : 0;
}

}  // namespace ravelin
