#include "tester/DeviceKeys.h"

#include <fstream>
#include <sstream>

#include "base/Text.h"
#include "outside/db/DbwSession.h"
#include "outside/db/VelkPDevicesJoin.h"
#include "platform/Platform.h"

namespace ravelin {

namespace {
constexpr wchar_t kNamedConfig[] = L"!NamedConfig!";
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
}  // namespace

bool ReadDeviceList(const std::wstring& path, std::vector<std::wstring>& keys) {
  // A folder opens as a stream on POSIX and reads as empty.
  if (!FileExists(path)) return false;
  std::ifstream file(FsPath(path), std::ios::binary);
  if (!file) return false;
  std::ostringstream content;
  content << file.rdbuf();
  if (file.bad()) return false;
  std::string bytes = content.str();
  const bool utf8 = bytes.rfind(kUtf8Bom, 0) == 0;
  if (utf8) bytes.erase(0, 3);
  std::istringstream lines(bytes);
  std::string line;
  while (std::getline(lines, line)) {
    // Text mode: a CR LF line end reads as LF.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    keys.push_back(utf8 ? FromUtf8(line) : FromCp1252(line));
  }
  return true;
}

bool ListTemplateKeys(std::vector<std::wstring>& keys) {
  CDbwDbSession session;
  if (!session.OpenDb()) return false;
  CVelkPDevicesJoin join(&session);
  join.GetAllTemplates();
  for (; !join.IsEOF(); join.MoveNext()) {
    keys.push_back(Format(L"!NamedConfig!%s", join.GetTemplateName().c_str()));
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
