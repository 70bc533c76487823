#include "platform/Platform.h"

#include <system_error>

#include "base/Text.h"

namespace ravelin {

namespace {
Platform* g_platform = nullptr;
}

Platform& ThePlatform() { return g_platform ? *g_platform : NativePlatform(); }

ScopedPlatform::ScopedPlatform(Platform& replacement) : previous_(g_platform) {
  g_platform = &replacement;
}

ScopedPlatform::~ScopedPlatform() { g_platform = previous_; }

std::wstring JoinPath(const std::wstring& directory, const std::wstring& name) {
  return directory + kPathSeparator + name;
}

bool FileExists(const std::wstring& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(FsPath(path), error);
}

bool DeleteFileIfExists(const std::wstring& path) {
  std::error_code error;
  std::filesystem::remove(FsPath(path), error);
  return !error;
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
