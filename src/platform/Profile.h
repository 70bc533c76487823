// Profile ("ini") files read with the semantics of the Windows profile
// functions GetPrivateProfileStringW and GetPrivateProfileIntW:
//  - section and key names match without regard to case, after trimming;
//    case goes through the one-to-one case table of FoldCase (base/Text.h),
//    as Windows compares names (Wine compares ASCII letters only);
//  - blanks are U+0009-U+000D, U+001A and U+0020; other Unicode spaces (a
//    no-break space) are text, so "n=<U+00A0>7" reads as 0 for an integer;
//  - the first matching section is searched, and its first matching key wins
//    (a key line without '=' that matches first gives the default);
//  - values lose surrounding blanks and one pair of matching quotes;
//  - names and values end at a NUL; a line with no name right after another
//    one is dropped, but a name that starts with NUL is no missing name;
//  - a missing file, section or key gives the default (trailing blanks cut);
//  - the key list of a section holds the keys of lines with '=', in file
//    order, each followed by NUL, the list by one more NUL, cut to the buffer
//    as Windows cuts it;
//  - a bare file name (no directory) means the Windows directory.
// A file is parsed once and answered from memory; a file changed on disk
// (time or size) is read anew at the next lookup, or inside a StampScope
// (Platform.h) at the first lookup of the next scope.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/Text.h"

namespace ravelin {

class ProfileFile {
 public:
  // Parses file content: 8-bit text (FromAnsi: the system ANSI code page on
  // Windows, Windows-1252 elsewhere), or UTF-8 / UTF-16 with a BOM.
  explicit ProfileFile(std::string_view bytes);
  // Its name maps view its own names.
  ProfileFile(const ProfileFile&) = delete;
  ProfileFile& operator=(const ProfileFile&) = delete;

  // Exactly what GetPrivateProfileStringW puts into a buffer of `size`
  // characters and returns. `section` null lists the section names, `key`
  // null lists the keys of the section. `def` null means "".
  size_t GetString(const wchar_t* section, const wchar_t* key,
                   const wchar_t* def, wchar_t* buffer, size_t size) const;

  // GetPrivateProfileIntW: the value read base-0 ("0x" hex), sign and
  // wrap-around as the Windows integer conversion does; `def` when the key is
  // missing or its value is empty.
  uint32_t GetInt(const wchar_t* section, const wchar_t* key, int32_t def) const;

 private:
  struct Key {
    std::wstring name;
    std::wstring value;
    bool hasValue = false;
  };
  struct Section {
    std::wstring name;
    std::vector<Key> keys;
    // Key name, without regard to case -> its first key; built once after
    // parsing, each name viewing its key's own.
    std::unordered_map<std::wstring_view, size_t, NoCaseHash, NoCaseEqual> firstKey;
  };
  const Section* FindSection(std::wstring_view name) const;
  const Key* FindKey(std::wstring_view section, std::wstring_view key) const;
  std::vector<Section> sections_;
  // Section name, without regard to case -> its first section.
  std::unordered_map<std::wstring_view, size_t, NoCaseHash, NoCaseEqual> firstSection_;
};

// Resolves a profile file name the way the Windows profile functions do and
// returns its parsed form, or null when it cannot be read.
std::shared_ptr<const ProfileFile> LoadProfile(const std::wstring& fileName);

// Convenience lookups through LoadProfile. `bufferSize` is the caller's
// buffer in characters, including the terminating NUL.
std::wstring ProfileString(const std::wstring& fileName,
                           const std::wstring& section, const std::wstring& key,
                           const std::wstring& def, size_t bufferSize = 260);
uint32_t ProfileInt(const std::wstring& fileName, const std::wstring& section,
                    const std::wstring& key, int32_t def);

// The key list of a section as a buffer of `bufferSize` characters would get
// it: the returned text holds the keys, each followed by NUL (the list's
// final NUL excluded); its length is what the Windows call returns.
std::wstring ProfileKeyList(const std::wstring& fileName,
                            const std::wstring& section,
                            size_t bufferSize = 10000);

}  // namespace ravelin
