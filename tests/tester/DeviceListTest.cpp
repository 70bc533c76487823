// How device list files decode: the byte order mark, else UTF-8 on Linux
// (Windows-1252 when the bytes are not UTF-8) and the system code page on
// Windows; line ends and empty lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Text.h"
#include "support/TempDir.h"
#include "tester/DeviceKeys.h"

namespace ravelin {
namespace {

using testing::TempDir;

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

TEST(DeviceListTest, FilesDecodeAsTheSystemWritesThem) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::wstring> keys;
    bool unmarked8Bit;  // on Windows: the system code page
  };
  const std::wstring u = L"PT-\u00dc101";
  const Case cases[] = {
      {"utf-8", "PT-\xC3\x9C" "101\n!NamedConfig!Dr\xC3\xBC" "ck\n", {u, L"!NamedConfig!Dr\u00fcck"}, true},
      {"utf-8 bom", "\xEF\xBB\xBFPT-\xC3\x9C" "101\r\nPT-\xE2\x82\xAC\r\n", {u, L"PT-\u20ac"}, false},
      {"not utf-8", "PT-\xC3\x9C" "101\r\nPT-\xDC" "101\r\n", {L"PT-\u00c3\u0153101", u}, true},
      {"utf-16 bom", std::string("\xFF\xFEP\0T\0-\0\xDC\0" "1\0\r\0\n\0\n\0", 18), {L"PT-\u00dc1"}, false},
      {"line ends", "\r\nA\r\n\r\n\nB\nC", {L"A", L"B", L"C"}, true},
      {"blank lines stay keys", " \n\t\n", {L" ", L"\t"}, true},
      {"empty", "", {}, false},
  };
  TempDir dir;
  for (const Case& c : cases) {
    const std::wstring path = dir.Write(L"list.txt", c.bytes);
    std::vector<std::wstring> keys;
    ASSERT_TRUE(ReadDeviceList(path, keys)) << c.name;
    std::vector<std::wstring> expected = c.keys;
    if (kWindows && c.unmarked8Bit) {
      // The same lines, decoded by the system's code page.
      expected.clear();
      for (const std::wstring& key : c.keys) {
        const std::string line = IsValidUtf8(c.bytes) ? ToUtf8(key) : ToCp1252(key);
        expected.push_back(FromAnsi(line));
      }
    }
    EXPECT_EQ(keys, expected) << c.name;
  }
  std::vector<std::wstring> keys;
  EXPECT_FALSE(ReadDeviceList(dir.Join(L"missing.txt"), keys));
}

}  // namespace
}  // namespace ravelin
