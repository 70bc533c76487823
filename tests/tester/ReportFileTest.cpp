// The report file's bytes, the word count and the viewer.
#include <gtest/gtest.h>

#include "support/FakePlatform.h"
#include "support/TempDir.h"
#include "tester/ReportFile.h"

namespace ravelin {
namespace {

using testing::ReadBytes;
using testing::TempDir;

TEST(ReportFileTest, EveryLineIsFollowedByTwoCrLfAndTheEndBannerByThree) {
  TempDir dir;
  const std::wstring path = dir.Join(L"r.txt");
  ASSERT_TRUE(AppendLinesToReport(path, {StartBanner(), L"5 \u00b5A", L"a\nb"}));
  ASSERT_TRUE(AppendLinesToReport(path, {EndBanner()}));
  const std::string start = std::string(24, '%') + " Start of Test " + std::string(33, '%');
  const std::string end = std::string(25, '%') + " End of Test " + std::string(34, '%');
  EXPECT_EQ(ReadBytes(path), start + "\r\n\r\n5 \xb5" "A\r\n\r\na\r\nb\r\n\r\n" + end +
                                 "\r\n\r\n\r\n");
  EXPECT_EQ(TestResultsBanner(),
            std::wstring(23, L'*') + L" Test results " + std::wstring(23, L'*'));
  EXPECT_EQ(Separator(), std::wstring(40, L'*'));
}

TEST(ReportFileTest, AReportThatCannotBeOpenedIsRefused) {
  TempDir dir;
  EXPECT_FALSE(AppendLinesToReport(dir.Path(), {L"x"}));
  EXPECT_FALSE(AppendLinesToReport(dir.Join(L"missing/r.txt"), {L"x"}));
}

TEST(ReportFileTest, CountsCaseSensitiveWordsWithinLines) {
  TempDir dir;
  const std::wstring path = dir.Join(L"r.txt");
  EXPECT_EQ(CountInReport(path, L"ERROR"), 0);  // no file
  ASSERT_TRUE(AppendLinesToReport(
      path, {L"ERROR: Invalid DD Code mapping found.", L"Error: Can't create server object.",
             L"No ERRORS or WARNINGS", L"WARNING: x", L"ERRORERROR", L"xERR", L"OR"}));
  EXPECT_EQ(CountInReport(path, L"ERROR"), 4);
  EXPECT_EQ(CountInReport(path, L"WARNING"), 2);
  EXPECT_EQ(CountInReport(path, L"AA"), 0);
  EXPECT_EQ(CountWordsInReport(path, {L"ERROR", L"WARNING", L"AA", L""}),
            (std::vector<int>{4, 2, 0, 0}));
  const std::wstring other = dir.Join(L"w.txt");
  ASSERT_TRUE(AppendLinesToReport(other, {L"WARNING: only finding"}));
  EXPECT_EQ(CountInReport(other, L"ERROR"), 0);
  EXPECT_EQ(CountInReport(other, L"WARNING"), 1);
  // Overlapping occurrences count each.
  ASSERT_TRUE(AppendLinesToReport(other, {L"AAA"}));
  EXPECT_EQ(CountInReport(other, L"AA"), 2);
  EXPECT_EQ(CountInReport(other, L"finding\r\n"), 0);  // a line end never matches
  // Large reports are read in pieces of 64 KiB: a word across the border
  // of two pieces counts once.
  const std::wstring large = dir.Join(L"l.txt");
  const size_t piece = size_t(1) << 16;
  // "ER|ROR" at the first border; the line ends in four bytes, and "ERR|OR"
  // at the second.
  ASSERT_TRUE(AppendLinesToReport(
      large, {std::wstring(piece - 2, L'x') + L"ERROR",
              std::wstring(2 * piece - 3 - (piece - 2 + 5 + 4), L'x') + L"ERROR"}));
  EXPECT_EQ(std::filesystem::file_size(FsPath(large)), 2 * piece - 3 + 5 + 4);
  EXPECT_EQ(CountInReport(large, L"ERROR"), 2);
  // Several words in one pass: what one word keeps in front of the next
  // piece is not searched again for the others.
  const int xs = static_cast<int>((piece - 2) + (2 * piece - 3 - (piece - 2 + 5 + 4)));
  EXPECT_EQ(CountWordsInReport(large, {L"x", L"ERROR", L"xE"}), (std::vector<int>{xs, 2, 2}));
}

TEST(ReportFileTest, NotepadOfTheWindowsDirectoryOrAMessage) {
  TempDir dir;
  testing::FakePlatform platform(dir.Path());
  OpenInNotepad(L"report.txt");
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text, dir.Join(L"notepad.exe") + L" does not exist.");
  EXPECT_EQ(platform.boxes[0].caption, L"Open nodepad.exe Error");
  EXPECT_EQ(platform.boxes[0].style, unsigned{kMbOk});
  EXPECT_TRUE(platform.started.empty());

  dir.Write(L"notepad.exe", "");
  OpenInNotepad(L"report.txt");
  ASSERT_EQ(platform.started.size(), 1u);
  EXPECT_EQ(platform.started[0].first, dir.Join(L"notepad.exe"));
  EXPECT_EQ(platform.started[0].second, L"report.txt");
  EXPECT_EQ(platform.boxes.size(), 1u);
}

}  // namespace
}  // namespace ravelin
