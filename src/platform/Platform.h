// What the operating system does for the core: the Windows directory, file
// search, files, starting a viewer, message boxes, the clipboard and local
// time. Core code calls these through ThePlatform(); the Win32 and POSIX
// implementations live in win32/ and posix/, and tests install fakes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin {

// The platform's path separator: '\\' on Windows, '/' on POSIX.
extern const wchar_t kPathSeparator;

// Joins two path pieces with the platform separator. Every path the core
// builds goes through here, so substring checks on paths agree with it.
std::wstring JoinPath(const std::wstring& directory, const std::wstring& name);

// Converts a wide path into the file system's form (UTF-8 on POSIX).
std::filesystem::path FsPath(const std::wstring& path);

struct LocalTime {
  uint16_t year = 0;
  uint16_t month = 0;
  uint16_t day = 0;
  uint16_t hour = 0;
  uint16_t minute = 0;
  uint16_t second = 0;
};

// Message box styles and results, with the values of the Windows API.
enum : unsigned { kMbOk = 0x0, kMbYesNo = 0x4 };
enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

class Platform {
 public:
  virtual ~Platform() = default;

  // The Windows directory; on POSIX the host root (see HostRoot.h).
  virtual std::wstring WindowsDirectory() = 0;

  // Names (without directory) of the files matching the pattern's last
  // component, which may hold '?' and '*', in the order the directory
  // listing gives them. The directory part is taken literally.
  virtual std::vector<std::wstring> FindFiles(const std::wstring& pattern) = 0;

  // Starts a program with one argument as a separate process, not waiting.
  virtual bool StartProgram(const std::wstring& program,
                            const std::wstring& argument) = 0;

  // Shows a message box with no owner window; returns kIdOk, kIdYes, kIdNo.
  virtual int ShowMessageBox(const std::wstring& text, const std::wstring& caption,
                         unsigned style) = 0;

  // Replaces the clipboard's content with the text as 8-bit text (clipboard
  // format 1, converted by ToAnsi). False when the clipboard cannot be opened.
  virtual bool SetClipboardText(const std::wstring& text) = 0;

  virtual LocalTime GetLocalTime() = 0;
};

// The process's platform. Tests replace it with ScopedPlatform.
Platform& ThePlatform();

// The real platform of this build, whatever ThePlatform() currently is.
Platform& NativePlatform();

// Installs another platform for its lifetime (tests and fakes).
class ScopedPlatform {
 public:
  explicit ScopedPlatform(Platform& replacement);
  ~ScopedPlatform();
  ScopedPlatform(const ScopedPlatform&) = delete;
  ScopedPlatform& operator=(const ScopedPlatform&) = delete;

 private:
  Platform* previous_;
};

// File helpers over FsPath, the same on every platform.
bool FileExists(const std::wstring& path);
// Deletes a file or a link; a missing one is no error. False, and nothing
// deleted, for a folder or anything else that is not a file.
bool DeleteFileIfExists(const std::wstring& path);
// Why a file that could not be read could not: no such file, a folder, or
// no access.
std::wstring WhyUnreadable(const std::wstring& path);
// Why a file could not be written at `path`, in words for a message.
std::wstring WhyUnwritable(const std::wstring& path);
// Both paths exist and name the same file (through links, case or `..`).
bool IsSameExistingFile(const std::wstring& a, const std::wstring& b);

// What tells a changed file from the one read before: the last write time
// at the finest resolution the system keeps, the size, and on POSIX the
// inode (a file replaced by rename is another file).
struct FileStamp {
  int64_t time = 0;
  uint64_t size = 0;
  uint64_t identity = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of a regular file; nullopt when there is none.
std::optional<FileStamp> GetFileStamp(const std::wstring& path);

// While a StampScope lives (one block test), CheckedFileStamp takes each
// file's stamp once and answers it from memory after that, so the many
// lookups of one profile file cost one check; a change made meanwhile is
// seen in the next scope. Outside any scope every call checks the file.
// Scopes nest; the outermost one decides. One thread only.
class SharedReadFile;
class StampScope {
 public:
  StampScope();
  ~StampScope();
  StampScope(const StampScope&) = delete;
  StampScope& operator=(const StampScope&) = delete;

  static bool Active();
  // `file` keeps its handle until the outermost scope ends (or it is
  // destroyed, when it calls Forget).
  static void HoldUntilEnd(const SharedReadFile& file);
  static void Forget(const SharedReadFile& file);
};
std::optional<FileStamp> CheckedFileStamp(const std::wstring& path);

// Moves `source` over `target`, replacing it in one step (the last step of
// writing a file through a temporary file in the same folder).
bool ReplaceFileWith(const std::wstring& source, const std::wstring& target);

// Writes the whole file through a temporary file beside it, so a reader
// never sees half a file; on failure the temporary file is gone and the old
// file untouched. `ownerOnly` makes the file readable by its owner alone
// before any byte is in it (for files that hold a password).
bool WriteFileReplacing(const std::wstring& path, std::string_view bytes,
                        bool ownerOnly = false);

// Appends bytes to a file, creating it when missing, in one write. False
// when the file cannot be opened or not all bytes were written; the file is
// then cut back to its old end, so it holds all the bytes or none.
bool AppendToFile(const std::wstring& path, std::string_view bytes);

// For tests only, off until one sets it: the `nth` step from now of the
// writers above (a file created or opened for writing, a write, a rename, a
// close) fails as on a full disk; a failed write writes half its bytes. 0
// turns it off. One thread only.
void FailNthFileWrite(uint64_t nth);
// The steps counted since the last FailNthFileWrite, the failed one included.
uint64_t FileWriteStepsCounted();
// The writers call it before each step: true when the step is to fail.
bool FileWriteStepFails();

// A file read in pieces at known offsets. Others may rename, replace or
// delete it meanwhile; a reader notices that by the file's stamp (checked
// once a block). POSIX keeps the file open (one system call a piece).
// Windows keeps it open while a StampScope lives, so a block opens it once
// however many pieces it reads, and closes it when the scope ends: between
// blocks the host may rename, replace or delete it, and an open file would
// keep a deleted one in its folder. Outside a scope it opens the file for
// each piece.
class SharedReadFile {
 public:
  SharedReadFile() = default;
  ~SharedReadFile();
  SharedReadFile(const SharedReadFile&) = delete;
  SharedReadFile& operator=(const SharedReadFile&) = delete;

  bool Open(const std::wstring& path);
  bool IsOpen() const { return handle_ != kClosed; }
  // Up to `size` bytes from `offset` into `bytes`, whose storage is reused;
  // fewer at the end of the file, none on an error.
  void ReadInto(uint64_t offset, size_t size, std::string& bytes) const;
  std::string ReadAt(uint64_t offset, size_t size) const {
    std::string bytes;
    ReadInto(offset, size, bytes);
    return bytes;
  }

 private:
  friend class StampScope;
  static constexpr intptr_t kClosed = -1;
  // Windows: closes the handle a scope held; it is opened again when read.
  void CloseHeld() const;
  // Windows: keeps a just opened handle while a scope lives.
  void Hold(void* handle) const;

  intptr_t handle_ = kClosed;  // a descriptor on POSIX; on Windows 0 once opened
  std::wstring path_;          // what Windows opens again
  // Windows: the handle a scope holds, and where in the file it stands.
  mutable intptr_t held_ = kClosed;
  mutable uint64_t heldAt_ = 0;
};

// Matches a file name against a pattern of '?' (one character) and '*' (any
// run) without regard to case, as the Windows file search does.
bool WildcardMatch(std::wstring_view pattern, std::wstring_view name);

}  // namespace ravelin
