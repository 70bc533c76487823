#include "tester/DeviceKeys.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>

#include "base/Text.h"
#include "outside/db/DbwSession.h"
#include "outside/db/VelkPDevicesJoin.h"
#include "platform/Platform.h"
#include "tester/DeviceLookup.h"

namespace ravelin {

namespace {
constexpr wchar_t kNamedConfig[] = L"!NamedConfig!";
}  // namespace

bool ReadDeviceList(const std::wstring& path, std::vector<std::wstring>& keys) {
  // A folder opens as a stream on POSIX and reads as empty.
  if (!FileExists(path)) return false;
  std::ifstream file(FsPath(path), std::ios::binary);
  if (!file) return false;
  std::ostringstream content;
  content << file.rdbuf();
  if (file.bad()) return false;
  // One encoding for the whole file: a single line of Windows-1252 makes
  // none of it UTF-8.
  const std::wstring text = FromUserText(content.str());
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring_view line(text.data() + start, end - start);
    start = end + 1;
    // Text mode: a CR LF line end reads as LF.
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
    if (!line.empty()) keys.emplace_back(line);
  }
  return true;
}

bool ListTemplateKeys(std::vector<std::wstring>& keys, std::wstring& problem) {
  CDbwDbSession session;
  CVelkPDevicesJoin join(&session);
  // A listing the database refused is no plant without templates.
  if (!session.OpenDb() || join.GetAllTemplates() != kDbwOk) {
    problem = HostDatabaseUnreadable(&session);
    return false;
  }
  for (; !join.IsEOF(); join.MoveNext()) {
    // Exactly as long as it needs: a large plant lists thousands of keys
    // for the whole run.
    const std::wstring name = join.GetTemplateName();
    std::wstring key;
    key.reserve(std::size(kNamedConfig) - 1 + name.size());
    keys.push_back(std::move(key.append(kNamedConfig).append(name)));
  }
  return true;
}

std::wstring DisplayKey(std::wstring key) {
  const std::wstring marker = kNamedConfig;
  for (size_t at = key.find(marker); at != std::wstring::npos; at = key.find(marker, at)) {
    key.erase(at, marker.size());
  }
  return key;
}

}  // namespace ravelin
