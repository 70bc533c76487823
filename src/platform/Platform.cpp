#include "platform/Platform.h"

#include <system_error>
#include <unordered_map>

#include "base/Text.h"

namespace ravelin {

namespace {
Platform* g_platform = nullptr;
int g_stampScopes = 0;

std::unordered_map<std::wstring, std::optional<FileStamp>>& ScopedStamps() {
  static std::unordered_map<std::wstring, std::optional<FileStamp>> stamps;
  return stamps;
}
}  // namespace

StampScope::StampScope() { ++g_stampScopes; }

StampScope::~StampScope() {
  if (--g_stampScopes == 0) ScopedStamps().clear();
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
