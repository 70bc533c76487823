// The line writers of the map file: every line goes out through Line(),
// which converts it to 8-bit text (ToAnsi) and ends it with CR LF. A line is never
// cut, however long. A line that would not read back as written (a line
// break in it, a value longer than readers take, a character without a form
// in the code page) still goes out, and Problem() says what is wrong with
// the first such line, so that a writer can refuse the file.
#pragma once

#include <cstdint>
#include <string>

namespace ravelin {

class MapFileText {
 public:
  void Line(const std::wstring& text);
  void Section(const std::wstring& name);
  void Entry(const std::wstring& key, const std::wstring& value);
  void DecimalEntry(const std::wstring& key, int32_t value);
  void HexEntry(const std::wstring& key, uint32_t value);
  void CodeEntry(int32_t ddCode, const std::wstring& value);

  const std::string& Bytes() const { return bytes_; }
  // In words for a message, naming the entry's key; empty when every line
  // reads back as written.
  const std::wstring& Problem() const { return problem_; }

 private:
  std::string bytes_;
  std::wstring problem_;
};

}  // namespace ravelin
