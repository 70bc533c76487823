#include "mapfile/MapFileText.h"

#include "base/Text.h"

namespace ravelin {

void MapFileText::Line(const std::wstring& text) {
  bytes_ += ToAnsi(text);
  bytes_ += "\r\n";
}

void MapFileText::Section(const std::wstring& name) { Line(L"[" + name + L"]"); }

void MapFileText::Entry(const std::wstring& key, const std::wstring& value) {
  Line(key + L"=" + value);
}

void MapFileText::DecimalEntry(const std::wstring& key, int32_t value) {
  Entry(key, Format(L"%d", value));
}

void MapFileText::HexEntry(const std::wstring& key, uint32_t value) {
  Entry(key, Format(L"%x", value));
}

void MapFileText::CodeEntry(int32_t ddCode, const std::wstring& value) {
  Line(Format(L"%d=", ddCode) + value);
}

}  // namespace ravelin
