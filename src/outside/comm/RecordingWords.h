// The words of one recording line: separated by blanks; double quotes keep
// blanks in a word, with \" and \\ as the only escapes; a word's first
// unquoted "=" splits it into a key and a value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ravelin {

struct RecordingWord {
  std::wstring text;  // quotes removed
  size_t equals = std::wstring::npos;  // the first unquoted "=" in text

  bool HasKey() const { return equals != std::wstring::npos; }
  std::wstring_view Key() const { return std::wstring_view(text).substr(0, equals); }
  std::wstring_view Value() const { return std::wstring_view(text).substr(equals + 1); }
};

// Splits a line. Returns the reason when the line cannot be split (an
// unterminated quote), else an empty string. A line whose first word begins
// with "#" is a comment and yields no words.
std::wstring SplitRecordingLine(std::wstring_view line, std::vector<RecordingWord>& words);

}  // namespace ravelin
