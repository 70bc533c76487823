#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/HostRoot.h"
#include "support/TempDir.h"

namespace ravelin {
namespace {

using testing::TempDir;

TEST(WildcardMatchTest, QuestionMarksAndStarsMatchLikeTheFileSearch) {
  struct Case {
    const wchar_t* pattern;
    const wchar_t* name;
    bool match;
  } cases[] = {
      {L"03??.sym", L"0302.sym", true},   {L"03??.sym", L"0310.SYM", true},
      {L"03??.sym", L"03.sym", false},    {L"03??.sym", L"0401.sym", false},
      {L"03??.sym", L"03021.sym", false}, {L"*.map", L"0302.map", true},
      {L"*", L"", true},                  {L"a*b*c", L"axxbyyc", true},
      {L"a*b*c", L"axxbyy", false},       {L"*x", L"xxxx", true},
      {L"", L"a", false},                 {L"??", L"ab", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match)
        << ::testing::PrintToString(std::wstring(c.pattern)) << " "
        << ::testing::PrintToString(std::wstring(c.name));
  }
}

TEST(FileHelpersTest, FindReplaceDeleteAndJoin) {
  TempDir dir;
  dir.Write(L"0301.sym", "");
  dir.Write(L"0310.sym", "");
  dir.Write(L"0401.sym", "");
  dir.Write(L"03.sym", "");
  std::vector<std::wstring> found = NativePlatform().FindFiles(dir.Join(L"03??.sym"));
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::wstring>{L"0301.sym", L"0310.sym"}));
  EXPECT_TRUE(NativePlatform().FindFiles(dir.Join(L"missing") + kPathSeparator + L"*").empty());

  const std::wstring a = dir.Write(L"a.txt", "new");
  const std::wstring b = dir.Write(L"b.txt", "old content");
  EXPECT_TRUE(ReplaceFileWith(a, b));
  EXPECT_FALSE(FileExists(a));
  EXPECT_EQ(testing::ReadBytes(b), "new");
  EXPECT_FALSE(ReplaceFileWith(a, b));  // source gone: nothing changes
  EXPECT_EQ(testing::ReadBytes(b), "new");

  EXPECT_TRUE(DeleteFileIfExists(b));
  EXPECT_FALSE(FileExists(b));
  EXPECT_TRUE(DeleteFileIfExists(b));  // a missing file is no error
  EXPECT_FALSE(FileExists(dir.Path()));  // a directory is not a file
  const std::wstring folder = dir.Join(L"empty");
  std::filesystem::create_directory(FsPath(folder));
  EXPECT_FALSE(DeleteFileIfExists(folder));
  EXPECT_TRUE(std::filesystem::is_directory(FsPath(folder)));

  dir.Write(L"b.txt", "again");
  EXPECT_TRUE(IsSameExistingFile(b, JoinPath(folder, JoinPath(L"..", L"b.txt"))));
  EXPECT_FALSE(IsSameExistingFile(b, a));  // a is gone

  EXPECT_EQ(JoinPath(L"root", L"velk.ini"), std::wstring(L"root") + kPathSeparator + L"velk.ini");
}

TEST(HostRootTest, TheOptionWinsOverTheEnvironment) {
  SetHostRoot(L"/from/option");
  EXPECT_EQ(HostRoot(), L"/from/option");
  EXPECT_EQ(NativePlatform().WindowsDirectory(), L"/from/option");
  SetHostRoot(L"");
}

}  // namespace
}  // namespace ravelin
