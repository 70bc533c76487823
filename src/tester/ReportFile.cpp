#include "tester/ReportFile.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "base/Text.h"
#include "platform/Platform.h"

namespace ravelin {

namespace {

// The runtime's text mode: every line end goes out as CR LF.
void AddTextModeLine(const std::wstring& line, std::wstring& out) {
  for (wchar_t c : line) {
    if (c == L'\n') out += L'\r';
    out += c;
  }
  out += L"\r\n\r\n";
}

}  // namespace

const std::wstring& StartBanner() {
  static const std::wstring line =
      std::wstring(24, L'%') + L" Start of Test " + std::wstring(33, L'%');
  return line;
}

const std::wstring& TestResultsBanner() {
  static const std::wstring line =
      std::wstring(23, L'*') + L" Test results " + std::wstring(23, L'*');
  return line;
}

const std::wstring& Separator() {
  static const std::wstring line(40, L'*');
  return line;
}

const std::wstring& EndBanner() {
  static const std::wstring line =
      std::wstring(25, L'%') + L" End of Test " + std::wstring(34, L'%') + L"\n";
  return line;
}

std::wstring StartReport(const std::wstring& path) {
  const std::filesystem::path file = FsPath(path);
  std::error_code error;
  if (std::filesystem::is_directory(file, error)) {
    return L"The report " + path + L" is a folder, not a file.";
  }
  if (!DeleteFileIfExists(path)) {
    return std::filesystem::exists(file, error)
               ? L"The report " + path + L" is not a file, so it is not replaced."
               : path + L" can't be deleted.";
  }
  std::ofstream created(file, std::ios::binary);
  if (created) return L"";
  const std::filesystem::path folder = file.parent_path();
  if (!folder.empty() && !std::filesystem::is_directory(folder, error)) {
    return L"The report " + path + L" can't be written: its folder does not exist.";
  }
  return L"The report " + path + L" can't be written.";
}

bool AppendLinesToReport(const std::wstring& path, const ReportLines& lines) {
  // One conversion for the section: each character converts on its own,
  // so the bytes are those of the lines converted one by one.
  std::wstring text;
  for (const std::wstring& line : lines) AddTextModeLine(line, text);
  const std::string bytes = ToAnsi(text);
  // One write for the whole section: a line per call made the run's cost.
  return AppendToFile(path, bytes);
}

int CountInReport(const std::wstring& path, const std::wstring& word) {
  // Read in large pieces: the report of a large plant runs to megabytes.
  std::vector<char> buffer(size_t(1) << 18);
  std::ifstream file;
  file.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  file.open(FsPath(path), std::ios::binary);
  if (!file || word.empty()) return 0;
  const std::string bytes = ToAnsi(word);
  int count = 0;
  std::string line;
  while (std::getline(file, line)) {
    for (size_t at = line.find(bytes); at != std::string::npos;
         at = line.find(bytes, at + 1)) {
      ++count;
    }
  }
  return count;
}

void OpenInNotepad(const std::wstring& path) {
  constexpr size_t kMaxPath = 260;
  std::wstring windows = ThePlatform().WindowsDirectory();
  if (windows.size() > kMaxPath) windows.resize(kMaxPath);
  const std::wstring notepad = JoinPath(windows, L"notepad.exe");
  if (FileExists(notepad)) {
    ThePlatform().StartProgram(notepad, path);
  } else {
    ThePlatform().ShowMessageBox(notepad + L" does not exist.",
                                 L"Open nodepad.exe Error", kMbOk);
  }
}

}  // namespace ravelin
