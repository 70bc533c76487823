#include "mapfile/MapFileText.h"

#include "base/Text.h"
#include "mapfile/MapFileKeys.h"

namespace ravelin {
namespace {

std::wstring NamedCharacters(const std::wstring& characters) {
  std::wstring names;
  for (wchar_t c : characters) {
    if (!names.empty()) names += L", ";
    names += Format(L"%c (U+%04X)", c, static_cast<unsigned>(c));
  }
  return names;
}

// What keeps `text` from reading back as written; empty when nothing does.
std::wstring LineProblem(const std::wstring& text) {
  const size_t equals = text.find(L'=');
  const std::wstring field =
      L"the value of \"" + (equals == std::wstring::npos ? text : text.substr(0, equals)) + L"\"";
  // A profile reader ends a line at either character.
  if (text.find_first_of(L"\r\n") != std::wstring::npos) return field + L" holds a line break";
  const size_t length = equals == std::wstring::npos ? 0 : text.size() - equals - 1;
  if (length > mapkeys::kMaxValueLength) {
    return Format(L"%s is %zu characters long, and only %zu are read back", field.c_str(),
                  length, mapkeys::kMaxValueLength);
  }
  const std::wstring lost = WithoutAnsiForm(text);
  if (!lost.empty()) {
    return Format(L"%s holds characters that code page %u cannot hold: %s", field.c_str(),
                  AnsiCodePage(), NamedCharacters(lost).c_str());
  }
  return {};
}

}  // namespace

void MapFileText::Line(const std::wstring& text) {
  if (problem_.empty()) problem_ = LineProblem(text);
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
