// Our profile reader against the system's GetPrivateProfileStringW and
// GetPrivateProfileIntW on the same odd files: every lookup the core makes
// (values, defaults, key lists, integers, cut buffers) must give the same
// return value and the same buffer.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
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
  const std::wstring text = FromAnsi(content);
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

// Random files built from pieces that hit the edges: blanks of every kind
// around everything, names with non-ASCII letters looked up in the other
// case, NULs inside names and values, byte order marks and every line end.
class RandomProfile {
 public:
  struct Name {
    std::wstring written;
    // The same name in other case where a letter is not ASCII. Wine
    // compares ASCII letters only, Windows through its case table: such a
    // lookup is compared with Wine's answer for the name as written.
    std::wstring otherCase;
  };

  explicit RandomProfile(uint32_t seed) : random_(seed) {}

  // 8-bit (the system code page), UTF-8 or UTF-16 LE/BE behind a mark.
  std::string Build() {
    std::wstring text;
    const int lines = Pick(1, 14);
    for (int i = 0; i < lines; ++i) {
      switch (Pick(0, 9)) {
        case 0: case 1:
          text += Pad() + L"[" + Pad() + Any(kNames).written + Pad() + L"]" +
                  (Pick(0, 4) == 0 ? L"x" : L"") + Pad();
          break;
        case 2: text += Pad() + Any(kNames).written + Pad(); break;
        case 3: text += L";" + Any(kNames).written + L"=" + Any(kValues); break;
        case 4: text += Pad() + L"=" + Pad() + Any(kValues) + Pad(); break;
        case 5: text += Pad(); break;
        default:
          text += Pad() + Any(kNames).written + Pad() + L"=" + Pad() + Any(kValues) + Pad();
      }
      text += Any(kLineEnds);
    }
    switch (Pick(0, 5)) {
      case 0: return "\xEF\xBB\xBF" + ToUtf8(text);
      case 1: return "\xFF\xFE" + Utf16(text, false);
      case 2: return "\xFE\xFF" + Utf16(text, true);
      default: return ToAnsi(text);
    }
  }

  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  template <typename T, size_t N>
  const T& Any(const T (&items)[N]) { return items[size_t(Pick(0, int(N) - 1))]; }

  // Blanks that the profile functions trim and Unicode spaces that they keep.
  std::wstring Pad() {
    static const wchar_t kBlanks[] = {L' ', L'\t', L'\v', L'\f', 0x1A, 0xA0, 0x85, 0x1680, 0x2000,
                                      0x2007, 0x200A, 0x2028, 0x2029, 0x202F, 0x205F, 0x3000};
    std::wstring pad;
    for (int n = Pick(0, 3) - 1; n > 0; --n) pad += Any(kBlanks);
    return pad;
  }

  static inline const Name kNames[] = {
      {L"k", L"K"}, {L"Key", L"kEY"}, {L"s p", L"S P"}, {L"", L""},
      {std::wstring(L"\0x", 2), std::wstring(L"\0X", 2)}, {std::wstring(L"n\0z", 3), L"N"},
      {L"Caf\u00e9", L"CAF\u00c9"}, {L"\u00c4pfel", L"\u00e4pfel"}, {L"\u0160koda", L"\u0161koda"},
      {L"\u0152uvre", L"\u0153uvre"}, {L"\u0178es", L"\u00ffes"}, {L"\u00a0k", L"\u00a0K"},
      {L"\u0394\u03ad\u03bb\u03c4\u03b1", L"\u03b4\u0388\u039b\u03a4\u0391"},
      {L"\u0416\u0443\u043a", L"\u0436\u0423\u041a"}, {L"\u0141\u00f3d\u017a", L"\u0142\u00d3D\u0179"},
      {L"i\u0131", L"I\u0131"}, {L"\u0130x", L"\u0130X"}, {L"\u0131x", L"\u0131X"},
      {L"ss", L"SS"}, {L"\u017fs", L"\u017fS"}, {L"\u03c3", L"\u03a3"}, {L"\u03c2", L"\u03c2"},
  };
  static inline const wchar_t* const kValues[] = {
      L"v", L"\"q\"", L"'s'", L"\"", L"7", L"-1", L"0x1F", L"42A", L"", L"v w",
      L"\u00e9", L"\u00a07", L"\u30007", L"\"\u00a0\""};
  static inline const wchar_t* const kLineEnds[] = {L"\r\n", L"\n", L"\r", L"\r\n"};

 private:
  static std::string Utf16(const std::wstring& text, bool bigEndian) {
    std::string out;
    for (wchar_t c : text) {
      const char low = char(c & 0xFF), high = char((c >> 8) & 0xFF);
      out += bigEndian ? high : low;
      out += bigEndian ? low : high;
    }
    return out;
  }

  std::mt19937 random_;
};

TEST(ProfileConformanceTest, RandomFilesAnswerAsTheWindowsFunctionsDo) {
  TempDir dir;
  RandomProfile random(20261208);
  const auto started = std::chrono::steady_clock::now();
  int mismatches = 0, lookups = 0, otherCase = 0;
  const auto compare = [&](const std::wstring& path, const ProfileFile& ours,
                           const std::string& bytes, const wchar_t* section,
                           const wchar_t* theirSection, const wchar_t* key,
                           const wchar_t* theirKey, const wchar_t* def, size_t size) {
    std::wstring theirs(size + 4, L'#'), mine(size + 4, L'#');
    const DWORD theirResult = GetPrivateProfileStringW(theirSection, theirKey, def, theirs.data(),
                                                       DWORD(size), path.c_str());
    const size_t myResult = ours.GetString(section, key, def, mine.data(), size);
    const size_t shown = std::min(size, size_t(theirResult) + 2);
    ++lookups;
    if (myResult == theirResult && mine.substr(0, shown) == theirs.substr(0, shown)) return;
    if (++mismatches > 20) return;
    const auto show = [](const wchar_t* text) {
      return ::testing::PrintToString(std::wstring(text ? text : L"(null)"));
    };
    ADD_FAILURE() << "file " << ::testing::PrintToString(bytes) << "\nsection=" << show(section)
                  << " key=" << show(key) << " def=" << show(def) << " size=" << size
                  << "\nours " << myResult << " " << ::testing::PrintToString(mine.substr(0, shown))
                  << "\ntheirs " << theirResult << " "
                  << ::testing::PrintToString(theirs.substr(0, shown));
  };
  for (int file = 0; file < 600; ++file) {
    const std::string bytes = random.Build();
    const std::wstring path = dir.Write(L"random" + std::to_wstring(file) + L".ini", bytes);
    const ProfileFile ours(bytes);
    compare(path, ours, bytes, nullptr, nullptr, nullptr, nullptr, L"", size_t(random.Pick(2, 40)));
    for (int query = 0; query < 24; ++query) {
      const RandomProfile::Name& s = random.Any(RandomProfile::kNames);
      const RandomProfile::Name& k = random.Any(RandomProfile::kNames);
      std::wstring section = s.written, key = k.written;
      switch (random.Pick(0, 3)) {
        case 0: section = random.Pad() + section + random.Pad(); break;
        case 1: section = s.otherCase; ++otherCase; break;
        default: break;
      }
      switch (random.Pick(0, 3)) {
        case 0: key = random.Pad() + key + random.Pad(); break;
        case 1: key = k.otherCase; ++otherCase; break;
        default: break;
      }
      const std::wstring theirSection = section == s.otherCase ? s.written : section;
      const std::wstring theirKey = key == k.otherCase ? k.written : key;
      static const wchar_t* const kDefaults[] = {L"", L"d  ", L"d\t", L"d\u00a0 ", L"\"q\"", nullptr};
      const wchar_t* def = random.Any(kDefaults);
      const size_t size = random.Pick(0, 3) == 0 ? size_t(random.Pick(1, 9)) : 260;
      compare(path, ours, bytes, section.c_str(), theirSection.c_str(), key.c_str(),
              theirKey.c_str(), def, size);
      compare(path, ours, bytes, section.c_str(), theirSection.c_str(), nullptr, nullptr, L"",
              size_t(random.Pick(1, 30)));
      ++lookups;
      if (ours.GetInt(section.c_str(), key.c_str(), 9) !=
              GetPrivateProfileIntW(theirSection.c_str(), theirKey.c_str(), 9, path.c_str()) &&
          ++mismatches <= 20) {
        ADD_FAILURE() << "file " << ::testing::PrintToString(bytes) << "\nint section="
                      << ::testing::PrintToString(section) << " key=" << ::testing::PrintToString(key);
      }
    }
  }
  EXPECT_EQ(mismatches, 0) << "of " << lookups << " lookups";
  EXPECT_GT(otherCase, 1000);  // the table's matches were exercised
  std::printf("%d lookups (%d with a name in other case) in %.1f s\n", lookups, otherCase,
              std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
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
