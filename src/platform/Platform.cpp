#include "platform/Platform.h"

#include <algorithm>
#include <fstream>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "base/NthFailure.h"
#include "base/Text.h"
#include "platform/Environment.h"
#include "platform/HostRoot.h"

namespace ravelin {

namespace {
Platform* g_platform = nullptr;
int g_stampScopes = 0;
std::wstring g_hostRoot;  // the --host-root option

std::unordered_map<std::wstring, std::optional<FileStamp>>& ScopedStamps() {
  static std::unordered_map<std::wstring, std::optional<FileStamp>> stamps;
  return stamps;
}

// The files whose handles the outermost scope holds; a block reads a few.
std::vector<const SharedReadFile*>& HeldFiles() {
  static std::vector<const SharedReadFile*> files;
  return files;
}
}  // namespace

StampScope::StampScope() { ++g_stampScopes; }

StampScope::~StampScope() {
  if (--g_stampScopes > 0) return;
  ScopedStamps().clear();
  for (const SharedReadFile* file : HeldFiles()) file->CloseHeld();
  HeldFiles().clear();
}

bool StampScope::Active() { return g_stampScopes > 0; }

void StampScope::HoldUntilEnd(const SharedReadFile& file) { HeldFiles().push_back(&file); }

void StampScope::Forget(const SharedReadFile& file) {
  std::vector<const SharedReadFile*>& files = HeldFiles();
  files.erase(std::remove(files.begin(), files.end(), &file), files.end());
}

std::optional<FileStamp> CheckedFileStamp(const std::wstring& path) {
  if (g_stampScopes == 0) return GetFileStamp(path);
  auto [slot, inserted] = ScopedStamps().try_emplace(path);
  if (inserted) slot->second = GetFileStamp(path);
  return slot->second;
}

Platform& ThePlatform() { return g_platform ? *g_platform : NativePlatform(); }

ScopedPlatform::ScopedPlatform(Platform& replacement) : previous_(g_platform) {
  g_platform = &replacement;
}

ScopedPlatform::~ScopedPlatform() { g_platform = previous_; }

void SetHostRoot(const std::wstring& directory) { g_hostRoot = directory; }

std::wstring HostRoot() {
  if (!g_hostRoot.empty()) return g_hostRoot;
  return EnvironmentValue(L"RAVELIN_HOST_ROOT");
}

std::wstring JoinPath(const std::wstring& directory, const std::wstring& name) {
  std::wstring path;
  path.reserve(directory.size() + 1 + name.size());
  return path.append(directory).append(1, kPathSeparator).append(name);
}

bool FileExists(const std::wstring& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(FsPath(path), error);
}

bool DeleteFileIfExists(const std::wstring& path) {
  const std::filesystem::path file = FsPath(path);
  std::error_code error;
  const auto status = std::filesystem::symlink_status(file, error);
  if (!std::filesystem::exists(status)) return true;
  // A folder (even an empty one) or a device is never taken for a file.
  if (!std::filesystem::is_regular_file(status) && !std::filesystem::is_symlink(status)) {
    return false;
  }
  std::filesystem::remove(file, error);
  return !error;
}

std::wstring WhyUnreadable(const std::wstring& path) {
  std::error_code error;
  const auto status = std::filesystem::status(FsPath(path), error);
  if (!std::filesystem::exists(status)) return L"no such file";
  if (std::filesystem::is_directory(status)) return L"it is a folder, not a file";
  return L"it cannot be read";
}

std::wstring WhyUnwritable(const std::wstring& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path file = FsPath(path);
  if (!fs::is_directory(file.parent_path(), error)) return L"its folder does not exist";
  if (fs::is_directory(file, error)) return L"a folder of that name is in the way";
  const fs::file_status status = fs::status(file, error);
  if (fs::exists(status) &&
      (status.permissions() & fs::perms::owner_write) == fs::perms::none) {
    return L"the file is read-only";
  }
  return L"the file could not be created or replaced (no access, or in use)";
}

namespace {

NthFailure& InjectedWrite() {
  static NthFailure failure;
  return failure;
}

bool WriteNewFile(const std::wstring& path, std::string_view bytes, bool ownerOnly) {
  if (FileWriteStepFails()) return false;
  std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  if (ownerOnly) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::permissions(FsPath(path), fs::perms::owner_read | fs::perms::owner_write, error);
    if (error) return false;
  }
  const bool writeFails = FileWriteStepFails();
  const size_t size = writeFails ? bytes.size() / 2 : bytes.size();
  out.write(bytes.data(), static_cast<std::streamsize>(size));
  const bool closeFails = !writeFails && FileWriteStepFails();
  out.close();
  return !out.fail() && !writeFails && !closeFails;
}

}  // namespace

void FailNthFileWrite(uint64_t nth) { InjectedWrite().Arm(nth); }

uint64_t FileWriteStepsCounted() { return InjectedWrite().Counted(); }

bool FileWriteStepFails() { return InjectedWrite().Strikes(); }

bool WriteFileReplacing(const std::wstring& path, std::string_view bytes, bool ownerOnly) {
  const std::wstring temporary = path + L".tmp";
  if (WriteNewFile(temporary, bytes, ownerOnly) &&
      !FileWriteStepFails() && ReplaceFileWith(temporary, path)) {
    return true;
  }
  DeleteFileIfExists(temporary);
  return false;
}

bool IsSameExistingFile(const std::wstring& a, const std::wstring& b) {
  std::error_code error;
  return std::filesystem::equivalent(FsPath(a), FsPath(b), error) && !error;
}

bool WildcardMatch(std::wstring_view pattern, std::wstring_view name) {
  // Iterative match with one backtracking point for the last '*'.
  size_t p = 0, n = 0, starP = std::wstring_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() &&
        (pattern[p] == L'?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == L'*') {
      starP = p++;
      starN = n;
    } else if (starP != std::wstring_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

}  // namespace ravelin
