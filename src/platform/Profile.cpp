#include "platform/Profile.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <list>
#include <sstream>
#include <utility>

#include "base/Text.h"
#include "platform/Platform.h"

namespace ravelin {
namespace {

// The blanks the Windows profile functions trim: ASCII white space and
// Ctrl-Z, the old end-of-file mark. Other Unicode spaces (a no-break space)
// are text.
bool IsProfileSpace(wchar_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A;
}

std::wstring_view Trim(std::wstring_view text) {
  while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsProfileSpace(text.back())) text.remove_suffix(1);
  return text;
}

// Names and values end at a NUL inside a line, as C strings do.
std::wstring UpToNul(std::wstring_view text) {
  return std::wstring(text.substr(0, text.find(L'\0')));
}

std::wstring Decode(std::string_view bytes) {
  if (auto marked = FromMarkedText(bytes)) return *std::move(marked);
  return FromAnsi(bytes);
}

// Copies `text` into a buffer of `size` characters as lstrcpynW does:
// at most size-1 characters and a NUL. Returns the characters copied.
size_t CopyTruncated(std::wstring_view text, wchar_t* buffer, size_t size) {
  if (size == 0) return 0;
  const size_t n = std::min(text.size(), size - 1);
  std::copy_n(text.data(), n, buffer);
  buffer[n] = L'\0';
  return n;
}

// A value as the profile functions hand it out: one pair of matching
// single or double quotes around it is dropped when it fits the buffer.
size_t CopyValue(std::wstring_view value, wchar_t* buffer, size_t size) {
  if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
      value.back() == value.front()) {
    std::wstring_view inner = value.substr(1);
    const size_t n = CopyTruncated(inner, buffer, size);
    if (size >= inner.size() && n > 0) {
      buffer[n - 1] = L'\0';
      return n - 1;
    }
    return n;
  }
  return CopyTruncated(value, buffer, size);
}

// The default loses its trailing blanks, but never its first character.
std::wstring_view TrimDefault(const wchar_t* def) {
  std::wstring_view text = def ? def : L"";
  size_t end = text.size();
  while (end > 1 && text[end - 1] == L' ') --end;
  return text.substr(0, end);
}

// The key list of a section as Windows writes it: each key cut to the room
// left, followed by NUL; when the room runs out the list ends in two NULs
// and the call returns size-2.
size_t CopyKeyList(const std::vector<std::wstring_view>& names, wchar_t* buffer,
                   size_t size) {
  if (size <= 2) {
    buffer[0] = L'\0';
    return 0;
  }
  size_t left = size, used = 0;
  for (std::wstring_view name : names) {
    if (left <= 2) break;
    const size_t n = CopyTruncated(name, buffer + used, left - 1);
    left -= n + 1;
    used += n + 1;
    if (left < 2) break;
  }
  buffer[used] = L'\0';
  if (left <= 1) {
    buffer[used - 1] = L'\0';
    return size - 2;
  }
  return size - left;
}

// The section names of a file: a name that does not fit with room to spare
// is cut, and the call returns size-2.
size_t CopySectionList(const std::vector<std::wstring_view>& names,
                       wchar_t* buffer, size_t size) {
  if (size == 1) {
    buffer[0] = L'\0';
    return 0;
  }
  size_t left = size - 1, used = 0;
  for (std::wstring_view name : names) {
    const size_t needed = name.size() + 1;
    if (needed >= left) {
      std::copy_n(name.data(), left - 1, buffer + used);
      used += left - 1;
      buffer[used++] = L'\0';
      buffer[used] = L'\0';
      return size - 2;
    }
    std::copy_n(name.data(), name.size(), buffer + used);
    used += needed;
    buffer[used - 1] = L'\0';
    left -= needed;
  }
  buffer[used] = L'\0';
  return used;
}

}  // namespace

ProfileFile::ProfileFile(std::string_view bytes) {
  if (bytes.empty()) return;
  const std::wstring text = Decode(bytes);
  sections_.push_back(Section{});  // keys before the first header
  const wchar_t* const end = text.data() + text.size();
  const wchar_t* next = text.data();
  const Key* previous = nullptr;
  while (next < end) {
    // CR and LF each end a line; the empty line between CR and LF is skipped.
    const wchar_t* start = next;
    const wchar_t* stop = std::find_if(
        start, end, [](wchar_t c) { return c == L'\r' || c == L'\n'; });
    next = stop == end ? end : stop + 1;
    std::wstring_view line = Trim(std::wstring_view(start, size_t(stop - start)));
    if (line.empty()) continue;

    if (line.front() == L'[') {
      const size_t close = line.rfind(L']');
      if (close != std::wstring_view::npos && close > 0) {
        sections_.push_back(Section{UpToNul(Trim(line.substr(1, close - 1))), {}, {}});
        previous = nullptr;
        continue;
      }
    }

    Key key;
    const size_t equals = line.find(L'=');
    const std::wstring_view written =
        equals == std::wstring_view::npos ? line : Trim(line.substr(0, equals));
    key.name = UpToNul(written);
    if (equals != std::wstring_view::npos) {
      key.value = UpToNul(Trim(line.substr(equals + 1)));
      key.hasValue = true;
    }
    // A nameless entry right after another nameless one is dropped. The
    // entry is nameless by its name as written (a NUL counts), the one
    // before by its name as it reads (cut at the NUL).
    if (written.empty() && previous && previous->name.empty()) continue;
    sections_.back().keys.push_back(std::move(key));
    previous = &sections_.back().keys.back();
  }
  for (size_t i = 0; i < sections_.size(); ++i) {
    Section& section = sections_[i];
    firstSection_.emplace(section.name, i);
    for (size_t k = 0; k < section.keys.size(); ++k) {
      section.firstKey.emplace(section.keys[k].name, k);
    }
  }
}

const ProfileFile::Section* ProfileFile::FindSection(std::wstring_view name) const {
  const auto found = firstSection_.find(name);
  return found == firstSection_.end() ? nullptr : &sections_[found->second];
}

const ProfileFile::Key* ProfileFile::FindKey(std::wstring_view section,
                                             std::wstring_view key) const {
  const Section* found = FindSection(Trim(section));
  if (!found) return nullptr;
  const auto index = found->firstKey.find(Trim(key));
  return index == found->firstKey.end() ? nullptr : &found->keys[index->second];
}

size_t ProfileFile::GetString(const wchar_t* section, const wchar_t* key,
                              const wchar_t* def, wchar_t* buffer,
                              size_t size) const {
  if (!buffer || size == 0) return 0;
  const std::wstring_view defText = TrimDefault(def);
  if (!section) {
    std::vector<std::wstring_view> names;
    for (const Section& s : sections_) {
      if (!s.name.empty()) names.push_back(s.name);
    }
    return CopySectionList(names, buffer, size);
  }
  if (key) {
    const Key* found = FindKey(section, key);
    return CopyValue(found && found->hasValue ? std::wstring_view(found->value)
                                              : defText,
                     buffer, size);
  }
  // The section name of a key list is taken as it stands, not trimmed.
  const Section* found = FindSection(section);
  std::vector<std::wstring_view> names;
  if (found) {
    for (const Key& k : found->keys) {
      if (!k.hasValue || (!k.name.empty() && k.name.front() == L';')) continue;
      names.push_back(k.name);
    }
  } else if (size > 1) {
    buffer[1] = L'\0';  // a missing section leaves two NULs
  }
  buffer[0] = L'\0';
  const size_t result = CopyKeyList(names, buffer, size);
  // A list that starts empty (no keys, or a nameless first key) gives way
  // to the default.
  return buffer[0] == L'\0' ? CopyValue(defText, buffer, size) : result;
}

uint32_t ProfileFile::GetInt(const wchar_t* section, const wchar_t* key,
                             int32_t def) const {
  wchar_t text[30];
  if (GetString(section, key, L"", text, 30) == 0) return uint32_t(def);
  // Base 0 of the Windows integer conversion: blanks, a sign, then an
  // optional "0x", "0o" or "0b" prefix; digits until the first that does
  // not belong to the base; arithmetic wraps.
  const wchar_t* p = text;
  while (*p && *p <= L' ') ++p;
  bool negative = false;
  if (*p == L'+' || *p == L'-') negative = *p++ == L'-';
  uint32_t base = 10;
  if (p[0] == L'0' && p[1] == L'x') base = 16, p += 2;
  else if (p[0] == L'0' && p[1] == L'o') base = 8, p += 2;
  else if (p[0] == L'0' && p[1] == L'b') base = 2, p += 2;
  uint32_t value = 0;
  for (; *p; ++p) {
    uint32_t digit;
    if (*p >= L'0' && *p <= L'9') digit = uint32_t(*p - L'0');
    else if (*p >= L'A' && *p <= L'Z') digit = uint32_t(*p - L'A' + 10);
    else if (*p >= L'a' && *p <= L'z') digit = uint32_t(*p - L'a' + 10);
    else break;
    if (digit >= base) break;
    value = value * base + digit;
  }
  return negative ? 0u - value : value;
}

namespace {

struct CachedProfile {
  FileStamp stamp;
  std::shared_ptr<const ProfileFile> profile;
};

std::wstring ResolveProfilePath(const std::wstring& fileName) {
  if (fileName.find_first_of(L"\\/") == std::wstring::npos &&
      !(fileName.size() >= 2 && fileName[1] == L':')) {
    return JoinPath(ThePlatform().WindowsDirectory(), fileName);
  }
  return fileName;
}

}  // namespace

std::shared_ptr<const ProfileFile> LoadProfile(const std::wstring& fileName) {
  // The few most recently read files stay parsed, so memory stays flat
  // however many map files a run reads. The plug-in runs on one thread;
  // the cache needs no lock.
  constexpr size_t kCachedFiles = 16;
  static std::list<std::pair<std::wstring, CachedProfile>> cache;
  const std::wstring path = ResolveProfilePath(fileName);
  const std::optional<FileStamp> stamp = CheckedFileStamp(path);
  auto found = std::find_if(cache.begin(), cache.end(),
                            [&](const auto& entry) { return entry.first == path; });
  if (found != cache.end()) {
    if (stamp && found->second.stamp == *stamp) {
      cache.splice(cache.begin(), cache, found);
      return found->second.profile;
    }
    cache.erase(found);
  }
  if (!stamp) return nullptr;
  SharedReadFile in;
  if (!in.Open(path)) return nullptr;
  // The stamp's size, read at once: no second read to find the end. A file
  // that grew meanwhile has another stamp and is read again next time.
  const std::string bytes = in.ReadAt(0, static_cast<size_t>(stamp->size));
  auto profile = std::make_shared<const ProfileFile>(bytes);
  cache.emplace_front(path, CachedProfile{*stamp, profile});
  if (cache.size() > kCachedFiles) cache.pop_back();
  return profile;
}

std::wstring ProfileString(const std::wstring& fileName,
                           const std::wstring& section, const std::wstring& key,
                           const std::wstring& def, size_t bufferSize) {
  // The caller's buffer size; the usual sizes on the stack: a device's
  // test reads dozens of values.
  constexpr size_t kOnStack = 512;
  wchar_t onStack[kOnStack];
  std::vector<wchar_t> onHeap(bufferSize > kOnStack ? bufferSize : 0);
  wchar_t* buffer = onHeap.empty() ? onStack : onHeap.data();
  size_t length;
  if (auto profile = LoadProfile(fileName)) {
    length = profile->GetString(section.c_str(), key.c_str(), def.c_str(), buffer, bufferSize);
  } else {
    length = CopyValue(TrimDefault(def.c_str()), buffer, bufferSize);
  }
  return std::wstring(buffer, length);
}

uint32_t ProfileInt(const std::wstring& fileName, const std::wstring& section,
                    const std::wstring& key, int32_t def) {
  auto profile = LoadProfile(fileName);
  return profile ? profile->GetInt(section.c_str(), key.c_str(), def)
                 : uint32_t(def);
}

std::wstring ProfileKeyList(const std::wstring& fileName,
                            const std::wstring& section, size_t bufferSize) {
  auto profile = LoadProfile(fileName);
  if (!profile || bufferSize == 0) return {};
  std::wstring buffer(bufferSize, L'\0');
  const size_t length = profile->GetString(section.c_str(), nullptr, L"",
                                           buffer.data(), bufferSize);
  buffer.resize(length);
  return buffer;
}

}  // namespace ravelin
