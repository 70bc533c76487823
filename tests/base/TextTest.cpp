#include "base/Text.h"

#include <gtest/gtest.h>

namespace ravelin {
namespace {

TEST(FormatTest, ReproducesTheFormatsOfReportsAndFileNames) {
  struct Case {
    std::wstring got;
    const wchar_t* expected;
  } cases[] = {
      {Format(L"%s\\%06x\\%04x", L"C:\\DD", 0xa3f7u, 3u), L"C:\\DD\\00a3f7\\0003"},
      {Format(L"%02x%02x.map", 3u, 0x10u), L"0310.map"},
      {Format(L"%x", 0xA3F7u), L"a3f7"},
      {Format(L"%X|%#x|%#o|%o", 255u, 255u, 8u, 8u), L"FF|0xff|010|10"},
      {Format(L"%hu:%hu", 70000, 5), L"4464:5"},  // the 16-bit cut
      {Format(L"%lu", 4294967295ul), L"4294967295"},
      {Format(L"%d|%i|%+d|% d", -42, 7, 3, 3), L"-42|7|+3| 3"},
      {Format(L"%5d|%-5d|%05d|%-05d", 42, 42, -42, 42), L"   42|42   |-0042|42   "},
      {Format(L"%.3d|%.0d", 7, 0), L"007|"},
      {Format(L"%f|%.1f|%.0f|%8.2f", 1.5, 100.0, 2.5, -3.14159), L"1.500000|100.0|2|   -3.14"},
      {Format(L"%e|%g|%g|%G", 12345.678, 0.0001, 1e20, 1e-10), L"1.234568e+04|0.0001|1e+20|1E-10"},
      {Format(L"%s|%5s|%-5s|%.2s", L"ab", L"ab", L"ab", L"abcdef"), L"ab|   ab|ab   |ab"},
      {Format(L"%c%c", L'x', 0xE9), L"x\u00e9"},
      {Format(L"100%% done%"), L"100% done"},
      {Format(L"%*d|%-*d|%.*f", 4, 1, 3, 2, 1, 0.25), L"   1|2  |0.2"},
      {Format(L"%lld|%zu|%hhu", -9000000000ll, size_t(12), 300), L"-9000000000|12|44"},
      {Format(L"%s", static_cast<const wchar_t*>(nullptr)), L"(null)"},
      {Format(L"%q"), L"%q"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected);
}

TEST(WtoITest, FollowsTheCLibraryRules) {
  EXPECT_EQ(WtoI(L"38abc"), 38);
  EXPECT_EQ(WtoI(L"x"), 0);
  EXPECT_EQ(WtoI(L""), 0);
  EXPECT_EQ(WtoI(L"  \t-17"), -17);
  EXPECT_EQ(WtoI(L"+5"), 5);
  EXPECT_EQ(WtoI(L"- 5"), 0);
  EXPECT_EQ(WtoI(L"0x10"), 0);
  EXPECT_EQ(WtoI(L"2147483647"), 2147483647);
  EXPECT_EQ(WtoI(L"-2147483648"), -2147483647 - 1);
  EXPECT_EQ(WtoI(L"4294967298"), 2147483647);  // saturates, never wraps
  EXPECT_EQ(WtoI(L"-99999999999999999999"), -2147483647 - 1);
  EXPECT_EQ(WtoI(L"3 4"), 3);
}

TEST(CodePageTest, Cp1252RoundTripsAndMarksWhatItCannotHold) {
  const std::wstring text = L"degC \u00b0 \u20ac \u2122 \u00ff";
  const std::string bytes = ToCp1252(text);
  EXPECT_EQ(bytes, "degC \xB0 \x80 \x99 \xFF");
  EXPECT_EQ(FromCp1252(bytes), text);
  EXPECT_EQ(ToCp1252(L"\u4e2d\u0100"), "??");
  // Bytes 0x81, 0x8D, 0x8F, 0x90, 0x9D map to the C1 control of that value.
  EXPECT_EQ(FromCp1252("\x81\x9D"), std::wstring(L"\u0081\u009d"));
  EXPECT_EQ(ToCp1252(std::wstring(L"\u0081")), "\x81");
}

TEST(CodePageTest, Utf8RoundTripsAndReplacesInvalidBytes) {
  const std::wstring text = L"caf\u00e9 \u4e2d \u20ac";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(ToUtf8(L"\u00e9"), "\xC3\xA9");
  EXPECT_EQ(FromUtf8("a\xFF" "b"), L"a\uFFFDb");
  EXPECT_EQ(FromUtf8("\xC3"), L"\uFFFD");        // cut sequence
  EXPECT_EQ(FromUtf8("\xC0\xAF"), L"\uFFFD\uFFFD");  // overlong form
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), L"\uFFFD");   // encoded surrogate
  EXPECT_EQ(FromUtf16Le(std::string("a\0\xE9\0", 4)), L"a\u00e9");
}

TEST(CaseTest, NamesMatchWithoutRegardToCase) {
  EXPECT_TRUE(EqualsNoCase(L"INSTALLATION", L"installation"));
  EXPECT_TRUE(EqualsNoCase(L"\u00c9t\u00c9", L"\u00e9t\u00e9"));
  EXPECT_TRUE(EqualsNoCase(L"\u0130x", L"\u0130X"));
  EXPECT_TRUE(EqualsNoCase(L"\u0414\u0401", L"\u0434\u0451"));
  EXPECT_FALSE(EqualsNoCase(L"a", L"ab"));
  EXPECT_FALSE(EqualsNoCase(L"\u00d7", L"\u00f7"));  // x and / signs are no pair
  EXPECT_EQ(FoldCase(L"Use For CalMgmt"), L"use for calmgmt");
}

TEST(CaseTest, OnlyOneToOneCasePairsMatch) {
  struct Case {
    const wchar_t* a;
    const wchar_t* b;
    bool match;
  };
  const Case cases[] = {
      {L"\u0141\u00f3d\u017a", L"\u0142\u00d3D\u0179", true},  // Polish
      {L"\u00ff", L"\u0178", true},
      {L"\u03ac\u03c3", L"\u0386\u03a3", true},  // Greek with tonos
      {L"\u0463\u04d9", L"\u0462\u04d8", true},  // Cyrillic beyond the basic letters
      {L"\u1e9e", L"\u00df", false},  // sharp s has no simple upper case
      {L"\u01c6", L"\u01c4", true},
      {L"\u0130", L"\u0131", false},  // dotted I and dotless i
      {L"\u0131", L"I", false},
      {L"\u0131", L"i", false},
      {L"\u0130", L"i", false},
      {L"\u0130", L"I", false},
      {L"\u017f", L"s", false},  // long s
      {L"\u03c2", L"\u03a3", false},  // final sigma
      {L"\u00b5", L"\u039c", false},  // micro sign
      {L"\u01c5", L"\u01c4", false},  // title case digraph
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EqualsNoCase(c.a, c.b), c.match) << ToUtf8(c.a) << " / " << ToUtf8(c.b);
    EXPECT_EQ(EqualsNoCase(c.b, c.a), c.match) << ToUtf8(c.b) << " / " << ToUtf8(c.a);
  }
}

}  // namespace
}  // namespace ravelin
