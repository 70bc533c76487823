#include "outside/comm/ServerRecordings.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>
#include <vector>

#include "base/Text.h"
#include "outside/comm/RecordingParser.h"
#include "platform/Platform.h"

namespace ravelin {

namespace {

struct CachedRecording {
  FileStamp stamp;
  ServerRecording result;
};

// The server name becomes a file name: nothing that leaves the folder or
// reads as a pattern.
bool IsPlainServerName(const std::wstring& server) {
  if (server.empty() || server == L"." || server == L"..") return false;
  return std::none_of(server.begin(), server.end(), [](wchar_t c) {
    return c < 0x20 || c == L'/' || c == L'\\' || c == L':' || c == L'*' || c == L'?';
  });
}

ServerRecording Load(const std::wstring& path) {
  try {
    return {LoadRecordingFile(path), kVelkOk, {}};
  } catch (const RecordingError& error) {
    return {nullptr, kVelkBadRecording, error.Message()};
  }
}

}  // namespace

ServerRecording OpenServerRecording(const std::wstring& server) {
  if (!IsPlainServerName(server)) {
    return {nullptr, kVelkBadArgument, L"\"" + server + L"\" is not a server name"};
  }
  const std::wstring directory = JoinPath(ThePlatform().WindowsDirectory(), L"recordings");
  const std::wstring fileName = server + L".rec";
  std::wstring path = JoinPath(directory, fileName);
  std::optional<FileStamp> stamp = CheckedFileStamp(path);
  if (!stamp) {
    const std::vector<std::wstring> names = ThePlatform().FindFiles(path);
    if (names.empty()) {
      return {nullptr, kVelkNoServer,
              Format(L"no recording for server \"%s\" in %s", server.c_str(), directory.c_str())};
    }
    path = JoinPath(directory, names.front());
    stamp = CheckedFileStamp(path);
  }
  if (!stamp) return Load(path);

  static std::unordered_map<std::wstring, CachedRecording> cache;
  const auto found = cache.find(path);
  if (found != cache.end() && found->second.stamp == *stamp) {
    return found->second.result;
  }
  ServerRecording result = Load(path);
  cache[path] = {*stamp, result};
  return result;
}

}  // namespace ravelin
