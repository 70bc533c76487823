// 8-bit text on a Central European Windows (code page 1250): profile files
// as GetPrivateProfileStringW reads them, and the map files, device lists
// and reports that we write and read. Runs under a Polish locale
// (LC_ALL=pl_PL.UTF-8), which gives Wine that code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Text.h"
#include "mapfile/MapFileText.h"
#include "platform/Profile.h"
#include "support/TempDir.h"
#include "tester/DeviceKeys.h"
#include "tester/ReportFile.h"

namespace ravelin {
namespace {

using testing::ReadBytes;
using testing::TempDir;

const std::wstring kLodz = L"\u0141\u00f3d\u017a";  // L with stroke, o acute, d, z acute
const std::string kLodzBytes = "\xA3\xF3" "d\x9F";  // the same in code page 1250

std::wstring Theirs(const std::wstring& path, const wchar_t* section, const wchar_t* key) {
  wchar_t buffer[260];
  const DWORD n = GetPrivateProfileStringW(section, key, L"", buffer, 260, path.c_str());
  return std::wstring(buffer, n);
}

TEST(CodePageConformanceTest, EightBitTextIsTheSystemCodePage) {
  ASSERT_EQ(GetACP(), 1250u) << "needs a Polish locale: LC_ALL=pl_PL.UTF-8";
  EXPECT_EQ(ToAnsi(kLodz), kLodzBytes);
  EXPECT_EQ(FromAnsi(kLodzBytes), kLodz);
  // No form in 1250: '?', not a look-alike (U+0100 would best-fit to A).
  EXPECT_EQ(ToAnsi(L"\u20ac\u0416\u0100"), "\x80??");

  TempDir dir;
  // velk.ini as the host writes it on a Polish system.
  const std::wstring velk = dir.Write(
      L"velk.ini", "[INSTALLATION]\r\nDevicePath=C:\\DD\\" + kLodzBytes + "\r\n[Tarn Server 1]\r\n"
                   "Computer Name=" + kLodzBytes + "\r\n[" + kLodzBytes + "]\r\n" + kLodzBytes +
                   "=\xA5\r\n");
  struct Lookup {
    const wchar_t* section;
    const wchar_t* key;
    std::wstring value;
  };
  const Lookup lookups[] = {
      {L"INSTALLATION", L"DevicePath", L"C:\\DD\\" + kLodz},
      {L"Tarn Server 1", L"Computer Name", kLodz},
      {kLodz.c_str(), kLodz.c_str(), L"\u0104"},  // A with ogonek
      {kLodz.c_str(), nullptr, kLodz + L'\0'},     // the key list
  };
  for (const Lookup& l : lookups) {
    EXPECT_EQ(Theirs(velk, l.section, l.key), l.value) << ToUtf8(l.value);
    const std::wstring ours = l.key ? ProfileString(velk, l.section, l.key, L"")
                                    : ProfileKeyList(velk, l.section);
    EXPECT_EQ(ours, l.value) << ToUtf8(l.value);
  }

  // What we write goes out in 1250, what the user writes comes in from it.
  MapFileText map;
  map.Entry(kLodz, L"\u0416");
  EXPECT_EQ(map.Bytes(), kLodzBytes + "=?\r\n");
  const std::wstring report = dir.Join(L"report.txt");
  ASSERT_TRUE(AppendLinesToReport(report, {kLodz}));
  EXPECT_EQ(ReadBytes(report), kLodzBytes + "\r\n\r\n");
  EXPECT_EQ(CountInReport(report, L"\u0142\u00f3d\u017a"), 0);
  EXPECT_EQ(CountInReport(report, kLodz), 1);
  std::vector<std::wstring> keys;
  ASSERT_TRUE(ReadDeviceList(dir.Write(L"devices.txt", "PT-" + kLodzBytes + "\r\n"), keys));
  EXPECT_EQ(keys, std::vector<std::wstring>{L"PT-" + kLodz});
}

}  // namespace
}  // namespace ravelin
