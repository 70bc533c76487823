#include "outside/desc/MapFileLocation.h"

#include <cwchar>

#include "base/Text.h"
#include "platform/Platform.h"
#include "platform/Profile.h"

namespace ravelin {
namespace {

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// The leading hexadecimal digits of the text; 0 when there are none.
int ReadHex(const std::wstring& text) {
  int value = 0;
  for (wchar_t c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) break;
    value = value * 16 + digit;
  }
  return value;
}

}  // namespace

std::wstring MapFileDeviceDirectory(uint32_t manufacturer, uint32_t deviceType,
                                    bool fieldbus) {
  const std::wstring root =
      ProfileString(L"velk.ini", L"INSTALLATION",
                    fieldbus ? L"DevicePathFF" : L"DevicePath", L"", 260);
  return JoinPath(JoinPath(root, Format(L"%06x", manufacturer)),
                  Format(L"%04x", deviceType));
}

int MapFileDDRevision(const std::wstring& deviceDirectory, uint32_t deviceRevision) {
  const std::wstring prefix = Format(L"%02x", deviceRevision);
  const std::vector<std::wstring> names =
      ThePlatform().FindFiles(JoinPath(deviceDirectory, prefix + L"??.sym"));
  if (names.empty()) return 1;

  // Lower-case hexadecimal names order numerically as text, so the greatest
  // name is the highest DD revision; upper-case names never match the prefix.
  std::wstring best;
  for (const std::wstring& name : names) {
    if (std::wcsncmp(name.c_str(), prefix.c_str(), 2) == 0 &&
        std::wcsncmp(name.c_str(), best.c_str(), 4) > 0) {
      best = name.substr(0, 4);
    }
  }
  return best.size() > 2 ? ReadHex(best.substr(2)) : 0;
}

std::wstring MapFilePath(uint32_t manufacturer, uint32_t deviceType,
                         uint32_t deviceRevision, bool fieldbus) {
  const std::wstring directory =
      MapFileDeviceDirectory(manufacturer, deviceType, fieldbus);
  return JoinPath(directory,
                  Format(L"%02x%02x.map", deviceRevision,
                         MapFileDDRevision(directory, deviceRevision)));
}

}  // namespace ravelin
