#include "tester/ReportFile.h"

#include <filesystem>
#include <algorithm>

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
  if (AppendToFile(path, {})) return L"";
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

std::vector<int> CountWordsInReport(const std::wstring& path,
                                    const std::vector<std::wstring>& words) {
  std::vector<int> counts(words.size(), 0);
  // Per word: its bytes, and where in `text` its search goes on.
  std::vector<std::pair<std::string, size_t>> searches;
  for (const std::wstring& word : words) searches.emplace_back(ToAnsi(word), 0);
  // The report is held open across its pieces.
  const StampScope scope;
  SharedReadFile file;
  if (!file.Open(path)) return counts;
  // Large pieces, searched where they stand; the few bytes before a piece
  // that could begin a match are kept in front of the next one.
  constexpr size_t kPiece = size_t(1) << 16;
  std::string text;
  uint64_t offset = 0;
  for (;;) {
    const std::string piece = file.ReadAt(offset, kPiece);
    if (piece.empty()) break;
    offset += piece.size();
    text += piece;
    size_t keep = text.size();
    for (size_t w = 0; w < searches.size(); ++w) {
      auto& [bytes, from] = searches[w];
      // Lines are searched on their own: a word holding a line end never matches.
      if (bytes.empty() || bytes.find('\n') != std::string::npos) continue;
      for (size_t at = text.find(bytes, from); at != std::string::npos;
           at = text.find(bytes, at + 1)) {
        ++counts[w];
        from = at + 1;
      }
      from = std::max(from, text.size() - std::min(text.size(), bytes.size() - 1));
      keep = std::min(keep, from);
    }
    text.erase(0, keep);
    for (auto& search : searches) search.second -= std::min(search.second, keep);
  }
  return counts;
}

int CountInReport(const std::wstring& path, const std::wstring& word) {
  return CountWordsInReport(path, {word})[0];
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
