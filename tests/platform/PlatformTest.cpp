#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "base/Text.h"
#include "platform/Environment.h"
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

// A listing longer than one read of the directory; pieces read at offsets
// from a file that is renamed meanwhile; appends that create and extend.
TEST(FileHelpersTest, LongListingsPiecesAtOffsetsAndAppends) {
  TempDir dir;
  const std::wstring longName(100, L'n');
  for (int i = 0; i < 400; ++i) dir.Write(Format(L"%s%04d.sym", longName.c_str(), i), "");
  dir.Write(L"other.map", "");
  EXPECT_EQ(NativePlatform().FindFiles(dir.Join(L"*.sym")).size(), 400u);

  const std::wstring path = dir.Write(L"spans.rec", "0123456789");
  SharedReadFile file;
  EXPECT_FALSE(file.Open(dir.Join(L"missing.rec")));
  EXPECT_EQ(file.ReadAt(0, 4), "");
  struct Case {
    uint64_t offset;
    size_t size;
    const char* bytes;
  } cases[] = {{0, 4, "0123"}, {4, 2, "45"}, {7, 3, "789"}, {8, 5, "89"}, {10, 1, ""},
               {99, 2, ""},    {3, 0, ""},   {2, 3, "234"}};
  // Opened for each piece, and (Windows) held open by a block's scope, which
  // then moves the one handle back and forth.
  ASSERT_TRUE(file.Open(path));
  for (const Case& c : cases) EXPECT_EQ(file.ReadAt(c.offset, c.size), c.bytes) << c.offset;
  {
    const StampScope block;
    SharedReadFile gone;  // destroyed before the scope ends
    ASSERT_TRUE(gone.Open(path));
    EXPECT_EQ(gone.ReadAt(5, 2), "56");
    for (const Case& c : cases) EXPECT_EQ(file.ReadAt(c.offset, c.size), c.bytes) << c.offset;
    ASSERT_TRUE(file.Open(path));
    for (const Case& c : cases) EXPECT_EQ(file.ReadAt(c.offset, c.size), c.bytes) << c.offset;
  }
  // Once the scope has ended the reader holds nothing that stops a rename,
  // a delete or the folder's removal.
  const std::wstring folder = dir.Join(L"sub");
  const std::wstring moved = JoinPath(folder, L"moved.rec");
  std::filesystem::create_directory(FsPath(folder));
  EXPECT_TRUE(ReplaceFileWith(path, moved));
  EXPECT_TRUE(DeleteFileIfExists(moved));
  std::error_code error;
  EXPECT_TRUE(std::filesystem::remove(FsPath(folder), error)) << error.message();
  file.ReadAt(0, 4);  // the file is gone: whatever comes back, no crash

  const std::wstring report = dir.Join(L"report.txt");
  EXPECT_TRUE(AppendToFile(report, "ab"));
  EXPECT_TRUE(AppendToFile(report, std::string("c\0d", 3)));
  EXPECT_EQ(testing::ReadBytes(report), std::string("abc\0d", 5));
  EXPECT_FALSE(AppendToFile(dir.Path(), "x"));  // a folder
  EXPECT_FALSE(AppendToFile(dir.Join(L"no-folder") + kPathSeparator + L"r.txt", "x"));

  // Each step failing in turn, as on a full disk: the file holds all of an
  // append or none of it; the earlier file stays when a replacement fails.
  const std::wstring ini = dir.Write(L"w.ini", "old");
  for (uint64_t step = 1; step <= 4; ++step) {
    SCOPED_TRACE(step);
    FailNthFileWrite(step);
    const bool appended = AppendToFile(report, "efgh");
    EXPECT_EQ(appended, step == 4);
    const std::string expected("abc\0defgh", appended ? 9 : 5);
    EXPECT_EQ(testing::ReadBytes(report), expected);
    FailNthFileWrite(step);
    EXPECT_FALSE(WriteFileReplacing(ini, "new"));
    EXPECT_EQ(FileWriteStepsCounted(), step);
    FailNthFileWrite(0);
    EXPECT_EQ(testing::ReadBytes(ini), "old");
    EXPECT_FALSE(FileExists(ini + L".tmp"));
  }
}

// A failed write leaves the old file as it was and no temporary file behind.
TEST(FileHelpersTest, WriteFileReplacingLeavesNothingBehindOnFailure) {
  TempDir dir;
  const std::wstring file = dir.Write(L"old.ini", "old");
  const std::wstring inTheWay = dir.Join(L"folder.ini");
  std::filesystem::create_directory(FsPath(inTheWay));
  std::filesystem::create_directory(FsPath(file + L".tmp"));  // blocks the temporary file
  const std::wstring noFolder = JoinPath(dir.Join(L"none"), L"new.ini");
  struct Case {
    std::wstring path;
    const wchar_t* why;
  } cases[] = {{noFolder, L"its folder does not exist"},
               {inTheWay, L"a folder of that name is in the way"},
               {file, L"the file could not be created or replaced (no access, or in use)"}};
  for (const Case& c : cases) {
    EXPECT_FALSE(WriteFileReplacing(c.path, "new")) << c.path;
    EXPECT_EQ(WhyUnwritable(c.path), c.why) << c.path;
  }
  EXPECT_EQ(testing::ReadBytes(file), "old");
  EXPECT_FALSE(FileExists(inTheWay + L".tmp"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FsPath(dir.Path())), {}), 3);

  std::filesystem::remove(FsPath(file + L".tmp"));
  ASSERT_TRUE(WriteFileReplacing(file, std::string("a\0b", 3), true));
  EXPECT_EQ(testing::ReadBytes(file), std::string("a\0b", 3));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FsPath(dir.Path())), {}), 2);
#ifndef _WIN32
  EXPECT_EQ(std::filesystem::status(FsPath(file)).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
#endif
}

TEST(HostRootTest, TheOptionWinsOverTheEnvironment) {
  const std::wstring saved = EnvironmentValue(L"RAVELIN_HOST_ROOT");
  ASSERT_TRUE(SetEnvironmentValue(L"RAVELIN_HOST_ROOT", L"/from/environment"));
  SetHostRoot(L"/from/option");
  EXPECT_EQ(HostRoot(), L"/from/option");
  EXPECT_EQ(NativePlatform().WindowsDirectory(), L"/from/option");
  SetHostRoot(L"");
  EXPECT_EQ(HostRoot(), L"/from/environment");
  SetEnvironmentValue(L"RAVELIN_HOST_ROOT", saved);
}

}  // namespace
}  // namespace ravelin
