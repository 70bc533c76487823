// The report file of a test run: 8-bit text (ToAnsi) in which every
// line is followed by two line ends, CR LF on every platform, so each line
// stands above one empty line. The count of error and warning words and the
// viewer are shared by the driver and the launcher.
#pragma once

#include <string>
#include <vector>

#include "checks/CheckLines.h"

namespace ravelin {

// The fixed lines of a block section; written as they are, never formatted.
const std::wstring& StartBanner();
const std::wstring& TestResultsBanner();
const std::wstring& Separator();
// Ends in a line end of its own, so two empty lines follow it in the file.
const std::wstring& EndBanner();

// The report file's name beside the host's folders.
inline constexpr wchar_t kReportFileName[] = L"MapFileTestResults.txt";

// Begins a run's report: deletes the old report and creates the new one,
// empty, so a report that cannot be written is known before the first
// device. Only a file is ever deleted. Empty on success, else a sentence
// that names the path and says why; the old report is then left as it was.
std::wstring StartReport(const std::wstring& path);

// Appends the lines to the file, creating it when missing; a line end
// inside a line is written as CR LF too, all lines in one write. False when
// the file cannot be opened or written.
bool AppendLinesToReport(const std::wstring& path, const ReportLines& lines);

// How often `word` occurs in the report, case-sensitive, overlapping
// occurrences counted; 0 when the file cannot be read. Each line is searched
// on its own, so no match spans two lines.
int CountInReport(const std::wstring& path, const std::wstring& word);
// The counts of several words in one pass over the report, in their order.
std::vector<int> CountWordsInReport(const std::wstring& path,
                                    const std::vector<std::wstring>& words);

// Starts Notepad of the Windows directory on the file, not waiting; a
// message box says so when there is no Notepad.
void OpenInNotepad(const std::wstring& path);

}  // namespace ravelin
