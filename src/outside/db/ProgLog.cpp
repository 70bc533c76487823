#include "outside/db/ProgLog.h"

#include "base/Text.h"
#include "platform/Platform.h"

namespace ravelin {

std::wstring ProgLogPath() {
  return JoinPath(ThePlatform().WindowsDirectory(), L"ProgLog.txt");
}

void BssProgLog(const std::wstring& source, int32_t line, int32_t category,
                uint32_t code, const std::wstring& message) {
  std::wstring text = message;
  for (wchar_t& c : text) {
    if (c == L'\r' || c == L'\n') c = L' ';
  }
  const LocalTime now = ThePlatform().GetLocalTime();
  const std::wstring entry = Format(
      L"%04hu-%02hu-%02hu %02hu:%02hu:%02hu %s(%d) %d 0x%08X %s\r\n", now.year,
      now.month, now.day, now.hour, now.minute, now.second, source.c_str(),
      line, category, code, text.c_str());
  // The log is best effort: a host without a writable log still runs.
  AppendToFile(ProgLogPath(), ToUtf8(entry));
}

}  // namespace ravelin
