#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/HostRoot.h"
#include "platform/Platform.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace ravelin {
namespace {

using testing::FakePlatform;
using testing::TempDir;

std::wstring Get(const ProfileFile& file, const wchar_t* section,
                 const wchar_t* key, const wchar_t* def = L"", size_t size = 260) {
  std::wstring buffer(size, L'#');
  const size_t n = file.GetString(section, key, def, buffer.data(), size);
  EXPECT_EQ(buffer[n], L'\0') << "no terminator after the value";
  return buffer.substr(0, n);
}

// The key list as the buffer holds it, NULs included, up to the double NUL.
std::wstring List(const ProfileFile& file, const wchar_t* section,
                  size_t size = 10000, size_t* returned = nullptr) {
  std::wstring buffer(size, L'#');
  const size_t n = file.GetString(section, nullptr, L"", buffer.data(), size);
  if (returned) *returned = n;
  const size_t end = buffer.find(std::wstring(L"\0\0", 2));
  return buffer.substr(0, end == std::wstring::npos ? n + 1 : end + 2);
}

TEST(ProfileFileTest, ValuesFollowTheWindowsRules) {
  const ProfileFile file(
      "[section1]\r\nname1=val1\r\nname2=\"val2\"\r\nname3\r\nname4=a\r\n"
      "  [ Spaced ]  \r\n  key  =  v  \r\nq1='single'\r\nq2=\"mismatch'\r\n"
      "q3=\"\r\nq4=\"\"\r\n=empty name\r\n");
  EXPECT_EQ(Get(file, L"section1", L"name1"), L"val1");
  EXPECT_EQ(Get(file, L"SECTION1", L"NAME1"), L"val1");           // case
  EXPECT_EQ(Get(file, L" section1 ", L" name1\t"), L"val1");      // blanks trimmed
  EXPECT_EQ(Get(file, L"section1", L"name2"), L"val2");           // quotes dropped
  EXPECT_EQ(Get(file, L"section1", L"name3", L"def"), L"def");    // no '='
  EXPECT_EQ(Get(file, L"section1", L"missing", L"def  "), L"def");
  EXPECT_EQ(Get(file, L"section1", L"missing", L"  "), L" ");     // first blank stays
  EXPECT_EQ(Get(file, L"section1", L"missing", L"\"d\""), L"d");
  EXPECT_EQ(Get(file, L"nosection", L"name1", nullptr), L"");
  EXPECT_EQ(Get(file, L"Spaced", L"key"), L"v");
  EXPECT_EQ(Get(file, L"spaced", L"q1"), L"single");
  EXPECT_EQ(Get(file, L"spaced", L"q2"), L"\"mismatch'");
  EXPECT_EQ(Get(file, L"spaced", L"q3"), L"\"");
  EXPECT_EQ(Get(file, L"spaced", L"q4"), L"");
  EXPECT_EQ(Get(file, L"spaced", L""), L"empty name");
  // A value cut by a small buffer: size 4 gives three characters.
  EXPECT_EQ(Get(file, L"section1", L"name1", L"", 4), L"val");
  EXPECT_EQ(Get(file, L"section1", L"name2", L"", 4), L"val");
  EXPECT_EQ(Get(file, L"section1", L"name2", L"", 1), L"");
}

TEST(ProfileFileTest, FirstSectionAndFirstKeyWin) {
  const ProfileFile file(
      "[A]\r\nk=1\r\nK=2\r\n[a]\r\nk=3\r\nj=4\r\n[S]\r\nkey\r\nkey=value\r\n");
  EXPECT_EQ(Get(file, L"A", L"k"), L"1");
  EXPECT_EQ(Get(file, L"A", L"j", L"none"), L"none");  // later twin section unseen
  EXPECT_EQ(Get(file, L"S", L"key", L"def"), L"def");  // first match has no '='
}

TEST(ProfileFileTest, KeyListsKeepFileOrderAndCutLikeWindows) {
  const ProfileFile file(
      "[S]\r\nalpha=1\r\nbare\r\n;comment=2\r\nBeta=\r\ngamma = 3\r\n[Empty]\r\n");
  size_t n = 0;
  EXPECT_EQ(List(file, L"s", 10000, &n), std::wstring(L"alpha\0Beta\0gamma\0\0", 18));
  EXPECT_EQ(n, 17u);
  EXPECT_EQ(List(file, L"Empty", 10000, &n).substr(0, 1), std::wstring(L"\0", 1));
  EXPECT_EQ(n, 0u);
  EXPECT_EQ(List(file, L"missing", 10000, &n).substr(0, 1), std::wstring(L"\0", 1));
  EXPECT_EQ(n, 0u);
  // Too small: the last name is cut, two NULs follow, the call gives size-2.
  EXPECT_EQ(List(file, L"S", 9, &n), std::wstring(L"alpha\0B\0\0", 9));
  EXPECT_EQ(n, 7u);
  EXPECT_EQ(List(file, L"S", 6, &n), std::wstring(L"alph\0\0", 6));
  EXPECT_EQ(n, 4u);
  EXPECT_EQ(List(file, L"S", 11, &n), std::wstring(L"alpha\0Bet\0\0", 11));
  EXPECT_EQ(n, 9u);
}

TEST(ProfileFileTest, LineEndsOfEveryKindSplitLines) {
  for (const char* text : {"[S]\nk1=a\nk2=b\n", "[S]\rk1=a\rk2=b\r", "[S]\r\nk1=a\r\nk2=b"}) {
    const ProfileFile file(text);
    EXPECT_EQ(Get(file, L"S", L"k1"), L"a") << text;
    EXPECT_EQ(Get(file, L"S", L"k2"), L"b") << text;
  }
  // A lone CR ends a line even where LFs follow.
  const ProfileFile mixed("[S]\r\nk1=a\rk2=b\n");
  EXPECT_EQ(Get(mixed, L"S", L"k1"), L"a");
  EXPECT_EQ(Get(mixed, L"S", L"k2"), L"b");
}

TEST(ProfileFileTest, IntegersReadAsTheWindowsConversionDoes) {
  const ProfileFile file(
      "[I]\r\nplus=+1\r\nminus=-1\r\nmixed=42A\r\nletter=B\r\nhex=0x1F\r\n"
      "upper=0X1F\r\nempty=\r\nquoted=\"12\"\r\nbig=4294967297\r\n"
      "cut=000000000000000000000000000000123\r\nspaced=  7\r\n");
  EXPECT_EQ(file.GetInt(L"I", L"plus", 9), 1u);
  EXPECT_EQ(file.GetInt(L"I", L"minus", 9), 4294967295u);
  EXPECT_EQ(file.GetInt(L"I", L"mixed", 9), 42u);
  EXPECT_EQ(file.GetInt(L"I", L"letter", 9), 0u);  // not the default
  EXPECT_EQ(file.GetInt(L"I", L"hex", 9), 31u);
  EXPECT_EQ(file.GetInt(L"I", L"upper", 9), 0u);
  EXPECT_EQ(file.GetInt(L"I", L"empty", 9), 9u);
  EXPECT_EQ(file.GetInt(L"I", L"missing", -1), 4294967295u);
  EXPECT_EQ(file.GetInt(L"I", L"quoted", 9), 12u);
  EXPECT_EQ(file.GetInt(L"I", L"big", 9), 1u);     // wraps
  EXPECT_EQ(file.GetInt(L"I", L"cut", 9), 0u);     // only 29 characters are read
  EXPECT_EQ(file.GetInt(L"I", L"spaced", 9), 7u);
}

TEST(ProfileFileTest, EncodingsAndOddBytes) {
  const ProfileFile cp1252("[\xC9T\xC9]\r\nCl\xE9=W\xE9rt\r\n");
  EXPECT_EQ(Get(cp1252, L"\u00e9t\u00e9", L"CL\u00c9"), L"W\u00e9rt");
  const ProfileFile utf8("\xEF\xBB\xBF[S]\r\nk=\xC3\xA9\r\n");
  EXPECT_EQ(Get(utf8, L"S", L"k"), L"\u00e9");
  const ProfileFile utf16(std::string("\xFF\xFE[\0S\0]\0\n\0k\0=\0v\0", 16));
  EXPECT_EQ(Get(utf16, L"S", L"k"), L"v");
  const ProfileFile ctrlZ("[S]\r\nk=v\x1A\r\n");
  EXPECT_EQ(Get(ctrlZ, L"S", L"k"), L"v");
  const ProfileFile nul(std::string("[S]\r\nk=a\0b\r\n", 12));
  EXPECT_EQ(Get(nul, L"S", L"k"), L"a");  // a NUL ends the value
}

TEST(ProfileFileTest, OnlyAsciiBlanksTrimAndNulNamesAreNames) {
  // Unicode spaces are text, in 8-bit files and in marked ones.
  const ProfileFile ansi("[S]\r\nk=\xA0v\xA0\r\nn=\xA0" "7\r\n");
  EXPECT_EQ(Get(ansi, L"S", L"k"), L"\u00a0v\u00a0");
  EXPECT_EQ(ansi.GetInt(L"S", L"n", 9), 0u);
  const ProfileFile utf8(
      "\xEF\xBB\xBF[\xE3\x80\x80S\xE3\x80\x80]\r\n"
      "k=\xE2\x80\x83v\xE2\x80\xA8\r\n\t\x0B\x0C\x1A j \x1A\x0C\x0B\t=\x1Aw\t\r\n");
  EXPECT_EQ(Get(utf8, L"S", L"k", L"none"), L"none");
  EXPECT_EQ(Get(utf8, L"\u3000S\u3000", L"k"), L"\u2003v\u2028");
  EXPECT_EQ(Get(utf8, L"\u3000S\u3000", L"j"), L"w");

  // A name that starts with NUL reads as empty but is no missing name: the
  // line after a nameless one stays, the one after it goes.
  const ProfileFile nul(std::string("[S]\r\na=1\r\n=2\r\n\0=3\r\n=4\r\nb=5\r\n", 28));
  std::wstring list(40, L'#');
  EXPECT_EQ(nul.GetString(L"S", nullptr, L"", list.data(), 40), 6u);
  EXPECT_EQ(list.substr(0, 7), std::wstring(L"a\0\0\0b\0\0", 7));
  EXPECT_EQ(Get(nul, L"S", L""), L"2");
}

TEST(ProfileLookupTest, BareNamesMeanTheWindowsDirectoryAndChangesAreSeen) {
  TempDir root;
  FakePlatform platform(root.Path());
  EXPECT_EQ(ProfileString(L"velk.ini", L"INSTALLATION", L"DevicePath", L"none"), L"none");
  EXPECT_EQ(ProfileInt(L"velk.ini", L"INSTALLATION", L"x", 5), 5u);
  EXPECT_EQ(ProfileKeyList(L"velk.ini", L"INSTALLATION"), L"");

  root.Write(L"velk.ini", "[INSTALLATION]\r\nDevicePath=/dd/hart\r\n");
  EXPECT_EQ(ProfileString(L"velk.ini", L"installation", L"devicepath", L""), L"/dd/hart");
  EXPECT_EQ(ProfileString(root.Join(L"velk.ini"), L"INSTALLATION", L"DevicePath", L""),
            L"/dd/hart");

  // A rewrite of a different size is read anew.
  root.Write(L"velk.ini", "[INSTALLATION]\r\nDevicePath=/dd/other\r\nDevicePathFF=/dd/ff\r\n");
  EXPECT_EQ(ProfileString(L"velk.ini", L"INSTALLATION", L"DevicePath", L""), L"/dd/other");
  EXPECT_EQ(ProfileKeyList(L"velk.ini", L"INSTALLATION"),
            std::wstring(L"DevicePath\0DevicePathFF\0", 24));
  EXPECT_EQ(ProfileString(L"velk.ini", L"INSTALLATION", L"DevicePath", L"", 4), L"/dd");
}

// Within a scope a file is checked once: a change shows in the next scope,
// and outside any scope at once. A file missing at the first look stays
// missing for the scope; nested scopes end with the outermost.
TEST(ProfileLookupTest, AScopeChecksEachFileOnce) {
  TempDir root;
  FakePlatform platform(root.Path());
  const auto value = [] { return ProfileString(L"velk.ini", L"S", L"k", L"none"); };
  {
    const StampScope outer;
    EXPECT_EQ(value(), L"none");
    root.Write(L"velk.ini", "[S]\nk=1\n");
    EXPECT_EQ(value(), L"none");
    {
      const StampScope inner;
    }
    EXPECT_EQ(value(), L"none");
  }
  EXPECT_EQ(value(), L"1");
  {
    const StampScope scope;
    EXPECT_EQ(value(), L"1");
    root.Write(L"velk.ini", "[S]\nk=22\n");
    EXPECT_EQ(value(), L"1");
    EXPECT_EQ(CheckedFileStamp(root.Join(L"velk.ini"))->size, 8u);
  }
  EXPECT_EQ(value(), L"22");
  root.Write(L"velk.ini", "[S]\nk=333\n");
  EXPECT_EQ(value(), L"333");
}

}  // namespace
}  // namespace ravelin
