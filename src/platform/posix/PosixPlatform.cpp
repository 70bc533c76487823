// POSIX: the host root stands in for the Windows directory, message boxes go
// to standard error, the clipboard is kept in the process.
#include <dirent.h>
#include <fcntl.h>
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
#include "platform/Environment.h"
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

bool AppendToFile(const std::wstring& path, std::string_view bytes) {
  if (FileWriteStepFails()) return false;
  const int fd = open(ToUtf8(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const bool writeFails = FileWriteStepFails();
  const size_t wanted = writeFails ? bytes.size() / 2 : bytes.size();
  size_t done = 0;
  while (done < wanted) {
    const ssize_t n = write(fd, bytes.data() + done, wanted - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += size_t(n);
  }
  const bool written = !writeFails && done == bytes.size() && !FileWriteStepFails();
  struct stat info;
  if (!written && done > 0 && fstat(fd, &info) == 0 && uint64_t(info.st_size) >= done) {
    // Nothing else appends to our files while we do.
    (void)!ftruncate(fd, info.st_size - off_t(done));
  }
  return close(fd) == 0 && written;
}

SharedReadFile::~SharedReadFile() {
  if (IsOpen()) close(int(handle_));
}

// The descriptor stays open for the file's life; no scope holds it.
void SharedReadFile::CloseHeld() const {}

bool SharedReadFile::Open(const std::wstring& path) {
  if (IsOpen()) close(int(handle_));
  handle_ = open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (handle_ < 0) handle_ = kClosed;
  return IsOpen();
}

void SharedReadFile::ReadInto(uint64_t offset, size_t size, std::string& bytes) const {
  bytes.resize(size);
  size_t done = 0;
  while (IsOpen() && done < size) {
    const ssize_t n = pread(int(handle_), bytes.data() + done, size - done, off_t(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += size_t(n);
  }
  bytes.resize(done);
}

bool ReplaceFileWith(const std::wstring& source, const std::wstring& target) {
  return std::rename(ToUtf8(source).c_str(), ToUtf8(target).c_str()) == 0;
}

namespace {

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
    // The directory entries read straight into a buffer: opendir would add
    // a status call, a directory iterator two, and the tester searches once
    // per device.
    const int dir = open(ToUtf8(directory).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return names;
    alignas(dirent64) char buffer[32768];
    for (;;) {
      const ssize_t filled = getdents64(dir, buffer, sizeof buffer);
      if (filled <= 0) break;
      for (ssize_t at = 0; at < filled;) {
        const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
        at += entry->d_reclen;
        const std::string_view raw = entry->d_name;
        if (raw == "." || raw == "..") continue;
        const std::wstring name = FromUtf8(raw);
        if (WildcardMatch(filePattern, name)) names.push_back(name);
      }
    }
    close(dir);
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

bool SetEnvironmentValue(const std::wstring& name, const std::wstring& value) {
  return setenv(ToUtf8(name).c_str(), ToUtf8(value).c_str(), 1) == 0;
}

std::wstring EnvironmentValue(const std::wstring& name) {
  const char* value = std::getenv(ToUtf8(name).c_str());
  return value ? FromUtf8(value) : L"";
}

}  // namespace ravelin
