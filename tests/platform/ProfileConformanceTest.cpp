// Our profile reader against the system's GetPrivateProfileStringW and
// GetPrivateProfileIntW on the same odd files: every lookup the core makes
// (values, defaults, key lists, integers, cut buffers) must give the same
// return value and the same buffer.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "base/Text.h"
#include "platform/Profile.h"
#include "platform/ProfileCases.h"
#include "support/TempDir.h"

namespace ravelin {
namespace {

using testing::OddProfiles;
using testing::TempDir;

// Candidate names from the raw lines: as written, trimmed, in upper case,
// padded, and a few that no file holds.
std::set<std::wstring> Candidates(const std::string& content, wchar_t open, wchar_t close) {
  std::set<std::wstring> names = {L"", L"missing", L" ", L"k", L"S"};
  const std::wstring text = FromCp1252(content);
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    start = end + 1;
    if (line.size() > 300 || names.size() > 60) continue;
    std::wstring name;
    if (open) {
      const size_t a = line.find(open), b = line.rfind(close);
      if (a == std::wstring::npos || b == std::wstring::npos || b <= a) continue;
      name = line.substr(a + 1, b - a - 1);
    } else {
      name = line.substr(0, line.find(L'='));
    }
    names.insert(name);
    std::wstring upper = name;
    for (auto& c : upper) c = towupper(c);
    names.insert(upper);
    names.insert(L" " + name + L"\t");
  }
  return names;
}


void CompareString(const std::wstring& path, const ProfileFile& ours,
                   const wchar_t* section, const wchar_t* key, const wchar_t* def,
                   size_t size, const std::string& where) {
  std::wstring theirs(size + 4, L'#'), mine(size + 4, L'#');
  const DWORD theirResult =
      GetPrivateProfileStringW(section, key, def, theirs.data(), DWORD(size), path.c_str());
  const size_t myResult = ours.GetString(section, key, def, mine.data(), size);
  const size_t shown = std::min(size, size_t(theirResult) + 2);
  EXPECT_EQ(myResult, size_t(theirResult))
      << where << " section=" << ::testing::PrintToString(std::wstring(section ? section : L"(null)"))
      << " key=" << ::testing::PrintToString(std::wstring(key ? key : L"(null)"))
      << " def=" << ::testing::PrintToString(std::wstring(def ? def : L"(null)")) << " size=" << size;
  EXPECT_EQ(mine.substr(0, shown), theirs.substr(0, shown))
      << where << " section=" << ::testing::PrintToString(std::wstring(section ? section : L"(null)"))
      << " key=" << ::testing::PrintToString(std::wstring(key ? key : L"(null)"))
      << " def=" << ::testing::PrintToString(std::wstring(def ? def : L"(null)")) << " size=" << size;
}

TEST(ProfileConformanceTest, OurReaderAnswersAsTheWindowsFunctionsDo) {
  TempDir dir;
  int fileNumber = 0;
  for (const auto& c : OddProfiles()) {
    const std::wstring path = dir.Write(L"case" + std::to_wstring(fileNumber++) + L".ini", c.content);
    const ProfileFile ours(c.content);
    const std::string where = std::string("file ") + c.name;

    for (size_t size : {size_t(2), size_t(3), size_t(5), size_t(9), size_t(40), size_t(10000)}) {
      CompareString(path, ours, nullptr, nullptr, L"", size, where + " (section list)");
    }
    for (const std::wstring& section : Candidates(c.content, L'[', L']')) {
      for (size_t size : {size_t(1), size_t(2), size_t(3), size_t(5), size_t(9), size_t(10000)}) {
        CompareString(path, ours, section.c_str(), nullptr, L"", size, where + " (key list)");
      }
      CompareString(path, ours, section.c_str(), nullptr, L"dflt", 260, where + " (key list)");
      for (const std::wstring& key : Candidates(c.content, 0, 0)) {
        for (const wchar_t* def : {L"", L"def  ", L"  ", L"\"q\"", static_cast<const wchar_t*>(nullptr)}) {
          CompareString(path, ours, section.c_str(), key.c_str(), def, 260, where);
        }
        for (size_t size : {size_t(1), size_t(2), size_t(4), size_t(30)}) {
          CompareString(path, ours, section.c_str(), key.c_str(), L"", size, where);
        }
        for (INT def : {9, -1}) {
          EXPECT_EQ(ours.GetInt(section.c_str(), key.c_str(), def),
                    GetPrivateProfileIntW(section.c_str(), key.c_str(), def, path.c_str()))
              << where << " int section=" << ::testing::PrintToString(section)
              << " key=" << ::testing::PrintToString(key);
        }
      }
    }
  }
}

TEST(ProfileConformanceTest, MissingFilesGiveTheDefault) {
  TempDir dir;
  const std::wstring path = dir.Join(L"absent.ini");
  for (const wchar_t* def : {L"", L"plain", L"\"quoted\"", L"trail  "}) {
    wchar_t theirs[16];
    const DWORD n = GetPrivateProfileStringW(L"S", L"k", def, theirs, 16, path.c_str());
    EXPECT_EQ(ProfileString(path, L"S", L"k", def, 16), std::wstring(theirs, n));
  }
  EXPECT_EQ(ProfileInt(path, L"S", L"k", 77), GetPrivateProfileIntW(L"S", L"k", 77, path.c_str()));
  wchar_t list[8];
  EXPECT_EQ(ProfileKeyList(path, L"S").size(),
            size_t(GetPrivateProfileStringW(L"S", nullptr, L"", list, 8, path.c_str())));
}

}  // namespace
}  // namespace ravelin
