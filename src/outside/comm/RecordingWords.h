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

// The words of the latest line split. The words stay from line to line, so
// their texts keep their buffers: a large recording is split line by line,
// and a fresh word costs an allocation.
class RecordingWords {
 public:
  // Splits a line. Returns the reason when the line cannot be split (an
  // unterminated quote), else an empty string. A line whose first word
  // begins with "#" is a comment and yields no words.
  std::wstring Split(std::wstring_view line);

  size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  const RecordingWord& operator[](size_t index) const { return words_[index]; }

 private:
  std::vector<RecordingWord> words_;
  size_t count_ = 0;
};

}  // namespace ravelin
