// POSIX: the host root stands in for the Windows directory, message boxes go
// to standard error, the clipboard is kept in the process.
#include <dirent.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "base/Text.h"
#include "platform/HostRoot.h"
#include "platform/Platform.h"

extern char** environ;

namespace ravelin {

const wchar_t kPathSeparator = L'/';

std::filesystem::path FsPath(const std::wstring& path) {
  return std::filesystem::path(ToUtf8(path));
}

std::optional<FileStamp> GetFileStamp(const std::wstring& path) {
  struct stat info;
  if (stat(ToUtf8(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return std::nullopt;
  }
  FileStamp stamp;
  stamp.time = int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  stamp.size = uint64_t(info.st_size);
  stamp.identity = uint64_t(info.st_ino);
  return stamp;
}

bool ReplaceFileWith(const std::wstring& source, const std::wstring& target) {
  return std::rename(ToUtf8(source).c_str(), ToUtf8(target).c_str()) == 0;
}

namespace {

std::wstring g_hostRoot;

class PosixPlatform final : public Platform {
 public:
  std::wstring WindowsDirectory() override { return HostRoot(); }

  std::vector<std::wstring> FindFiles(const std::wstring& pattern) override {
    std::vector<std::wstring> names;
    const size_t slash = pattern.rfind(L'/');
    const std::wstring directory =
        slash == std::wstring::npos ? L"." : pattern.substr(0, slash);
    const std::wstring filePattern =
        slash == std::wstring::npos ? pattern : pattern.substr(slash + 1);
    // opendir rather than a directory iterator: two system calls fewer per
    // search, and the tester searches once per device.
    DIR* dir = opendir(ToUtf8(directory).c_str());
    if (!dir) return names;
    while (const dirent* entry = readdir(dir)) {
      const std::string_view raw = entry->d_name;
      if (raw == "." || raw == "..") continue;
      const std::wstring name = FromUtf8(raw);
      if (WildcardMatch(filePattern, name)) names.push_back(name);
    }
    closedir(dir);
    return names;
  }

  bool StartProgram(const std::wstring& program,
                    const std::wstring& argument) override {
    const std::string file = ToUtf8(program);
    const std::string arg = ToUtf8(argument);
    char* argv[] = {const_cast<char*>(file.c_str()),
                    const_cast<char*>(arg.c_str()), nullptr};
    pid_t pid;
    if (posix_spawn(&pid, file.c_str(), nullptr, nullptr, argv, environ) != 0) {
      return false;
    }
    // Reap the viewer in the background so it never lingers as a zombie.
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
    return true;
  }

  int ShowMessageBox(const std::wstring& text, const std::wstring& caption,
                 unsigned style) override {
    std::fprintf(stderr, "%s: %s\n", ToUtf8(caption).c_str(),
                 ToUtf8(text).c_str());
    // Without a user to ask, a question is answered No.
    return (style & 0xF) == kMbYesNo ? kIdNo : kIdOk;
  }

  bool SetClipboardText(const std::wstring& text) override {
    clipboard_ = ToAnsi(text);
    return true;
  }

  LocalTime GetLocalTime() override {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    LocalTime time;
    time.year = uint16_t(parts.tm_year + 1900);
    time.month = uint16_t(parts.tm_mon + 1);
    time.day = uint16_t(parts.tm_mday);
    time.hour = uint16_t(parts.tm_hour);
    time.minute = uint16_t(parts.tm_min);
    time.second = uint16_t(parts.tm_sec);
    return time;
  }

 private:
  std::string clipboard_;
};

}  // namespace

Platform& NativePlatform() {
  static PosixPlatform platform;
  return platform;
}

void SetHostRoot(const std::wstring& directory) { g_hostRoot = directory; }

std::wstring HostRoot() {
  if (!g_hostRoot.empty()) return g_hostRoot;
  if (const char* env = std::getenv("RAVELIN_HOST_ROOT"); env && *env) {
    return FromUtf8(env);
  }
  return L"";
}

}  // namespace ravelin
