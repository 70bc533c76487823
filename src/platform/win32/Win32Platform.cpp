// Win32: the Windows directory (or the host root when one is set, so tests
// and the command line can point at an installation of their own), the
// file search, processes, message boxes and the clipboard of the system.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/Text.h"
#include "platform/Environment.h"
#include "platform/HostRoot.h"
#include "platform/Platform.h"

namespace ravelin {

namespace {

// One argument as the C runtime's command-line parser reads it back: in
// quotes, with a quote escaped and the backslashes before a quote doubled.
std::wstring QuoteArgument(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

}  // namespace

const wchar_t kPathSeparator = L'\\';

std::filesystem::path FsPath(const std::wstring& path) {
  return std::filesystem::path(path);
}

std::optional<FileStamp> GetFileStamp(const std::wstring& path) {
  // The C runtime's stat keeps whole seconds only; a file rewritten within
  // a second would look unchanged.
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  FileStamp stamp;
  stamp.time = int64_t((uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) |
                       data.ftLastWriteTime.dwLowDateTime);
  stamp.size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return stamp;
}

namespace {

// Cuts the last `appended` bytes off the file again.
void TakeBackAppended(const std::wstring& path, uint64_t appended) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  LARGE_INTEGER size;
  if (GetFileSizeEx(file, &size) && uint64_t(size.QuadPart) >= appended) {
    size.QuadPart -= LONGLONG(appended);
    if (SetFilePointerEx(file, size, nullptr, FILE_BEGIN)) SetEndOfFile(file);
  }
  CloseHandle(file);
}

}  // namespace

bool AppendToFile(const std::wstring& path, std::string_view bytes) {
  if (FileWriteStepFails()) return false;
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool writeFails = FileWriteStepFails();
  const size_t wanted = writeFails ? bytes.size() / 2 : bytes.size();
  size_t done = 0;
  while (done < wanted) {
    const DWORD piece = DWORD(std::min<size_t>(wanted - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr) || written == 0) break;
    done += written;
  }
  const bool written = !writeFails && done == bytes.size() && !FileWriteStepFails();
  const bool closed = CloseHandle(file);
  // The append handle may not truncate; nothing else appends meanwhile.
  if (!written && done > 0) TakeBackAppended(path, done);
  return closed && written;
}

namespace {

HANDLE OpenShared(const std::wstring& path) {
  return CreateFileW(path.c_str(), GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

SharedReadFile::~SharedReadFile() {
  if (held_ == kClosed) return;
  StampScope::Forget(*this);
  CloseHeld();
}

void SharedReadFile::CloseHeld() const {
  if (held_ != kClosed) CloseHandle(reinterpret_cast<HANDLE>(held_));
  held_ = kClosed;
}

// A handle opened inside a scope stays for the scope's reads.
void SharedReadFile::Hold(void* handle) const {
  if (!StampScope::Active()) return;
  held_ = reinterpret_cast<intptr_t>(handle);
  heldAt_ = 0;
  StampScope::HoldUntilEnd(*this);
}

bool SharedReadFile::Open(const std::wstring& path) {
  if (held_ != kClosed) {
    StampScope::Forget(*this);
    CloseHeld();
  }
  HANDLE file = OpenShared(path);
  handle_ = file == INVALID_HANDLE_VALUE ? kClosed : 0;
  path_ = path;
  if (file == INVALID_HANDLE_VALUE) return false;
  // The first piece of a block reads through the handle that opened it.
  Hold(file);
  if (held_ == kClosed) CloseHandle(file);
  return true;
}

void SharedReadFile::ReadInto(uint64_t offset, size_t size, std::string& bytes) const {
  bytes.resize(size);
  size_t done = 0;
  HANDLE file = reinterpret_cast<HANDLE>(held_);
  uint64_t at = heldAt_;
  if (held_ == kClosed) {
    file = IsOpen() && size > 0 ? OpenShared(path_) : INVALID_HANDLE_VALUE;
    at = 0;
    if (file != INVALID_HANDLE_VALUE) Hold(file);
  }
  while (file != INVALID_HANDLE_VALUE && done < size) {
    const DWORD piece = DWORD(std::min<size_t>(size - done, 1u << 30));
    DWORD read = 0;
    // The handle is moved only where it does not stand already. A read
    // given its offset in an OVERLAPPED would save that call on Windows,
    // but Wine then asks its server whether a completion port waits.
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset + done);
    if (at != offset + done && !SetFilePointerEx(file, position, nullptr, FILE_BEGIN)) break;
    if (!ReadFile(file, bytes.data() + done, piece, &read, nullptr) || read == 0) break;
    done += read;
    at = offset + done;
  }
  if (held_ != kClosed) {
    heldAt_ = at;
  } else if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
  }
  bytes.resize(done);
}

bool ReplaceFileWith(const std::wstring& source, const std::wstring& target) {
  return MoveFileExW(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

namespace {

class Win32Platform final : public Platform {
 public:
  std::wstring WindowsDirectory() override {
    const std::wstring root = HostRoot();
    if (!root.empty()) return root;
    wchar_t buffer[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length)
                                           : std::wstring();
  }

  std::vector<std::wstring> FindFiles(const std::wstring& pattern) override {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    // No short names, and the listing fetched in large pieces: fewer
    // round trips to the file system for the same names.
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        names.emplace_back(data.cFileName);
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
  }

  bool StartProgram(const std::wstring& program,
                    const std::wstring& argument) override {
    std::wstring commandLine = QuoteArgument(program) + L" " + QuoteArgument(argument);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr,
                        FALSE, 0, nullptr, nullptr, &startup, &process)) {
      return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
  }

  int ShowMessageBox(const std::wstring& text, const std::wstring& caption,
                 unsigned style) override {
    return MessageBoxW(nullptr, text.c_str(), caption.c_str(), style);
  }

  bool SetClipboardText(const std::wstring& wide) override {
    const std::string text = ToAnsi(wide);
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    bool placed = false;
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
      if (char* bytes = static_cast<char*>(GlobalLock(memory))) {
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        placed = SetClipboardData(CF_TEXT, memory) != nullptr;
      }
      if (!placed) GlobalFree(memory);
    }
    CloseClipboard();
    return placed;
  }

  LocalTime GetLocalTime() override {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    LocalTime time;
    time.year = now.wYear;
    time.month = now.wMonth;
    time.day = now.wDay;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    return time;
  }
};

}  // namespace

Platform& NativePlatform() {
  static Win32Platform platform;
  return platform;
}

bool SetEnvironmentValue(const std::wstring& name, const std::wstring& value) {
  return _wputenv_s(name.c_str(), value.c_str()) == 0;
}

std::wstring EnvironmentValue(const std::wstring& name) {
  const wchar_t* value = _wgetenv(name.c_str());
  return value ? value : L"";
}

}  // namespace ravelin
