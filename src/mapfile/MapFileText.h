// The line writers of the map file: every line goes out through Line(),
// which converts it to 8-bit text (ToAnsi) and ends it with CR LF. A line is never
// cut, however long.
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

 private:
  std::string bytes_;
};

}  // namespace ravelin
